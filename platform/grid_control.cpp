#include "platform/grid_control.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWheelEvent>
#include <algorithm>

#include "platform/twips.h"

namespace talvair::platform {

namespace internal {

class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(GridControl* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  // How `text` is drawn in `area`: at the font's own point size, less a quarter point at a
  // time while its lines are taller than the area, or a figure wider, down to the smallest
  // size; a figure still wider there is marked instead, since a cut one reads as another
  // number.
  struct Fit {
    double size;
    bool marked;
  };
  static Fit FittingSize(const QFont& font, const QRect& area, int flags, const QString& text);

  GridControl* grid_;
};

// One view of the cells: the scrolling one, or an overlay that keeps fixed rows or columns
// in view. The grid decides all scrolling itself.
class GridView : public QTableView {
 public:
  GridView(GridControl* grid, QWidget* parent) : QTableView(parent), grid_(grid) {
    setModel(grid->cells_);
    setItemDelegate(grid->delegate_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
      header->setMinimumSectionSize(1);
      header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setAutoScroll(false);
  }

  // The views lay themselves out at the next pass of the event loop after rows or columns
  // come or go, and repaint all of themselves then; settling it now spares a second paint.
  void LayOutNow() { executeDelayedItemsLayout(); }
  // Scroll ranges up to date. Laying out raises the scroll bars, which repaints them, so it
  // is skipped when nothing they follow has changed since the last layout.
  void SyncGeometries() {
    LayOutNow();
    if (CurrentShape() != laidOut_) updateGeometries();
  }
  // On each scroll the base asks the X server where the pointer is, a round trip that
  // waits for everything sent before it (a long run scrolls every table each quarter), only
  // to follow a pointer over the cells; the cells are not meant to be fetched piecemeal.
  void verticalScrollbarValueChanged(int value) override {
    if (viewport()->underMouse()) QTableView::verticalScrollbarValueChanged(value);
  }
  void horizontalScrollbarValueChanged(int value) override {
    if (viewport()->underMouse()) QTableView::horizontalScrollbarValueChanged(value);
  }

  void updateGeometries() override {
    // Laid out for what it was at the start; a scroll bar coming or going on the way leaves
    // it to be laid out again.
    const Shape before = CurrentShape();
    QTableView::updateGeometries();
    laidOut_ = CurrentShape() == before ? before : Shape{};
  }

 private:
  using Shape = std::array<int, 8>;
  Shape CurrentShape() const {
    return {viewport()->width(),
            viewport()->height(),
            horizontalHeader()->count(),
            verticalHeader()->count(),
            horizontalHeader()->length(),
            verticalHeader()->length(),
            static_cast<int>(horizontalScrollBarPolicy()),
            static_cast<int>(verticalScrollBarPolicy())};
  }

  Shape laidOut_{};
  const GridControl* grid_;

 public:
  void scrollTo(const QModelIndex& /*index*/, ScrollHint /*hint*/) override {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    // Opaque cells cover their own area, so the background is filled only beyond them, the
    // viewport's own fill being off; under cells that let it show, it is filled everywhere.
    if (viewport()->testAttribute(Qt::WA_OpaquePaintEvent)) {
      QRegion beyond = event->region();
      const bool opaqueCells = !grid_->cells_->AnySeeThroughBack() &&
                               grid_->BackColor().alpha() == 255 &&
                               grid_->BackColorFixed().alpha() == 255 &&
                               palette().color(QPalette::Highlight).alpha() == 255;
      if (opaqueCells && !isRightToLeft()) {
        beyond -= QRect(-horizontalOffset(), -verticalOffset(), horizontalHeader()->length(),
                        verticalHeader()->length());
      }
      if (!beyond.isEmpty()) {
        QPainter painter(viewport());
        const QBrush brush = viewport()->palette().brush(viewport()->backgroundRole());
        for (const QRect& rect : beyond) painter.fillRect(rect, brush);
      }
    }
    QTableView::paintEvent(event);
  }
};

}  // namespace internal

namespace {

constexpr int kTextMargin = 2;
constexpr double kSmallestPointSize = 6.0;

}  // namespace

int MouseButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kButtonLeft;
    case Qt::RightButton:
      return kButtonRight;
    case Qt::MiddleButton:
      return kButtonMiddle;
    default:
      return 0;
  }
}

