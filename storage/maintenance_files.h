// Two writers for maintenance rather than play, reached from menu items hidden in every
// edition: the decisions in an older one-value-per-line format that nothing reads back,
// and the current values of the 24 stocks as name and value pairs. Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace talvair {
class game;
}

namespace talvair::storage {

// Line 1 of the old format.
inline constexpr std::string_view kOldFormatTag = "ZKFSFileVersion921012";

// The decisions in the old format's order: aircraft purchases, marketing fraction,
// hiring, fare, target service scope.
std::array<int32_t, 5> OldSavedDecisionVars();

// The tag, the period, then element 0 of every decision of every period from 0 to the
// current one, one per line. A file that exists is replaced only when `overwrite` is set
// (else kStatusFileExists). Raises Saving after each period and GameSaved; a failure
// raises Error with area 22, keeps any old file whole and gives kStatusFailed, `errorCode`
// (when given) getting the Error event's number. The comments are not written.
int SaveOLDGame(game& model, const std::string& fileName, bool overwrite,
                const std::string& comments, int* errorCode = nullptr);

// Writes the 24 stocks at the current period, each as its name, a TAB and its value in
// general number text, replacing the file. kStatusDone, or kStatusFailed with Error
// raised (area 22) and its number in `errorCode` (when given).
int ListVarValues(game& model, const std::string& fileName, int* errorCode = nullptr);

}  // namespace talvair::storage
