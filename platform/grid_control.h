// The grid control of the report and table windows: cells of text in rows and columns,
// fixed rows and columns that stay in view while the rest scrolls, per-cell alignment, bold
// and colours, merging of equal neighbours within flagged rows, a current cell with a
// selection whose text can be taken as tab-separated lines, and the mouse and focus events
// the windows answer. Sizes and positions are in twips.
//
// The control's Width and Height are those of its cell area; a single border, when shown, is
// drawn around that area, so it never hides a cell.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>
#include <array>
#include <utility>
#include <vector>

#include "platform/grid_cells.h"

class QAbstractItemView;
class QEvent;
class QFocusEvent;
class QTableView;

namespace talvair::platform {

namespace internal {
class GridView;
class GridDelegate;
}  // namespace internal

// Merge modes: never, or only within rows whose merge flag is set.
inline constexpr int kMergeNever = 0;
inline constexpr int kMergeRestrictRows = 2;

// Scroll bars, each shown only when the cells do not fit.
inline constexpr int kScrollBarsNone = 0;
inline constexpr int kScrollBarsHorizontal = 1;
inline constexpr int kScrollBarsVertical = 2;
inline constexpr int kScrollBarsBoth = 3;

// Mouse buttons and shift state as the mouse events report them.
inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonRight = 2;
inline constexpr int kButtonMiddle = 4;
inline constexpr int kShiftKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kAltKey = 4;

// A Qt button and modifiers in the codes above.
int MouseButtonCode(Qt::MouseButton button);
int MouseButtonsCode(Qt::MouseButtons buttons);
int ShiftCode(Qt::KeyboardModifiers modifiers);

// Whether a focus event on `widget` is a real change of focus: a menu opening, or another
// program taking the screen, leaves the focus where it was.
bool FocusChangeCounts(const QWidget& widget, const QFocusEvent& event);

// The column width a column has until one is set, in twips.
inline constexpr int kDefaultColWidth = 960;

class GridControl : public QFrame {
  Q_OBJECT

 public:
  explicit GridControl(QWidget* parent = nullptr);
  ~GridControl() override;

  // Shape. A new grid has 2 rows and 2 columns and no fixed ones. Raising Rows adds empty
  // rows at the end; lowering it drops the last ones (1 keeps only the header row).
  int Rows() const;
  void SetRows(int rows);
  int Cols() const;
  void SetCols(int cols);
  int FixedRows() const;
  void SetFixedRows(int rows);
  int FixedCols() const;
  void SetFixedCols(int cols);

  // The current cell, which the cell properties address, and the other corner of the
  // selection. Setting Row (Col) also sets RowSel (ColSel). Out-of-range values are ignored.
  int Row() const;
  void SetRow(int row);
  int Col() const;
  void SetCol(int col);
  int RowSel() const;
  void SetRowSel(int row);
  int ColSel() const;
  void SetColSel(int col);

  // Cell text; lines are separated by CR LF. Long lines wrap at blanks within the cell.
  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);
  QString Text() const;
  void SetText(const QString& text);
  // The selected cells: a tab between cells, a carriage return between rows.
  QString Clip() const;

