// Number patterns ("#,##0.00") and strict, locale-aware text-to-number conversion.
// Standard library only: shared by the model and the windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvair::numtext {

// The signs of the user's locale; the shell fills it at start-up.
struct NumberLocale {
  std::string decimalPoint = ".";
  std::string groupSeparator = ",";
};

const NumberLocale& CurrentNumberLocale();
void SetCurrentNumberLocale(const NumberLocale& locale);

// Formats by a display pattern: "0" a digit always shown, "#" a digit shown only when
// significant, "," grouping by three, "." the decimal point, other characters copied.
std::string FormatNumber(double value, std::string_view pattern,
                         const NumberLocale& locale = CurrentNumberLocale());

struct ParseOptions {
  bool allowGrouping = true;  // accept correctly placed group separators
};

// Strict conversion: optional sign, digits, at most one decimal sign, no exponent;
// surrounding blanks are ignored. Empty when the text is not a finite number.
std::optional<double> ParseNumber(std::string_view text,
                                  const NumberLocale& locale = CurrentNumberLocale(),
                                  ParseOptions options = {});

// The reading of a player's decision: no grouping at all.
inline std::optional<double> ParseDecision(std::string_view text,
                                           const NumberLocale& locale = CurrentNumberLocale()) {
  return ParseNumber(text, locale, ParseOptions{false});
}

// Plain text of a value for a decision box: no grouping, the locale's decimal sign,
// as few digits as read back to the same value.
std::string FormatDecision(double value, const NumberLocale& locale = CurrentNumberLocale());

// General number text: at most 15 significant digits, no leading blank, the locale's
// decimal sign; exponent form ("1.5E+20", "1E-05") below 0.0001 and from 10^15 on.
std::string GeneralNumber(double value, const NumberLocale& locale = CurrentNumberLocale());

}  // namespace talvair::numtext
