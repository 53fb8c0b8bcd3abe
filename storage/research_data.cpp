#include "storage/research_data.h"

#include <system_error>

#include "model/catalogue.h"
#include "model/game.h"
#include "model/game_events.h"
#include "model/model_error.h"
#include "storage/csv_text.h"
#include "storage/file_errors.h"
#include "storage/saved_game_file.h"
#include "storage/windows_1252.h"

namespace talvair::storage {

std::string ResearchDataText(game& model) {
  const int16_t periods = model.Period();
  std::string text;
  CsvWriter line;
  line.String("Period");
  for (int16_t t = 0; t <= periods; ++t) line.Integer(t);
  text += line.TakeText();
  text += kLineEnd;
  for (int32_t var = 1; var <= catalogue::kVarCount; ++var) {
    CsvWriter row;
    row.String(Utf8ToWindows1252(model.GetVarName(var, 0)));
    for (int16_t t = 0; t <= periods; ++t) row.Number(model.ReadVarValue(var, t, 0));
    text += row.TakeText();
    text += kLineEnd;
  }
  return text;
}

int SaveResearchData(game& model, const std::string& pathAndFilename, bool overwrite,
                     int* errorCode) {
  if (errorCode != nullptr) *errorCode = 0;
  const auto saved = [&model] { model.Announce([](GameEvents& s) { s.GameSaved(); }); };
  if (FileExists(pathAndFilename) && !overwrite) {
    saved();
    return kStatusFileExists;
  }
  std::error_code error;
  if (!WriteFileAtomically(pathAndFilename, ResearchDataText(model), error, overwrite)) {
    if (error == std::errc::file_exists) {
      saved();
      return kStatusFileExists;
    }
    const int code = FileErrorNumber(error);
    if (errorCode != nullptr) *errorCode = code;
    RaiseError(model, code, kAreaSaveGame);
    return kStatusFailed;
  }
  const int16_t periods = model.Period();
  model.Announce([periods](GameEvents& s) { s.Saving(periods, periods); });
  saved();
  return kStatusDone;
}

}  // namespace talvair::storage
