// The cell store behind the grid control: texts, per-cell styles, row and column sizes, merge
// flags, the current cell and the selection. It is the item model that every view of one
// grid shares.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace talvair::platform {

// Alignment codes of a cell: left, centre or right against top, centre or bottom; 9 is the
// general alignment, numbers on the right and other text on the left, vertically centred.
inline constexpr int kAlignLeftTop = 0;
inline constexpr int kAlignLeftCentre = 1;
inline constexpr int kAlignLeftBottom = 2;
inline constexpr int kAlignCentreTop = 3;
inline constexpr int kAlignCentreCentre = 4;
inline constexpr int kAlignCentreBottom = 5;
inline constexpr int kAlignRightTop = 6;
inline constexpr int kAlignRightCentre = 7;
inline constexpr int kAlignRightBottom = 8;
inline constexpr int kAlignGeneral = 9;

// Qt's alignment of a code; the general alignment needs the text.
Qt::Alignment AlignmentOf(int code, const QString& text);
// True for a text the general alignment puts on the right: a number in the current number
// locale, grouping allowed, blanks around it and a leading "$" ignored.
bool IsNumericText(const QString& text);

class GridCells : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Roles beyond Qt's: whether a cell lies in a fixed row or column, and whether it is drawn
  // as selected.
  static constexpr int kFixedRole = Qt::UserRole + 1;
  static constexpr int kSelectedRole = Qt::UserRole + 2;
  static constexpr int kCurrentRole = Qt::UserRole + 3;

  explicit GridCells(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  int Rows() const { return static_cast<int>(rows_.size()); }
  int Cols() const { return cols_; }
  // Growing adds empty rows (columns) at the end; shrinking drops the last ones.
  void SetRows(int rows);
  void SetCols(int cols);
  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  void SetFixedRows(int rows);
  void SetFixedCols(int cols);
  bool Contains(int row, int col) const;
  bool IsFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

  // Out-of-range cells read as empty and ignore writes.
  QString Text(int row, int col) const;
  void SetText(int row, int col, const QString& text);

  // Unset (-1) alignments fall back: cell, then the column's (fixed or not), then general.
  int CellAlignment(int row, int col) const;
  void SetCellAlignment(int row, int col, int code);
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int code);
  int FixedAlignment(int col) const;
  void SetFixedAlignment(int col, int code);
  int ResolvedAlignment(int row, int col) const;

  bool CellFontBold(int row, int col) const;
  void SetCellFontBold(int row, int col, bool bold);
  // Invalid colours mean the grid's own.
  QColor CellForeColor(int row, int col) const;
  void SetCellForeColor(int row, int col, const QColor& colour);
  QColor CellBackColor(int row, int col) const;
  void SetCellBackColor(int row, int col, const QColor& colour);
  bool AnySeeThroughBack() const { return seeThroughBack_; }

  // Sizes in twips; -1 means unset (the grid's default).
  int RowHeightSet(int row) const;
  void SetRowHeight(int row, int twips);
  int ColWidthSet(int col) const;
  void SetColWidth(int col, int twips);

  bool MergeRow(int row) const;
  void SetMergeRow(int row, bool merge);
  // Runs of two or more adjacent cells of equal text in a row: (first column, count).
  std::vector<std::pair<int, int>> EqualRuns(int row) const;

  // Current cell and the other corner of the selection.
  int Row() const { return row_; }
  int Col() const { return col_; }
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  // Setting the current row or column makes the selection that cell alone in that direction.
  void SetRow(int row);
  void SetCol(int col);
  void SetRowSel(int row);
  void SetColSel(int col);
  bool Selected(int row, int col) const;
  // The selected cells' texts, tab between cells and carriage return between rows.
  QString Clip() const;

  const QFont& BaseFont() const { return font_; }
  void SetBaseFont(const QFont& font);

  // While off, cell writes are not announced; switching it on announces every cell.
  bool Notifying() const { return notify_; }
  void SetNotifying(bool notify);

 signals:
  // A row's texts or merge flag changed: its merged cells must be laid out again.
  void RowMergeChanged(int row);
  // The current cell or the selection changed.
  void SelectionChanged();

 private:
  struct Cell {
    QString text;
    int alignment = -1;
    std::optional<bool> bold;
    QColor fore;
    QColor back;
  };
  struct RowInfo {
    std::vector<Cell> cells;
    int height = -1;
    bool merge = false;
  };
  struct ColInfo {
    int width = -1;
    int alignment = -1;
    int fixedAlignment = -1;
  };

  Cell* CellAt(int row, int col);
  const Cell* CellAt(int row, int col) const;
  void CellChanged(int row, int col);
  void ClampSelection();

  std::vector<RowInfo> rows_;
  std::vector<ColInfo> colInfo_;
  int cols_ = 0;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  int row_ = 0;
  int col_ = 0;
  int rowSel_ = 0;
  int colSel_ = 0;
  QFont font_;
  // Whether a cell was ever given a back colour that lets what lies beneath show.
  bool seeThroughBack_ = false;
  // The base font made bold and not, for cells that say which.
  QFont boldFont_;
  QFont plainFont_;
  bool notify_ = true;
};

}  // namespace talvair::platform
