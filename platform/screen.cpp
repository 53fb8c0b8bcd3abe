#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/twips.h"

namespace talvair::platform {

namespace {
std::optional<QSize>& ScreenOverride() {
  static std::optional<QSize> size;
  return size;
}
}  // namespace

QSize ScreenTwips() {
  if (ScreenOverride()) return *ScreenOverride();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize pixels = screen->geometry().size();
  return {PixelsToTwips(pixels.width()), PixelsToTwips(pixels.height())};
}

void SetScreenTwips(std::optional<QSize> size) { ScreenOverride() = size; }

int WindowLeft(const QWidget& window) { return PixelsToTwips(window.x()); }
int WindowTop(const QWidget& window) { return PixelsToTwips(window.y()); }
int WindowWidth(const QWidget& window) { return PixelsToTwips(window.width()); }
int WindowHeight(const QWidget& window) { return PixelsToTwips(window.height()); }

void MoveWindow(QWidget& window, double left, double top) {
  window.move(PixelsOf(left), PixelsOf(top));
}

void ResizeWindow(QWidget& window, double width, double height) {
  window.resize(PixelsOf(width), PixelsOf(height));
}

}  // namespace talvair::platform
