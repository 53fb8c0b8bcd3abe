#include "platform/chart_control.h"

#include <gtest/gtest.h>

#include <limits>
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

}  // namespace
}  // namespace talvair::platform
