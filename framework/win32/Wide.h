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

// The absolute form of a path, naming the file the path names; none when Windows cannot make one.
// A path in \\?\ form is taken literally and a \\.\ one as the device path it is. A last
// component that the DOS rules read as a device (CON.nki, nul.nkb) stays a file in its folder.
std::optional<std::wstring> FullPathName(const std::wstring& path);

// A path Windows accepts at any length: FullPathName's path with the \\?\ prefix.
std::wstring LongPath(const String& path);

} // namespace fw::win32
