#include "framework/CommandLine.h"

#include <string>

#include "framework/Utf.h"

namespace fw {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

} // namespace

std::vector<String> SplitCommandLine(std::wstring_view line) {
    std::vector<String> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            return arguments;
        }
        std::wstring argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    argument += L'"'; // "" inside quotes stands for one quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, L'\\');
                if (i < line.size() && (quoted || !IsBlank(line[i]))) {
                    argument += line[i];
                    ++i;
                }
            }
        }
        arguments.emplace_back(ToUtf8(argument));
    }
}

} // namespace fw
