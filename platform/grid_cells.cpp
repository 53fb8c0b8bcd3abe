#include "platform/grid_cells.h"

#include <algorithm>

#include "numtext/number_text.h"

namespace talvair::platform {

namespace {

bool ValidCode(int code) { return code >= kAlignLeftTop && code <= kAlignGeneral; }

}  // namespace

bool IsNumericText(const QString& text) {
  QString trimmed = text.trimmed();
  if (trimmed.startsWith(QLatin1Char('-'))) {
    trimmed.remove(0, 1);
    if (trimmed.startsWith(QLatin1Char('$'))) trimmed.remove(0, 1);
  } else if (trimmed.startsWith(QLatin1Char('$'))) {
    trimmed.remove(0, 1);
  }
  return numtext::ParseNumber(trimmed.toStdString()).has_value();
}

Qt::Alignment AlignmentOf(int code, const QString& text) {
  if (!ValidCode(code) || code == kAlignGeneral) {
    return (IsNumericText(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  }
  static constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                      Qt::AlignRight};
  static constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                    Qt::AlignBottom};
  return kHorizontal[code / 3] | kVertical[code % 3];
}

GridCells::GridCells(QObject* parent) : QAbstractTableModel(parent) {
  SetBaseFont(font_);
  SetCols(2);
  SetRows(2);
}

int GridCells::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Rows(); }

int GridCells::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridCells::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  const int col = index.column();
  const Cell* cell = CellAt(row, col);
  if (cell == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole: {
      // Lines are separated by CR LF in the cell text.
      if (!cell->text.contains(QLatin1Char('\r'))) return cell->text;
      QString shown = cell->text;
      shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
      return shown;
    }
    case Qt::FontRole: {
      if (!cell->bold) return font_;
      return *cell->bold ? boldFont_ : plainFont_;
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(AlignmentOf(ResolvedAlignment(row, col), cell->text));
    case Qt::ForegroundRole:
      return cell->fore.isValid() ? QVariant(cell->fore) : QVariant();
    case Qt::BackgroundRole:
      return cell->back.isValid() ? QVariant(cell->back) : QVariant();
    case kFixedRole:
      return IsFixed(row, col);
    case kSelectedRole:
      return Selected(row, col);
    case kCurrentRole:
      return row == row_ && col == col_;
    default:
      return {};
  }
}

void GridCells::SetRows(int rows) {
  rows = std::max(rows, 0);
  const int current = Rows();
  if (rows > current) {
    beginInsertRows(QModelIndex(), current, rows - 1);
    rows_.resize(static_cast<std::size_t>(rows));
    for (int r = current; r < rows; ++r)
      rows_[static_cast<std::size_t>(r)].cells.resize(static_cast<std::size_t>(cols_));
    endInsertRows();
  } else if (rows < current) {
    beginRemoveRows(QModelIndex(), rows, current - 1);
    rows_.resize(static_cast<std::size_t>(rows));
    endRemoveRows();
  }
  if (fixedRows_ > rows) fixedRows_ = rows;
  ClampSelection();
}

void GridCells::SetCols(int cols) {
  cols = std::max(cols, 0);
  if (cols > cols_) {
    beginInsertColumns(QModelIndex(), cols_, cols - 1);
  } else if (cols < cols_) {
    beginRemoveColumns(QModelIndex(), cols, cols_ - 1);
  } else {
    return;
  }
  const bool growing = cols > cols_;
  cols_ = cols;
  colInfo_.resize(static_cast<std::size_t>(cols));
  for (RowInfo& row : rows_) row.cells.resize(static_cast<std::size_t>(cols));
  if (growing) {
    endInsertColumns();
  } else {
    endRemoveColumns();
  }
  if (fixedCols_ > cols) fixedCols_ = cols;
  ClampSelection();
  for (int r = 0; r < Rows(); ++r) {
    if (MergeRow(r)) emit RowMergeChanged(r);
  }
}

void GridCells::SetFixedRows(int rows) {
  fixedRows_ = std::clamp(rows, 0, Rows());
  if (notify_ && Rows() > 0 && cols_ > 0)
    emit dataChanged(index(0, 0), index(Rows() - 1, cols_ - 1));
}

