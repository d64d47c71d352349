#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

// For messages: the harness speaks UTF-16 with Windows and UTF-8 with GoogleTest.
inline std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                          nullptr, nullptr);
    return utf8;
}

} // namespace e2e
