#include "storage/saved_game.h"

#include <cmath>
#include <system_error>
#include <vector>

#include "model/catalogue.h"
#include "model/game.h"
#include "model/game_events.h"
#include "model/model_error.h"
#include "storage/csv_text.h"
#include "storage/file_errors.h"

namespace talvair::storage {

int SaveGame(game& model, const std::string& fileName, bool overwrite,
             const std::string& comments) {
  if (FileExists(fileName) && !overwrite) {
    model.Announce([](GameEvents& s) { s.GameSaved(); });
    return kStatusFileExists;
  }
  const int16_t periods = model.Period();
  std::vector<QuarterDecisions> quarters(static_cast<std::size_t>(periods) + 1);
  for (int16_t t = 0; t <= periods; ++t) {
    QuarterDecisions& quarter = quarters[static_cast<std::size_t>(t)];
    for (std::size_t d = 0; d < quarter.size(); ++d) {
      const int index = catalogue::VarIndexFromNumber(kDecisionVarNumbers[d]);
      for (int e = 0; e < kElements; ++e) {
        const double value = model.VarValues().Get(index, t, e);
        // The file could not be opened again.
        if (!std::isfinite(value)) {
          RaiseError(model, kErrFileOverflow, kAreaSaveGame);
          return kStatusFailed;
        }
        quarter[d][static_cast<std::size_t>(e)] = value;
      }
    }
    model.Announce([&](GameEvents& s) { s.Saving(t, periods); });
  }

  std::error_code error;
  if (!WriteFileAtomically(fileName, SavedGameText(periods, comments, quarters), error)) {
    RaiseError(model, FileErrorNumber(error), kAreaSaveGame);
    return kStatusFailed;
  }
  model.Announce([](GameEvents& s) { s.GameSaved(); });
  return kStatusDone;
}

}  // namespace talvair::storage