int MouseButtonsCode(Qt::MouseButtons buttons) {
  int result = 0;
  if (buttons & Qt::LeftButton) result |= kButtonLeft;
  if (buttons & Qt::RightButton) result |= kButtonRight;
  if (buttons & Qt::MiddleButton) result |= kButtonMiddle;
  return result;
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  int result = 0;
  if (modifiers & Qt::ShiftModifier) result |= kShiftKey;
  if (modifiers & Qt::ControlModifier) result |= kCtrlKey;
  if (modifiers & Qt::AltModifier) result |= kAltKey;
  return result;
}

bool FocusChangeCounts(const QWidget& widget, const QFocusEvent& event) {
  const Qt::FocusReason reason = event.reason();
  if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason) return false;
  return reason != Qt::ActiveWindowFocusReason || widget.window()->isActiveWindow();
}

namespace {

// What the size that fits was measured for.
struct FitKey {
  QString text;
  QFont font;
  QSize area;
  int flags;
  bool operator==(const FitKey&) const = default;
};

size_t qHash(const FitKey& key, size_t seed = 0) {
  return qHashMulti(seed, key.text, key.font, key.area.width(), key.area.height(), key.flags);
}

}  // namespace

internal::GridDelegate::Fit internal::GridDelegate::FittingSize(const QFont& font,
                                                                const QRect& area, int flags,
                                                                const QString& text) {
  // Labels repeat: the same headers and periods in every table, and again whenever a table
  // is drawn afresh; each is measured once.
  static QHash<FitKey, Fit> known;
  FitKey key{text, font, area.size(), flags};
  if (const auto found = known.constFind(key); found != known.constEnd()) return *found;
  QFont fitted = font;
  // A label may run into its cell's margins as it always has; a figure must fit.
  const bool figure = IsNumericText(text);
  const auto outside = [&](const QFont& f) {
    const QRect needed = QFontMetrics(f).boundingRect(area, flags, text);
    return needed.height() > area.height() || (figure && needed.width() > area.width());
  };
  while (fitted.pointSizeF() > kSmallestPointSize && outside(fitted)) {
    fitted.setPointSizeF(std::max(fitted.pointSizeF() - 0.25, kSmallestPointSize));
  }
  // Only a figure too wide is marked: one too tall for its row still shows every digit.
  const Fit fit{
      fitted.pointSizeF(),
      figure && QFontMetrics(fitted).boundingRect(area, flags, text).width() > area.width()};
  // Kept within bounds however many different texts are drawn.
  if (known.size() >= 4096) known.clear();
  known.insert(std::move(key), fit);
  return fit;
}

void internal::GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const QRect cell = option.rect;
  const bool fixed = index.data(GridCells::kFixedRole).toBool();
  const bool current = index.data(GridCells::kCurrentRole).toBool();
  const bool wideSelection = grid_->Row() != grid_->RowSel() || grid_->Col() != grid_->ColSel();
  const bool highlighted =
      !fixed && !current && wideSelection && index.data(GridCells::kSelectedRole).toBool();

  QColor back = fixed ? grid_->BackColorFixed() : grid_->BackColor();
  const QVariant cellBack = index.data(Qt::BackgroundRole);
  if (cellBack.isValid()) back = cellBack.value<QColor>();
  if (highlighted) back = option.palette.color(QPalette::Highlight);
  painter->fillRect(cell, back);

  QColor fore = Qt::black;
  const QVariant cellFore = index.data(Qt::ForegroundRole);
  if (cellFore.isValid()) fore = cellFore.value<QColor>();
  if (highlighted) fore = option.palette.color(QPalette::HighlightedText);
  painter->setPen(fore);
  const QString text = index.data(Qt::DisplayRole).toString();
  if (!text.isEmpty()) {
    const QRect textArea = cell.adjusted(kTextMargin, 0, -kTextMargin, -1);
    const int flags = static_cast<int>(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>()) |
                      Qt::TextWordWrap;
    QFont font = index.data(Qt::FontRole).value<QFont>();
    // Cells mostly share a font; setting it anew resolves it again.
    if (painter->font() != font) painter->setFont(font);
    // Most texts fit, so each is drawn at once and the bounds it took tell whether it fitted.
    // A label that needs more lines than its row holds, or a figure wider than its column, is
    // drawn again smaller (or marked), over the cell filled afresh, rather than cut. A see-through
    // cell cannot be filled afresh: its size is found before drawing.
    const bool opaque = back.alpha() == 255;
    QRect drawn;
    if (opaque) painter->drawText(textArea, flags, text, &drawn);
    const bool fitted = opaque && drawn.height() <= textArea.height() &&
                        (drawn.width() <= textArea.width() || !IsNumericText(text));
    if (!fitted) {
      const Fit fit = FittingSize(font, textArea, flags, text);
      if (fit.marked) {
        // Filled with "#" at the cell's own size, as spreadsheets do; Copy still takes the
        // whole figure from the cell's text.
        if (opaque) painter->fillRect(cell, back);
        const double hash = std::max(QFontMetricsF(font).horizontalAdvance(QLatin1Char('#')), 1.0);
        const int hashes = std::max(static_cast<int>(textArea.width() / hash), 1);
        painter->drawText(textArea, flags & ~Qt::TextWordWrap, QString(hashes, QLatin1Char('#')));
      } else if (!opaque || fit.size != font.pointSizeF()) {
        if (opaque) painter->fillRect(cell, back);
        font.setPointSizeF(fit.size);
        painter->setFont(font);
        painter->drawText(textArea, flags, text);
      }
    }
  }

  // The grid lines on the right and at the bottom; filled, the quickest way to draw them.
  const QColor& line = fixed ? grid_->fixedGridColor_ : grid_->gridColor_;
  painter->fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), line);
  painter->fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), line);
  if (current && !fixed && grid_->hasFocus_) {
    painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter->drawRect(cell.adjusted(1, 1, -2, -2));
  }
}

