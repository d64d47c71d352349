#include "framework/CommandLine.h"

#include <string>

namespace fw {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; both come out as UTF-8.
std::string ToUtf8(std::wstring_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
                const char32_t low = static_cast<char32_t>(text[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        AppendUtf8(out, c);
    }
    return out;
}

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
