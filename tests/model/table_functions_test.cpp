// The table function to the bit, and the small numeric helpers.
#include "model/table_functions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace talvair {
namespace {

const std::vector<double> kEleven = {0, 1, 4, 9, 16, 25, 36, 49, 64, 81, 100};

TEST(GraphTest, ClampsAndInterpolates) {
  struct Case {
    double x;
    float start, step;
    std::vector<double> y;
    double expected;
  } cases[] = {
      {0, 0, 0.2f, kEleven, 0},
      {5, 0, 0.2f, kEleven, 100},
      {-1, 0, 0.2f, kEleven, 0},
      {0.25, 0, 0.5f, {0, 10, 40}, 5},
      {1, 0, 0.5f, {0, 10, 40}, 40},
      {0.5, 0, 0.5f, {0, 10, 40}, 10},
      {1981.5, 1981, 1, {10, 20, 30}, 15},
      {7, 0, 1, {3}, 3},
      {-7, 0, 1, {3}, 3},
      {std::numeric_limits<double>::quiet_NaN(), 0, 1, {3}, 3},
      {0.75, 0, 0.5f, {40, 10, 0}, 5},
      {2, 1, 0, {1, 2, 3}, 3},
      {1, 1, 0, {1, 2, 3}, 1},
      {0.5, 1, -1, {1, 2, 3}, 1},
      {5, 1, -1, {1, 2, 3}, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Graph(c.x, c.start, c.step, c.y), c.expected) << c.x;
  }
}

TEST(GraphTest, PointsAreSinglePrecision) {
  // 0.2 lies below the single-precision point nearest 0.2, so it is clamped to y(1)...
  EXPECT_EQ(Graph(0.2, 0, 0.2f, {5, 7, 9}), 5 + 2 * ((0.2 - 0) / static_cast<double>(0.2f)));
  // ...and 0.4 falls just short of the third point.
  const double at04 = Graph(0.4, 0, 0.2f, kEleven);
  EXPECT_LT(at04, 4.0);
  EXPECT_NEAR(at04, 4.0, 1e-6);
  // The point is formed in double and rounded once: 3 * 0.1f + 0.7f.
  const float x4 = static_cast<float>(3.0 * static_cast<double>(0.1f) + static_cast<double>(0.7f));
  EXPECT_EQ(Graph(static_cast<double>(x4), 0.7f, 0.1f, {0, 1, 2, 3, 4}), 3.0);
  EXPECT_EQ(GraphStep(0.25, 0, 0.5f, std::vector<double>{0, 10, 40}), 5);
}

TEST(GraphTest, DescendingSegmentsMatchAscendingForm) {
  for (double x : {0.1, 0.33, 0.77, 0.9}) {
    const double down = Graph(x, 0, 1, {10, 2});
    EXPECT_DOUBLE_EQ(down, 10 - x * 8) << x;
  }
}

// A table of any length 2..80 built at run time, as the equations build theirs at compile time.
template <std::size_t N>
double LookUp(float start, float increment, const std::vector<double>& y, double x) {
  double values[N];
  std::copy_n(y.begin(), N, values);
  return Table<N>(start, increment, values)(x);
}
template <std::size_t... I>
constexpr auto LookUps(std::index_sequence<I...>) {
  return std::array{&LookUp<I + 2>...};
}
constexpr auto kLookUps = LookUps(std::make_index_sequence<79>{});

// Every lookup table in the equations' sources gives bit for bit what Graph computes from the
// same numbers: at, just beside and between its points, beyond both ends, and for
// infinities and NaN.
TEST(TableTest, EveryEquationTableEqualsGraph) {
  std::string sources;
  for (const auto& file :
       std::filesystem::directory_iterator(std::string(TALVAIR_SOURCE_DIR) + "/model")) {
    if (file.path().filename().string().starts_with("sector_")) {
      std::ifstream in(file.path());
      std::ostringstream text;
      text << in.rdbuf();
      sources += text.str();
    }
  }
  int tables = 0;
  for (std::size_t at = sources.find("Table{"); at != std::string::npos;
       at = sources.find("Table{", at + 1), ++tables) {
    // Table{start, increment, {y, ...}}
    const std::size_t open = sources.find('{', at + 6);
    const std::size_t close = sources.find('}', open);
    ASSERT_EQ(sources.substr(close, 2), "}}") << sources.substr(at, 40);
    std::string head = sources.substr(at + 6, open - at - 6);
    std::string list = sources.substr(open + 1, close - open - 1);
    std::ranges::replace(head, ',', ' ');
    std::ranges::replace(list, ',', ' ');
    std::istringstream headIn(head);
    double startText = 0;
    double incrementText = 0;
    ASSERT_TRUE(headIn >> startText >> incrementText) << head;
    const float start = static_cast<float>(startText);
    const float increment = static_cast<float>(incrementText);
    std::vector<double> y;
    std::istringstream listIn(list);
    for (double v; listIn >> v;) y.push_back(v);
    ASSERT_GE(y.size(), 2u);
    ASSERT_LE(y.size(), 80u);
    std::vector<double> xs = {
        -1e300, -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
        1e300,  std::numeric_limits<double>::quiet_NaN(), 0.0,
        -0.0};
    for (std::size_t i = 0; i < y.size(); ++i) {
      const double at = XPoint(i, start, increment);
      const double next = XPoint(i + 1, start, increment);
      for (double x : {at, std::nextafter(at, -1e300), std::nextafter(at, 1e300),
                       at + (next - at) / 3, at + (next - at) / 2, at - 1, at + 0.7}) {
        xs.push_back(x);
      }
    }
    for (double x : xs) {
      const double want = Graph(x, start, increment, y);
      const double got = kLookUps[y.size() - 2](start, increment, y, x);
      EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(want))
          << "table " << tables + 1 << " at " << x;
    }
  }
  EXPECT_GE(tables, 40);
}