GridControl::GridControl(QWidget* parent)
    : QFrame(parent),
      cells_(new GridCells(this)),
      delegate_(new internal::GridDelegate(this)),
      main_(new internal::GridView(this, this)) {
  setFocusProxy(main_);
  setFocusPolicy(Qt::StrongFocus);
  main_->setFocusPolicy(Qt::StrongFocus);
  cells_->SetBaseFont(font());
  InitView(main_);
  main_->installEventFilter(this);

  connect(cells_, &GridCells::RowMergeChanged, this, &GridControl::ApplyMerges);
  connect(cells_, &GridCells::SelectionChanged, this, [this] {
    for (internal::GridView* view : Views()) view->viewport()->update();
  });
  connect(cells_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { RowsInserted(first, last); });
  connect(cells_, &QAbstractItemModel::columnsInserted, this,
          [this](const QModelIndex&, int first, int last) { ColsInserted(first, last); });
  const auto removed = [this] {
    // Spans of the removed cells went with them; lay every merge out afresh.
    for (internal::GridView* view : Views()) view->clearSpans();
    spans_.assign(static_cast<std::size_t>(cells_->Rows()), {});
    ApplyAllMerges();
    PlaceOverlays();
  };
  connect(cells_, &QAbstractItemModel::rowsRemoved, this, removed);
  connect(cells_, &QAbstractItemModel::columnsRemoved, this, removed);
  connect(main_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (internal::GridView* view = overlays_[kTop]) view->horizontalScrollBar()->setValue(value);
  });
  connect(main_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (internal::GridView* view = overlays_[kLeft]) view->verticalScrollBar()->setValue(value);
  });

  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  QPalette framePalette = palette();
  framePalette.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
  setPalette(framePalette);
  SetBackColorBkg(backColorBkg_);
  spans_.assign(static_cast<std::size_t>(cells_->Rows()), {});
  ApplyAllSizes();
  Move(0, 0, 2 * kDefaultColWidth, 2 * DefaultRowHeight());
}

GridControl::~GridControl() = default;

std::vector<internal::GridView*> GridControl::Views() const {
  std::vector<internal::GridView*> views{main_};
  for (internal::GridView* overlay : overlays_) {
    if (overlay) views.push_back(overlay);
  }
  return views;
}

QTableView* GridControl::View() const { return main_; }

void GridControl::InitView(internal::GridView* view) {
  view->viewport()->installEventFilter(this);
  QPalette viewPalette = view->palette();
  viewPalette.setColor(QPalette::Base, backColorBkg_);
  view->setPalette(viewPalette);
  // The view fills its own background, around the cells; one that shows what lies beneath
  // is left to be filled as any widget is.
  view->viewport()->setAttribute(Qt::WA_OpaquePaintEvent, backColorBkg_.alpha() == 255);
  view->viewport()->setUpdatesEnabled(redraw_);
}

