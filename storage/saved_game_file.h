// The text of a saved game: line 1 the version 21 and the quarters run, line 2 the
// escaped comments in double quotes, then the five decisions (eleven elements each) of
// every quarter from 0 to the last one run, each value followed by a comma and no line
// end after the last. A game holds only decisions; opening it replays them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/game.h"
#include "storage/file_errors.h"

namespace talvair::storage {

inline constexpr std::int32_t kSavedGameVersion = 21;
// Older copies of the program could save one quarter past the last period; such a file
// opens as the end of the game.
inline constexpr int kMaxSavedPeriods = kLastPeriod + 1;
// A saved game takes some tens of kilobytes; larger files are refused unread.
inline constexpr std::size_t kMaxSavedGameBytes = 16 * 1024 * 1024;

// Results of SaveGame and LoadGame.
enum SavedGameStatus : int {
  kStatusDone = 0,
  kStatusFileMissing = 1,  // load: there is no such file
  kStatusFileExists = 1,   // save: the file exists and was not to be overwritten
  kStatusWrongVersion = 2,
  kStatusTooShort = 3,  // load: fewer quarters than the file says
  kStatusFailed = 4,    // a read, write or run-time error; the Error event tells which
};

struct SavedGame {
  std::int16_t periods = 0;                // quarters run
  std::string comments;                    // the program's text (UTF-8, LF line ends)
  std::vector<QuarterDecisions> quarters;  // from period 0; at least `periods` of them
};

struct ReadResult {
  int status = kStatusDone;
  int errorCode = 0;  // behind kStatusFailed
};

// Whether a quarter's decisions (element 0 of each) lie within the decision window's
// ranges, rounded as its range check rounds: aircraft purchases and hiring to whole numbers
// of single precision, the other three to hundredths, halves to even. Hiring's lower bound
// is minus the `workforce` of that quarter, rounded; without it only its upper bound holds.
bool DecisionsInRange(const QuarterDecisions& quarter, std::optional<double> workforce);

// The whole file for a game at period `periods`; `quarters` holds periods 0 to `periods`.
std::string SavedGameText(std::int16_t periods, std::string_view comments,
                          std::span<const QuarterDecisions> quarters);

// Reads and checks a whole file before anything is done with it: the version, a count of
// quarters from 0 to 41, and finite numbers for every value of the quarters the count
// needs, the decisions within their ranges (hiring's lower bound aside). Quarters after the
// count are ignored; `onQuarterRead` hears of each one read.
ReadResult ParseSavedGame(std::string_view text, SavedGame& game,
                          const std::function<void(int quarter, int periods)>& onQuarterRead = {});

// What the Open game dialog shows for a selected file, read from the file's first bytes:
// line 2 as it stands, decoded, between its double quotes. With `cut` the file goes on past
// `head`: a line 2 that runs to its end shows its whole characters, then "…".
std::string PreviewComments(std::string_view head, bool cut = false);

}  // namespace talvair::storage
