#include "model/value_table.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace talvair {

namespace {
constexpr std::size_t kCells = std::size_t{kVarSlots} * kRows * kElements;
}

ValueTable::ValueTable() : data_(new double[kCells]()) {}

ValueTable::ValueTable(const ValueTable& other)
    : data_(new double[kCells]), writtenElements_(other.writtenElements_) {
  std::copy_n(other.data_.get(), kCells, data_.get());
}

ValueTable& ValueTable::operator=(const ValueTable& other) {
  if (this != &other) {
    std::copy_n(other.data_.get(), kCells, data_.get());
    writtenElements_ = other.writtenElements_;
  }
  return *this;
}

std::span<double, kVarSlots> ValueTable::Row(int row, int element) {
  const std::size_t offset = Offset(0, row, element);
  MarkWritten(element);
  return std::span<double, kVarSlots>(&data_[offset], kVarSlots);
}

std::span<const double, kVarSlots> ValueTable::Row(int row, int element) const {
  return std::span<const double, kVarSlots>(&data_[Offset(0, row, element)], kVarSlots);
}

void ValueTable::Reset(std::span<const double> elementZero) {
  if (elementZero.size() != std::size_t{kRows} * kVarSlots) RaiseModelError(kErrSubscript);
  writtenElements_ &= ~1u;
  Clear();  // the other elements
  std::ranges::copy(elementZero, data_.get());
}

std::span<double> ValueTable::Rows(int first, int count, int element) {
  const std::span<const double> rows = std::as_const(*this).Rows(first, count, element);
  MarkWritten(element);
  return {data_.get() + (rows.data() - data_.get()), rows.size()};
}

std::span<const double> ValueTable::Rows(int first, int count, int element) const {
  if (count < 1) RaiseModelError(kErrSubscript);
  const std::size_t offset = Offset(0, first, element);
  Offset(0, first + count - 1, element);
  return {&data_[offset], static_cast<std::size_t>(count) * kVarSlots};
}

void ValueTable::Clear() {
  constexpr std::size_t kElementCells = std::size_t{kRows} * kVarSlots;
  for (int e = 0; e < kElements; ++e) {
    if ((writtenElements_ & (1u << e)) != 0) {
      std::fill_n(data_.get() + static_cast<std::size_t>(e) * kElementCells, kElementCells, 0.0);
    }
  }
  writtenElements_ = 1;
}

void ValueTable::ClearRow(int row) {
  auto slots = Row(row);
  std::fill(slots.begin(), slots.end(), 0.0);
}

bool ValueTable::operator==(const ValueTable& other) const {
  // Bitwise, so that a replay can be shown identical to the straight run.
  return std::equal(data_.get(), data_.get() + kCells, other.data_.get(), [](double a, double b) {
    return std::bit_cast<unsigned long long>(a) == std::bit_cast<unsigned long long>(b);
  });
}

}  // namespace talvair
