#pragma once

#include <string_view>
#include <vector>

#include "framework/String.h"

namespace fw {

// Splits the command line that follows the program's name into its arguments, by the rules
// Windows programs use: blanks separate, quotes group, backslashes escape only before a quote.
// The line is split as UTF-16 and each argument converted whole, so a name holding an unpaired
// surrogate keeps it.
std::vector<String> SplitCommandLine(std::wstring_view commandLine);

} // namespace fw
