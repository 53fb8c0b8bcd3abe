#include "storage/globals.h"

namespace talvair {

bool LanguageSaved = false;

bool AutoSaveEnabled = false;
QString AutoSavePath;
QString AutoSaveBaseName;
std::int16_t AutoSaveRunNumber = 0;

QString CurrencyName;
QString RunOptions;
bool RunOptionsSaved = false;

}  // namespace talvair
