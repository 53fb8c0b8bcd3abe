// The single-byte character set of the program's files (Windows-1252) and the program's
// own text (UTF-8). The five codes the set leaves undefined stand for the control
// characters of the same number, so every byte has one character and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvair::storage {

// The next character of UTF-8 text at `pos`, moving past it; U+FFFD for a malformed,
// overlong or surrogate sequence (one byte consumed).
char32_t NextUtf8(std::string_view text, std::size_t& pos);

// The character of a byte.
char32_t Windows1252Char(unsigned char byte);
// The byte of a character; empty for a character the set cannot hold.
std::optional<unsigned char> Windows1252Byte(char32_t character);

// UTF-8 text as bytes of the set; characters the set cannot hold (and malformed UTF-8)
// become "?".
std::string Utf8ToWindows1252(std::string_view utf8);
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace talvair::storage
