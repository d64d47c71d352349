#include "framework/Utf.h"

#include <string>

#include "framework/Exceptions.h"

namespace fw {

namespace {

bool IsHigh(char32_t c) {
    return c >= 0xD800 && c < 0xDC00;
}

bool IsLow(char32_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

template <class Unit> std::string EncodeUnits(std::basic_string_view<Unit> text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (c > 0x10FFFF) {
            throw RuntimeException("The text holds a value beyond U+10FFFF.");
        }
        // A pair becomes one code point; a surrogate without its partner stays as it is.
        if (IsHigh(c) && i + 1 < text.size() && IsLow(static_cast<char32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);
    }
    return out;
}

[[noreturn]] void RaiseInvalid(std::size_t offset) {
    throw RuntimeException("The text is not UTF-8 at byte " + std::to_string(offset) + ".");
}

template <class Unit> std::basic_string<Unit> DecodeUnits(std::string_view text) {
    std::basic_string<Unit> out;
    out.reserve(text.size());
    bool afterLoneHigh = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<Utf8Character> character = FirstUtf8Character(text.substr(i));
        if (!character) {
            RaiseInvalid(i);
        }
        const char32_t c = character->codePoint;
        if (afterLoneHigh && IsLow(c)) {
            RaiseInvalid(i);
        }
        afterLoneHigh = IsHigh(c);
        if (sizeof(Unit) == 2 && c >= 0x10000) {
            out += static_cast<Unit>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<Unit>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<Unit>(c);
        }
        i += character->length;
    }
    return out;
}

} // namespace

std::optional<Utf8Character> FirstUtf8Character(std::string_view text) noexcept {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(text[0]);
    // The sequence's length and the range its second byte must lie in; the narrower ranges
    // exclude overlong forms and values beyond U+10FFFF.
    std::size_t length = 1;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t c = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else if (lead >= 0x80) {
        return std::nullopt; // a continuation byte, an overlong lead, or no UTF-8 at all
    }
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    return Utf8Character{c, length};
}

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

std::string ToUtf8(std::u16string_view text) {
    return EncodeUnits(text);
}

std::string ToUtf8(std::wstring_view text) {
    return EncodeUnits(text);
}

std::u16string ToUtf16(std::string_view text) {
    return DecodeUnits<char16_t>(text);
}

std::wstring ToWide(std::string_view text) {
    return DecodeUnits<wchar_t>(text);
}

} // namespace fw
