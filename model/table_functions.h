// The table function and numeric helpers that the equations call.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

namespace talvair {

// Piecewise-linear lookup over the single-precision points
// fStart + i * fIncrement, clamped at both ends.
double Graph(double dValue, float fStart, float fIncrement, std::span<const double> vValue);
double Graph(double dValue, float fStart, float fIncrement, std::initializer_list<double> vValue);
double GraphStep(double dValue, float fStart, float fIncrement, std::span<const double> vValue);

// The x point i (from 0): formed in double from the single-precision arguments, then rounded
// once to single precision.
constexpr float XPoint(std::size_t i, float start, float increment) {
  return static_cast<float>(static_cast<double>(i) * static_cast<double>(increment) +
                            static_cast<double>(start));
}

// A lookup table of the equations with its x points worked out once: Graph<Table{start,
// increment, {y...}}>(x) gives exactly what Graph(x, start, increment, {y...}) gives.
template <std::size_t N>
struct Table {
  static_assert(N >= 2);
  // Longer tables guess their segment from the increment and then correct the guess.
  static constexpr bool kGuess = N > 24;

  constexpr Table(float start, float increment, const double (&values)[N])
      : start(start), increment(increment) {
    // Rising x points: the segment search relies on it.
    if (!(increment > 0)) throw "a table needs a positive increment";
    for (std::size_t i = 0; i < N; ++i) {
      x[i] = XPoint(i, start, increment);
      y[i] = values[i];
      dx[i] = i == 0
                  ? 0
                  : static_cast<float>(static_cast<double>(x[i]) - static_cast<double>(x[i - 1]));
    }
  }

  double operator()(double value) const {
    if (value <= static_cast<double>(x[0])) return y[0];
    if (value > static_cast<double>(x[N - 1])) return y[N - 1];
    // The segment ends at the first point not below the value; a NaN runs to the last.
    std::size_t i = 1;
    if constexpr (kGuess) {
      if (!std::isnan(value)) {
        const double guess = (value - static_cast<double>(start)) / static_cast<double>(increment);
        i = guess < 1 ? 1 : guess >= N - 1 ? N - 1 : static_cast<std::size_t>(guess) + 1;
        while (i > 1 && value <= static_cast<double>(x[i - 1])) --i;
      }
      while (i < N - 1 && !(value <= static_cast<double>(x[i]))) ++i;
    } else {
      for (std::size_t k = 1; k < N - 1; ++k) i += !(value <= static_cast<double>(x[k]));
    }
    const double f = (value - static_cast<double>(x[i - 1])) / static_cast<double>(dx[i]);
    const double yk = y[i - 1];
    const double yi = y[i];
    if (yk <= yi) return yk + f * (yi - yk);
    return yk - f * (yk - yi);
  }

  float start;
  float increment;
  float x[N] = {};
  float dx[N] = {};
  double y[N] = {};
};

template <Table table>
double Graph(double value) {
  return table(value);
}

// Both parts are evaluated by the caller, whatever the condition.
inline double IIf(bool vCondition, double vTruePart, double vFalsePart) {
  return vCondition ? vTruePart : vFalsePart;
}
inline double Max(double dValue1, double dValue2) { return dValue1 > dValue2 ? dValue1 : dValue2; }
double MinOfArray(std::span<const double> values);
double MinOfArray(std::initializer_list<double> values);
inline double DivideOrZero(double numerator, double denominator) {
  return denominator == 0 ? 0.0 : numerator / denominator;
}
inline double DivideOrOne(double numerator, double denominator) {
  return denominator == 0 ? 1.0 : numerator / denominator;
}
double MeanOfArray(std::span<const double> values);

// Further helpers that the equations do not use; they complete the model's toolbox.
double Random(double dMin, double dMax, double dSeed);
double StepValue(double height, double stepTime);
double ModReal(double x, double y);
int16_t IntegerIdentity(int16_t value);
double ZeroFunction(double, double);
std::string ShiftEncodeText(const std::string& text);
std::string ShiftDecodeText(const std::string& text);

}  // namespace talvair
