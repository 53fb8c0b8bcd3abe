#include "shell/background_window.h"

#include <QEvent>
#include <QMdiArea>

#include "shell/artwork.h"

namespace talvair::shell {

namespace {
const QColor kBackgroundColour(90, 107, 197);
}  // namespace

frmBackground::frmBackground(QWidget* parent) : QMdiSubWindow(parent, Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmBackground"));
  setContentsMargins(0, 0, 0, 0);

  form_ = new QWidget;
  picBackground_ = new QWidget(form_);
  picBackground_->setObjectName(QStringLiteral("PicBackground"));
  QPalette colour = picBackground_->palette();
  colour.setColor(QPalette::Window, kBackgroundColour);
  picBackground_->setPalette(colour);
  picBackground_->setAutoFillBackground(true);

  imgBackgroundFull_ = new StretchedPicture(picBackground_);
  imgBackgroundFull_->setObjectName(QStringLiteral("imgBackgroundFull"));
  imgBackgroundFull_->SetPicture(Picture(kBackgroundPicture));
  imgBackgroundFull_->setVisible(false);

  setWidget(form_);
  form_->installEventFilter(this);
}

void frmBackground::Load(QMdiArea* area) {
  area_ = area;
  area->addSubWindow(this);
  area->viewport()->installEventFilter(this);
  FitClientArea();
  // Disabled, the window can never become the active child, so it is never raised.
  setEnabled(false);
}

void frmBackground::Paint() {
  // The window already covers exactly the client area, so the picture box takes all of it.
  picBackground_->setGeometry(form_->rect());
  imgBackgroundFull_->setGeometry(picBackground_->rect());
  imgBackgroundFull_->setVisible(true);
}

void frmBackground::FitClientArea() {
  if (area_ == nullptr) return;
  const QRect client = area_->viewport()->rect();
  if (geometry() != client) setGeometry(client);
}

bool frmBackground::event(QEvent* event) {
  const bool handled = QMdiSubWindow::event(event);
  switch (event->type()) {
    case QEvent::ZOrderChange:
      // Whoever raised it, it goes back behind the other children.
      if (!lowering_) {
        lowering_ = true;
        lower();
        lowering_ = false;
      }
      break;
    case QEvent::Move:
    case QEvent::Resize:
      // Cascading or tiling the children must not take the background along.
      FitClientArea();
      break;
    default:
      break;
  }
  return handled;
}

bool frmBackground::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (watched == form_) Paint();
    if (area_ != nullptr && watched == area_->viewport()) FitClientArea();
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

QMdiSubWindow* CreateBackgroundWindow(QMdiArea* area) {
  auto* window = new frmBackground;
  window->Load(area);
  window->show();
  window->lower();
  return window;
}

}  // namespace talvair::shell
