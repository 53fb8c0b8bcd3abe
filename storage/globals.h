// Program-wide settings state filled and read by the settings store. Everything lives for
// the whole process; nothing is saved at exit. (CurrentLanguage lives in model/language.h.)
#pragma once

#include <QString>
#include <cstdint>

namespace talvair {

// Whether a language was stored (or, after the language selection, is to be stored).
extern bool LanguageSaved;

// Research edition: auto-save of the research data after each run.
extern bool AutoSaveEnabled;
extern QString AutoSavePath;
extern QString AutoSaveBaseName;
extern std::int16_t AutoSaveRunNumber;

// Kept by the settings store; nothing in the program reads them.
extern QString CurrencyName;
extern QString RunOptions;
extern bool RunOptionsSaved;

}  // namespace talvair
