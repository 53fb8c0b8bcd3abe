// A fixed-size table of doubles: variable slot by period row by array element.
#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "model/model_error.h"

namespace talvair {

inline constexpr int kVarSlots = 339;  // VarIndex 0..338
inline constexpr int kRows = 42;       // periods 0..41
inline constexpr int kElements = 11;   // array elements 0..10
inline constexpr int kMaxRow = kRows - 1;

class ValueTable {
 public:
  ValueTable();
  ValueTable(const ValueTable& other);
  ValueTable& operator=(const ValueTable& other);

  // Every access is checked: an index outside the table raises ModelError(9) and
  // never touches memory outside it.
  double Get(int varIndex, int row, int element = 0) const {
    return data_[Offset(varIndex, row, element)];
  }
  void Set(int varIndex, int row, int element, double value) {
    data_[Offset(varIndex, row, element)] = value;
    MarkWritten(element);
  }
  void Set(int varIndex, int row, double value) { data_[Offset(varIndex, row, 0)] = value; }

  // Every slot of one row and element, contiguous; the row and element are checked.
  std::span<double, kVarSlots> Row(int row, int element = 0);
  std::span<const double, kVarSlots> Row(int row, int element = 0) const;

  // Zeroes every element that may hold a value other than 0.
  void Clear();
  // Element 0 from a whole image of its rows, every other element zero.
  void Reset(std::span<const double> elementZero);
  // Rows first .. first + count - 1 of one element, contiguous; the range is checked.
  std::span<double> Rows(int first, int count, int element = 0);
  std::span<const double> Rows(int first, int count, int element = 0) const;
  void ClearRow(int row);  // element 0 of every slot
  bool operator==(const ValueTable& other) const;

  static bool InRange(int varIndex, int row, int element) {
    return varIndex >= 0 && varIndex < kVarSlots && row >= 0 && row < kRows && element >= 0 &&
           element < kElements;
  }

 private:
  static std::size_t Offset(int varIndex, int row, int element) {
    if (!InRange(varIndex, row, element)) RaiseModelError(kErrSubscript);
    // Element-major, then row: the slots of one row lie side by side.
    return (static_cast<std::size_t>(element) * kRows + static_cast<std::size_t>(row)) * kVarSlots +
           static_cast<std::size_t>(varIndex);
  }
  // Element 0 is taken as written; the others once a write reached them.
  void MarkWritten(int element) { writtenElements_ |= 1u << element; }

  std::unique_ptr<double[]> data_;
  unsigned writtenElements_ = 1;
};

}  // namespace talvair
