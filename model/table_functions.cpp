#include "model/table_functions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "model/constants.h"

namespace talvair {

namespace {

// The i-th x point (counting from 1): formed in double from the single-precision
// arguments, then rounded once to single precision.
float XPoint(std::size_t i, float fStart, float fIncrement) {
  return static_cast<float>(static_cast<double>(i - 1) * static_cast<double>(fIncrement) +
                            static_cast<double>(fStart));
}

}  // namespace

double Graph(double dValue, float fStart, float fIncrement, std::span<const double> vValue) {
  const std::size_t n = vValue.size();
  if (n == 0) return 0.0;
  if (dValue <= static_cast<double>(XPoint(1, fStart, fIncrement))) return vValue[0];
  if (dValue > static_cast<double>(XPoint(n, fStart, fIncrement))) return vValue[n - 1];
  std::size_t i = 2;
  while (i < n && !(dValue <= static_cast<double>(XPoint(i, fStart, fIncrement)))) ++i;
  const float xk = XPoint(i - 1, fStart, fIncrement);
  const float xi = XPoint(i, fStart, fIncrement);
  const float dx = static_cast<float>(static_cast<double>(xi) - static_cast<double>(xk));
  const double f = (dValue - static_cast<double>(xk)) / static_cast<double>(dx);
  const double yk = vValue[i - 2];
  const double yi = vValue[i - 1];
  if (yk <= yi) return yk + f * (yi - yk);
  return yk - f * (yk - yi);
}

double Graph(double dValue, float fStart, float fIncrement, std::initializer_list<double> vValue) {
  return Graph(dValue, fStart, fIncrement, std::span<const double>(vValue.begin(), vValue.size()));
}

double GraphStep(double dValue, float fStart, float fIncrement, std::span<const double> vValue) {
  return Graph(dValue, fStart, fIncrement, vValue);
}

double MinOfArray(std::span<const double> values) {
  if (values.empty()) return 0.0;
  double m = values[0];
  for (std::size_t i = 1; i < values.size(); ++i) {
    if (values[i] < m) m = values[i];
  }
  return m;
}

double MinOfArray(std::initializer_list<double> values) {
  return MinOfArray(std::span<const double>(values.begin(), values.size()));
}

double MeanOfArray(std::span<const double> values) {
  if (values.empty()) return 0.0;
  double sum = 0.0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

double Random(double dMin, double dMax, double dSeed) {
  std::mt19937_64 generator(std::bit_cast<std::uint64_t>(dSeed));
  const double r = std::uniform_real_distribution<double>(0.0, 1.0)(generator);
  return std::floor(r * (dMax - dMin)) + dMin;
}

double StepValue(double height, double stepTime) {
  return kQuarterLength >= stepTime ? height : 0.0;
}

double ModReal(double x, double y) { return (x / y - std::floor(x / y)) * y; }

int16_t IntegerIdentity(int16_t value) { return value; }

double ZeroFunction(double, double) { return 0.0; }

std::string ShiftEncodeText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const int b = static_cast<unsigned char>(c);
    c = static_cast<char>(b <= 150 ? b + 105 : b - 150);
  }
  return out;
}

std::string ShiftDecodeText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    int b = static_cast<unsigned char>(c) + 150;
    if (b > 255) b -= 255;
    c = static_cast<char>(b);
  }
  return out;
}

}  // namespace talvair
