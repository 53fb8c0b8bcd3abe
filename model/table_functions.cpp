#include "model/table_functions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "model/constants.h"

namespace talvair {

double Graph(double dValue, float fStart, float fIncrement, std::span<const double> vValue) {
  const std::size_t n = vValue.size();
  if (n == 0) return 0.0;
  // One point answers every input, a NaN too (there is no segment to search).
  if (n == 1) return vValue[0];
  // The i-th point, counting from 1.
  auto x = [&](std::size_t i) { return XPoint(i - 1, fStart, fIncrement); };
  if (dValue <= static_cast<double>(x(1))) return vValue[0];
  if (dValue > static_cast<double>(x(n))) return vValue[n - 1];
  std::size_t i = 2;
  while (i < n && !(dValue <= static_cast<double>(x(i)))) ++i;
  const float xk = x(i - 1);
  const float xi = x(i);
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
