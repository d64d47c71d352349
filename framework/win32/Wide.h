#pragma once

#include <string>

#include "framework/String.h"

namespace fw::win32 {

// UTF-8 inside the framework, UTF-16 at every Windows call.
std::wstring ToWide(const String& text);
String FromWide(std::wstring_view text);

// A path Windows accepts at any length: absolute, with the \\?\ prefix.
std::wstring LongPath(const String& path);

} // namespace fw::win32
