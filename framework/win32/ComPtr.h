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
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }

    T* Get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // Where a creating call stores the new reference; whatever was held is released first.
    T** Out() noexcept {
        ComPtr().swap(*this);
        return &object_;
    }
    void** OutVoid() noexcept { return reinterpret_cast<void**>(Out()); }
    void swap(ComPtr& other) noexcept { std::swap(object_, other.object_); }

private:
    T* object_ = nullptr;
};

} // namespace fw::win32