void GridCells::SetFixedCols(int cols) {
  fixedCols_ = std::clamp(cols, 0, cols_);
  if (notify_ && Rows() > 0 && cols_ > 0)
    emit dataChanged(index(0, 0), index(Rows() - 1, cols_ - 1));
}

bool GridCells::Contains(int row, int col) const {
  return row >= 0 && row < Rows() && col >= 0 && col < cols_;
}

GridCells::Cell* GridCells::CellAt(int row, int col) {
  if (!Contains(row, col)) return nullptr;
  return &rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

const GridCells::Cell* GridCells::CellAt(int row, int col) const {
  if (!Contains(row, col)) return nullptr;
  return &rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

void GridCells::CellChanged(int row, int col) {
  if (!notify_) return;
  const QModelIndex cell = index(row, col);
  emit dataChanged(cell, cell);
}

QString GridCells::Text(int row, int col) const {
  const Cell* cell = CellAt(row, col);
  return cell ? cell->text : QString();
}

void GridCells::SetText(int row, int col, const QString& text) {
  Cell* cell = CellAt(row, col);
  if (cell == nullptr || cell->text == text) return;
  cell->text = text;
  CellChanged(row, col);
  if (MergeRow(row)) emit RowMergeChanged(row);
}

int GridCells::CellAlignment(int row, int col) const {
  const Cell* cell = CellAt(row, col);
  return cell && cell->alignment >= 0 ? cell->alignment : ResolvedAlignment(row, col);
}

void GridCells::SetCellAlignment(int row, int col, int code) {
  Cell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  cell->alignment = ValidCode(code) ? code : -1;
  CellChanged(row, col);
}

int GridCells::ColAlignment(int col) const {
  if (col < 0 || col >= cols_) return kAlignGeneral;
  const int code = colInfo_[static_cast<std::size_t>(col)].alignment;
  return code >= 0 ? code : kAlignGeneral;
}

void GridCells::SetColAlignment(int col, int code) {
  if (col < 0 || col >= cols_) return;
  colInfo_[static_cast<std::size_t>(col)].alignment = ValidCode(code) ? code : -1;
  if (notify_ && Rows() > 0) emit dataChanged(index(0, col), index(Rows() - 1, col));
}

int GridCells::FixedAlignment(int col) const {
  if (col < 0 || col >= cols_) return kAlignGeneral;
  const int code = colInfo_[static_cast<std::size_t>(col)].fixedAlignment;
  return code >= 0 ? code : ColAlignment(col);
}

void GridCells::SetFixedAlignment(int col, int code) {
  if (col < 0 || col >= cols_) return;
  colInfo_[static_cast<std::size_t>(col)].fixedAlignment = ValidCode(code) ? code : -1;
  if (notify_ && Rows() > 0) emit dataChanged(index(0, col), index(Rows() - 1, col));
}

int GridCells::ResolvedAlignment(int row, int col) const {
  const Cell* cell = CellAt(row, col);
  if (cell == nullptr) return kAlignGeneral;
  if (cell->alignment >= 0) return cell->alignment;
  return IsFixed(row, col) ? FixedAlignment(col) : ColAlignment(col);
}

bool GridCells::CellFontBold(int row, int col) const {
  const Cell* cell = CellAt(row, col);
  return cell && cell->bold ? *cell->bold : font_.bold();
}

void GridCells::SetCellFontBold(int row, int col, bool bold) {
  Cell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  cell->bold = bold;
  CellChanged(row, col);
}

QColor GridCells::CellForeColor(int row, int col) const {
  const Cell* cell = CellAt(row, col);
  return cell ? cell->fore : QColor();
}

void GridCells::SetCellForeColor(int row, int col, const QColor& colour) {
  Cell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  cell->fore = colour;
  CellChanged(row, col);
}

QColor GridCells::CellBackColor(int row, int col) const {
  const Cell* cell = CellAt(row, col);
  return cell ? cell->back : QColor();
}

void GridCells::SetCellBackColor(int row, int col, const QColor& colour) {
  Cell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  cell->back = colour;
  if (colour.isValid() && colour.alpha() < 255) seeThroughBack_ = true;
  CellChanged(row, col);
}

int GridCells::RowHeightSet(int row) const {
  if (row < 0 || row >= Rows()) return -1;
  return rows_[static_cast<std::size_t>(row)].height;
}

void GridCells::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= Rows()) return;
  rows_[static_cast<std::size_t>(row)].height = twips < 0 ? -1 : twips;
}