  // Sizes in twips. A width or height that was never set (or set below 0) is the default.
  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int twips);
  int DefaultRowHeight() const;
  // What the whole grid needs to show every column and row without scrolling, border
  // included.
  int ContentWidth() const;
  int ContentHeight() const;

  // Styles of the current cell. An alignment never set is the column's, else the general
  // one: numbers on the right, other text on the left.
  int CellAlignment() const;
  void SetCellAlignment(int code);
  bool CellFontBold() const;
  void SetCellFontBold(bool bold);
  QColor CellForeColor() const;
  void SetCellForeColor(const QColor& colour);
  QColor CellBackColor() const;
  void SetCellBackColor(const QColor& colour);
  // Alignment of a column's cells outside and inside the fixed rows.
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int code);
  int FixedAlignment(int col) const;
  void SetFixedAlignment(int col, int code);

  // Colours of the cells, the fixed cells, the area beyond the cells and the grid lines.
  void SetBackColor(const QColor& colour);
  void SetBackColorFixed(const QColor& colour);
  void SetBackColorBkg(const QColor& colour);
  void SetGridColor(const QColor& colour);
  QColor BackColor() const { return backColor_; }
  QColor BackColorFixed() const { return backColorFixed_; }
  QColor GridColor() const { return gridColor_; }

  int MergeCells() const { return mergeCells_; }
  void SetMergeCells(int mode);
  bool MergeRow(int row) const;
  void SetMergeRow(int row, bool merge);
  // The columns a merged cell covers in a row: (first column, count), for runs of two or
  // more; empty when the row shows every cell alone.
  std::vector<std::pair<int, int>> MergedRuns(int row) const;

  // While off, changes are kept but not drawn; switching on draws everything once.
  bool Redraw() const { return redraw_; }
  void SetRedraw(bool redraw);
  int ScrollBars() const { return scrollBars_; }
  void SetScrollBars(int bars);

  // The first scrolling row in view, and whether a row is wholly in view (fixed rows always
  // are).
  int TopRow() const;
  void SetTopRow(int row);
  bool RowIsVisible(int row) const;

  // The cell under the mouse at its last event; -1 outside the cells.
  int MouseRow() const { return mouseRow_; }
  int MouseCol() const { return mouseCol_; }

  // The control's place within its parent, in twips.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int twips);
  void SetTop(int twips);
  void SetWidth(int twips);
  void SetHeight(int twips);
  void Move(int left, int top, int width, int height);
  // 0 none, 1 a single line.
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int style);

  // The scrolling view, for tests and focus.
  QTableView* View() const;

 signals:
  void GotFocus();
  void LostFocus();
  // Left button released over the grid.
  void Click();
  // Left button double-clicked; the cell under the mouse (-1 outside the cells).
  void DblClick(int row, int col);
  // Button and shift as the constants above, position in twips within the control.
  void MouseDown(int button, int shift, int x, int y);
  void MouseMove(int button, int shift, int x, int y);
  void MouseUp(int button, int shift, int x, int y);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class internal::GridDelegate;
  friend class internal::GridView;
  enum Overlay { kTop, kLeft, kCorner };

  void InitView(internal::GridView* view);
  void EnsureOverlays();
  void PlaceOverlays();
  void ApplyGeometry();
  void ApplyScrollBars();
  void ApplyRowHeight(int row);
  void ApplyColWidth(int col);
  void ApplyAllSizes();
  void ApplyMerges(int row);
  void ApplyAllMerges();
  void RowsInserted(int first, int last);
  void ColsInserted(int first, int last);
  int FixedWidthPixels() const;
  int FixedHeightPixels() const;
  void EnsureVisible(int row, int col);
  bool HandleMouse(internal::GridView* view, QEvent* event);
  bool HandleKey(QEvent* event);
  void FocusEvent(QEvent* event);
  std::vector<internal::GridView*> Views() const;

  GridCells* cells_;
  internal::GridDelegate* delegate_;
  internal::GridView* main_;
  std::array<internal::GridView*, 3> overlays_{};
  // Merged runs as laid out in the views, by row.
  std::vector<std::vector<std::pair<int, int>>> spans_;
  std::vector<int> mergesPending_;
  QColor backColor_{Qt::white};
  QColor backColorFixed_{0xd4, 0xd0, 0xc8};
  QColor backColorBkg_{Qt::white};
  QColor gridColor_{0xc0, 0xc0, 0xc0};
  // The fixed cells' lines, darker; made once rather than for every cell drawn.
  QColor fixedGridColor_ = gridColor_.darker(150);
  int mergeCells_ = kMergeNever;
  int scrollBars_ = kScrollBarsBoth;
  int borderStyle_ = 1;
  bool redraw_ = true;
  // The overlays wait for drawing to be switched on to be laid out.
  bool overlaysPending_ = false;
  bool hasFocus_ = false;
  bool clickAfterDouble_ = false;
  int mouseRow_ = -1;
  int mouseCol_ = -1;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace talvair::platform
