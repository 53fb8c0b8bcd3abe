#include "shell/table_commands.h"

#include "shell/main_window.h"
#include "shell/menu_wiring.h"
#include "views/table_window.h"
#include "views/window_manager.h"

namespace talvair::shell {

void mnuTable_Click(frmMDI& window, int index) { window.Views().ShowTable(index); }

void mnutbltstocks_Click(frmMDI& window, int index) { window.Views().ShowTable(index); }

void ConnectTableCommands(frmMDI& window) {
  window.Views().SetTableWindowFactory([&window]() -> views::TableView* {
    return new views::frmTable(window.Model(), window.Views(), window.Graphs());
  });
  OnMenuItems(window, "mnuTable", [&window](int index) { mnuTable_Click(window, index); });
  OnMenuItems(window, "mnutbltstocks",
              [&window](int index) { mnutbltstocks_Click(window, index); });
}

}  // namespace talvair::shell