int GridCells::ColWidthSet(int col) const {
  if (col < 0 || col >= cols_) return -1;
  return colInfo_[static_cast<std::size_t>(col)].width;
}

void GridCells::SetColWidth(int col, int twips) {
  if (col < 0 || col >= cols_) return;
  colInfo_[static_cast<std::size_t>(col)].width = twips < 0 ? -1 : twips;
}

bool GridCells::MergeRow(int row) const {
  if (row < 0 || row >= Rows()) return false;
  return rows_[static_cast<std::size_t>(row)].merge;
}

void GridCells::SetMergeRow(int row, bool merge) {
  if (row < 0 || row >= Rows()) return;
  bool& flag = rows_[static_cast<std::size_t>(row)].merge;
  if (flag == merge) return;
  flag = merge;
  emit RowMergeChanged(row);
}

std::vector<std::pair<int, int>> GridCells::EqualRuns(int row) const {
  std::vector<std::pair<int, int>> runs;
  if (row < 0 || row >= Rows()) return runs;
  const std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row)].cells;
  int start = 0;
  for (int col = 1; col <= cols_; ++col) {
    const bool runEnds = col == cols_ || cells[static_cast<std::size_t>(col)].text !=
                                             cells[static_cast<std::size_t>(start)].text;
    if (!runEnds) continue;
    if (col - start > 1) runs.emplace_back(start, col - start);
    start = col;
  }
  return runs;
}

void GridCells::ClampSelection() {
  const auto clampTo = [](int value, int count) {
    return std::clamp(value, 0, std::max(count - 1, 0));
  };
  row_ = clampTo(row_, Rows());
  rowSel_ = clampTo(rowSel_, Rows());
  col_ = clampTo(col_, cols_);
  colSel_ = clampTo(colSel_, cols_);
}

void GridCells::SetRow(int row) {
  if (row < 0 || row >= Rows()) return;
  row_ = rowSel_ = row;
  emit SelectionChanged();
}

void GridCells::SetCol(int col) {
  if (col < 0 || col >= cols_) return;
  col_ = colSel_ = col;
  emit SelectionChanged();
}

void GridCells::SetRowSel(int row) {
  if (row < 0 || row >= Rows()) return;
  rowSel_ = row;
  emit SelectionChanged();
}

void GridCells::SetColSel(int col) {
  if (col < 0 || col >= cols_) return;
  colSel_ = col;
  emit SelectionChanged();
}

bool GridCells::Selected(int row, int col) const {
  return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) &&
         col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
}

QString GridCells::Clip() const {
  if (Rows() == 0 || cols_ == 0) return {};
  QString clip;
  for (int r = std::min(row_, rowSel_); r <= std::max(row_, rowSel_); ++r) {
    if (r != std::min(row_, rowSel_)) clip += QLatin1Char('\r');
    for (int c = std::min(col_, colSel_); c <= std::max(col_, colSel_); ++c) {
      if (c != std::min(col_, colSel_)) clip += QLatin1Char('\t');
      clip += Text(r, c);
    }
  }
  return clip;
}

void GridCells::SetBaseFont(const QFont& font) {
  font_ = font;
  boldFont_ = font;
  boldFont_.setBold(true);
  plainFont_ = font;
  plainFont_.setBold(false);
  if (notify_ && Rows() > 0 && cols_ > 0)
    emit dataChanged(index(0, 0), index(Rows() - 1, cols_ - 1));
}

void GridCells::SetNotifying(bool notify) {
  if (notify_ == notify) return;
  notify_ = notify;
  if (notify_ && Rows() > 0 && cols_ > 0)
    emit dataChanged(index(0, 0), index(Rows() - 1, cols_ - 1));
}

}  // namespace talvair::platform
