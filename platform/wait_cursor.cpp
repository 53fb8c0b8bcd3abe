#include "platform/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace talvair::platform {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

namespace {
// Hourglasses shown without a guard; the guards' own cursors are theirs to take back.
int unguardedHourglasses = 0;
}  // namespace

void ShowHourglass() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++unguardedHourglasses;
}

void ResetMousePointer() {
  for (; unguardedHourglasses > 0; --unguardedHourglasses) QApplication::restoreOverrideCursor();
}

}  // namespace talvair::platform
