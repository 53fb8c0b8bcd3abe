#include "views/decision_window_link.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "platform/screen.h"

namespace talvair::views {

namespace {
QPointer<QMdiSubWindow>& Linked() {
  static QPointer<QMdiSubWindow> window;
  return window;
}
}  // namespace

void InstallDecisionWindow(QMdiSubWindow* window) {
  Linked() = window;
  // The arrangement reads its normal geometry, also when the area has maximised it along
  // with another window.
  if (window != nullptr) platform::FollowNormalGeometry(*window);
}

QMdiSubWindow* DecisionWindow() { return Linked().data(); }

DecisionGeometry DecisionWindowGeometry() {
  const QMdiSubWindow* window = DecisionWindow();
  if (window == nullptr) return {};
  return {platform::WindowLeft(*window), platform::WindowTop(*window),
          platform::WindowWidth(*window), platform::WindowHeight(*window)};
}

void FocusDecisionWindow() {
  QMdiSubWindow* window = DecisionWindow();
  if (window == nullptr) return;
  if (QMdiArea* area = window->mdiArea()) platform::ActivateSubWindow(*area, *window);
  if (QWidget* content = window->widget()) {
    QWidget* target = content->focusWidget() != nullptr ? content->focusWidget() : content;
    target->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace talvair::views
