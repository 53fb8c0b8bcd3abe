// Edit > Copy belongs to whichever output window is active: the window enables the main
// window's item (and may set its caption) when it gets the focus, and resets it when it loses
// the focus or closes. Views reach the item only through here; the main window installs it.
#pragma once

#include <QString>

class QAction;

namespace talvair::views {

// The main window's mnuEditCopy; nullptr uninstalls. The item is held weakly.
void InstallCopyMenuItem(QAction* item);
QAction* CopyMenuItem();

// Enables the item; a non-empty caption replaces its text.
void EnableCopyMenu(const QString& caption = QString());
// Disables the item and gives it back its caption "Copy to Clipboard" (in every language).
void ResetCopyMenu();

}  // namespace talvair::views
