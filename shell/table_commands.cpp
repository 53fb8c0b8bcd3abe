#include "shell/table_commands.h"

#include <QAction>

#include "shell/main_window.h"
#include "views/table_window.h"
#include "views/window_manager.h"

namespace talvair::shell {

void mnuTable_Click(frmMDI& window, int index) { window.Views().ShowTable(index); }

void mnutbltstocks_Click(frmMDI& window, int index) { window.Views().ShowTable(index); }

void ConnectTableCommands(frmMDI& window) {
  window.Views().SetTableWindowFactory([&window]() -> views::TableView* {
    return new views::frmTable(window.Model(), window.Views(), window.Graphs());
  });
  for (QAction* item : window.findChildren<QAction*>(QStringLiteral("mnuTable"))) {
    const int index = item->property("Index").toInt();
    QObject::connect(item, &QAction::triggered, &window,
                     [&window, index] { mnuTable_Click(window, index); });
  }
  if (QAction* stocks = window.MenuItem(QStringLiteral("mnutbltstocks"))) {
    const int index = stocks->property("Index").toInt();
    QObject::connect(stocks, &QAction::triggered, &window,
                     [&window, index] { mnutbltstocks_Click(window, index); });
  }
}

}  // namespace talvair::shell
