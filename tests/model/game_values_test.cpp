// Value access, period codes, errors and the small helpers of the model object.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "game_test_access.h"
#include "model/game.h"
#include "model/language.h"
#include "model/model_error.h"
#include "model/var_index.h"

namespace talvair {
namespace {

class ErrorRecorder : public GameEvents {
 public:
  void Error(int32_t code, int32_t area) override { errors.emplace_back(code, area); }
  std::vector<std::pair<int, int>> errors;
};

class GameValues : public ::testing::Test {
 protected:
  GameValues() { g.Subscribe(&recorder); }
  // Puts a recognisable value into every row of a variable without going through the model.
  void Mark(int varIndex, double base) {
    for (int row = 0; row <= kMaxRow; ++row)
      GameTestAccess::VarValues(g).Set(varIndex, row, base + row);
  }
  game g;
  ErrorRecorder recorder;
};

TEST_F(GameValues, PeriodCodesOfTheGetters) {
  Mark(var::aircraft, 100);
  GameTestAccess::Period(g) = 7;
  g.miPreviousT = 3;
  struct Case {
    int16_t code;
    double expected;
  } cases[] = {{-1, 107}, {-2, 103}, {-3, 0}, {-100, 0}, {0, 100}, {1, 101}, {41, 141}};
  for (const Case& c : cases) {
    EXPECT_EQ(g.GetVarValue(9, c.code, 0), c.expected) << c.code;
  }
  EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(GameValues, UnknownVariablesReadZeroWithoutError) {
  for (int32_t var : {0, 302, 340, -5}) {
    EXPECT_EQ(g.GetVarValue(var, 5, 0), 0) << var;
    EXPECT_EQ(g.GetDisplayValue(var, 5, 0), 0) << var;
  }
  EXPECT_TRUE(recorder.errors.empty());
}

// The ends of the number range: nothing answers, nothing fails, nothing overflows.
TEST_F(GameValues, ExtremeVariableNumbersNameNothing) {
  for (int32_t var : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min() + 4,
                      -1, 5 - 339, std::numeric_limits<int32_t>::max()}) {
    EXPECT_EQ(g.GetVarName(var, 0), "") << var;
    EXPECT_EQ(g.GetInternalVarName(var, 0), "") << var;
    EXPECT_EQ(g.GetVarValue(var, -1, 0), 0) << var;
    EXPECT_EQ(g.GetVarValueString(var, -1, 0, "0.00"), "0.00") << var;
    EXPECT_FALSE(g.StockVar(var)) << var;
  }
  EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(GameValues, ReadsOutsideTheTablesAreIndexFailures) {
  struct Case {
    int16_t period, element;
  } cases[] = {{42, 0}, {5, 11}, {5, -1}, {-3, 11}, {32767, 0}};
  for (const Case& c : cases) {
    recorder.errors.clear();
    EXPECT_EQ(g.GetVarValue(9, c.period, c.element), 0);
    EXPECT_THAT(recorder.errors, ::testing::ElementsAre(std::make_pair(9, 20)))
        << c.period << "," << c.element;
  }
  // Failures kept while a table's rows were read reach the player in the order met.
  recorder.errors.clear();
  const TrappedError kept[] = {{9, 20}, {6, 5}};
  g.RaiseErrors(kept);
  EXPECT_THAT(recorder.errors, ::testing::ElementsAre(std::make_pair(9, 20), std::make_pair(6, 5)));
}

TEST_F(GameValues, SetVarValueRowRanges) {
  struct Case {
    int16_t period;   // the model's period
    int16_t code;     // TimePeriod argument
    int firstVarRow;  // first row written in the computed values; 42 for none
  } cases[] = {{5, -1, 5}, {5, 0, 6}, {41, 0, 42}, {5, 3, 3}, {5, -2, 2}, {0, 41, 41}};
  for (const Case& c : cases) {
    game fresh;
    GameTestAccess::Period(fresh) = c.period;
    fresh.miPreviousT = 2;
    const ValueTable before = GameTestAccess::VarValues(fresh);
    const ValueTable displayBefore = GameTestAccess::DisplayValues(fresh);
    fresh.SetVarValue(68, c.code, 0, 3);
    for (int row = 0; row <= kMaxRow; ++row) {
      const double expectVar =
          row >= c.firstVarRow ? 3 : before.Get(var::decideaircraftpurchase, row);
      const double expectDisplay =
          row >= c.firstVarRow + 1 ? 3 : displayBefore.Get(var::decideaircraftpurchase, row);
      EXPECT_EQ(fresh.VarValues().Get(var::decideaircraftpurchase, row), expectVar)
          << "case " << c.period << "/" << c.code << " row " << row;
      EXPECT_EQ(fresh.DisplayValues().Get(var::decideaircraftpurchase, row), expectDisplay)
          << "case " << c.period << "/" << c.code << " row " << row;
    }
  }
}

TEST_F(GameValues, SetVarValueFailuresWriteNothing) {
  const ValueTable before = g.VarValues();
  struct Case {
    int32_t var;
    int16_t code, element;
  } cases[] = {{302, -1, 0}, {0, -1, 0}, {68, -3, 0}, {68, -1, 11}, {68, -1, -1}};
  for (const Case& c : cases) {
    recorder.errors.clear();
    g.SetVarValue(c.var, c.code, c.element, 1);
    EXPECT_THAT(recorder.errors, ::testing::ElementsAre(std::make_pair(9, 20))) << c.var;
  }
  EXPECT_TRUE(g.VarValues() == before);
}

TEST_F(GameValues, ElementsAreSeparate) {
  g.SetVarValue(68, -1, 3, 7);
  EXPECT_EQ(g.GetVarValue(68, -1, 3), 7);
  EXPECT_EQ(g.GetVarValue(68, -1, 0), 0);
}

TEST_F(GameValues, FixedProperties) {
  EXPECT_EQ(g.MaxTValue(), 41);
  EXPECT_EQ(g.VarCount(), 339);
  EXPECT_EQ(g.RunPeriod(), 1);
  EXPECT_EQ(g.StartYear(), 1981);
  EXPECT_FALSE(g.GameOver());
  EXPECT_EQ(g.Period(), 0);
}

TEST_F(GameValues, LookupsByName) {
  Mark(var::liquidation_switch, 0.5);
  EXPECT_EQ(g.GetVarNumber("Liquidation_Switch"), 162);
  EXPECT_EQ(g.GetVarValueByName("LIQUIDATION_switch", 2, 0), 2.5);
  EXPECT_EQ(g.GetVarValueByName("no_such_name", 2, 0), 0);
  EXPECT_EQ(g.GetVarValueString(9, 0, 0, "#,##0.00"), "3.00");
  EXPECT_EQ(g.GetVarValueStringByName("no_such_name", 0, 0, "#0.0"), "0.0");
  EXPECT_TRUE(g.StockVar(9));
  EXPECT_FALSE(g.StockVar(4));
  EXPECT_FALSE(g.ArrayVar(9));
  EXPECT_EQ(g.VarHelp(9), "");
}

TEST(PeriodLabels, ThreeLanguages) {
  game g;
  struct Case {
    const char* language;
    int16_t period;
    bool shortForm;
    const char* expected;
  } cases[] = {
      {"English", 1, false, "Year  1  Quarter  1"},
      {"English", 1, true, "Y 1,  Q  1"},
      {"English", 40, false, "Year  10  Quarter  4"},
      {"English", 41, false, "Year  11  Quarter  1"},
      {"Spanish", 1, false, "Año 1 Trimestre 1"},
      {"Spanish", 1, true, "A 1, T 1"},
      {"Spanish", 0, false, "Año 0 Trimestre 4"},
      {"Port", 1, false, "Ano 1 Trimestre 1"},
      {"Port", 4, true, "A 1, T 4"},
      {"Port", 5, true, "A 2, T 1"},
      {"Port", 40, false, "Ano 10 Trimestre 4"},
      {"", 2, false, "Year  1  Quarter  2"},
      {"port", 2, true, "Y 1,  Q  2"},
      {"English", -5, false, "Year  -1  Quarter  -1"},
  };
  for (const Case& c : cases) {
    CurrentLanguage = c.language;
    EXPECT_EQ(g.PeriodDescription(c.period, c.shortForm), c.expected) << c.language << c.period;
  }
  CurrentLanguage = "English";
  GameTestAccess::Period(g) = 41;
  EXPECT_EQ(g.PeriodDescription(-1, false), "Year  11  Quarter  1");
  CurrentLanguage.clear();
}

TEST(LanguageTextTest, ExactCodesOnly) {
  struct Case {
    const char* code;
    const char* expected;
  } cases[] = {{"Port", "Sair"}, {"Spanish", "Finalizar"}, {"English", "Quit"},
               {"port", "Quit"}, {"Portuguese", "Quit"},   {"", "Quit"}};
  for (const Case& c : cases) {
    EXPECT_EQ(LanguageText("Quit", "Finalizar", "Sair", c.code), c.expected) << c.code;
  }
}

TEST_F(GameValues, TimeHelpers) {
  Mark(var::pros, 10);  // row r holds 10 + r
  GameTestAccess::Period(g) = 8;
  EXPECT_EQ(g.CurrentTime(), 2.0);
  EXPECT_EQ(g.DelayedValue(var::pros, 1, -1, 0), 14);      // row 4
  EXPECT_EQ(g.DelayedValue(var::pros, 2, -1, 0), -1);      // row 0 gives the initial value
  EXPECT_EQ(g.DelayedValue(var::pros, 0.375, -1, 0), 16);  // 6.5 rounds to the even row 6
  EXPECT_EQ(g.LaggedValue(var::pros, 3), 12);              // never before row 2
  EXPECT_EQ(g.DelayedValue(var::pros, 1e6, -1, 0), -1);    // far before the start
  // A delay that names no row number at all is the overflow fault; a row past the
  // table the index fault.
  const double inf = std::numeric_limits<double>::infinity();
  struct Fault {
    double delay;
    int code;
  } faults[] = {{std::nan(""), kErrOverflow}, {inf, kErrOverflow},    {-inf, kErrOverflow},
                {1e300, kErrOverflow},        {-1e300, kErrOverflow}, {-9, kErrSubscript}};
  for (const Fault& f : faults) {
    try {
      g.DelayedValue(var::pros, f.delay, -1, 0);
      ADD_FAILURE() << "no fault for " << f.delay;
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), f.code) << f.delay;
    }
  }
  EXPECT_EQ(g.InitialValue(var::pros, 0), 10);
  EXPECT_EQ(g.IsPulseTime(1, 1, 0), 0.0);  // (8 - 2 - 4) / 4 is not whole
  GameTestAccess::Period(g) = 10;
  EXPECT_EQ(g.IsPulseTime(1, 1, 0), 1.0);
  EXPECT_EQ(g.PulseAmount(2, 1, 1), 8.0);
  EXPECT_THROW(g.IsPulseTime(1, 0, 0), ModelError);
  GameTestAccess::Period(g) = 0;
  EXPECT_EQ(g.DiscountedSum(var::pros, 0.1), 20);  // row 0 counts twice
  GameTestAccess::Period(g) = 40;
  g.FillFutureValues(var::pros, -7);
  EXPECT_EQ(g.VarValues().Get(var::pros, 41), -7);
  EXPECT_EQ(g.VarValues().Get(var::pros, 40), 50);
}

}  // namespace
}  // namespace talvair
