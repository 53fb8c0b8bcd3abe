#include "storage/maintenance_files.h"

#include <system_error>

#include "model/game.h"
#include "model/game_events.h"
#include "model/model_error.h"
#include "numtext/number_text.h"
#include "storage/csv_text.h"
#include "storage/file_errors.h"
#include "storage/saved_game_file.h"

namespace talvair::storage {

namespace {

struct DumpedVar {
  std::string_view name;
  int32_t number;
};

// The stocks, in the dump's order.
constexpr DumpedVar kDumpedVars[] = {
    {"Aircraft", 9},
    {"Ave_Comp_Fare", 21},
    {"Ave_Rel_Workweek", 28},
    {"Ave_Revenues", 29},
    {"AveAircraft", 30},
    {"AvePassCarried", 31},
    {"AveRevenues", 33},
    {"Book_Value_Fleet", 35},
    {"Cum_Net_Profit", 65},
    {"Novices", 186},
    {"ZK_Debt", 194},
    {"ZK_Perc_Quality", 196},
    {"ZKcustomers", 202},
    {"PercAdeqServ", 207},
    {"PercdIndusFare", 208},
    {"PercScopeOfService", 209},
    {"Pros", 225},
    {"Qual_of_Novices", 227},
    {"Qual_of_Pros", 228},
    {"Qual_of_Rookies", 229},
    {"Rookies", 255},
    {"Scope_of_Service", 256},
    {"Total_Shares", 288},
    {"Traditional_Quality", 290},
};

bool Write(game& model, const std::string& fileName, std::string_view text, int* errorCode) {
  if (errorCode != nullptr) *errorCode = 0;
  std::error_code error;
  if (WriteFileAtomically(fileName, text, error)) return true;
  const int code = FileErrorNumber(error);
  if (errorCode != nullptr) *errorCode = code;
  RaiseError(model, code, kAreaSaveGame);
  return false;
}

}  // namespace

std::array<int32_t, 5> OldSavedDecisionVars() { return {68, 70, 69, 204, 275}; }

int SaveOLDGame(game& model, const std::string& fileName, bool overwrite,
                const std::string& /*comments*/, int* errorCode) {
  if (errorCode != nullptr) *errorCode = 0;
  if (FileExists(fileName) && !overwrite) {
    model.Announce([](GameEvents& s) { s.GameSaved(); });
    return kStatusFileExists;
  }
  using Then = CsvWriter::Then;
  const int16_t periods = model.Period();
  CsvWriter file;
  file.String(kOldFormatTag, Then::LineEnd).Integer(periods, Then::LineEnd);
  for (int16_t t = 0; t <= periods; ++t) {
    for (const int32_t var : OldSavedDecisionVars()) {
      file.Number(model.ReadVarValue(var, t, 0), Then::LineEnd);
    }
  }
  if (!Write(model, fileName, file.Text(), errorCode)) return kStatusFailed;
  // Progress of a save that happened: a failed one tells only its error.
  for (int16_t t = 0; t <= periods; ++t) {
    model.Announce([&](GameEvents& s) { s.Saving(t, periods); });
  }
  model.Announce([](GameEvents& s) { s.GameSaved(); });
  return kStatusDone;
}

int ListVarValues(game& model, const std::string& fileName, int* errorCode) {
  std::string text;
  for (const DumpedVar& var : kDumpedVars) {
    text += var.name;
    text += '\t';
    text += numtext::GeneralNumber(model.ReadVarValue(var.number, model.Period(), 0));
    text += kLineEnd;
  }
  return Write(model, fileName, text, errorCode) ? kStatusDone : kStatusFailed;
}

}  // namespace talvair::storage
