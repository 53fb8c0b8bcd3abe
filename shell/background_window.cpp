#include "shell/background_window.h"

#include <QChildEvent>
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
  viewport_ = area->viewport();
  area->addSubWindow(this);
  area->viewport()->installEventFilter(this);
  for (QMdiSubWindow* child : area->subWindowList()) Follow(child);
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
  if (viewport_ == nullptr) return;
  const QRect client = viewport_->rect();
  if (geometry() != client) setGeometry(client);
}

void frmBackground::Follow(QObject* child) {
  auto* window = qobject_cast<QMdiSubWindow*>(child);
  if (window != nullptr && window != this) window->installEventFilter(this);
}

void frmBackground::Restack() {
  if (restacking_ || viewport_ == nullptr) return;
  restacking_ = true;
  // Whoever raised it, it goes back behind the other children.
  if (viewport_->children().indexOf(this) > 0) lower();
  // The area lowers a minimised child when another is activated, and the player would lose
  // its bar; the bars stay over the normal windows, as a maximised one covers them all.
  QList<QMdiSubWindow*> bars;
  bool normalAbove = false;
  bool maximised = false;
  for (QObject* object : viewport_->children()) {
    auto* child = qobject_cast<QMdiSubWindow*>(object);
    if (child == nullptr || child == this || !child->isVisible()) continue;
    if (child->isMaximized()) maximised = true;
    if (child->isMinimized()) {
      bars.append(child);
    } else if (!bars.isEmpty()) {
      normalAbove = true;
    }
  }
  if (normalAbove && !maximised) {
    for (QMdiSubWindow* bar : bars) bar->raise();
  }
  restacking_ = false;
}

bool frmBackground::event(QEvent* event) {
  const bool handled = QMdiSubWindow::event(event);
  switch (event->type()) {
    case QEvent::ZOrderChange:
      Restack();
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
  const bool viewport = viewport_ != nullptr && watched == viewport_;
  switch (event->type()) {
    case QEvent::Resize:
      if (watched == form_) Paint();
      if (viewport) FitClientArea();
      break;
    case QEvent::ChildAdded:
      if (viewport) Follow(static_cast<QChildEvent*>(event)->child());
      break;
    case QEvent::ZOrderChange:
    case QEvent::WindowStateChange:
    case QEvent::Show:
      if (!viewport && watched != form_) Restack();
      break;
    default:
      break;
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