TEST(NumericHelpers, SmallFunctions) {
  EXPECT_EQ(Max(2, 2), 2);
  EXPECT_EQ(Max(-1, 3), 3);
  EXPECT_EQ(MinOfArray({0.16, 0.5}), 0.16);
  EXPECT_EQ(MinOfArray({4, 4}), 4);
  EXPECT_EQ(MinOfArray({3, -2, 7}), -2);
  EXPECT_EQ(DivideOrZero(5, 0), 0);
  EXPECT_EQ(DivideOrOne(5, 0), 1);
  EXPECT_EQ(DivideOrZero(-3, 2), -1.5);
  EXPECT_EQ(MeanOfArray(std::vector<double>{}), 0);
  EXPECT_EQ(MeanOfArray(std::vector<double>{1, 2, 6}), 3);
  EXPECT_EQ(IIf(false, 1, 2), 2);
  EXPECT_EQ(StepValue(5, 0.25), 5);
  EXPECT_EQ(StepValue(5, 0.3), 0);
  EXPECT_DOUBLE_EQ(ModReal(7.5, 2), 1.5);
  EXPECT_EQ(IntegerIdentity(-12), -12);
  EXPECT_EQ(Random(3, 3, 1), 3);
  const double r = Random(1, 10, 42);
  EXPECT_GE(r, 1);
  EXPECT_LT(r, 10);
  EXPECT_EQ(r, Random(1, 10, 42));  // reseeded on every call
}

TEST(NumericHelpers, ShiftTextRoundTrips) {
  EXPECT_EQ(ShiftEncodeText(std::string(1, static_cast<char>(150))),
            std::string(1, static_cast<char>(255)));
  EXPECT_EQ(ShiftEncodeText(std::string(1, static_cast<char>(151))), std::string(1, '\x01'));
  std::string all;
  for (int b = 1; b <= 255; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(ShiftDecodeText(ShiftEncodeText(all)), all);
  EXPECT_EQ(ShiftEncodeText(all).size(), all.size());
}

}  // namespace
}  // namespace talvair
