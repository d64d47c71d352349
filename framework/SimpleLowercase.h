#pragma once

namespace fw {

// The lower case that Unicode's character data gives `codePoint` by its simple, one-to-one
// mapping ("Ä" to "ä", KELVIN SIGN to "k"); the code point itself when it has none. The same
// answer on every platform and in every locale.
char32_t SimpleLowercase(char32_t codePoint) noexcept;

} // namespace fw
