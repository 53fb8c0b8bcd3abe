#include "platform/help_viewer.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "model/language.h"
#include "platform/message_box.h"

namespace talvair::platform {

namespace {
// A help file is a few pages of text; anything larger is not one of ours.
constexpr qint64 kMaxHelpBytes = 4 * 1024 * 1024;
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
  } else {
    browser = viewer->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
  }
  browser->setSearchPaths({QFileInfo(path).absolutePath()});
  browser->setHtml(html);
  viewer->setWindowTitle(browser->documentTitle());
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return browser;
}

}  // namespace talvair::platform
