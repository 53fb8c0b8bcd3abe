// The help viewer: shows a help file of HTML on its first topic in a window owned by the
// main window. A file that cannot be read is reported by the viewer, in the current
// language; the program goes on.
#pragma once

#include <QString>

class QTextBrowser;
class QWidget;

namespace talvair::platform {

// Opens `path` in the owner's help window (made on first use, brought to the front
// after); nullptr when the file could not be read.
QTextBrowser* ShowHelpFile(QWidget* owner, const QString& path);

}  // namespace talvair::platform
