#include "platform/grid_control.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/twips.h"
#include "support/drawn_texts.h"

namespace talvair::platform {
namespace {

using Runs = std::vector<std::pair<int, int>>;

// A shown grid of `rows` x `cols` whose cells read "r,c".
class GridTest : public ::testing::Test {
 protected:
  void Fill(int rows, int cols) {
    grid_.SetRows(rows);
    grid_.SetCols(cols);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c)
        grid_.SetTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    grid_.Move(0, 0, 3000, 3000);
    grid_.show();
  }
  // The cell drawn at a point of the grid, whichever view draws it.
  QModelIndex CellAt(QPoint point) {
    QWidget* port = grid_.childAt(point);
    auto* view = port ? qobject_cast<QTableView*>(port->parentWidget()) : nullptr;
    return view ? view->indexAt(port->mapFrom(&grid_, point)) : QModelIndex();
  }

  GridControl grid_;
};

TEST_F(GridTest, ClipIsTheSelectionWithTabsBetweenCellsAndCarriageReturnsBetweenRows) {
  Fill(3, 3);
  struct Case {
    int row, col, rowSel, colSel;  // -1: left as setting the current cell leaves it
    const char* clip;
  };
  const Case cases[] = {
      {1, 1, 1, 1, "1,1"},
      {0, 0, 2, 2, "0,0\t0,1\t0,2\r1,0\t1,1\t1,2\r2,0\t2,1\t2,2"},
      {2, 2, 1, 0, "1,0\t1,1\t1,2\r2,0\t2,1\t2,2"},  // corners either way round
      {0, 1, 2, 1, "0,1\r1,1\r2,1"},
      {0, 0, -1, -1, "0,0"},  // a new current cell starts a new selection
  };
  for (const Case& c : cases) {
    grid_.SetRow(c.row);
    grid_.SetCol(c.col);
    if (c.rowSel >= 0) grid_.SetRowSel(c.rowSel);
    if (c.colSel >= 0) grid_.SetColSel(c.colSel);
    EXPECT_EQ(grid_.Clip(), QString::fromLatin1(c.clip)) << c.row << c.col << c.rowSel << c.colSel;
  }
}

TEST_F(GridTest, FlaggedRowsMergeRunsOfEqualTextOnlyInMergeMode2) {
  Fill(2, 4);
  struct Case {
    std::vector<const char*> texts;
    int mode;
    bool flagged;
    Runs runs;
  };
  const Case cases[] = {
      {{"a", "a", "b", "b"}, kMergeRestrictRows, true, {{0, 2}, {2, 2}}},
      {{"x", "a", "a", "y"}, kMergeRestrictRows, true, {{1, 2}}},
      {{"a", "b", "a", "b"}, kMergeRestrictRows, true, {}},
      {{"a", "a", "a", "a"}, kMergeRestrictRows, false, {}},
      {{"a", "a", "a", "a"}, kMergeNever, true, {}},
  };
  for (const Case& c : cases) {
    grid_.SetMergeCells(c.mode);
    grid_.SetMergeRow(1, c.flagged);
    for (int col = 0; col < 4; ++col)
      grid_.SetTextMatrix(1, col, QString::fromLatin1(c.texts[col]));
    EXPECT_EQ(grid_.MergedRuns(1), c.runs) << c.texts[0] << c.texts[1] << c.texts[2] << c.texts[3];
    for (const auto& [first, count] : c.runs)  // what the view draws: each run as one cell
      EXPECT_EQ(grid_.View()->columnSpan(1, first), count);
    EXPECT_TRUE(grid_.MergedRuns(0).empty());
  }

  // Merges wait for the redraw switch, then follow later texts.
  grid_.SetMergeCells(kMergeRestrictRows);
  grid_.SetMergeRow(0, true);
  grid_.SetRedraw(false);
  for (int col = 0; col < 4; ++col) grid_.SetTextMatrix(0, col, QStringLiteral("Year 1"));
  EXPECT_TRUE(grid_.MergedRuns(0).empty());
  grid_.SetRedraw(true);
  EXPECT_EQ(grid_.MergedRuns(0), (Runs{{0, 4}}));
  grid_.SetTextMatrix(0, 3, QStringLiteral("other"));
  EXPECT_EQ(grid_.MergedRuns(0), (Runs{{0, 3}}));
  EXPECT_EQ(grid_.View()->columnSpan(0, 0), 3);
}

TEST_F(GridTest, FixedRowsAndColumnsStayInViewWhileTheRestScrolls) {
  Fill(60, 12);
  grid_.SetFixedRows(1);
  grid_.SetFixedCols(1);
  const int h = TwipsToPixels(grid_.RowHeight(0));
  const int w = TwipsToPixels(grid_.ColWidth(0));
  for (const auto& [top, hidden] : {std::pair(30, 1), std::pair(1, 30)}) {
    grid_.SetTopRow(top);
    EXPECT_EQ(grid_.TopRow(), top);
    EXPECT_TRUE(grid_.RowIsVisible(0) && grid_.RowIsVisible(top));
    EXPECT_FALSE(grid_.RowIsVisible(hidden) || grid_.RowIsVisible(59));
    // The corner, the header row, the fixed column and the body.
    const std::tuple<QPoint, int, int> cells[] = {{{5, h / 2 + 1}, 0, 0},
                                                  {{w + 5, h / 2 + 1}, 0, 1},
                                                  {{5, h + h / 2 + 1}, top, 0},
                                                  {{w + 5, h + h / 2 + 1}, top, 1}};
    for (const auto& [point, row, col] : cells)
      EXPECT_EQ(CellAt(point), grid_.View()->model()->index(row, col)) << top << " " << row << col;
  }
  // A row whose bottom is the view's bottom is visible; the next is not.
  const QTableView& view = *grid_.View();
  const int bottom = view.rowViewportPosition(5) + view.rowHeight(5);
  grid_.resize(grid_.width(), grid_.height() + bottom - view.viewport()->height());
  EXPECT_TRUE(grid_.RowIsVisible(5));
  EXPECT_FALSE(grid_.RowIsVisible(6));
}

// Sizes are in twips; rows and columns added after the fixed ones line up in every view.
TEST_F(GridTest, RowsGrowEmptyAndShrinkFromTheEnd) {
  Fill(3, 2);
  grid_.SetFixedRows(1);
  grid_.SetFixedCols(1);
  grid_.SetRowHeight(0, 1000);
  grid_.SetColWidth(1, 1000);
  grid_.SetRows(8);
  grid_.SetCols(6);
  EXPECT_EQ(grid_.TextMatrix(2, 1), QStringLiteral("2,1"));
  EXPECT_EQ(grid_.TextMatrix(4, 1), QString());
  EXPECT_EQ(grid_.RowHeight(4), grid_.DefaultRowHeight());
  EXPECT_EQ(grid_.ColWidth(0), kDefaultColWidth);
  const auto views = grid_.findChildren<QTableView*>();
  ASSERT_EQ(views.size(), 4);
  for (const QTableView* view : views) {
    for (int row = 0; row < grid_.Rows(); ++row)
      EXPECT_EQ(view->rowHeight(row), TwipsToPixels(grid_.RowHeight(row))) << row;
    for (int col = 0; col < grid_.Cols(); ++col)
      EXPECT_EQ(view->columnWidth(col), TwipsToPixels(grid_.ColWidth(col))) << col;
  }
  EXPECT_EQ(grid_.View()->rowHeight(0), TwipsToPixels(1000));

  grid_.SetRow(4);
  grid_.SetRows(1);
  EXPECT_EQ(grid_.Rows(), 1);
  EXPECT_EQ(grid_.TextMatrix(0, 0), QStringLiteral("0,0"));
  EXPECT_EQ(grid_.Row(), 0);
  EXPECT_EQ(grid_.TextMatrix(3, 0), QString());  // gone, and harmless to ask
}

TEST_F(GridTest, UnsetAlignmentPutsNumbersRightAndOtherTextLeft) {
  Fill(1, 1);
  const std::tuple<const char*, int, Qt::Alignment> cases[] = {
      {"1,234", -1, Qt::AlignRight},
      {"-0.5", -1, Qt::AlignRight},
      {"$0.090", -1, Qt::AlignRight},
      {"  0.250", -1, Qt::AlignRight},
      {"          n/a", -1, Qt::AlignLeft},
      {"Aircraft", -1, Qt::AlignLeft},
      {"1,234", kAlignLeftCentre, Qt::AlignLeft},
      {"Aircraft", kAlignRightCentre, Qt::AlignRight},
      {"Year 1", kAlignCentreCentre, Qt::AlignHCenter},
  };
  for (const auto& [text, code, expected] : cases) {
    grid_.SetTextMatrix(0, 0, QString::fromLatin1(text));
    grid_.SetCellAlignment(code);
    const QVariant shown = grid_.View()->model()->index(0, 0).data(Qt::TextAlignmentRole);
    EXPECT_EQ(shown.value<Qt::Alignment>(), expected | Qt::AlignVCenter) << text << " " << code;
  }
}

// A figure too wide for its column is drawn smaller, whole; one too wide even at the smallest
// size is marked, never cut to other digits; one too tall for its row is only drawn smaller.
// A label keeps the grid's font and runs into the cell's margin as before. Bold cells are
// drawn bold, the others plain.
TEST_F(GridTest, AFigureIsDrawnWholeOrMarkedAndALabelAsBefore) {
  Fill(1, 1);
  grid_.SetColWidth(0, 800);
  const double full = grid_.View()->font().pointSizeF();
  const struct {
    const char* text;
    int alignment;
    bool bold;
    const char* drawn;  // nullptr: the text itself
    bool smaller;
    int rowHeight = 0;  // twips; 0 the grid's own
  } cases[] = {
      {"1,234", kAlignRightCentre, false, nullptr, false},
      {"-11,996.6", kAlignRightCentre, true, nullptr, true},
      {"-62,906,832,024,065,250,000", kAlignRightCentre, false, "#", false},
      {"-10,408,755,150,335,924,000.0000", kAlignLeftCentre, true, "#", false},
      {"Contrataciones", kAlignCentreCentre, true, nullptr, false},
      {"12", kAlignRightCentre, false, nullptr, true, 150},
  };
  testing::TextRecorder recorder;
  const int right = TwipsToPixels(800) - 2;  // the text area's right edge
  for (const auto& c : cases) {
    grid_.SetTextMatrix(0, 0, QString::fromLatin1(c.text));
    grid_.SetCellAlignment(c.alignment);
    grid_.SetCellFontBold(c.bold);
    grid_.SetRowHeight(0, c.rowHeight != 0 ? c.rowHeight : grid_.DefaultRowHeight());
    const auto drawn = recorder.Cell(*grid_.View(), grid_.View()->model()->index(0, 0));
    ASSERT_EQ(drawn.size(), 1u) << c.text;
    const testing::DrawnText& text = drawn.front();
    if (c.drawn == nullptr) {
      EXPECT_EQ(text.text, QString::fromLatin1(c.text));
    } else {
      EXPECT_EQ(text.text, QString(text.text.size(), QLatin1Char('#'))) << c.text;
      EXPECT_GT(text.text.size(), 1) << c.text;  // the cell's width of them
    }
    EXPECT_EQ(text.font.bold(), c.bold) << c.text;
    EXPECT_EQ(text.font.pointSizeF() < full, c.smaller) << c.text;
    if (c.alignment != kAlignCentreCentre) {  // the label may run into the margin
      EXPECT_TRUE(text.left >= 2 - 0.5 && text.right <= right + 0.5)
          << c.text << " " << text.left << " " << text.right;
    }
  }
  // A label too tall for its row shrinks only until its lines fit, however wide they are.
  grid_.SetRowHeight(0, 480);
  std::vector<double> sizes;
  for (const char* label : {"Contrataciones\r\nde\r\npersonal", "C\r\nde\r\npersonal"}) {
    grid_.SetTextMatrix(0, 0, QString::fromLatin1(label));
    const auto drawn = recorder.Cell(*grid_.View(), grid_.View()->model()->index(0, 0));
    ASSERT_FALSE(drawn.empty()) << label;
    sizes.push_back(drawn.back().font.pointSizeF());  // the last drawing is the one shown
  }
  EXPECT_LT(sizes[0], full);
  EXPECT_EQ(sizes[0], sizes[1]);
}

// The grid's own background shows beyond the cells, wherever they are scrolled to, and
// beneath a cell whose colour lets it through.
TEST_F(GridTest, TheBackgroundShowsBeyondTheCellsAndBeneathSeeThroughOnes) {
  Fill(40, 2);
  const QColor bkg(0, 0, 255);
  grid_.SetBackColorBkg(bkg);
  const int colWidth = TwipsToPixels(kDefaultColWidth);
  for (const int alpha : {255, 128}) {
    grid_.SetRow(0);
    grid_.SetCol(0);
    grid_.SetCellBackColor(QColor(255, 0, 0, alpha));
    grid_.SetTopRow(0);
    QImage shown = grid_.View()->viewport()->grab().toImage();
    const QColor cell = shown.pixelColor(colWidth - 5, 2);
    EXPECT_EQ(cell.blue() > 100, alpha < 255) << alpha;  // blue: the background beneath
    EXPECT_GT(cell.red(), 100) << alpha;
    EXPECT_EQ(shown.pixelColor(2 * colWidth + 10, 10), bkg) << alpha;
    grid_.SetTopRow(30);
    shown = grid_.View()->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(2 * colWidth + 10, 10), bkg) << alpha;
  }
}

