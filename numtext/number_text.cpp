#include "numtext/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace talvair::numtext {
namespace {

// A non-negative value as decimal digits: value = 0.d1d2d3... x 10^pointPos, so pointPos
// is the number of digits in front of the decimal point (negative for small values).
// Zero has no digits.
struct DecimalDigits {
  std::string digits;
  int pointPos = 0;
};

// The shortest digits that read back to the same double. Rounding works on these
// rather than on the exact binary value, so 2.345 rounds to 2.35 and 1.005 to 1.01,
// as the player reads the value.
DecimalDigits ShortestDigits(double magnitude) {
  DecimalDigits result;
  if (magnitude == 0.0) return result;
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  if (ec != std::errc{}) return result;  // cannot happen for a finite double
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t exponentMark = text.find('e');
  // "d.ddde+x": the first digit, then those after the point; gathered in place, as tables
  // format thousands of values at a time.
  char digits[sizeof buffer];
  std::size_t count = 0;
  for (char c : text.substr(0, exponentMark)) {
    if (c >= '0' && c <= '9') digits[count++] = c;
  }
  result.digits.assign(digits, count);
  std::string_view exponentText = text.substr(exponentMark + 1);
  bool negativeExponent = false;
  if (!exponentText.empty() && (exponentText.front() == '+' || exponentText.front() == '-')) {
    negativeExponent = exponentText.front() == '-';
    exponentText.remove_prefix(1);
  }
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  result.pointPos = (negativeExponent ? -exponent : exponent) + 1;
  while (!result.digits.empty() && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

// Rounds half away from zero to `decimals` digits after the point (the value is a
// magnitude, so "up" is away from zero).
void RoundToDecimals(DecimalDigits& number, int decimals) {
  const long long keep = static_cast<long long>(number.pointPos) + decimals;
  if (keep >= static_cast<long long>(number.digits.size())) return;
  if (keep < 0) {
    number.digits.clear();
    return;
  }
  const bool roundUp = number.digits[static_cast<std::size_t>(keep)] >= '5';
  number.digits.resize(static_cast<std::size_t>(keep));
  if (roundUp) {
    std::size_t i = number.digits.size();
    while (i > 0 && number.digits[i - 1] == '9') {
      number.digits[i - 1] = '0';
      --i;
    }
    if (i == 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.pointPos;
    } else {
      ++number.digits[i - 1];
    }
  }
  while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
  if (number.digits.empty()) number.pointPos = 0;
}

std::string IntegerDigits(const DecimalDigits& number) {
  if (number.pointPos <= 0) return {};
  const auto count = static_cast<std::size_t>(number.pointPos);
  std::string text = number.digits.substr(0, count);
  text.append(count - text.size(), '0');
  return text;
}

char DigitAt(const DecimalDigits& number, long long index) {
  if (index < 0 || index >= static_cast<long long>(number.digits.size())) return '0';
  return number.digits[static_cast<std::size_t>(index)];
}

// An empty decimal sign would make the text unreadable, so fall back to the point.
std::string_view DecimalSign(const NumberLocale& locale) {
  return locale.decimalPoint.empty() ? std::string_view(".")
                                     : std::string_view(locale.decimalPoint);
}

const char* NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

// The number section of a pattern is the first run of placeholders, "," and "." that
// holds a placeholder; one "." before the first placeholder belongs to it (".00"). Only
// the first "." is the decimal point, and "," after it means nothing. Everything outside
// the section is literal text, a second "." included.
struct PatternParts {
  std::string_view prefix;
  std::string_view suffix;
  bool hasNumber = false;
  bool grouping = false;
  bool hasPoint = false;
  int minIntegerDigits = 0;
  int decimals = 0;
  int minDecimals = 0;
};

PatternParts SplitPattern(std::string_view pattern) {
  PatternParts parts;
  std::size_t start = 0;
  while (start < pattern.size() && !IsPlaceholder(pattern[start])) ++start;
  if (start == pattern.size()) {
    parts.prefix = pattern;
    return parts;
  }
  parts.hasNumber = true;
  bool pointInFront = false;
  while (start > 0 && (pattern[start - 1] == ',' || (pattern[start - 1] == '.' && !pointInFront))) {
    pointInFront = pointInFront || pattern[start - 1] == '.';
    --start;
  }
  parts.prefix = pattern.substr(0, start);

  int integerPlaceholders = 0;
  int firstIntegerZero = -1;
  int lastDecimalZero = -1;
  std::size_t end = start;
  for (; end < pattern.size(); ++end) {
    const char c = pattern[end];
    if (c == '.') {
      if (parts.hasPoint) break;
      parts.hasPoint = true;
    } else if (c == ',') {
      if (!parts.hasPoint) parts.grouping = true;
    } else if (IsPlaceholder(c)) {
      if (parts.hasPoint) {
        if (c == '0') lastDecimalZero = parts.decimals;
        ++parts.decimals;
      } else {
        if (c == '0' && firstIntegerZero < 0) firstIntegerZero = integerPlaceholders;
        ++integerPlaceholders;
      }
    } else {
      break;
    }
  }
  parts.suffix = pattern.substr(end);
  parts.minIntegerDigits = firstIntegerZero < 0 ? 0 : integerPlaceholders - firstIntegerZero;
  parts.minDecimals = lastDecimalZero + 1;
  return parts;
}

void AppendGrouped(std::string& out, const std::string& digits, std::string_view groupSign) {
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.append(groupSign);
    out.push_back(digits[i]);
  }
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

NumberLocale& MutableCurrentLocale() {
  static NumberLocale locale;
  return locale;
}

}  // namespace

const NumberLocale& CurrentNumberLocale() { return MutableCurrentLocale(); }

void SetCurrentNumberLocale(const NumberLocale& locale) { MutableCurrentLocale() = locale; }

std::string FormatNumber(double value, std::string_view pattern, const NumberLocale& locale) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  // An empty pattern has nothing to lay out: give the plain text of the value.
  if (pattern.empty()) return FormatDecision(value, locale);
  const PatternParts parts = SplitPattern(pattern);
  if (!parts.hasNumber) return std::string(pattern);

  DecimalDigits number = ShortestDigits(std::fabs(value));
  RoundToDecimals(number, parts.decimals);

  std::string integerText = IntegerDigits(number);
  if (static_cast<int>(integerText.size()) < parts.minIntegerDigits) {
    integerText.insert(0, static_cast<std::size_t>(parts.minIntegerDigits) - integerText.size(),
                       '0');
  }
  std::string fractionText;
  for (int i = 0; i < parts.decimals; ++i)
    fractionText.push_back(DigitAt(number, number.pointPos + i));
  while (static_cast<int>(fractionText.size()) > parts.minDecimals && fractionText.back() == '0') {
    fractionText.pop_back();
  }
  // A text without any digit ("#" of 0) would not read back as a number.
  if (integerText.empty() && fractionText.empty()) integerText.push_back('0');

  std::string out;
  // The sign goes in front of everything, literal prefix included ("-$1.50"), and a value
  // that rounds to zero shows none.
  if (value < 0 && !number.digits.empty()) out.push_back('-');
  out.append(parts.prefix);
  if (parts.grouping) {
    AppendGrouped(out, integerText, locale.groupSeparator);
  } else {
    out.append(integerText);
  }
  if (parts.hasPoint) out.append(DecimalSign(locale));
  out.append(fractionText);
  out.append(parts.suffix);
  return out;
}

std::optional<double> ParseNumber(std::string_view text, const NumberLocale& locale,
                                  ParseOptions options) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;

