// The table function and numeric helpers that the equations call.
#pragma once

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
