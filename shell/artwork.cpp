#include "shell/artwork.h"

#include <QPainter>

// The resources are compiled into a static library, where nothing would pull their object
// file into the program; registering them here, before main, makes them reachable as soon
// as any window of this file's users is linked in.
static int RegisterResources() {
  Q_INIT_RESOURCE(resources);
  return 0;
}

namespace talvair::shell {

namespace {
[[maybe_unused]] const int kResourcesRegistered = RegisterResources();
}  // namespace

QPixmap Picture(const char* path) { return QPixmap(QString::fromLatin1(path)); }

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 64, 128}) {
    icon.addFile(QStringLiteral(":/icons/talvair_%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

StretchedPicture::StretchedPicture(QWidget* parent) : QWidget(parent) {}

void StretchedPicture::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void StretchedPicture::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(rect(), picture_);
}

}  // namespace talvair::shell