  std::string ascii;
  ascii.reserve(text.size() + 2);
  std::size_t pos = 0;
  if (text[0] == '+' || text[0] == '-') {
    if (text[0] == '-') ascii.push_back('-');
    pos = 1;
  }
  const std::string_view decimalSign = DecimalSign(locale);
  const std::string_view groupSign =
      options.allowGrouping ? std::string_view(locale.groupSeparator) : std::string_view();

  bool seenPoint = false;
  bool seenGroup = false;
  bool integerNonZero = false;
  int digitsInGroup = 0;
  std::size_t digitCount = 0;
  // Groups of three after the first, and the last group complete before the point or end.
  const auto integerPartEndsWell = [&] { return !seenGroup || digitsInGroup == 3; };

  while (pos < text.size()) {
    const std::string_view rest = text.substr(pos);
    const char c = text[pos];
    if (c >= '0' && c <= '9') {
      ascii.push_back(c);
      ++digitCount;
      if (!seenPoint) {
        ++digitsInGroup;
        integerNonZero = integerNonZero || c != '0';
      }
      ++pos;
    } else if (!seenPoint && rest.starts_with(decimalSign)) {
      if (!integerPartEndsWell()) return std::nullopt;
      seenPoint = true;
      ascii.push_back('.');
      pos += decimalSign.size();
    } else if (!seenPoint && !groupSign.empty() && rest.starts_with(groupSign)) {
      const bool groupOk =
          seenGroup ? digitsInGroup == 3 : digitsInGroup >= 1 && digitsInGroup <= 3;
      if (!groupOk) return std::nullopt;
      seenGroup = true;
      digitsInGroup = 0;
      pos += groupSign.size();
    } else {
      return std::nullopt;
    }
  }
  if (digitCount == 0) return std::nullopt;
  if (!seenPoint && !integerPartEndsWell()) return std::nullopt;

  double value = 0.0;
  const char* first = ascii.data();
  const char* last = ascii.data() + ascii.size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Out of range below 1 is an underflow: the nearest double is zero.
    if (integerNonZero) return std::nullopt;
    return 0.0;
  }
  if (ec != std::errc{} || end != last || !std::isfinite(value)) return std::nullopt;
  return value + 0.0;  // "-0" reads as plain zero
}

std::string FormatDecision(double value, const NumberLocale& locale) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const DecimalDigits number = ShortestDigits(std::fabs(value));
  if (number.digits.empty()) return "0";

  std::string out;
  if (value < 0) out.push_back('-');
  const int size = static_cast<int>(number.digits.size());
  if (number.pointPos <= 0) {
    out.push_back('0');
    out.append(DecimalSign(locale));
    out.append(static_cast<std::size_t>(-number.pointPos), '0');
    out.append(number.digits);
  } else if (number.pointPos >= size) {
    out.append(number.digits);
    out.append(static_cast<std::size_t>(number.pointPos - size), '0');
  } else {
    const auto split = static_cast<std::size_t>(number.pointPos);
    out.append(number.digits, 0, split);
    out.append(DecimalSign(locale));
    out.append(number.digits, split);
  }
  return out;
}

std::string GeneralNumber(double value, const NumberLocale& locale) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0.0) return "0";  // also for -0
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (ec != std::errc{}) return "0";  // cannot happen for a finite double
  std::string out;
  for (const char c : std::string_view(buffer, static_cast<std::size_t>(end - buffer))) {
    if (c == '.') {
      out.append(DecimalSign(locale));
    } else {
      out.push_back(c == 'e' ? 'E' : c);
    }
  }
  return out;
}

}  // namespace talvair::numtext
