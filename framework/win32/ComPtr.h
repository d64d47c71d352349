#pragma once

#include <unknwn.h>

#include <utility>

namespace fw::win32 {

// Owns one reference to a COM object and releases it once.
template <class T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }

    T* Get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }

    // Where a creating call stores the new reference; whatever was held is released first.
    T** Out() noexcept {
        if (object_ != nullptr) {
            std::exchange(object_, nullptr)->Release();
        }
        return &object_;
    }

private:
    T* object_ = nullptr;
};

} // namespace fw::win32
