// Apart from String.cpp so that a program which never prints a String links no stream code: the
// tests print, Pindrel.exe does not.
#include <optional>
#include <ostream>

#include "framework/String.h"
#include "framework/Utf.h"

namespace fw {

void PrintTo(const String& text, std::ostream* out) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown = "\"";
    for (std::string_view rest = text.Bytes(); !rest.empty();) {
        const std::optional<Utf8Character> character = FirstUtf8Character(rest);
        const std::size_t length = character ? character->length : 1;
        const auto byte = static_cast<unsigned char>(rest.front());
        if (byte == '"' || byte == '\\') {
            shown += '\\';
            shown += rest.front();
        } else if (!character || byte < 0x20 || byte == 0x7F) {
            // Raw bytes, such as a block read without a text encoding, and control characters.
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown.append(rest.substr(0, length));
        }
        rest.remove_prefix(length);
    }
    *out << shown << '"';
}

} // namespace fw
