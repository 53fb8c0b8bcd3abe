#include "platform/chart_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace talvair::platform {
namespace {

using namespace chart;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
      {"not finite", {{1, false}, {kNaN, false}, {INFINITY, false}, {3, false}}, 2, 1, 3},
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

TEST(ChartControlTest, LegendRowShowsTheNamedSeriesOnlyOnceSwitchedOn) {
  struct Case {
    bool legendOn;
    std::vector<QString> legends;
    QStringList shown;
  };
  const Case cases[] = {
      {true, {"", "Breakeven"}, {"Breakeven"}},
      {true, {"Fleet", "Serv", "Mktg", "Int"}, {"Fleet", "Serv", "Mktg", "Int"}},
      {true, {""}, {}},
      {false, {"Revenue"}, {}},
  };
  for (const Case& c : cases) {
    ChartControl control;
    control.Set(kChartSeriesCount, static_cast<int>(c.legends.size()));
    if (c.legendOn) control.Set(kLegendStyle, kLegendBelow);
    for (std::size_t s = 0; s < c.legends.size(); ++s) {
      control.Set(kChartLegend, static_cast<int>(s) + 1, c.legends[s]);
    }
    control.Set(kChartDraw, kDrawNow);
    EXPECT_EQ(control.LegendEntries(), c.shown) << c.shown.join(",").toStdString();
  }
}

TEST(ChartControlTest, StrayNumbersAndIndexesChangeNothing) {
  ChartControl control;
  Fill(control, {{1, false}, {2, false}});
  const struct {
    int id;
    int index;  // 0: not an indexed property
    QVariant value;
  } strays[] = {
      {kChartPointCount, 0, 0},         {kChartPointCount, 0, -5},
      {kChartPointCount, 0, 1e12},      {kChartSeriesCount, 0, 0},
      {kChartCurrentSeries, 0, 2},      {kChartCurrentPoint, 0, 3},
      {kChartCurrentPoint, 0, "x"},     {kNoValue, 0, 1},
      {kNoValue, 3, 1},                 {kChartLegend, 2, "Debt"},
      {999, 0, 1},                      {999, 4, 1},
  };
  for (const auto& stray : strays) {
    if (stray.index == 0) {
      control.Set(stray.id, stray.value);
    } else {
      control.Set(stray.id, stray.index, stray.value);
    }
  }
  EXPECT_EQ(control.Get(kChartPointCount).toInt(), 2);
  EXPECT_EQ(control.Get(kChartSeriesCount).toInt(), 1);
  EXPECT_EQ(control.Get(kChartCurrentPoint).toInt(), 2);
  control.Set(kChartDraw, kDrawNow);
  EXPECT_EQ(control.DrawnPoints(1), 2);
  EXPECT_EQ(control.Value(1, 2), 2.0);
  EXPECT_EQ(control.Legend(2), QString());
}

}  // namespace
}  // namespace talvair::platform
