// The screen's size in twips, by which windows place themselves. Tests set a size of their
// own so the placing rules can be checked at any screen width.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace talvair::platform {

// Width and height of the screen in twips: the primary screen, unless a size was set.
QSize ScreenTwips();
inline int ScreenWidth() { return ScreenTwips().width(); }
inline int ScreenHeight() { return ScreenTwips().height(); }

// Replaces the screen's size (nullopt goes back to the real screen).
void SetScreenTwips(std::optional<QSize> size);

class ScopedScreenTwips {
 public:
  ScopedScreenTwips(int width, int height) { SetScreenTwips(QSize(width, height)); }
  ~ScopedScreenTwips() { SetScreenTwips(std::nullopt); }
  ScopedScreenTwips(const ScopedScreenTwips&) = delete;
  ScopedScreenTwips& operator=(const ScopedScreenTwips&) = delete;
};

// The part of the screen that top-level windows may take, panels left out, in pixels: that of
// the screen `window` is on, unless one was set (nullopt goes back to the real screen).
QRect AvailableScreenArea(const QWidget& window);
void SetAvailableScreenArea(std::optional<QRect> area);

// The place and size, in pixels, that a window has in its normal state. A minimised or
// maximised MDI child keeps its state when given a new one and takes it when restored, as a
// child window may not be sized in those states. A window set to a new state before it was
// followed (FollowNormalGeometry) reads as its current geometry until it is given one.
QRect NormalGeometry(const QWidget& window);
void SetNormalGeometry(QWidget& window, const QRect& geometry);
// Starts following the geometry the window leaves when it is minimised or maximised.
void FollowNormalGeometry(QMdiSubWindow& window);

// A window's outer normal geometry in twips: a child window's place within its parent's client
// area (for an MDI child, the MDI area). Positions round to the nearest pixel.
int WindowLeft(const QWidget& window);
int WindowTop(const QWidget& window);
int WindowWidth(const QWidget& window);
int WindowHeight(const QWidget& window);
void MoveWindow(QWidget& window, double left, double top);
void ResizeWindow(QWidget& window, double width, double height);

// Makes `window` the area's active window, as QMdiArea::setActiveSubWindow does, but
// repaints the frames of only the two windows whose title bars change, unless the change
// may restack or restore windows.
void ActivateSubWindow(QMdiArea& area, QMdiSubWindow& window);

}  // namespace talvair::platform