void GridControl::EnsureOverlays() {
  if (overlays_[kTop]) return;
  for (Overlay overlay : {kTop, kLeft, kCorner}) {
    auto* view = new internal::GridView(this, main_);
    view->setFocusPolicy(Qt::NoFocus);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Its cells cover all of it, so the cells beneath it are not painted only to be hidden.
    view->setAttribute(Qt::WA_OpaquePaintEvent);
    InitView(view);
    overlays_[overlay] = view;
  }
  ApplyAllSizes();
  for (internal::GridView* view : overlays_) {
    for (int row = 0; row < cells_->Rows(); ++row) {
      for (const auto& [col, count] : spans_[static_cast<std::size_t>(row)]) {
        view->setSpan(row, col, 1, count);
      }
    }
  }
  // The scrolling view's viewport moves when its scroll bars come and go.
  main_->viewport()->installEventFilter(this);
}

int GridControl::FixedWidthPixels() const {
  int width = 0;
  for (int col = 0; col < cells_->FixedCols(); ++col) width += main_->columnWidth(col);
  return width;
}

int GridControl::FixedHeightPixels() const {
  int height = 0;
  for (int row = 0; row < cells_->FixedRows(); ++row) height += main_->rowHeight(row);
  return height;
}

void GridControl::PlaceOverlays() {
  if (!overlays_[kTop]) return;
  // Laid out once when drawing is switched back on, not for every row and column added.
  if (!redraw_) {
    overlaysPending_ = true;
    return;
  }
  overlaysPending_ = false;
  const QRect port = main_->viewport()->geometry();
  const int fixedWidth = std::min(FixedWidthPixels(), port.width());
  const int fixedHeight = std::min(FixedHeightPixels(), port.height());
  const QRect places[] = {
      {port.x(), port.y(), port.width(), fixedHeight},
      {port.x(), port.y(), fixedWidth, port.height()},
      {port.x(), port.y(), fixedWidth, fixedHeight},
  };
  // Over the cells, the corner over both. Raising repaints a widget, so the overlays are
  // raised only when out of that order; the scroll bars, which Qt raises on every layout,
  // share no pixel with them.
  const QObjectList& stack = main_->children();
  qsizetype below = stack.indexOf(main_->viewport());
  bool stacked = true;
  for (Overlay overlay : {kTop, kLeft, kCorner}) {
    const qsizetype at = stack.indexOf(overlays_[overlay]);
    stacked = stacked && at > below;
    below = at;
  }
  for (Overlay overlay : {kTop, kLeft, kCorner}) {
    internal::GridView* view = overlays_[overlay];
    view->setGeometry(places[overlay]);
    view->setVisible(!places[overlay].isEmpty());
    if (!stacked) view->raise();
    view->SyncGeometries();
  }
  overlays_[kTop]->horizontalScrollBar()->setValue(main_->horizontalScrollBar()->value());
  overlays_[kTop]->verticalScrollBar()->setValue(0);
  overlays_[kLeft]->verticalScrollBar()->setValue(main_->verticalScrollBar()->value());
  overlays_[kLeft]->horizontalScrollBar()->setValue(0);
}

// ---- shape -----------------------------------------------------------------------------

int GridControl::Rows() const { return cells_->Rows(); }
int GridControl::Cols() const { return cells_->Cols(); }
int GridControl::FixedRows() const { return cells_->FixedRows(); }
int GridControl::FixedCols() const { return cells_->FixedCols(); }

void GridControl::SetRows(int rows) { cells_->SetRows(std::max(rows, cells_->FixedRows())); }
void GridControl::SetCols(int cols) { cells_->SetCols(std::max(cols, cells_->FixedCols())); }

void GridControl::SetFixedRows(int rows) {
  cells_->SetFixedRows(rows);
  if (cells_->FixedRows() > 0) EnsureOverlays();
  PlaceOverlays();
}

void GridControl::SetFixedCols(int cols) {
  cells_->SetFixedCols(cols);
  if (cells_->FixedCols() > 0) EnsureOverlays();
  PlaceOverlays();
}

