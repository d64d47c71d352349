#include "framework/win32/Wide.h"

#include <windows.h>

namespace fw::win32 {

std::optional<std::wstring> FullPathName(const std::wstring& path) {
    // The length asked for first may grow before the second call if the current directory
    // changes meanwhile, so the call repeats until the answer fits.
    std::wstring full;
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::wstring LongPath(const String& path) {
    std::wstring wide = ToWide(path);
    if (wide.starts_with(LR"(\\?\)") || wide.empty()) {
        return wide;
    }
    const auto full = FullPathName(wide);
    if (!full) {
        return wide;
    }
    if (full->starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + full->substr(2);
    }
    return LR"(\\?\)" + *full;
}

} // namespace fw::win32
