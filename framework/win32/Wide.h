#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/String.h"
#include "framework/Utf.h"

namespace fw::win32 {

// The framework's Strings at every Windows call, through the one conversion pair.
inline std::wstring ToWide(const String& text) {
    return fw::ToWide(text.Bytes());
}
inline String FromWide(std::wstring_view text) {
    return String(fw::ToUtf8(text));
}

// GetFullPathNameW's absolute form of a path; none when the call fails.
std::optional<std::wstring> FullPathName(const std::wstring& path);

// A path Windows accepts at any length: absolute, with the \\?\ prefix.
std::wstring LongPath(const String& path);

} // namespace fw::win32
