#include "views/window_arrangement.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "platform/message_box.h"
#include "platform/screen.h"
#include "views/decision_window_link.h"
#include "views/report_window.h"
#include "views/window_manager.h"

namespace talvair::views {

namespace {

bool arranging = false;

// Marks a command as running for its whole length, however it ends.
class ArrangingScope {
 public:
  ArrangingScope() : entered_(!arranging) { arranging = true; }
  ~ArrangingScope() {
    if (entered_) arranging = false;
  }
  ArrangingScope(const ArrangingScope&) = delete;
  ArrangingScope& operator=(const ArrangingScope&) = delete;
  // False when another command was running already.
  bool Entered() const { return entered_; }

 private:
  bool entered_;
};

void ProcessPendingEvents() { QCoreApplication::processEvents(); }

struct Placement {
  QPointer<QMdiSubWindow> window;
  int top;
  int left;
};

// The windows of a collection whose view type is `viewType`, in the order they were added,
// held so that one closed while another is being placed is noticed.
template <class V>
std::vector<QPointer<QMdiSubWindow>> WindowsOf(const ViewCollection<V>& collection,
                                               const QString& viewType) {
  std::vector<QPointer<QMdiSubWindow>> windows;
  for (const auto& entry : collection.Entries()) {
    if (entry.view->VIEW_TYPE() == viewType) windows.emplace_back(entry.window);
  }
  return windows;
}

// Closed windows are skipped, and so are minimised ones: they keep their bars and their own
// restore places, and the others take the places in order.
template <class V>
bool Arrangeable(const ViewCollection<V>& collection, const QPointer<QMdiSubWindow>& window) {
  return !window.isNull() && collection.Holds(window.data()) && !window->isMinimized();
}

void BringForward(QMdiSubWindow& window) {
  window.show();
  window.raise();
  if (QMdiArea* area = window.mdiArea()) platform::ActivateSubWindow(*area, window);
}

void TooManyGraphs(const char* verb, int accepted, const char* leftAs) {
  const QString count = QString::number(accepted);
  const QString text = QStringLiteral("Too many graphs to %1 all of them.").arg(verb) +
                       QStringLiteral("\r\n\r\n") + QStringLiteral("Only the first ") + count +
                       QStringLiteral(" will be %1d.  Any not %1d will be left ").arg(verb) +
                       QString::fromLatin1(leftAs);
  platform::MsgBox(text, platform::kStyleInformation, QStringLiteral("Too many graphs..."));
}

// Hides each window, puts it in its place (and size, when given) and shows it again in front,
// letting the player see each step.
void Place(const WindowManager& views, const std::vector<Placement>& placements,
           const QSize* twipsSize) {
  for (const Placement& placement : placements) {
    if (!Arrangeable(views.GraphWindows(), placement.window)) continue;
    placement.window->hide();
    ProcessPendingEvents();
    if (!Arrangeable(views.GraphWindows(), placement.window)) continue;
    QMdiSubWindow& window = *placement.window;
    if (twipsSize != nullptr) {
      platform::ResizeWindow(window, twipsSize->width(), twipsSize->height());
    }
    platform::MoveWindow(window, placement.left, placement.top);
    BringForward(window);
    ProcessPendingEvents();
  }
}

}  // namespace

bool Arranging() { return arranging; }

CascadingReportsScope::CascadingReportsScope() : previous_(CascadingReports) {
  CascadingReports = true;
}

CascadingReportsScope::~CascadingReportsScope() { CascadingReports = previous_; }

void CascadeGraphs(WindowManager& views) {
  const ArrangingScope scope;
  if (!scope.Entered()) return;
  const DecisionGeometry decision = DecisionWindowGeometry();
  const float screenWidth = static_cast<float>(platform::ScreenWidth());
  const float screenHeight = static_cast<float>(platform::ScreenHeight());
  int top = decision.top + 200 - 350;
  int left = decision.left + decision.width + 200 - 350;
  std::vector<Placement> placements;
  for (const auto& window : WindowsOf(views.GraphWindows(), kViewTypeGraph)) {
    if (!Arrangeable(views.GraphWindows(), window)) continue;
    top += 350;
    left += 350;
    const auto width = static_cast<float>(platform::WindowWidth(*window));
    const auto height = static_cast<float>(platform::WindowHeight(*window));
    // A window must leave room for one more of its height below it.
    if (width + left + 100 > screenWidth || height + top + 100 > screenHeight - height) {
      TooManyGraphs("cascade", static_cast<int>(placements.size()), "at their current position");
      break;
    }
    placements.push_back({window, top, left});
  }
  Place(views, placements, nullptr);
}

void TileGraphs(WindowManager& views) {
  const ArrangingScope scope;
  if (!scope.Entered()) return;
  constexpr int kWidth = 3500;
  constexpr int kHeight = 1900;
  const DecisionGeometry decision = DecisionWindowGeometry();
  const float screenWidth = static_cast<float>(platform::ScreenWidth());
  const float screenHeight = static_cast<float>(platform::ScreenHeight());
  const int leftBase = decision.left + decision.width + 200;
  int top = decision.top + 75;
  int left = leftBase - (kWidth + 1);
  std::vector<Placement> placements;
  for (const auto& window : WindowsOf(views.GraphWindows(), kViewTypeGraph)) {
    if (!Arrangeable(views.GraphWindows(), window)) continue;
    left += kWidth + 1;
    if (screenWidth < static_cast<float>(left + kWidth)) {
      left = leftBase;
      top += kHeight;
    }
    if (screenHeight - 1000 < static_cast<float>(top + kHeight)) {
      TooManyGraphs("tile", static_cast<int>(placements.size()),
                    "at their current position and size");
      break;
    }
    placements.push_back({window, top, left});
  }
  const QSize size(kWidth, kHeight);
  Place(views, placements, &size);
}

void CascadeTables(WindowManager& views) {
  const ArrangingScope scope;
  if (!scope.Entered()) return;
  FocusDecisionWindow();
  const DecisionGeometry decision = DecisionWindowGeometry();
  const int topBase = decision.height + 2200;
  const int leftBase = decision.left + 4500;
  int n = 0;
  for (const auto& window : WindowsOf(views.OpenViews(), kViewTypeTables)) {
    if (!Arrangeable(views.OpenViews(), window)) continue;
    BringForward(*window);
    if (QWidget* content = window->widget()) content->setFocus(Qt::OtherFocusReason);
    ++n;
    platform::MoveWindow(*window, leftBase + 350 * n, topBase + 360 * n);
    ProcessPendingEvents();
  }
}

void CascadeReports(WindowManager& views) {
  const ArrangingScope scope;
  if (!scope.Entered()) return;
  constexpr int kStep = 350;
  constexpr int kLargestMove = 700;
  FocusDecisionWindow();
  const DecisionGeometry decision = DecisionWindowGeometry();
  const float screenWidth = static_cast<float>(platform::ScreenWidth());
  int top = decision.height - 400;
  int left = -kStep;
  const auto toward = [](int from, int to) {
    return from < to ? std::min(from + kLargestMove, to) : std::max(from - kLargestMove, to);
  };
  for (const auto& window : WindowsOf(views.OpenViews(), kViewTypeReport)) {
    if (!Arrangeable(views.OpenViews(), window)) continue;
    // Activated during the cascade, a report in its normal state goes home first.
    BringForward(*window);
    if (!Arrangeable(views.OpenViews(), window)) continue;
    int currentTop = platform::WindowTop(*window);
    int currentLeft = platform::WindowLeft(*window);
    top += kStep;
    left += kStep;
    if (static_cast<float>(platform::WindowWidth(*window) + left + 100) > screenWidth) {
      top = decision.top + kStep;
      left = decision.left + decision.width + 1050;
    }
    // The player sees the window travel.
    while (Arrangeable(views.OpenViews(), window)) {
      currentTop = toward(currentTop, top);
      currentLeft = toward(currentLeft, left);
      platform::MoveWindow(*window, currentLeft, currentTop);
      if (currentTop == top && currentLeft == left) break;
      ProcessPendingEvents();
    }
  }
}

}  // namespace talvair::views
