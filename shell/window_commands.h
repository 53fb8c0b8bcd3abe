// The main window's Edit > Copy and its Window menu's arrangements, and the decision
// window's part in both.
#pragma once

class QWidget;

namespace talvair::shell {

class frmDecision;
class frmMDI;

// Edit > Copy: the active output window as a picture, a table also as tab-separated text.
void mnuEditCopy_Click(frmMDI& window);
// Puts a picture of `window`, frame and caption bar included, on the clipboard. Always true.
bool CopyWindowImageToClipboard(QWidget& window);

// Window > Cascade Graphs, Tile Graphs, Cascade Reports, Cascade Tables.
void CascadeGraph_Click(frmMDI& window);
void TileGraph_Click(frmMDI& window);
void CascadeReport_Click(frmMDI& window);
void CascadeTables_Click(frmMDI& window);

// Connects the items above; the client area scrolls to windows placed past its edges.
void ConnectWindowCommands(frmMDI& window);

// Lets the output windows find the decision window, and makes its loss of the focus reset
// Edit > Copy. Its gaining the focus leaves the item alone: there is nothing in it to copy.
void LinkDecisionWindow(frmDecision& decision);

}  // namespace talvair::shell
