#include "views/table_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QTableView>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "model/catalogue.h"
#include "model/game.h"
#include "platform/grid_cells.h"
#include "platform/grid_control.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/wait_cursor.h"
#include "platform/work_crew.h"
#include "views/copy_menu.h"
#include "views/decision_window_link.h"
#include "views/graph_window.h"
#include "views/table_catalogue.h"
#include "views/text.h"
#include "views/window_manager.h"

namespace talvair::views {

namespace {

using platform::PixelsOf;
using platform::PixelsToTwips;

// The grid's place in the window: 80 from the left and top, and the window's width less 260
// and height less 500 (both outer sizes, so frame and margins included).
constexpr int kGridLeft = 80;
constexpr int kGridTop = 80;
constexpr int kGridWidthLess = 260;
constexpr int kGridHeightLess = 500;

constexpr int kHeaderHeight = 1000;
constexpr int kPeriodColumnWidth = 1100;
constexpr int kValueColumnWidth = 1200;
// The window's height beyond the header and the rows: frame, margins and a scroll bar.
constexpr int kHeightBeyondRows = 760;
// The narrowest a table is, beyond the decision window's width.
constexpr int kWiderThanDecisions = 720;
// While a table is being built it may be as wide as the screen, or this if wider.
constexpr int kWidestWhileBuilding = 20650;

constexpr Qt::WindowStates kMinOrMax = Qt::WindowMinimized | Qt::WindowMaximized;

}  // namespace

frmTable::frmTable(game& model, WindowManager& views, GraphRegistry& graphs, QWidget* parent)
    : QWidget(parent),
      model_(model),
      views_(views),
      graphs_(graphs),
      flxGrid_(new platform::GridControl(this)) {
  setObjectName(QStringLiteral("frmTable"));
  setWindowTitle(QStringLiteral("Table of Historic Data"));
  flxGrid_->setObjectName(QStringLiteral("FlxGrid"));
  setFocusProxy(flxGrid_);
  QFont font(QStringLiteral("Verdana"));
  font.setPointSizeF(6.75);
  font.setBold(true);
  flxGrid_->setFont(font);
  flxGrid_->SetFixedRows(1);
  flxGrid_->SetFixedCols(1);
  // Each bar shows only when the cells do not fit, so every column of a wide table can be
  // scrolled to.
  flxGrid_->SetScrollBars(platform::kScrollBarsBoth);
  LayOutGrid();

  connect(flxGrid_, &platform::GridControl::DblClick, this,
          [this](int /*row*/, int col) { FlxGrid_DblClick(col); });
  connect(flxGrid_, &platform::GridControl::GotFocus, this,
          [] { EnableCopyMenu(kCopyTableGridCaption); });
  connect(flxGrid_, &platform::GridControl::LostFocus, this, &frmTable::GridLostFocus);
}

QMdiSubWindow* frmTable::Host() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

QWidget& frmTable::Frame() {
  if (QMdiSubWindow* host = Host()) return *host;
  return *this;
}

void frmTable::FollowActivation(QMdiSubWindow* host) {
  if (host == nullptr || host == followed_) return;
  followed_ = host;
  connect(
      host, &QMdiSubWindow::windowStateChanged, this,
      [this](Qt::WindowStates before, Qt::WindowStates now) {
        const bool was = before.testFlag(Qt::WindowActive);
        const bool is = now.testFlag(Qt::WindowActive);
        // A click into the grid of another window focuses the grid before the window is
        // activated; the grid's caption still has the last word.
        if (is && !was) {
          EnableCopyMenu(flxGrid_->View()->hasFocus() ? kCopyTableGridCaption : kCopyTableCaption);
        }
        if (was && !is) ResetCopyMenu();
        // The limits belong to the normal state. The grid needs no placing here: the frame
        // has its normal geometry back by now, and its resize has laid the grid out.
        if ((before & kMinOrMax) != 0 && (now & kMinOrMax) == 0) ApplyWidthLimits();
      });
  host->installEventFilter(this);
}

bool frmTable::eventFilter(QObject* watched, QEvent* event) {
  // Before the frame changes state: a maximised table fills the area whatever its width.
  if (watched == followed_ && event->type() == QEvent::WindowStateChange &&
      !static_cast<QWindowStateChangeEvent*>(event)->isOverride() &&
      (followed_->windowState() & kMinOrMax) != 0) {
    ApplyWidthLimits();
  }
  return QWidget::eventFilter(watched, event);
}

void frmTable::GridLostFocus() {
  // A window that is no longer active has reset the item on its deactivation, and the window
  // activated since may own it already.
  QMdiSubWindow* host = Host();
  if (host != nullptr && host->mdiArea() != nullptr && host->mdiArea()->activeSubWindow() != host) {
    return;
  }
  ResetCopyMenu();
}

void frmTable::Create(int tableNumber) {
  const TableEntry* entry = FindTable(tableNumber);
  if (entry == nullptr) return;
  platform::WaitCursor wait;
  FollowActivation(Host());
  flxGrid_->SetRedraw(false);

  tableNumber_ = tableNumber;
  tableVarNumbers_.assign(1, kBlankColumn);
  tableVarNumbers_.insert(tableVarNumbers_.end(), entry->columns.begin(), entry->columns.end());
  Frame().setWindowTitle(TableCaption(*entry));
  nextPeriodRow_ = 1;

  const int columns = TableVarCount();
  flxGrid_->SetCols(columns + 1);
  // A rebuilt table keeps its rows and fills them afresh: when their number stays the same
  // the views need no new layout.
  flxGrid_->SetRows(std::max(flxGrid_->Rows(), 2));

  flxGrid_->SetFixedAlignment(0, platform::kAlignCentreCentre);
  flxGrid_->SetRowHeight(0, kHeaderHeight);
  flxGrid_->SetColWidth(0, kPeriodColumnWidth);
  flxGrid_->SetColAlignment(0, platform::kAlignCentreCentre);
  flxGrid_->SetTextMatrix(
      0, 0, Text("Year &", "Año &", "Ano ") + QStringLiteral("\r\n") + Text("Month", "Mes", "Mês"));
  for (int col = 1; col <= columns; ++col) {
    const int32_t varNumber = tableVarNumbers_[static_cast<std::size_t>(col)];
    flxGrid_->SetColAlignment(col, platform::kAlignRightCentre);
    flxGrid_->SetFixedAlignment(col, platform::kAlignCentreCentre);
    const QString header = varNumber == kBlankColumn
                               ? QString()
                               : QString::fromStdString(model_.GetVarName(varNumber, 0)).trimmed();
    flxGrid_->SetTextMatrix(0, col, header);
    flxGrid_->SetColWidth(col, kValueColumnWidth);
  }

  minWidth_ = DecisionWindowGeometry().width + kWiderThanDecisions;
  baseHeight_ = 2 * flxGrid_->RowHeight(1) + flxGrid_->RowHeight(0) + kHeightBeyondRows;
  contentWidth_ = std::max(platform::ScreenWidth(), kWidestWhileBuilding);
  // A table rebuilt in place keeps its width while its rows are refilled, so its limits are
  // not widened and narrowed again: each change would lay out the whole area anew.
  if (!tableReady_) HoldWidth(contentWidth_);
  tableReady_ = true;

  Update();

  contentWidth_ = TableContentWidth(platform::ScreenWidth(), columns);
  HoldWidth(contentWidth_);
  QWidget& frame = Frame();
  QRect normal = platform::NormalGeometry(frame);
  normal.setWidth(PixelsOf(contentWidth_));
  platform::SetNormalGeometry(frame, normal);
  LayOutGrid();
  const bool opening = !frame.isVisible();
  frame.show();
  if (QMdiSubWindow* host = Host(); opening && host != nullptr) KeepInsideArea(*host);
}

void frmTable::Reset() { Create(tableNumber_); }

void frmTable::Update() {
  if (!tableReady_) return;
  platform::WaitCursor wait;
  flxGrid_->SetRedraw(false);

  const int16_t last = model_.Period();
  const int columns = TableVarCount();
  // Period p in row p + 1 below the header, then a blank row; the rows are added (or
  // dropped) at once, so the views lay them out once.
  const int first = nextPeriodRow_ - 1;
  const int added = std::max(last - first + 1, 0);
  const int firstRow = first + 1;
  const int blankRow = firstRow + added;
  flxGrid_->SetRows(blankRow + 1);
  for (int col = 0; col <= columns; ++col) flxGrid_->SetTextMatrix(blankRow, col, QString());
  // An opened game fills every row at once: the figures are formatted side by side, as
  // they only read the model's values. A read that fails is kept with its row and raised
  // here once all are done, in row order: the model's subscribers belong to this thread.
  std::vector<QString> texts(static_cast<std::size_t>(added * columns));
  std::vector<std::vector<TrappedError>> failures(static_cast<std::size_t>(added));
  platform::SharedCrew().ForEach(static_cast<std::size_t>(added), [&](std::size_t i) {
    const ErrorHold hold(failures[i]);
    const auto p = static_cast<int16_t>(first + static_cast<int>(i));
    for (int col = 1; col <= columns; ++col) {
      texts[i * static_cast<std::size_t>(columns) + static_cast<std::size_t>(col - 1)] =
          TableCellText(model_, tableVarNumbers_[static_cast<std::size_t>(col)], p);
    }
  });
  for (const std::vector<TrappedError>& rowFailures : failures) model_.RaiseErrors(rowFailures);
  for (int i = 0; i < added; ++i) {
    const int row = firstRow + i;
    const auto p = static_cast<int16_t>(first + i);
    flxGrid_->SetTextMatrix(row, 0, QString::fromStdString(model_.PeriodDescription(p, true)));
    for (int col = 1; col <= columns; ++col) {
      flxGrid_->SetTextMatrix(row, col, texts[static_cast<std::size_t>(i * columns + col - 1)]);
    }
  }
  if (added > 0) flxGrid_->SetRow(firstRow + added - 1);
  nextPeriodRow_ = first + added + 1;

  // As tall as the rows need, up to half the screen; beyond that the grid scrolls.
  int height = (flxGrid_->Rows() - 2) * flxGrid_->RowHeight(1) + baseHeight_;
  const int halfScreen = static_cast<int>(std::nearbyint(platform::ScreenHeight() / 2.0));
  const bool capped = height > halfScreen;
  if (capped) height = halfScreen;
  QWidget& frame = Frame();
  QRect normal = platform::NormalGeometry(frame);
  normal.setHeight(PixelsOf(height));
  platform::SetNormalGeometry(frame, normal);
  LayOutGrid();
  if (capped) flxGrid_->SetTopRow(flxGrid_->TopRow() + 1);
  if (!flxGrid_->RowIsVisible(flxGrid_->Row())) flxGrid_->SetTopRow(flxGrid_->Row());

  flxGrid_->SetRedraw(true);
}

void frmTable::HoldWidth(int maximumWidth) {
  widthLimit_ = maximumWidth;
  ApplyWidthLimits();
}

void frmTable::ApplyWidthLimits() {
  // The width stays between the two however the player drags the frame; the narrowest never
  // passes the widest. A minimised or maximised frame takes the size its state gives it.
  QWidget& frame = Frame();
  if ((frame.windowState() & kMinOrMax) != 0) {
    frame.setMinimumWidth(0);
    frame.setMaximumWidth(QWIDGETSIZE_MAX);
    return;
  }
  const int widest = PixelsOf(widthLimit_);
  frame.setMaximumWidth(widest);
  frame.setMinimumWidth(std::min(PixelsOf(minWidth_), widest));
}

void frmTable::LayOutGrid() {
  // By the outer size, but never past the client area whatever the frame's own size. A
  // minimised frame hides the grid and keeps its place for the restored one.
  QWidget& frame = Frame();
  if (frame.isMinimized()) return;
  const QRect client = frame.contentsRect();
  const int border = PixelsToTwips(2 * flxGrid_->frameWidth());
  const int width = std::min(PixelsToTwips(frame.width()) - kGridWidthLess,
                             PixelsToTwips(client.width()) - kGridLeft - border);
  const int height = std::min(PixelsToTwips(frame.height()) - kGridHeightLess,
                              PixelsToTwips(client.height()) - kGridTop - border);
  flxGrid_->Move(kGridLeft, kGridTop, width, height);
}

void frmTable::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (tableReady_) LayOutGrid();
}

void frmTable::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) ResetCopyMenu();
}

void frmTable::FlxGrid_DblClick(int col) {
  // The period column and the blank columns name no variable.
  if (col < 1 || col > TableVarCount()) return;
  const int32_t varNumber = tableVarNumbers_[static_cast<std::size_t>(col)];
  if (varNumber == kBlankColumn || catalogue::VarIndexFromNumber(varNumber) < 0) return;
  // Opened once the grid has done with the click, as a menu command would open it: nothing of
  // the grid's own handling of the mouse can then take the activation back from the graph.
  QMetaObject::invokeMethod(
      this, [this, varNumber] { ShowCustomGraph(views_, graphs_, varNumber); },
      Qt::QueuedConnection);
}

}  // namespace talvair::views
