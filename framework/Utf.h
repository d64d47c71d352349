#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// UTF-8 inside the program, UTF-16 wherever Windows takes or gives text. Windows names need not
// be valid UTF-16: NTFS keeps a file name with an unpaired surrogate. So the 8-bit side is
// generalised UTF-8 (WTF-8): a lone surrogate is written as its own 3-byte sequence and read back
// as itself, while a surrogate pair is always one 4-byte sequence. Every UTF-16 text then has
// exactly one 8-bit form, and converting there and back gives the same code units.
namespace fw {

std::string ToUtf8(std::u16string_view text);
// wchar_t text: UTF-16 on Windows; elsewhere one code point per unit, where surrogate values
// are taken as UTF-16 code units. Throws RuntimeException for a unit beyond U+10FFFF.
std::string ToUtf8(std::wstring_view text);

// Throws RuntimeException for bytes no encoder of the form above writes: bytes that are no
// UTF-8, overlong or truncated sequences, values beyond U+10FFFF, and a high surrogate's 3-byte
// sequence directly followed by a low one's (the pair has its own 4-byte form).
std::u16string ToUtf16(std::string_view text);
// The same, as wchar_t text (see ToUtf8 for what a unit holds).
std::wstring ToWide(std::string_view text);

// One character of the 8-bit form, for code that walks a text which may also hold other bytes.
struct Utf8Character {
    char32_t codePoint;
    std::size_t length; // in bytes
};
// The character that `text` starts with; none where ToUtf16 would raise at its first byte. A
// surrogate's 3-byte sequence is read as that surrogate.
std::optional<Utf8Character> FirstUtf8Character(std::string_view text) noexcept;
// Appends the 8-bit form of one code point; a surrogate becomes its own 3-byte sequence.
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace fw
