#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace fw {

// The framework's text: a sequence of bytes, UTF-8 for every literal and every name, raw bytes
// for what a stream reads without a text encoding. Equality is byte for byte: letter case counts.
class String {
public:
    String() = default;
    String(const char* utf8) : bytes_(utf8) {}
    String(std::string bytes) : bytes_(std::move(bytes)) {}
    String(std::string_view bytes) : bytes_(bytes) {}

    const std::string& Bytes() const noexcept { return bytes_; }
    const char* CString() const noexcept { return bytes_.c_str(); }
    std::size_t ByteCount() const noexcept { return bytes_.size(); }
    bool IsEmpty() const noexcept { return bytes_.empty(); }

    // Compares whole texts; 0 when they are equal.
    int Compare(const String& other) const noexcept;

    friend bool operator==(const String&, const String&) = default;
    friend String operator+(const String& a, const String& b) {
        return String(a.bytes_ + b.bytes_);
    }

private:
    std::string bytes_;
};

// Writes the text in quotes, as test reports show it: UTF-8 as it stands, every other byte, and
// each control character, quote and backslash, as an escape.
void PrintTo(const String& text, std::ostream* out);

// The last `count` characters of `text` (code points of its UTF-8); all of it when it is shorter.
String Right(const String& text, std::int64_t count);
// The text with each character that Unicode gives a lower case replaced by it, one for one by the
// simple mapping ("Ä" to "ä", "Σ" to "σ", KELVIN SIGN to "k", U+0130 to "i"), whatever the
// platform or locale; the byte count may change. Bytes that are no UTF-8, and lone surrogates,
// stay as they are.
String Lowercase(const String& text);
// The value in plain decimal.
String Str(std::int64_t value);
// Every occurrence of `find`, left to right and not overlapping, replaced by `replacement`.
String ReplaceAll(const String& text, const String& find, const String& replacement);

} // namespace fw
