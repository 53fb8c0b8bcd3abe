// The interface language and the pick of one text of three.
#pragma once

#include <string>

namespace talvair {

// One of "English", "Spanish" or "Port"; any other value means English.
extern std::string CurrentLanguage;

std::string LanguageText(const std::string& english, const std::string& spanish,
                         const std::string& portuguese, const std::string& languageCode);

// The same, for the current language.
inline std::string Tr(const std::string& english, const std::string& spanish,
                      const std::string& portuguese) {
  return LanguageText(english, spanish, portuguese, CurrentLanguage);
}

}  // namespace talvair
