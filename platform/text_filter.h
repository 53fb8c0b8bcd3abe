// Keeps a text box to the characters a file can hold: anything else typed or pasted becomes
// "?" at once.
#pragma once

#include <functional>

class QPlainTextEdit;

namespace talvair::platform {

// `allowed` says which characters may stay; line breaks always stay.
void RestrictCharacters(QPlainTextEdit* box, std::function<bool(char32_t)> allowed);

}  // namespace talvair::platform
