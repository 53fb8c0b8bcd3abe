// Program start: the model object, the interface language, the single running copy, and
// the main window with the splash window before it.
#pragma once

#include <QString>
#include <optional>

#include "shell/editions.h"

namespace talvair::storage {
class RegistryError;
}

namespace talvair::shell {

struct StartOptions {
  // Folder of the settings store; empty keeps the store's default (the user's config folder).
  QString settingsFolder;
  // Name of the single running copy; empty uses the program's per-user name.
  QString instanceKey;
  // The edition switches Main sets: the build's own unless a test picks others.
  Editions editions = kBuiltEditions;
};

enum class StartResult {
  Running,     // the main window is up; the event loop takes over
  SecondCopy,  // another copy runs and was brought to the front; this one ends
};

// What the application object carries for every window: version, icon, number format.
// Called once the application object exists, before Main.
void PrepareApplication();

// Starts the program. Messages and the start-up windows (language, splash) go through the
// installed message and modal services.
StartResult Main(const StartOptions& options = {});

// Releases what Main built (main window, single-copy claim, model object). The program calls
// it once its event loop has ended, before the application object goes.
void ReleaseProgram();

// Tells the player that the settings could not be written, naming the settings file: the
// choice holds for this run only, and the program goes on.
void ShowSettingsError(const storage::RegistryError& error);
// The same, for the result of a settings write: nothing when it succeeded.
void ReportSettingsError(const std::optional<storage::RegistryError>& error);
// The text of that message.
QString SettingsErrorText(const storage::RegistryError& error);
// The settings file, as the player's messages name it.
QString SettingsFileName();

}  // namespace talvair::shell
