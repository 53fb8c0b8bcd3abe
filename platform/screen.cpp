#include "platform/screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/twips.h"

namespace talvair::platform {

namespace {
std::optional<QSize>& ScreenOverride() {
  static std::optional<QSize> size;
  return size;
}
std::optional<QRect>& AvailableAreaOverride() {
  static std::optional<QRect> area;
  return area;
}
constexpr Qt::WindowStates kMinOrMax = Qt::WindowMinimized | Qt::WindowMaximized;

bool MinimisedOrMaximised(const QWidget& window) { return (window.windowState() & kMinOrMax) != 0; }

// Holds the normal geometry of a child window while it is minimised or maximised, and gives it
// back to the window when it is restored. Qt keeps its own, which the program cannot set.
class NormalGeometryKeeper : public QObject {
 public:
  explicit NormalGeometryKeeper(QMdiSubWindow& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("NormalGeometryKeeper"));
    window.installEventFilter(this);
    // Qt has restored its own geometry by the time the change is announced.
    connect(&window, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates /*before*/, Qt::WindowStates now) {
              if ((now & kMinOrMax) != 0 || !normal_.isValid()) return;
              const QRect normal = std::exchange(normal_, QRect());
              if (window_.geometry() != normal) window_.setGeometry(normal);
            });
  }

  static NormalGeometryKeeper* Of(const QWidget& window) {
    return window.findChild<NormalGeometryKeeper*>(QStringLiteral("NormalGeometryKeeper"),
                                                   Qt::FindDirectChildrenOnly);
  }

  QRect Normal() const { return normal_.isValid() ? normal_ : window_.geometry(); }
  void Hold(const QRect& geometry) { normal_ = geometry; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Seen before the window changes: the geometry is still the normal one.
    if (watched == &window_ && event->type() == QEvent::WindowStateChange) {
      const auto& change = *static_cast<QWindowStateChangeEvent*>(event);
      if (!change.isOverride() && (change.oldState() & kMinOrMax) == 0 &&
          MinimisedOrMaximised(window_)) {
        normal_ = window_.geometry();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QMdiSubWindow& window_;
  QRect normal_;
};

}  // namespace

void FollowNormalGeometry(QMdiSubWindow& window) {
  if (NormalGeometryKeeper::Of(window) == nullptr) new NormalGeometryKeeper(window);
}

QRect NormalGeometry(const QWidget& window) {
  if (MinimisedOrMaximised(window)) {
    if (const NormalGeometryKeeper* keeper = NormalGeometryKeeper::Of(window)) {
      return keeper->Normal();
    }
  }
  return window.geometry();
}

void SetNormalGeometry(QWidget& window, const QRect& geometry) {
  auto* child = qobject_cast<QMdiSubWindow*>(&window);
  if (child != nullptr && MinimisedOrMaximised(*child)) {
    FollowNormalGeometry(*child);
    NormalGeometryKeeper::Of(*child)->Hold(geometry);
    return;
  }
  // Separately, so that a window not yet shown keeps the place the MDI area gives a new one
  // unless it is moved.
  if (geometry.topLeft() != window.pos()) window.move(geometry.topLeft());
  if (geometry.size() != window.size()) window.resize(geometry.size());
}

QSize ScreenTwips() {
  if (ScreenOverride()) return *ScreenOverride();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize pixels = screen->geometry().size();
  return {PixelsToTwips(pixels.width()), PixelsToTwips(pixels.height())};
}

void SetScreenTwips(std::optional<QSize> size) { ScreenOverride() = size; }

QRect AvailableScreenArea(const QWidget& window) {
  if (AvailableAreaOverride()) return *AvailableAreaOverride();
  const QScreen* screen = window.screen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

void SetAvailableScreenArea(std::optional<QRect> area) { AvailableAreaOverride() = area; }

int WindowLeft(const QWidget& window) { return PixelsToTwips(NormalGeometry(window).x()); }
int WindowTop(const QWidget& window) { return PixelsToTwips(NormalGeometry(window).y()); }
int WindowWidth(const QWidget& window) { return PixelsToTwips(NormalGeometry(window).width()); }
int WindowHeight(const QWidget& window) { return PixelsToTwips(NormalGeometry(window).height()); }

void MoveWindow(QWidget& window, double left, double top) {
  QRect geometry = NormalGeometry(window);
  geometry.moveTo(PixelsOf(left), PixelsOf(top));
  SetNormalGeometry(window, geometry);
}

void ResizeWindow(QWidget& window, double width, double height) {
  QRect geometry = NormalGeometry(window);
  geometry.setSize(QSize(PixelsOf(width), PixelsOf(height)));
  SetNormalGeometry(window, geometry);
}

void ActivateSubWindow(QMdiArea& area, QMdiSubWindow& window) {
  // On a change of active window the area repaints every window's frame, a title bar each,
  // though only the old and the new active one look different. The others are held back
  // from that repaint; they are left to it when the change may move or restack them (a
  // maximised window is restored, one that stays on top is raised).
  QMdiSubWindow* const active = area.activeSubWindow();
  std::vector<QMdiSubWindow*> held;
  const QList<QMdiSubWindow*> windows = area.subWindowList();
  const bool mayRearrange = std::any_of(windows.begin(), windows.end(), [](QMdiSubWindow* w) {
    return w->isMaximized() || w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  });
  if (active != &window && !mayRearrange) {
    for (QMdiSubWindow* other : windows) {
      if (other == active || other == &window || !other->updatesEnabled()) continue;
      other->setAttribute(Qt::WA_UpdatesDisabled, true);
      held.push_back(other);
    }
  }
  area.setActiveSubWindow(&window);
  for (QMdiSubWindow* other : held) other->setAttribute(Qt::WA_UpdatesDisabled, false);
}

}  // namespace talvair::platform
