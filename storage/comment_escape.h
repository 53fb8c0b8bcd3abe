// The escape that lets the game's comments, line breaks and double quotes included, stand
// on one quoted line of a saved game: every character of the file's character set becomes
// "%" and decimal digits.
#pragma once

#include <string>
#include <string_view>

namespace talvair::storage {

// UTF-8 text to its escaped form (only "%" and digits). A character the file's set cannot
// hold is written as "?".
std::string EncodeString(std::string_view text);

// An escaped form, as bytes of the file's set, back to UTF-8 text. What EncodeString wrote
// comes back exactly; any other text goes through the 256 replacements of the original
// decoder, so files from elsewhere read as they always did (in one pass over the text).
std::string DecodeString(std::string_view text);

// The decoder of the file dialog's preview: the same as DecodeString.
std::string DecodeComment(std::string_view text);

// The preview's decoder for an escaped form cut short: the characters whose forms are
// whole. A form the missing rest could have changed is left out, with what follows it.
std::string DecodeCommentStart(std::string_view cut);

}  // namespace talvair::storage