void GridControl::RowsInserted(int first, int last) {
  spans_.resize(static_cast<std::size_t>(cells_->Rows()));
  // A new row comes with the views' default height; only a set height needs applying.
  for (int row = first; row <= last; ++row) {
    if (cells_->RowHeightSet(row) >= 0) ApplyRowHeight(row);
  }
  PlaceOverlays();
}

void GridControl::ColsInserted(int first, int last) {
  for (int col = first; col <= last; ++col) ApplyColWidth(col);
  PlaceOverlays();
}

// ---- current cell and selection ----------------------------------------------------------

int GridControl::Row() const { return cells_->Row(); }
void GridControl::SetRow(int row) { cells_->SetRow(row); }
int GridControl::Col() const { return cells_->Col(); }
void GridControl::SetCol(int col) { cells_->SetCol(col); }
int GridControl::RowSel() const { return cells_->RowSel(); }
void GridControl::SetRowSel(int row) { cells_->SetRowSel(row); }
int GridControl::ColSel() const { return cells_->ColSel(); }
void GridControl::SetColSel(int col) { cells_->SetColSel(col); }

QString GridControl::TextMatrix(int row, int col) const { return cells_->Text(row, col); }
void GridControl::SetTextMatrix(int row, int col, const QString& text) {
  cells_->SetText(row, col, text);
}
QString GridControl::Text() const { return cells_->Text(Row(), Col()); }
void GridControl::SetText(const QString& text) { cells_->SetText(Row(), Col(), text); }
QString GridControl::Clip() const { return cells_->Clip(); }

// ---- sizes -------------------------------------------------------------------------------

int GridControl::DefaultRowHeight() const {
  return PixelsToTwips(QFontMetrics(font()).height() + 4);
}

int GridControl::ColWidth(int col) const {
  if (col < 0 || col >= Cols()) return 0;
  const int set = cells_->ColWidthSet(col);
  return set >= 0 ? set : kDefaultColWidth;
}

void GridControl::SetColWidth(int col, int twips) {
  cells_->SetColWidth(col, twips);
  ApplyColWidth(col);
  PlaceOverlays();
}

int GridControl::RowHeight(int row) const {
  if (row < 0 || row >= Rows()) return 0;
  const int set = cells_->RowHeightSet(row);
  return set >= 0 ? set : DefaultRowHeight();
}

void GridControl::SetRowHeight(int row, int twips) {
  cells_->SetRowHeight(row, twips);
  ApplyRowHeight(row);
  PlaceOverlays();
}

void GridControl::ApplyRowHeight(int row) {
  if (row < 0 || row >= Rows()) return;
  const int pixels = TwipsToPixels(RowHeight(row));
  for (internal::GridView* view : Views()) view->setRowHeight(row, pixels);
}

void GridControl::ApplyColWidth(int col) {
  if (col < 0 || col >= Cols()) return;
  const int pixels = TwipsToPixels(ColWidth(col));
  for (internal::GridView* view : Views()) view->setColumnWidth(col, pixels);
}

void GridControl::ApplyAllSizes() {
  // Rows and columns added later start at the defaults in every view: an overlay hears of
  // them after the grid has sized them.
  for (internal::GridView* view : Views()) {
    view->verticalHeader()->setDefaultSectionSize(TwipsToPixels(DefaultRowHeight()));
    view->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(kDefaultColWidth));
  }
  for (int row = 0; row < Rows(); ++row) ApplyRowHeight(row);
  for (int col = 0; col < Cols(); ++col) ApplyColWidth(col);
  PlaceOverlays();
}

int GridControl::ContentWidth() const {
  int pixels = 2 * frameWidth();
  for (int col = 0; col < Cols(); ++col) pixels += TwipsToPixels(ColWidth(col));
  return PixelsToTwips(pixels);
}

int GridControl::ContentHeight() const {
  int pixels = 2 * frameWidth();
  for (int row = 0; row < Rows(); ++row) pixels += TwipsToPixels(RowHeight(row));
  return PixelsToTwips(pixels);
}

// ---- styles ------------------------------------------------------------------------------

