// The main window's Tables menu, and the data-table windows it opens.
#pragma once

namespace talvair::shell {

class frmMDI;

// The items of the Tables menu by Index (1 to 9 and the hidden 11), and the hidden stocks
// item (10): each opens its table or brings it forward.
void mnuTable_Click(frmMDI& window, int index);
void mnutbltstocks_Click(frmMDI& window, int index);

// Makes the window's manager build data-table windows, and connects the items above.
void ConnectTableCommands(frmMDI& window);

}  // namespace talvair::shell
