#include "model/language.h"

namespace talvair {

std::string CurrentLanguage;

std::string LanguageText(const std::string& english, const std::string& spanish,
                         const std::string& portuguese, const std::string& languageCode) {
  if (languageCode == "Spanish") return spanish;
  if (languageCode == "Port") return portuguese;
  return english;
}

}  // namespace talvair
