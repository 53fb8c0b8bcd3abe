#include "views/copy_menu.h"

#include <QAction>
#include <QPointer>

namespace talvair::views {

namespace {
QPointer<QAction>& Item() {
  static QPointer<QAction> item;
  return item;
}
}  // namespace

void InstallCopyMenuItem(QAction* item) { Item() = item; }

QAction* CopyMenuItem() { return Item().data(); }

void EnableCopyMenu(const QString& caption) {
  QAction* item = Item().data();
  if (!item) return;
  if (!caption.isEmpty()) item->setText(caption);
  item->setEnabled(true);
}

void ResetCopyMenu() {
  QAction* item = Item().data();
  if (!item) return;
  item->setEnabled(false);
  item->setText(QStringLiteral("Copy to Clipboard"));
}

}  // namespace talvair::views
