#include "numtext/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace talvair::numtext {
namespace {

const NumberLocale kEnglish{".", ","};
const NumberLocale kBrazil{",", "."};
const NumberLocale kNbspGroups{",", "\xC2\xA0"};

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(FormatNumberTest, EnglishPatterns) {
  const std::vector<FormatCase> cases = {
      // "#" before the point disappears when the integer part is zero.
      {0.5, "#.00", ".50"},
      {1234.5, "#.00", "1234.50"},
      {-12.3, "#.00", "-12.30"},
      // Rounding half away from zero on the decimal text of the value.
      {2.345, "0.00", "2.35"},
      {1.005, "#0.00", "1.01"},
      {-2.5, "#0", "-3"},
      {9.995, "##0.00", "10.00"},
      {0.12345, "#,##0.000", "0.123"},
      {0.999, "#.00", "1.00"},
      // Extra integer digits are all shown; "0" pads.
      {12345, "#0", "12345"},
      {7, "000", "007"},
      {1234.56, "#,##0", "1,235"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {999.96, "#,##0.0", "1,000.0"},
      {-1234.5, "##,##0.0", "-1,234.5"},
      // Optional decimals drop trailing zeros only down to the last "0".
      {1.5, "#0.0#", "1.5"},
      {1.25, "#0.0#", "1.25"},
      {1, "#0.0#", "1.0"},
      {1.255, "#0.0#", "1.26"},
      // No minus on a value that rounds to zero.
      {-0.04, "#,##0.0", "0.0"},
      {-0.004, "#.00", ".00"},
      {-0.0, "#0", "0"},
      // Literal text: the minus goes in front of everything.
      {-1.5, "$#0.00", "-$1.50"},
      {1234.56, "$#,##0.0", "$1,234.6"},
      {-3.25, "        ##0.0", "-        3.3"},
      {12, "#0 m.", "12 m."},
      // A digit is always written, so the text reads back as a number.
      {0.0, "#", "0"},
      {0.001, "#.##", "0."},
      // Patterns without placeholders are copied; an empty one gives plain text.
      {5, "n/a", "n/a"},
      {5, "", "5"},
      {1e20, "#,##0", "100,000,000,000,000,000,000"},
      {1e-300, "#0.00", "0.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kEnglish), c.expected)
        << c.value << " with \"" << c.pattern << "\"";
  }
}

TEST(FormatNumberTest, UsesTheLocaleSigns) {
  const std::vector<FormatCase> brazil = {
      {1234567.891, "#,##0.00", "1.234.567,89"}, {0.5, "#.00", ",50"}, {-1.5, "$#0.00", "-$1,50"}};
  for (const auto& c : brazil) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, kBrazil), c.expected) << c.pattern;
  }
  EXPECT_EQ(FormatNumber(1234567.5, "#,##0.0", kNbspGroups),
            "1\xC2\xA0"
            "234\xC2\xA0"
            "567,5");
}

TEST(FormatNumberTest, NonFiniteValuesGiveText) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatNumber(kInf, "#,##0.00"), "Infinity");
  EXPECT_EQ(FormatNumber(-kInf, "#,##0.00"), "-Infinity");
  EXPECT_EQ(FormatNumber(std::nan(""), "#.00"), "NaN");
  EXPECT_EQ(FormatDecision(std::nan("")), "NaN");
}

struct ParseCase {
  const char* text;
  std::optional<double> expected;
};

void ExpectParses(const std::vector<ParseCase>& cases, const NumberLocale& locale,
                  ParseOptions options) {
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(c.text, locale, options), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseNumberTest, EnglishWithGrouping) {
  ExpectParses({{"42", 42},
                {"  -1.25\t", -1.25},
                {"+7", 7},
                {".5", 0.5},
                {"5.", 5},
                {"007", 7},
                {"1,234", 1234},
                {"1,234,567.5", 1234567.5},
                {"12,345", 12345},
                {"-0", 0}},
               kEnglish, {true});
  const std::vector<const char*> refused = {
      "", " \t ", ".", "-", "- 5", "--5", "1.2.3", "1e5", "0x10", "inf", "nan", "12a", "1 000",
      // Misplaced groups.
      ",123", "1,23", "1,2345", "1234,567", "1,234,", "1,,234", "1,23,456", "1.234,5", "1,234.5,6"};
  for (const char* text : refused)
    EXPECT_EQ(ParseNumber(text, kEnglish), std::nullopt) << '"' << text << '"';
}

TEST(ParseNumberTest, DecisionsRefuseGrouping) {
  EXPECT_EQ(ParseDecision("10,000", kEnglish), std::nullopt);
  EXPECT_EQ(ParseDecision("10000", kEnglish), 10000);
  EXPECT_EQ(ParseDecision("10,000", kBrazil), 10);
  EXPECT_EQ(ParseDecision("0,25", kBrazil), 0.25);
  EXPECT_EQ(ParseDecision("1.234", kBrazil), std::nullopt);
  EXPECT_EQ(ParseDecision("0.25", kBrazil), std::nullopt);
  // A typed "-0" must not come back as a negative zero.
  EXPECT_FALSE(std::signbit(ParseDecision("-0", kEnglish).value_or(-1)));
}

