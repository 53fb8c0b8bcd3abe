// Connecting the main window's menu items to the commands of the shell's command files.
#pragma once

#include <QAction>
#include <QString>
#include <utility>

#include "shell/main_window.h"

namespace talvair::shell {

// Runs `handler` when the item named `name` is chosen; an item the menus lack is skipped.
template <class Handler>
void OnMenuItem(frmMDI& window, const char* name, Handler handler) {
  if (QAction* item = window.MenuItem(QString::fromLatin1(name))) {
    QObject::connect(item, &QAction::triggered, &window, std::move(handler));
  }
}

// Runs `handler(index)` when an item of the array named `name` is chosen, with the item's
// Index.
template <class Handler>
void OnMenuItems(frmMDI& window, const char* name, Handler handler) {
  for (QAction* item : window.findChildren<QAction*>(QString::fromLatin1(name))) {
    const int index = item->property("Index").toInt();
    QObject::connect(item, &QAction::triggered, &window, [handler, index] { handler(index); });
  }
}

}  // namespace talvair::shell