int GridControl::CellAlignment() const { return cells_->CellAlignment(Row(), Col()); }
void GridControl::SetCellAlignment(int code) { cells_->SetCellAlignment(Row(), Col(), code); }
bool GridControl::CellFontBold() const { return cells_->CellFontBold(Row(), Col()); }
void GridControl::SetCellFontBold(bool bold) { cells_->SetCellFontBold(Row(), Col(), bold); }
QColor GridControl::CellForeColor() const { return cells_->CellForeColor(Row(), Col()); }
void GridControl::SetCellForeColor(const QColor& colour) {
  cells_->SetCellForeColor(Row(), Col(), colour);
}
QColor GridControl::CellBackColor() const { return cells_->CellBackColor(Row(), Col()); }
void GridControl::SetCellBackColor(const QColor& colour) {
  cells_->SetCellBackColor(Row(), Col(), colour);
}
int GridControl::ColAlignment(int col) const { return cells_->ColAlignment(col); }
void GridControl::SetColAlignment(int col, int code) { cells_->SetColAlignment(col, code); }
int GridControl::FixedAlignment(int col) const { return cells_->FixedAlignment(col); }
void GridControl::SetFixedAlignment(int col, int code) { cells_->SetFixedAlignment(col, code); }

void GridControl::SetBackColor(const QColor& colour) {
  backColor_ = colour;
  for (internal::GridView* view : Views()) view->viewport()->update();
}

void GridControl::SetBackColorFixed(const QColor& colour) {
  backColorFixed_ = colour;
  for (internal::GridView* view : Views()) view->viewport()->update();
}

void GridControl::SetBackColorBkg(const QColor& colour) {
  backColorBkg_ = colour;
  for (internal::GridView* view : Views()) {
    QPalette viewPalette = view->palette();
    viewPalette.setColor(QPalette::Base, colour);
    view->setPalette(viewPalette);
    view->viewport()->setAttribute(Qt::WA_OpaquePaintEvent, colour.alpha() == 255);
  }
}

void GridControl::SetGridColor(const QColor& colour) {
  gridColor_ = colour;
  fixedGridColor_ = colour.darker(150);
  for (internal::GridView* view : Views()) view->viewport()->update();
}

// ---- merging -----------------------------------------------------------------------------

void GridControl::SetMergeCells(int mode) {
  mergeCells_ = mode == kMergeRestrictRows ? kMergeRestrictRows : kMergeNever;
  ApplyAllMerges();
}

bool GridControl::MergeRow(int row) const { return cells_->MergeRow(row); }
void GridControl::SetMergeRow(int row, bool merge) { cells_->SetMergeRow(row, merge); }

std::vector<std::pair<int, int>> GridControl::MergedRuns(int row) const {
  if (row < 0 || row >= Rows()) return {};
  return spans_[static_cast<std::size_t>(row)];
}

void GridControl::ApplyMerges(int row) {
  if (row < 0 || row >= Rows()) return;
  if (!redraw_) {
    mergesPending_.push_back(row);
    return;
  }
  std::vector<std::pair<int, int>> runs;
  if (mergeCells_ != kMergeNever && cells_->MergeRow(row)) runs = cells_->EqualRuns(row);
  auto& laidOut = spans_[static_cast<std::size_t>(row)];
  if (runs == laidOut) return;
  for (internal::GridView* view : Views()) {
    for (const auto& [col, count] : laidOut) view->setSpan(row, col, 1, 1);
    for (const auto& [col, count] : runs) view->setSpan(row, col, 1, count);
  }
  laidOut = std::move(runs);
}

void GridControl::ApplyAllMerges() {
  for (int row = 0; row < Rows(); ++row) ApplyMerges(row);
}

// ---- drawing and scrolling ------------------------------------------------------------------

void GridControl::SetRedraw(bool redraw) {
  if (redraw_ == redraw) return;
  redraw_ = redraw;
  cells_->SetNotifying(redraw);
  if (redraw) {
    std::vector<int> pending;
    pending.swap(mergesPending_);
    std::sort(pending.begin(), pending.end());
    pending.erase(std::unique(pending.begin(), pending.end()), pending.end());
    for (int row : pending) ApplyMerges(row);
  }
  // Only the cells wait: the scroll bars repaint when they change, not whenever the cells do.
  for (internal::GridView* view : Views()) {
    view->viewport()->setUpdatesEnabled(redraw);
    if (redraw) {
      view->LayOutNow();
      view->viewport()->update();
    }
  }
  if (redraw && overlaysPending_) PlaceOverlays();
}

