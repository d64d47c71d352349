#include "framework/String.h"

#include <optional>

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

} // namespace

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
    std::string_view rest = text.Bytes();
    std::string lowered;
    lowered.reserve(rest.size());
    while (!rest.empty()) {
        const std::optional<Utf8Character> character = FirstUtf8Character(rest);
        if (!character) {
            // A String may hold raw bytes: this one stays, and lowering goes on after it.
            lowered += rest.front();
            rest.remove_prefix(1);
            continue;
        }
        const char32_t lower = SimpleLowercase(character->codePoint);
        if (lower == character->codePoint) {
            lowered.append(rest.substr(0, character->length));
        } else {
            AppendUtf8(lowered, lower);
        }
        rest.remove_prefix(character->length);
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
