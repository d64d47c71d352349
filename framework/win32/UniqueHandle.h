#pragma once

#include <windows.h>

#include <utility>

namespace fw::win32 {

// Owns one handle of the kind that `Traits` describes and gives it back once. Kinds differ in
// the value by which Windows says "none", so each names its own.
template <typename Traits> class UniqueHandleOf {
public:
    UniqueHandleOf() noexcept = default;
    explicit UniqueHandleOf(HANDLE handle) noexcept : handle_(handle) {}
    UniqueHandleOf(UniqueHandleOf&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::kNone)) {}
    UniqueHandleOf& operator=(UniqueHandleOf other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~UniqueHandleOf() {
        if (Valid()) {
            Traits::Close(handle_);
        }
    }

    HANDLE Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return Traits::IsValid(handle_); }

private:
    HANDLE handle_ = Traits::kNone;
};

// A kernel object: CreateFileW says "none" with INVALID_HANDLE_VALUE, most other calls with null.
struct KernelHandleTraits {
    static inline const HANDLE kNone = nullptr;
    static bool IsValid(HANDLE handle) noexcept {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};

// A directory search: FindFirstFileExW says "none" with INVALID_HANDLE_VALUE only.
struct FindHandleTraits {
    static inline const HANDLE kNone = INVALID_HANDLE_VALUE;
    static bool IsValid(HANDLE handle) noexcept { return handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { ::FindClose(handle); }
};

using UniqueHandle = UniqueHandleOf<KernelHandleTraits>;
using UniqueFindHandle = UniqueHandleOf<FindHandleTraits>;

} // namespace fw::win32
