#include "framework/String.h"

#include <array>
#include <optional>
#include <ostream>

#include "framework/Exceptions.h"
#include "framework/SimpleLowercase.h"
#include "framework/Utf.h"

namespace fw {

int String::Compare(const String& other) const noexcept {
    const int order = bytes_.compare(other.bytes_);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

namespace {

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// One character of generalised UTF-8, read where Lowercase stands. framework/Utf.cpp decodes
// whole texts and raises at the first byte that is no UTF-8; a String may hold raw bytes, and
// Lowercase keeps those and goes on lowering what follows, so it reads one character at a time and
// learns of a bad byte without an exception. The rules are those of Utf.cpp's decoder: no overlong
// form, nothing beyond U+10FFFF, a surrogate read as itself (no surrogate has a lower case, so
// each stays as it is, paired in two 3-byte sequences or not).
struct Character {
    char32_t codePoint;
    std::size_t length;
};

std::optional<Character> CharacterAt(const std::string& bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return Character{lead, 1};
    }
    // The sequence's length and the range its second byte must lie in; the narrower ranges
    // exclude overlong forms and values beyond U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return std::nullopt; // a continuation byte, an overlong lead, or no UTF-8 at all
    }
    if (bytes.size() - at < length) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return Character{codePoint, length};
}

// The UTF-8 of a lower case, which is always a whole code point, never a surrogate.
std::string_view EncodeUtf8(char32_t codePoint, std::array<char, 4>& buffer) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (codePoint < 0x80) {
        buffer = {byte(codePoint)};
        return {buffer.data(), 1};
    }
    if (codePoint < 0x800) {
        buffer = {byte(0xC0 | (codePoint >> 6)), byte(0x80 | (codePoint & 0x3F))};
        return {buffer.data(), 2};
    }
    if (codePoint < 0x10000) {
        buffer = {byte(0xE0 | (codePoint >> 12)), byte(0x80 | ((codePoint >> 6) & 0x3F)),
                  byte(0x80 | (codePoint & 0x3F))};
        return {buffer.data(), 3};
    }
    buffer = {byte(0xF0 | (codePoint >> 18)), byte(0x80 | ((codePoint >> 12) & 0x3F)),
              byte(0x80 | ((codePoint >> 6) & 0x3F)), byte(0x80 | (codePoint & 0x3F))};
    return {buffer.data(), 4};
}

} // namespace

void PrintTo(const String& text, std::ostream* out) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    bool utf8 = true;
    try {
        ToUtf16(text.Bytes());
    } catch (const RuntimeException&) {
        utf8 = false; // raw bytes, such as a block read without a text encoding
    }
    std::string shown = "\"";
    for (const char c : text.Bytes()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            shown += '\\';
            shown += c;
        } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8)) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    *out << shown << '"';
}

String Right(const String& text, std::int64_t count) {
    const std::string& bytes = text.Bytes();
    if (count <= 0) {
        return String();
    }
    std::size_t start = bytes.size();
    for (std::int64_t taken = 0; taken < count && start > 0; ++taken) {
        do {
            --start;
        } while (start > 0 && IsContinuationByte(bytes[start]));
    }
    return String(bytes.substr(start));
}

String Lowercase(const String& text) {
    const std::string& bytes = text.Bytes();
    std::string lowered;
    lowered.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::optional<Character> character = CharacterAt(bytes, at);
        if (!character) {
            // No UTF-8: the byte stays, and the next one is read afresh.
            lowered.append(bytes, at, 1);
            ++at;
            continue;
        }
        const char32_t lower = SimpleLowercase(character->codePoint);
        std::array<char, 4> buffer;
        lowered.append(lower == character->codePoint
                           ? std::string_view(bytes).substr(at, character->length)
                           : EncodeUtf8(lower, buffer));
        at += character->length;
    }
    return String(std::move(lowered));
}

String Str(std::int64_t value) {
    return String(std::to_string(value));
}

String ReplaceAll(const String& text, const String& find, const String& replacement) {
    const std::string& source = text.Bytes();
    const std::string& pattern = find.Bytes();
    if (pattern.empty()) {
        return text;
    }
    std::string result;
    std::size_t from = 0;
    for (std::size_t hit = source.find(pattern); hit != std::string::npos;
         hit = source.find(pattern, from)) {
        result.append(source, from, hit - from).append(replacement.Bytes());
        from = hit + pattern.size();
    }
    result.append(source, from);
    return String(std::move(result));
}

} // namespace fw
