#include "platform/chart_control.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QCoreApplication>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace talvair::platform {
namespace {

using namespace chart;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Point {
  double value;
  bool noValue;
};

// Fills series 1 point by point, as the graph registry does.
void Fill(ChartControl& control, const std::vector<Point>& points) {
  control.Set(kChartPointCount, static_cast<double>(points.size()));
  control.Set(kChartCurrentSeries, 1);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const int p = static_cast<int>(i) + 1;
    control.Set(kChartCurrentPoint, p);
    control.Set(kChartValue, points[i].value);
    control.Set(kNoValue, p, points[i].noValue ? 1 : 0);
  }
}

TEST(ChartControlTest, OnlyPointsHoldingAFiniteValueAreDrawnAndScaleTheValueAxis) {
  struct Case {
    const char* name;
    std::vector<Point> points;
    int drawn;
    double low, high;  // the values the axis must cover
  };
  const Case cases[] = {
      {"marked tail", {{5, false}, {7, false}, {1e9, true}, {-1e9, true}}, 2, 5, 7},
      {"marked middle", {{-3, false}, {1e6, true}, {4, false}}, 2, -3, 4},
      {"one point", {{2.5, false}, {0, true}}, 1, 2.5, 2.5},
      {"not finite", {{1, false}, {kNaN, false}, {kInf, false}, {3, false}}, 2, 1, 3},
  };
  for (const Case& c : cases) {
    ChartControl control;
    Fill(control, c.points);
    EXPECT_EQ(control.DrawnPoints(1), 0) << c.name << ": nothing shows before ChartDraw";
    control.Set(kChartDraw, kDrawNow);
    EXPECT_EQ(control.DrawnPoints(1), c.drawn) << c.name;
    const auto [low, high] = control.ValueAxisRange();
    EXPECT_LT(low, c.low) << c.name;
    EXPECT_GT(high, c.high) << c.name;
    // A marked extreme would have stretched the axis far beyond the values.
    EXPECT_LT(high - low, 100.0) << c.name;
  }
}

TEST(ChartControlTest, StrayNumbersAndIndexesChangeNothing) {
  ChartControl control;
  Fill(control, {{1, false}, {2, false}});
  for (const QVariant& count : {QVariant(0), QVariant(-5), QVariant(1e12), QVariant("x")}) {
    control.Set(kChartPointCount, count);
    control.Set(kChartSeriesCount, count);
    control.Set(kChartCurrentPoint, count);
  }
  control.Set(kChartCurrentSeries, 2);
  control.Set(kNoValue, 3, 1);
  control.Set(kChartLegend, 2, "Debt");
  EXPECT_EQ(control.Get(kChartPointCount).toInt(), 2);
  EXPECT_EQ(control.Get(kChartSeriesCount).toInt(), 1);
  EXPECT_EQ(control.Get(kChartCurrentPoint).toInt(), 2);
  control.Set(kChartDraw, kDrawNow);
  EXPECT_EQ(control.DrawnPoints(1), 2);
  EXPECT_EQ(control.Value(1, 2), 2.0);
  EXPECT_EQ(control.Legend(2), QString());
  // The largest count taken, and one more.
  control.Set(kChartPointCount, 4096);
  control.Set(kChartPointCount, 4097);
  EXPECT_EQ(control.Get(kChartPointCount).toInt(), 4096);
}

// A chart drawn again with its axes unchanged reuses the last layout; what it shows must be
// what a chart drawn afresh shows, also after a resize in between.
TEST(ChartControlTest, ADrawOnTheLastLayoutShowsWhatAFreshDrawShows) {
  const std::vector<Point> first = {{1, false}, {5, false}, {2, false}, {4, false}};
  const std::vector<Point> second = {{5, false}, {1, false}, {4, false}, {2, false}};
  for (const bool resized : {false, true}) {
    SCOPED_TRACE(resized ? "resized" : "same size");
    ChartControl again;
    again.resize(320, 240);
    again.show();
    Fill(again, first);
    again.Set(kChartDraw, kDrawNow);
    again.EnsureDrawn();
    if (resized) again.resize(400, 260);
    Fill(again, second);  // the same range: the axes stay as they are
    again.Set(kChartDraw, kDrawNow);
    again.EnsureDrawn();

    ChartControl fresh;
    fresh.resize(again.size());
    fresh.show();
    Fill(fresh, second);
    fresh.Set(kChartDraw, kDrawNow);
    fresh.EnsureDrawn();
    EXPECT_EQ(again.grab().toImage(), fresh.grab().toImage());
  }
}

// What QCustomPlot's own replot of the chart's plot shows: every layer drawn anew.
QImage Replotted(ChartControl& control) {
  control.findChild<QCustomPlot*>()->replot();
  return control.grab().toImage();
}

// What one draw shows: the values of two series (crossing, and touching the axes' ends), the
// x-axis labels, the legends and the chart's size.
struct ChartState {
  std::vector<double> first, second;
  std::vector<QString> labels;  // by point; empty for none
  QStringList legends;
  QSize size;
};