void GridControl::SetScrollBars(int bars) {
  scrollBars_ = std::clamp(bars, kScrollBarsNone, kScrollBarsBoth);
  ApplyScrollBars();
}

void GridControl::ApplyScrollBars() {
  const auto policy = [this](int bar) {
    return (scrollBars_ & bar) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  };
  main_->setHorizontalScrollBarPolicy(policy(kScrollBarsHorizontal));
  main_->setVerticalScrollBarPolicy(policy(kScrollBarsVertical));
}

int GridControl::TopRow() const {
  main_->SyncGeometries();
  const int row = main_->rowAt(FixedHeightPixels());
  if (row < 0) return std::min(FixedRows(), std::max(Rows() - 1, 0));
  return std::max(row, FixedRows());
}

void GridControl::SetTopRow(int row) {
  if (Rows() <= FixedRows()) return;
  row = std::clamp(row, FixedRows(), Rows() - 1);
  main_->SyncGeometries();
  QScrollBar* bar = main_->verticalScrollBar();
  const int contentTop = main_->rowViewportPosition(row) + bar->value();
  bar->setValue(contentTop - FixedHeightPixels());
}

bool GridControl::RowIsVisible(int row) const {
  if (row < 0 || row >= Rows()) return false;
  if (row < FixedRows()) return true;
  main_->SyncGeometries();
  const int top = main_->rowViewportPosition(row);
  return top >= FixedHeightPixels() && top + main_->rowHeight(row) <= main_->viewport()->height();
}

void GridControl::EnsureVisible(int row, int col) {
  main_->SyncGeometries();
  const QSize port = main_->viewport()->size();
  const auto bringIn = [](QScrollBar* bar, int start, int length, int fixedEnd, int end) {
    if (start < fixedEnd) {
      bar->setValue(bar->value() - (fixedEnd - start));
    } else if (start + length > end) {
      bar->setValue(bar->value() + std::min(start + length - end, start - fixedEnd));
    }
  };
  if (row >= FixedRows()) {
    bringIn(main_->verticalScrollBar(), main_->rowViewportPosition(row), main_->rowHeight(row),
            FixedHeightPixels(), port.height());
  }
  if (col >= FixedCols()) {
    bringIn(main_->horizontalScrollBar(), main_->columnViewportPosition(col),
            main_->columnWidth(col), FixedWidthPixels(), port.width());
  }
}

// ---- place -------------------------------------------------------------------------------

void GridControl::SetLeft(int twips) { Move(twips, top_, width_, height_); }
void GridControl::SetTop(int twips) { Move(left_, twips, width_, height_); }
void GridControl::SetWidth(int twips) { Move(left_, top_, twips, height_); }
void GridControl::SetHeight(int twips) { Move(left_, top_, width_, twips); }

void GridControl::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  ApplyGeometry();
}

void GridControl::SetBorderStyle(int style) {
  borderStyle_ = style == 0 ? 0 : 1;
  setFrameShape(borderStyle_ == 0 ? QFrame::NoFrame : QFrame::Box);
  ApplyGeometry();
}

void GridControl::ApplyGeometry() {
  const int border = 2 * frameWidth();
  setGeometry(TwipsToPixels(left_), TwipsToPixels(top_), TwipsToPixels(width_) + border,
              TwipsToPixels(height_) + border);
  // A hidden grid gets its resize event only when shown; its cells are laid out now.
  main_->setGeometry(contentsRect());
  PlaceOverlays();
}

void GridControl::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  main_->setGeometry(contentsRect());
  PlaceOverlays();
}

void GridControl::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    cells_->SetBaseFont(font());
    ApplyAllSizes();
  }
}

// ---- events ------------------------------------------------------------------------------

bool GridControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == main_) {
    switch (event->type()) {
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        FocusEvent(event);
        break;
      case QEvent::KeyPress:
        return HandleKey(event);
      case QEvent::ShortcutOverride:
        // The window's menu shortcuts come first; the grid edits nothing.
        event->ignore();
        return true;
      default:
        break;
    }
    return QFrame::eventFilter(watched, event);
  }
  if (watched == main_->viewport() && event->type() == QEvent::Resize) PlaceOverlays();
  for (internal::GridView* view : Views()) {
    if (watched != view->viewport()) continue;
    if (event->type() == QEvent::Wheel && view != main_) {
      // Overlays scroll with the grid, never on their own.
      QCoreApplication::sendEvent(main_->viewport(), event);
      return true;
    }
    return HandleMouse(view, event);
  }
  return QFrame::eventFilter(watched, event);
}

