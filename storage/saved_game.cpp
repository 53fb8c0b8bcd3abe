#include "storage/saved_game.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "model/catalogue.h"
#include "model/game.h"
#include "model/game_events.h"
#include "model/model_error.h"
#include "model/var_number.h"
#include "storage/csv_text.h"
#include "storage/file_errors.h"

namespace talvair::storage {

namespace {

// The error number of a failure that is not the model's own.
constexpr int kErrInternal = 51;

// A quarter whose decisions the decision window would have refused.
struct DecisionOutOfRange {};

class LoadingFlag {
 public:
  explicit LoadingFlag(game& model) : model_(model) { model_.IsLoading(true); }
  ~LoadingFlag() { model_.IsLoading(false); }
  LoadingFlag(const LoadingFlag&) = delete;
  LoadingFlag& operator=(const LoadingFlag&) = delete;

 private:
  game& model_;
};

}  // namespace

int SaveGame(game& model, const std::string& fileName, bool overwrite, const std::string& comments,
             int* errorCode) {
  const auto failed = [&](int code) {
    if (errorCode != nullptr) *errorCode = code;
    RaiseError(model, code, kAreaSaveGame);
    return kStatusFailed;
  };
  if (errorCode != nullptr) *errorCode = 0;
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
        if (!std::isfinite(value)) return failed(kErrFileOverflow);
        quarter[d][static_cast<std::size_t>(e)] = value;
      }
    }
    model.Announce([&](GameEvents& s) { s.Saving(t, periods); });
  }

  const std::string text = SavedGameText(periods, comments, quarters);
  // A file too large to be opened again is not written.
  if (text.size() > kMaxSavedGameBytes) return failed(kErrFileTooLarge);
  std::error_code error;
  if (!WriteFileAtomically(fileName, text, error)) {
    return failed(FileErrorNumber(error));
  }
  model.Announce([](GameEvents& s) { s.GameSaved(); });
  return kStatusDone;
}

int LoadGame(game& model, const std::string& fileName, LoadGameHost* host, int* errorCode) {
  if (errorCode != nullptr) *errorCode = 0;
  const auto finish = [&](int status) {
    model.Announce([&](GameEvents& s) { s.GameLoaded(static_cast<int16_t>(status)); });
    model.Announce([](GameEvents& s) { s.DataChange(); });
    return status;
  };
  const auto failed = [&](int code) {
    if (errorCode != nullptr) *errorCode = code;
    RaiseError(model, code, kAreaLoadGame);
    return kStatusFailed;
  };
  bool tooLarge = false;
  std::error_code error;
  const std::optional<std::string> bytes =
      ReadFilePrefix(fileName, kMaxSavedGameBytes, &tooLarge, &error);
  if (!bytes) {
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
      return finish(kStatusFileMissing);
    }
    return failed(FileErrorNumber(error));
  }
  if (tooLarge) return failed(kErrFileTooLarge);
  SavedGame saved;
  const ReadResult read = ParseSavedGame(*bytes, saved, [&](int t, int periods) {
    model.Announce([&](GameEvents& s) {
      s.Loading(static_cast<int16_t>(t), static_cast<int16_t>(2 * periods));
    });
  });
  if (read.status == kStatusFailed) return failed(read.errorCode);
  if (read.status != kStatusDone) return finish(read.status);

  // The quarter after the last one run is in the file for the next run; it is not played.
  const int periods = saved.periods;
  const auto played = std::span<const QuarterDecisions>(saved.quarters)
                          .first(static_cast<std::size_t>(std::min(periods, kLastPeriod)));
  try {
    const LoadingFlag loading(model);
    model.ReplayDecisions(
        played,
        [&](int t) {
          model.Announce([&](GameEvents& s) {
            s.Loading(static_cast<int16_t>(periods + t), static_cast<int16_t>(2 * periods));
          });
        },
        [&](int t) {
          const auto q = static_cast<std::size_t>(t);
          // The decision window holds lay-offs to the workforce at a run's first quarter; the
          // run then plays the same decisions on while the workforce falls. Decisions change
          // only where a run starts, so the bound is checked there; a quarter that repeats
          // the one before may lie inside a run, where nothing was checked.
          if (q > 0 && played[q] == played[q - 1]) return;
          const double workforce = model.GetVarValue(varnum::total_csms, -1, 0);
          if (!DecisionsInRange(played[q], workforce)) throw DecisionOutOfRange();
        });
  } catch (const DecisionOutOfRange&) {
    return failed(kErrFileOverflow);
  } catch (const ModelError& error) {
    return failed(error.Code());
  } catch (const std::exception&) {
    return failed(kErrInternal);
  }
  model.ExtraString(saved.comments);
  if (host != nullptr) host->ShowLoadedGame(FileTitle(fileName), saved.comments);
  return finish(kStatusDone);
}

}  // namespace talvair::storage
