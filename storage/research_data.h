// The research data of a game: a comma-separated table of every model variable by period,
// for spreadsheets and statistics tools; nothing reads it back. Line 1 is "Period" and the
// periods 0 to the current one; then one line per variable number 1 to 339: its label in
// the current language and its computed value at each period. Every item is followed by a
// comma, every line ends in CR LF. Standard library only.
#pragma once

#include <string>

namespace talvair {
class game;
}

namespace talvair::storage {

// The whole file for the model's trajectory so far.
std::string ResearchDataText(game& model);

// Writes the file. An existing file is replaced only when `overwrite` is set, else it is
// kept and the result is kStatusFileExists, also when it appears while the file is being
// written. Raises Saving once when written and GameSaved when written or refused; a
// failure raises Error with area 22, leaves no file behind and gives kStatusFailed,
// `errorCode` (when given) getting the Error event's number.
int SaveResearchData(game& model, const std::string& pathAndFilename, bool overwrite,
                     int* errorCode = nullptr);

}  // namespace talvair::storage
