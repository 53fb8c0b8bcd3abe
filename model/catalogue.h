// The fixed catalogue of model variables: numbers, storage indices, names and labels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace talvair::catalogue {

inline constexpr int kVarCount = 339;
inline constexpr int kReportListSize = 73;

// VarNumber 1..339 to VarIndex 0..338; -1 for a number without a variable.
int16_t VarIndexFromNumber(int32_t varNumber);
// The inverse over VarIndex 1..335; -1 for every other index.
int32_t VarNumberFromIndex(int32_t varIndex);
// Internal name (any letter case, exact otherwise) to VarNumber 3..299; -1 when unknown.
int32_t VarNumberFromName(std::string_view varName);
// The lower-case internal name of VarIndex 1..297 as the equations know it; "" otherwise.
std::string_view InternalName(int varIndex);
// True for the 24 stocks' VarNumbers.
bool StockVar(int32_t varNumber);
const std::array<int32_t, kReportListSize>& ReportVarList();

// Display label of a VarNumber in the given language ("" when it has none).
std::string VarName(int32_t varNumber, const std::string& language);
// Legend text of a VarIndex in the given language ("" when it has none).
std::string InternalVarName(int32_t varIndex, const std::string& language);

}  // namespace talvair::catalogue
