// The value table: checked access and a clear that reaches every value written.
#include "model/value_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/model_error.h"

namespace talvair {
namespace {

// Clear skips the elements nothing wrote to: whatever path wrote a value, in whatever element,
// the cleared table equals a new one, also when the write reached it through a copy.
TEST(ValueTableTest, ClearZeroesEveryWrittenValue) {
  struct Path {
    std::string name;
    std::function<void(ValueTable&, int element)> write;
  };
  const Path paths[] = {
      {"Set", [](ValueTable& t, int e) { t.Set(338, kMaxRow, e, 1.5); }},
      {"Row", [](ValueTable& t, int e) { t.Row(17, e)[0] = -2; }},
      {"Rows", [](ValueTable& t, int e) { t.Rows(39, 3, e).back() = 5; }},
      {"Reset",
       [](ValueTable& t, int e) {
         t.Set(3, 3, e, 6);
         const std::vector<double> image(std::size_t{kRows} * kVarSlots, 7.0);
         t.Reset(image);
         EXPECT_EQ(t.Get(3, 3, e), e == 0 ? 7.0 : 0.0);
         EXPECT_EQ(t.Get(338, kMaxRow), 7.0);
       }},
      {"copy",
       [](ValueTable& t, int e) {
         ValueTable other;
         other.Set(1, 0, e, 3);
         t = other;
       }},
      {"copy construction",
       [](ValueTable& t, int e) {
         ValueTable other;
         other.Set(200, 20, e, 4);
         ValueTable copy(other);
         t = copy;
       }},
  };
  const ValueTable fresh;
  for (const Path& path : paths) {
    for (int e = 0; e < kElements; ++e) {
      ValueTable t;
      t.Clear();  // nothing written yet
      path.write(t, e);
      EXPECT_FALSE(t == fresh) << path.name << " element " << e;
      t.Clear();
      EXPECT_TRUE(t == fresh) << path.name << " element " << e;
      path.write(t, e);  // and again after a clear
      t.Clear();
      EXPECT_TRUE(t == fresh) << path.name << " element " << e;
    }
  }
}

// A block of rows reaches nothing outside the table; nor does an image of the wrong size.
TEST(ValueTableTest, RowBlocksStayInside) {
  ValueTable t;
  EXPECT_EQ(t.Rows(39, 3).size(), 3u * kVarSlots);
  EXPECT_THROW(t.Rows(40, 3), ModelError);
  EXPECT_THROW(t.Rows(-1, 2), ModelError);
  EXPECT_THROW(t.Rows(5, 0), ModelError);
  EXPECT_THROW(t.Reset(std::vector<double>(kVarSlots)), ModelError);
}

}  // namespace
}  // namespace talvair