TEST(ParseNumberTest, BrazilianAndMultiByteSigns) {
  ExpectParses({{"1.234.567,89", 1234567.89},
                {"-0,5", -0.5},
                {"1.23", std::nullopt},
                {"1,2,3", std::nullopt}},
               kBrazil, {true});
  ExpectParses({{"1\xC2\xA0"
                 "234,5",
                 1234.5},
                {"1\xC2\xA0"
                 "23",
                 std::nullopt},
                {"1\xC2", std::nullopt}},
               kNbspGroups, {true});
}

TEST(ParseNumberTest, LongDigitStringsStayInRange) {
  EXPECT_EQ(ParseNumber(std::string(400, '9'), kEnglish), std::nullopt);
  EXPECT_EQ(ParseNumber("1" + std::string(308, '0'), kEnglish), 1e308);
  EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1", kEnglish), 0.0);
  EXPECT_EQ(ParseNumber(std::string(5000, '0') + "1.5" + std::string(5000, '0'), kEnglish), 1.5);
  // Correctly rounded: the nearest double to a long decimal.
  EXPECT_EQ(ParseNumber("0.1000000000000000055511151231257827021181583404541015625", kEnglish),
            0.1);
}

TEST(FormatDecisionTest, PlainShortestText) {
  const std::vector<FormatCase> cases = {
      {-0.0, "", "0"},
      {1e-08, "", "0.00000001"},
      {-2.5, "", "-2.5"},
      {1e21, "", "1000000000000000000000"},
      {1.0 / 3.0, "", "0.3333333333333333"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDecision(c.value, kEnglish), c.expected) << c.value;
  EXPECT_EQ(FormatDecision(1234.5, kBrazil), "1234,5");
}

// What the formatter writes the parser reads, and the value read formats to the same
// text again.
TEST(RoundTripTest, PatternsReadBack) {
  const std::vector<const char*> patterns = {
      "#.00",      "#0",       "#0.00",    "##0.00", "#0.0#", "#,##0",   "#,##0.0",
      "#,##0.000", "##,##0.0", "#,##0.00", "#",      "#.##",  "000.0000"};
  const std::vector<double> values = {
      0,     0.5,    -0.5,      0.004,      -0.004, 1.005,   2.345,
      9.995, 999.95, 1234.5678, -1234.5678, 1e6,    -7.25e9, 123456789.987654321,
      1e15,  0.0825};
  for (const NumberLocale* locale : {&kEnglish, &kBrazil, &kNbspGroups}) {
    for (const std::string pattern : patterns) {
      const std::size_t point = pattern.find('.');
      const int decimals =
          point == std::string::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
      const double halfStep = 0.5 * std::pow(10.0, -decimals);
      for (double value : values) {
        const std::string text = FormatNumber(value, pattern, *locale);
        const std::optional<double> read = ParseNumber(text, *locale);
        ASSERT_TRUE(read.has_value()) << '"' << text << "\" from " << pattern;
        EXPECT_EQ(FormatNumber(*read, pattern, *locale), text) << pattern;
        EXPECT_LE(std::fabs(*read - value), halfStep * (1 + 1e-9) + 1e-15 * std::fabs(value))
            << text;
      }
    }
  }
}

TEST(RoundTripTest, DecisionsReadBackExactly) {
  std::vector<double> values = {0.0,
                                1e-08,
                                -0.1,
                                5e-324,
                                std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::max(),
                                -std::numeric_limits<double>::max()};
  // A spread of bit patterns across the whole range.
  std::uint64_t bits = 0x9E3779B97F4A7C15ULL;
  for (int i = 0; i < 2000; ++i) {
    bits ^= bits << 13;
    bits ^= bits >> 7;
    bits ^= bits << 17;
    const double value = std::bit_cast<double>(bits);
    if (std::isfinite(value)) values.push_back(value);
  }
  for (const NumberLocale* locale : {&kEnglish, &kBrazil}) {
    for (double value : values) {
      const std::string text = FormatDecision(value, *locale);
      ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
      EXPECT_EQ(ParseDecision(text, *locale), value) << text;
    }
  }
}

TEST(GeneralNumberTest, FifteenSignificantDigitsAndTheExponentOutsideTheirRange) {
  struct Case {
    double value;
    const char* english;
    const char* brazil;
  };
  const std::vector<Case> cases = {
      {0.1 + 0.2, "0.3", "0,3"},
      {1.0 / 3, "0.333333333333333", "0,333333333333333"},
      {-2.5, "-2.5", "-2,5"},
      {999999999999999.4, "999999999999999", "999999999999999"},
      {999999999999999.6, "1E+15", "1E+15"},
      {1.5e20, "1.5E+20", "1,5E+20"},
      {-123456789012345678.0, "-1.23456789012346E+17", "-1,23456789012346E+17"},
      {0.0001, "0.0001", "0,0001"},
      {0.00001, "1E-05", "1E-05"},
      {2.5e-300, "2.5E-300", "2,5E-300"},
      {-0.0, "0", "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GeneralNumber(c.value, kEnglish), c.english) << c.english;
    EXPECT_EQ(GeneralNumber(c.value, kBrazil), c.brazil) << c.english;
  }
}

}  // namespace
}  // namespace talvair::numtext