bool GridControl::HandleMouse(internal::GridView* view, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      break;
    default:
      return false;
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint position = mouse->position().toPoint();
  const QModelIndex cell = view->indexAt(position);
  mouseRow_ = cell.isValid() ? cell.row() : -1;
  mouseCol_ = cell.isValid() ? cell.column() : -1;
  const QPoint at = view->viewport()->mapTo(this, position);
  const int x = PixelsToTwips(at.x());
  const int y = PixelsToTwips(at.y());
  const int shift = ShiftCode(mouse->modifiers());
  // A handler may close the window that holds the grid.
  const QPointer<GridControl> self(this);

  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      main_->setFocus(Qt::MouseFocusReason);
      if (mouse->button() == Qt::LeftButton && cell.isValid()) {
        const bool fixedRow = mouseRow_ < FixedRows();
        const bool fixedCol = mouseCol_ < FixedCols();
        if (!fixedRow) SetRow(mouseRow_);
        if (!fixedCol) SetCol(mouseCol_);
        if (!fixedRow || !fixedCol) EnsureVisible(Row(), Col());
      }
      emit MouseDown(MouseButtonCode(mouse->button()), shift, x, y);
      break;
    }
    case QEvent::MouseButtonDblClick:
      if (mouse->button() == Qt::LeftButton) {
        clickAfterDouble_ = true;
        emit DblClick(mouseRow_, mouseCol_);
      }
      break;
    case QEvent::MouseMove:
      if ((mouse->buttons() & Qt::LeftButton) && cell.isValid() && mouseRow_ >= FixedRows() &&
          mouseCol_ >= FixedCols()) {
        SetRowSel(mouseRow_);
        SetColSel(mouseCol_);
      }
      emit MouseMove(MouseButtonsCode(mouse->buttons()), shift, x, y);
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = mouse->button() == Qt::LeftButton && !clickAfterDouble_;
      if (mouse->button() == Qt::LeftButton) clickAfterDouble_ = false;
      emit MouseUp(MouseButtonCode(mouse->button()), shift, x, y);
      if (click && self) emit Click();
      break;
    }
    default:
      break;
  }
  return true;
}

bool GridControl::HandleKey(QEvent* event) {
  const auto* key = static_cast<QKeyEvent*>(event);
  int row = Row();
  int col = Col();
  const int firstRow = std::min(FixedRows(), std::max(Rows() - 1, 0));
  const int firstCol = std::min(FixedCols(), std::max(Cols() - 1, 0));
  const int page =
      std::max(1, TwipsToPixels(height_) / std::max(1, TwipsToPixels(DefaultRowHeight())) - 1);
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return false;
    case Qt::Key_Up:
      row = std::max(row - 1, firstRow);
      break;
    case Qt::Key_Down:
      row = std::min(row + 1, Rows() - 1);
      break;
    case Qt::Key_Left:
      col = std::max(col - 1, firstCol);
      break;
    case Qt::Key_Right:
      col = std::min(col + 1, Cols() - 1);
      break;
    case Qt::Key_PageUp:
      row = std::max(row - page, firstRow);
      break;
    case Qt::Key_PageDown:
      row = std::min(row + page, Rows() - 1);
      break;
    case Qt::Key_Home:
      if (key->modifiers() & Qt::ControlModifier) row = firstRow;
      col = firstCol;
      break;
    case Qt::Key_End:
      if (key->modifiers() & Qt::ControlModifier) row = Rows() - 1;
      col = Cols() - 1;
      break;
    default:
      return true;
  }
  if (Rows() == 0 || Cols() == 0) return true;
  SetRow(row);
  SetCol(col);
  EnsureVisible(row, col);
  return true;
}

void GridControl::FocusEvent(QEvent* event) {
  if (!FocusChangeCounts(*this, *static_cast<QFocusEvent*>(event))) return;
  const bool gained = event->type() == QEvent::FocusIn;
  if (gained == hasFocus_) return;
  hasFocus_ = gained;
  for (internal::GridView* view : Views()) view->viewport()->update();
  if (gained) {
    emit GotFocus();
  } else {
    emit LostFocus();
  }
}

}  // namespace talvair::platform
