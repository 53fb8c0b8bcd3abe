// Qt's own texts (message-box buttons, the text boxes' context menu, the sub-windows' system
// menu) in the player's language, from the translations Qt ships.
#pragma once

#include <QString>

namespace talvair::platform {

// Installs Qt's translation for a language code of the program ("Spanish", "Port"; any
// other code is English, which needs none), replacing one installed before. False when the
// translation is not installed on this system: Qt's texts then stay English.
bool InstallQtTranslations(const QString& languageCode);

}  // namespace talvair::platform
