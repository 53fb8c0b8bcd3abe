// What must hold for any bytes given to the saved-game reader; shared by the fuzz target
// and by the test that replays its corpus.
#pragma once

#include <bit>
#include <cmath>
#include <string>
#include <string_view>

#include "storage/comment_escape.h"
#include "storage/saved_game_file.h"
#include "storage/windows_1252.h"

namespace talvair::storage {

// Empty when every property holds, else the first one broken.
inline std::string CheckSavedGameReader(std::string_view bytes) {
  // Any text escapes and comes back exactly.
  const std::string text = Windows1252ToUtf8(bytes);
  if (DecodeString(EncodeString(text)) != text) return "escape round trip";
  (void)DecodeString(bytes);
  (void)PreviewComments(bytes);
  (void)PreviewComments(bytes, true);  // as if the file went on

  SavedGame game;
  const ReadResult result = ParseSavedGame(bytes, game);
  if (result.status != kStatusDone) {
    if (result.status < 0 || result.status > kStatusFailed) return "status out of range";
    return std::string();
  }
  if (game.periods < 0 || game.periods > kMaxSavedPeriods) return "period count accepted";
  if (game.quarters.size() < static_cast<std::size_t>(game.periods)) return "short file accepted";
  for (const auto& quarter : game.quarters) {
    for (const auto& decision : quarter) {
      for (const double value : decision) {
        if (!std::isfinite(value)) return "value not finite";
      }
    }
  }

  // What was read writes back to a file that reads the same, bit for bit.
  SavedGame again;
  const std::string written = SavedGameText(game.periods, game.comments, game.quarters);
  if (ParseSavedGame(written, again).status != kStatusDone) return "rewritten file refused";
  if (again.periods != game.periods || again.comments != game.comments ||
      again.quarters.size() != game.quarters.size()) {
    return "rewritten file differs";
  }
  for (std::size_t q = 0; q < game.quarters.size(); ++q) {
    for (std::size_t d = 0; d < game.quarters[q].size(); ++d) {
      for (std::size_t e = 0; e < game.quarters[q][d].size(); ++e) {
        if (std::bit_cast<unsigned long long>(game.quarters[q][d][e]) !=
            std::bit_cast<unsigned long long>(again.quarters[q][d][e])) {
          return "rewritten value differs";
        }
      }
    }
  }
  return std::string();
}

}  // namespace talvair::storage
