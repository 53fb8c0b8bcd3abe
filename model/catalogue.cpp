#include "model/catalogue.h"

#include <algorithm>

#include "model/catalogue_data.h"

namespace talvair::catalogue {

namespace {

constexpr int kFirstPlainNumber = 6;
constexpr int kLastPlainNumber = 299;
constexpr int kIndexOffset = 5;  // VarIndex = VarNumber - 5 between the two above
constexpr int kLastInvertibleIndex = 335;
constexpr int kFirstNamedNumber = 3;

constexpr std::array<int16_t, kVarCount + 1> BuildIndexFromNumber() {
  std::array<int16_t, kVarCount + 1> table{};
  table.fill(-1);
  for (int number = kFirstPlainNumber; number <= kLastPlainNumber; ++number) {
    table[number] = static_cast<int16_t>(number - kIndexOffset);
  }
  for (const auto& odd : data::kOddNumbers) table[odd.varNumber] = odd.varIndex;
  return table;
}

constexpr auto kIndexFromNumber = BuildIndexFromNumber();

constexpr std::array<int32_t, kVarCount> BuildNumberFromIndex() {
  std::array<int32_t, kVarCount> table{};
  table.fill(-1);
  for (int number = 1; number <= kVarCount; ++number) {
    const int index = kIndexFromNumber[number];
    // The inverse stops at 335: the last three report variables answer -1, like slot 0.
    if (index >= 1 && index <= kLastInvertibleIndex) table[index] = number;
  }
  return table;
}

constexpr auto kNumberFromIndex = BuildNumberFromIndex();

constexpr bool EveryIndexOnce() {
  std::array<int, kVarCount> uses{};
  for (int number = 1; number <= kVarCount; ++number) {
    if (kIndexFromNumber[number] >= 0) ++uses[kIndexFromNumber[number]];
  }
  return uses[0] == 0 && std::all_of(uses.begin() + 1, uses.end(), [](int n) { return n == 1; });
}
static_assert(EveryIndexOnce(), "each VarIndex 1..338 needs exactly one VarNumber");

// Byte-wise ASCII folding: the names are ASCII, and bytes of other characters never match.
constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

}  // namespace

int16_t VarIndexFromNumber(int32_t varNumber) {
  if (varNumber < 0 || varNumber > kVarCount) return -1;
  return kIndexFromNumber[varNumber];
}

int32_t VarNumberFromIndex(int32_t varIndex) {
  if (varIndex < 0 || varIndex >= kVarCount) return -1;
  return kNumberFromIndex[varIndex];
}

int32_t VarNumberFromName(std::string_view varName) {
  for (int number = kFirstNamedNumber; number <= kLastPlainNumber; ++number) {
    if (EqualIgnoringCase(varName, data::kInternalNames[kIndexFromNumber[number]])) return number;
  }
  return -1;
}

std::string_view InternalName(int varIndex) {
  if (varIndex < 1 || varIndex > data::kLastNamedIndex) return {};
  return data::kInternalNames[varIndex];
}

bool StockVar(int32_t varNumber) {
  return std::find(data::kStockNumbers.begin(), data::kStockNumbers.end(), varNumber) !=
         data::kStockNumbers.end();
}

const std::array<int32_t, kReportListSize>& ReportVarList() { return data::kReportList; }

}  // namespace talvair::catalogue
