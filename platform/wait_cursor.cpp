#include "platform/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace talvair::platform {

namespace {
// Guards alive now; each outlives the ones made within its scope.
int liveGuards = 0;
}  // namespace

// Within the hourglass of a guard still alive a further one changes nothing, and each change
// of the pointer is a message to the screen, so it leaves the pointer alone.
WaitCursor::WaitCursor() {
  const QCursor* shown = QApplication::overrideCursor();
  pushed_ = liveGuards == 0 || shown == nullptr || shown->shape() != Qt::WaitCursor;
  if (pushed_) QApplication::setOverrideCursor(Qt::WaitCursor);
  ++liveGuards;
}

WaitCursor::~WaitCursor() {
  --liveGuards;
  if (pushed_) QApplication::restoreOverrideCursor();
}

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
