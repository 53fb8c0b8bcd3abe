#include "platform/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace talvair::platform {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

void ShowHourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void ResetMousePointer() {
  // Override cursors stack up; the default shape is back only when all are gone.
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

}  // namespace talvair::platform