TEST_F(GridTest, ClicksMoveTheCurrentCellAndReportTheCell) {
  Fill(5, 4);
  grid_.SetFixedRows(1);
  QSignalSpy clicks(&grid_, &GridControl::Click);
  QSignalSpy doubles(&grid_, &GridControl::DblClick);
  QSignalSpy downs(&grid_, &GridControl::MouseDown);
  const int rowHeight = TwipsToPixels(grid_.RowHeight(1));
  const int colWidth = TwipsToPixels(kDefaultColWidth);
  QWidget* body = grid_.View()->viewport();

  QTest::mouseClick(body, Qt::LeftButton, {}, QPoint(2 * colWidth + 4, 3 * rowHeight + 4));
  EXPECT_EQ(std::pair(grid_.Row(), grid_.Col()), std::pair(3, 2));
  EXPECT_EQ(clicks.count(), 1);
  ASSERT_EQ(downs.count(), 1);
  EXPECT_EQ(downs.at(0).at(0).toInt(), kButtonLeft);

  // A click on the fixed header row picks the column only.
  QWidget* header = grid_.childAt(QPoint(colWidth + 4, rowHeight / 2 + 1));
  ASSERT_NE(header, nullptr);
  QTest::mouseDClick(header, Qt::LeftButton, {}, header->mapFrom(&grid_, QPoint(colWidth + 4, 4)));
  ASSERT_EQ(doubles.count(), 1);
  EXPECT_EQ(std::pair(doubles.at(0).at(0).toInt(), doubles.at(0).at(1).toInt()), std::pair(0, 1));
  EXPECT_EQ(grid_.Row(), 3);

  QTest::mouseClick(body, Qt::RightButton, {}, QPoint(4, 4 * rowHeight + 4));
  EXPECT_EQ(grid_.Row(), 3);  // only the left button moves the current cell
  EXPECT_EQ(downs.last().at(0).toInt(), kButtonRight);
}

}  // namespace
}  // namespace talvair::platform
