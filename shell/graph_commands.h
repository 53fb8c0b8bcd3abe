// The main window's Graphs menu: the predefined graphs, the hidden MULTI items and the
// notice on how custom graphs are made.
#pragma once

namespace talvair::views {
class frmGraphMulti;
}

namespace talvair::shell {

class frmMDI;

// The Index of the MULTI item chosen last; nothing reads it.
extern int MultiGraphIndex;

// The item's Index is the number of the predefined graph it opens; the MULTI items (111,
// 112, 116, 119) load the multi-graph window instead.
void mnuGph_Click(frmMDI& window, int index);
// Tells the player to double-click a table column.
void mnuGphCustom_Click();
// Connects the Graphs menu's items to the handlers above.
void ConnectGraphCommands(frmMDI& window);

// The multi-graph window of the main window, loaded (not shown) on first use.
views::frmGraphMulti& GraphMultiWindow(frmMDI& window);

}  // namespace talvair::shell