// Writes the state and asks for a draw, as the graph registry does each quarter.
void Put(ChartControl& control, const ChartState& state) {
  control.resize(state.size);
  control.Set(kChartSeriesCount, 2);
  control.Set(kLegendStyle, kLegendBelow);
  control.Set(kChartPointCount, static_cast<double>(state.first.size()));
  for (int s = 1; s <= 2; ++s) {
    const std::vector<double>& values = s == 1 ? state.first : state.second;
    control.Set(kChartCurrentSeries, s);
    control.Set(kChartLegend, s, state.legends.value(s - 1));
    control.Set(kAxisLabelMode, kAxisLabelsFromPoints);
    for (std::size_t i = 0; i < values.size(); ++i) {
      const int p = static_cast<int>(i) + 1;
      control.Set(kChartCurrentPoint, p);
      control.Set(kChartValue, values[i]);
      control.Set(kNoValue, p, std::isnan(values[i]) ? 1 : 0);
      control.Set(kChartPointLabel, i < state.labels.size() ? state.labels[i] : QString());
    }
  }
  control.Set(kChartDraw, kDrawNow);
}

void Show(ChartControl& control, const ChartState& state) {
  Put(control, state);
  control.EnsureDrawn();
  // A legend of another height resizes the plot once the layout's request comes through.
  QCoreApplication::sendPostedEvents();
  control.EnsureDrawn();
}

// A chart keeps what does not change between draws as pictures of its last layout, and
// those of its key axis while only the value range moves. After every kind of change, and
// after a further draw on the layout that follows it, it must show what a chart drawn once
// with the same state shows, pixel for pixel.
TEST(ChartControlTest, AChartDrawnOverItsKeptPicturesShowsWhatAFreshDrawShows) {
  const QSize size(300, 136);
  const std::vector<QString> years = {"0", "", "", "", "1", "", "", "", "2"};
  const QStringList english = {"Revenue", "Breakeven"};
  const ChartState start = {
      {1, 5, 2, 4, 3, 5, 1, kNaN, kNaN}, {5, 1, 4, 2, 3, 1, 5, kNaN, kNaN}, years, english, size};
  ChartState sameRanges = start;  // another quarter's curves within the same ranges
  sameRanges.first = {5, 1, 4, 3, 2, 1, 5, 2, kNaN};
  ChartState valueRange = start;  // the value axis moves, its labels as wide as before
  valueRange.first = {1, 5, 2, 4, 3, 5, 1, 8, kNaN};
  ChartState widerLabels = start;  // the value axis's labels widen the left margin
  widerLabels.second = {5000, 1, 4, 2, 3, 1, 5, kNaN, kNaN};
  ChartState keyLabels = start;
  keyLabels.labels = {"", "0", "", "", "", "1"};
  ChartState resized = start;
  resized.size = QSize(380, 170);
  ChartState language = start;  // longer legends that take two lines
  language.legends = {"Receita Passageiro Milhas do trimestre",
                      "Equilibrio entre receitas e custos"};

  const struct Case {
    const char* name;
    const ChartState* next;
    bool laidOut;  // the next draw lays the plot out again
  } cases[] = {
      {"same ranges", &sameRanges, false},  {"value range", &valueRange, true},
      {"wider labels", &widerLabels, true}, {"key labels", &keyLabels, true},
      {"resized", &resized, true},          {"language", &language, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartControl kept;
    kept.show();
    Show(kept, start);
    const int layouts = kept.Layouts();
    Show(kept, *c.next);
    EXPECT_EQ(kept.Layouts() > layouts, c.laidOut);

    ChartControl fresh;
    fresh.show();
    Show(fresh, *c.next);
    EXPECT_EQ(kept.grab().toImage(), fresh.grab().toImage());

    // Then a draw on the layout that followed: other curves, the same ranges.
    ChartState after = *c.next;
    std::swap(after.first[1], after.first[3]);
    const int before = kept.Layouts();
    Show(kept, after);
    EXPECT_EQ(kept.Layouts(), before);
    ChartControl freshAfter;
    freshAfter.show();
    Show(freshAfter, after);
    EXPECT_EQ(kept.grab().toImage(), freshAfter.grab().toImage());
    // Composed from its pictures, the chart shows what drawing every layer anew shows.
    EXPECT_EQ(kept.grab().toImage(), Replotted(kept));
  }
}

// Charts drawn together compose side by side on several threads: each must show what it
// shows drawn alone, after a first draw and after a quarter drawn on the kept layout.
TEST(ChartControlTest, ChartsDrawnTogetherShowWhatEachShowsAlone) {
  std::vector<std::unique_ptr<ChartControl>> together;
  std::vector<ChartControl*> charts;
  std::vector<ChartState> next;
  for (int i = 0; i < 12; ++i) {
    const ChartState start = {{1, 5.0 + i, 2, 4, 3, 5, 1, kNaN, kNaN},
                              {5, 1, 4, 2 + 0.5 * i, 3, 1, 5, kNaN, kNaN},
                              {"0", "", "", "", "1"},
                              {"Revenue", "Breakeven"},
                              QSize(260 + 10 * i, 120 + 4 * i)};
    ChartState after = start;
    after.first[7] = 2.5;
    together.push_back(std::make_unique<ChartControl>());
    together.back()->show();
    Show(*together.back(), start);
    charts.push_back(together.back().get());
    next.push_back(after);
  }
  for (std::size_t i = 0; i < charts.size(); ++i) Put(*charts[i], next[i]);
  DrawAndFlush(charts);
  for (std::size_t i = 0; i < charts.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(charts[i]->Stale());
    ChartControl alone;
    alone.show();
    Show(alone, next[i]);
    EXPECT_EQ(charts[i]->grab().toImage(), alone.grab().toImage());
  }
}

}  // namespace
}  // namespace talvair::platform
