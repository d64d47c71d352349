#include "framework/win32/Wide.h"

#include <windows.h>

namespace fw::win32 {

std::wstring ToWide(const String& text) {
    const std::string& bytes = text.Bytes();
    if (bytes.empty()) {
        return {};
    }
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                          size);
    return wide;
}

String FromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return String(std::move(bytes));
}

std::wstring LongPath(const String& path) {
    std::wstring wide = ToWide(path);
    if (wide.starts_with(LR"(\\?\)") || wide.empty()) {
        return wide;
    }
    const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return wide;
    }
    std::wstring full(size, L'\0');
    full.resize(::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    if (full.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + full.substr(2);
    }
    return LR"(\\?\)" + full;
}

} // namespace fw::win32
