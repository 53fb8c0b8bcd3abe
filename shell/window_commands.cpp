#include "shell/window_commands.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/clipboard.h"
#include "platform/grid_control.h"
#include "shell/decision_window.h"
#include "shell/main_window.h"
#include "shell/menu_wiring.h"
#include "views/copy_menu.h"
#include "views/decision_window_link.h"
#include "views/view.h"
#include "views/window_arrangement.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

// The whole grid, its fixed row and column included, as the grid copies a selection.
QString WholeGridText(platform::GridControl& grid) {
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetRowSel(grid.Rows() - 1);
  grid.SetColSel(grid.Cols() - 1);
  return grid.Clip();
}

void Connect(frmMDI& window, const char* item, void (*command)(frmMDI&)) {
  OnMenuItem(window, item, [&window, command] { command(window); });
}

}  // namespace

bool CopyWindowImageToClipboard(QWidget& window) {
  platform::PutOnClipboard(platform::WindowImage(window));
  return true;
}

void mnuEditCopy_Click(frmMDI& window) {
  QMdiSubWindow* active = window.MdiArea()->activeSubWindow();
  const views::View* view = views::ViewOf(active);
  if (view == nullptr || view->Tag().isEmpty()) return;
  auto* table = dynamic_cast<views::TableView*>(views::ViewOf(active));
  platform::GridControl* grid = table != nullptr ? table->FlxGrid() : nullptr;
  if (view->Tag() != views::kTagTable || grid == nullptr) {
    CopyWindowImageToClipboard(*active);
    return;
  }
  // The picture is taken before the whole grid is selected, so it shows the table as it was;
  // the grid's text goes beside it, in the same transfer.
  const QImage picture = platform::WindowImage(*active);
  platform::PutOnClipboard(picture, WholeGridText(*grid));
}

void CascadeGraph_Click(frmMDI& window) { views::CascadeGraphs(window.Views()); }

void TileGraph_Click(frmMDI& window) { views::TileGraphs(window.Views()); }

void CascadeTables_Click(frmMDI& window) { views::CascadeTables(window.Views()); }

void CascadeReport_Click(frmMDI& window) {
  if (views::Arranging()) return;
  const views::CascadingReportsScope cascading;
  views::CascadeReports(window.Views());
  // The last activations happen while the reports still know the cascade is on.
  QCoreApplication::processEvents();
}

void ConnectWindowCommands(frmMDI& window) {
  window.MdiArea()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  window.MdiArea()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Connect(window, "mnuEditCopy", mnuEditCopy_Click);
  Connect(window, "CascadeGraph", CascadeGraph_Click);
  Connect(window, "TileGraph", TileGraph_Click);
  Connect(window, "CascadeReport", CascadeReport_Click);
  Connect(window, "CascadeTables", CascadeTables_Click);
}

void LinkDecisionWindow(frmDecision& decision) {
  views::InstallDecisionWindow(decision.SubWindow());
  QObject::connect(&decision, &frmDecision::ResetCopyMenu, &decision, [&decision] {
    // The focus has gone on; the output window it went to may have taken the item already.
    QMdiSubWindow* subWindow = decision.SubWindow();
    QMdiArea* area = subWindow != nullptr ? subWindow->mdiArea() : nullptr;
    const views::View* active = views::ViewOf(area != nullptr ? area->activeSubWindow() : nullptr);
    if (active != nullptr && !active->Tag().isEmpty()) return;
    views::ResetCopyMenu();
  });
}

}  // namespace talvair::shell
