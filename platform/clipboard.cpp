#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QWidget>

namespace talvair::platform {

QImage WindowImage(QWidget& window) {
  // At the window's own size in logical pixels, whatever the screen's pixel ratio.
  QPixmap picture = window.grab();
  picture.setDevicePixelRatio(1.0);
  QImage image = picture.toImage();
  if (image.size() != window.size()) {
    image = image.scaled(window.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return image;
}

void PutOnClipboard(const QImage& picture, const std::optional<QString>& text) {
  auto* data = new QMimeData;
  data->setImageData(picture);
  if (text) data->setText(*text);
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace talvair::platform
