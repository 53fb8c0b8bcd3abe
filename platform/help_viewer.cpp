#include "platform/help_viewer.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "model/language.h"
#include "platform/message_box.h"
#include "platform/screen.h"

namespace talvair::platform {

namespace {
// A help file is a few pages of text; anything larger is not one of ours.
constexpr qint64 kMaxHelpBytes = 4 * 1024 * 1024;

QMargins FrameOf(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

// The window manager's frame around the window: its own once known, else the widest that the
// program's other windows have, which get the same kind.
QMargins FrameMargins(const QWidget& window) {
  QMargins margins = FrameOf(window);
  if (!margins.isNull()) return margins;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == &window || !other->isVisible()) continue;
    const QMargins frame = FrameOf(*other);
    margins = QMargins(std::max(margins.left(), frame.left()), std::max(margins.top(), frame.top()),
                       std::max(margins.right(), frame.right()),
                       std::max(margins.bottom(), frame.bottom()));
  }
  return margins;
}

// Makes the window, frame and title bar included, fit the room the screen leaves, so that its
// title bar and buttons can be reached: smaller where needed, and moved in. A new window is
// first centred over its owner.
void FitInsideScreen(QWidget& window, const QWidget* owner) {
  const QWidget& reference = owner != nullptr ? *owner->window() : window;
  const QRect room = AvailableScreenArea(reference);
  if (room.isEmpty()) return;
  const QMargins margins = FrameMargins(window);
  window.resize(window.size().boundedTo(room.size().shrunkBy(margins)));
  QRect frame(QPoint(), window.size().grownBy(margins));
  if (window.isVisible()) {
    frame.moveTopLeft(window.frameGeometry().topLeft());
  } else {
    frame.moveCenter(owner != nullptr ? owner->window()->frameGeometry().center() : room.center());
  }
  frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() - frame.width() + 1)));
  frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() - frame.height() + 1)));
  // A window's position is that of its frame.
  window.move(frame.topLeft());
}

}  // namespace

QTextBrowser* ShowHelpFile(QWidget* owner, const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || file.size() > kMaxHelpBytes || !file.open(QIODevice::ReadOnly)) {
    MsgBox(QString::fromStdString(
               Tr("The help file could not be opened:", "No se pudo abrir el archivo de ayuda:",
                  "Não foi possível abrir o arquivo de ajuda:")) +
               QStringLiteral("\r\n") + path,
           kStyleExclamation);
    return nullptr;
  }
  const QString html = QString::fromUtf8(file.readAll());

  auto* viewer =
      owner != nullptr ? owner->findChild<QDialog*>(QStringLiteral("HelpViewer")) : nullptr;
  QTextBrowser* browser = nullptr;
  if (viewer == nullptr) {
    viewer = new QDialog(owner, Qt::Window);
    viewer->setObjectName(QStringLiteral("HelpViewer"));
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->resize(640, 560);
    browser = new QTextBrowser(viewer);
    browser->setObjectName(QStringLiteral("HelpText"));
    browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(viewer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    // Closed, it hands the keyboard back to its owner rather than to the window manager.
    if (owner != nullptr) {
      QObject::connect(viewer, &QDialog::finished, owner->window(), [window = owner->window()] {
        if (window->isVisible()) window->activateWindow();
      });
    }
  } else {
    browser = viewer->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
  }
  browser->setSearchPaths({QFileInfo(path).absolutePath()});
  browser->setHtml(html);
  viewer->setWindowTitle(browser->documentTitle());
  FitInsideScreen(*viewer, owner);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return browser;
}

}  // namespace talvair::platform
