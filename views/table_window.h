// frmTable: a data table, the history of a set of variables with one row per quarter from
// the first up to the current one. It grows by a row for every quarter run, is rebuilt after
// the model went back, and opens the graph of a column's variable on a double-click.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "views/view.h"

class QMdiSubWindow;

namespace talvair {
class game;
}

namespace talvair::platform {
class GridControl;
}

namespace talvair::views {

class GraphRegistry;
class WindowManager;

// What Edit > Copy says while a table window is active, and while its grid has the focus; the
// same in every language.
inline const QString kCopyTableCaption = QStringLiteral("Copy table data to Spreadsheet");
inline const QString kCopyTableGridCaption = QStringLiteral("Copy Table Data to Spreadsheet");

class frmTable : public QWidget, public TableView {
  Q_OBJECT

 public:
  // The model, the manager and the registry must outlive the window.
  frmTable(game& model, WindowManager& views, GraphRegistry& graphs, QWidget* parent = nullptr);

  QString VIEW_TYPE() const override { return kViewTypeTables; }
  QString Tag() const override { return kTagTable; }

  // Builds the table of that number from the catalogue, fills it up to the current period,
  // sizes the window and shows it. A number without table builds nothing.
  void Create(int tableNumber) override;
  // Appends the periods not shown yet.
  void Update() override;
  // Builds the table again from the first period, in the current language.
  void Reset() override;
  platform::GridControl* FlxGrid() override { return flxGrid_; }

  int TableNumber() const { return tableNumber_; }
  // The variable of each grid column, index 1 to TableVarCount (index 0 unused); 0 for blank.
  const std::vector<int32_t>& TableVarNumbers() const { return tableVarNumbers_; }
  int TableVarCount() const { return static_cast<int>(tableVarNumbers_.size()) - 1; }
  // One more than the next period Update writes.
  int NextPeriodRow() const { return nextPeriodRow_; }
  // Widest and narrowest the window may be, and its height without data rows; twips.
  int ContentWidth() const { return contentWidth_; }
  int MinWidth() const { return minWidth_; }
  int BaseHeight() const { return baseHeight_; }
  bool TableReady() const { return tableReady_; }

  // A double-click on grid column `col`: the graph of its variable, when it has one.
  void FlxGrid_DblClick(int col);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMdiSubWindow* Host() const;
  // The window whose geometry the table rules: its MDI child, or itself before it has one.
  QWidget& Frame();
  void FollowActivation(QMdiSubWindow* host);
  void HoldWidth(int maximumWidth);
  void ApplyWidthLimits();
  void LayOutGrid();
  void GridLostFocus();

  game& model_;
  WindowManager& views_;
  GraphRegistry& graphs_;
  platform::GridControl* flxGrid_;
  QMdiSubWindow* followed_ = nullptr;
  int tableNumber_ = 0;
  std::vector<int32_t> tableVarNumbers_{0};
  int nextPeriodRow_ = 1;
  int contentWidth_ = 0;
  int widthLimit_ = 0;  // the widest the frame may be in its normal state; twips
  int minWidth_ = 0;
  int baseHeight_ = 0;
  bool tableReady_ = false;
};

}  // namespace talvair::views
