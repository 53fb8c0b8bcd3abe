// Constant tables behind the variable catalogue and the variable labels.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/catalogue.h"

namespace talvair::catalogue::data {

// A label: one fixed text, or one text per language.
struct Text {
  std::string_view english;
  std::string_view spanish;
  std::string_view portuguese;
  bool translated = false;
};

struct NumberIndex {
  int32_t varNumber;
  int16_t varIndex;
};

// The numbers that do not follow VarIndex = VarNumber - 5: the report variables, the three
// stores and 302, which holds no variable.
inline constexpr std::array<NumberIndex, 45> kOddNumbers = {{
    {1, 336},   {2, 337},   {3, 295},   {4, 296},   {5, 297},   {300, 298}, {301, 299}, {302, -1},
    {303, 301}, {304, 302}, {305, 305}, {306, 307}, {307, 308}, {308, 309}, {309, 310}, {310, 312},
    {311, 313}, {312, 314}, {313, 315}, {314, 316}, {315, 317}, {316, 318}, {317, 319}, {318, 320},
    {319, 321}, {320, 311}, {321, 322}, {322, 323}, {323, 324}, {324, 325}, {325, 306}, {326, 326},
    {327, 327}, {328, 303}, {329, 328}, {330, 329}, {331, 330}, {332, 331}, {333, 332}, {334, 333},
    {335, 334}, {336, 335}, {337, 304}, {338, 300}, {339, 338},
}};

inline constexpr std::array<int32_t, 24> kStockNumbers = {
    9,   21,  28,  29,  30,  31,  33,  35,  65,  186, 194, 196,
    203, 207, 208, 209, 225, 227, 228, 229, 255, 256, 288, 290,
};

inline constexpr std::array<int32_t, kReportListSize> kReportList = {
    300, 301, 9,   68,  1,   2,   204, 21,  286, 109, 69,  304, 328, 337, 207, 305, 325, 305, 306,
    307, 308, 1,   2,   9,   68,  19,  307, 1,   320, 286, 253, 69,  304, 312, 313, 32,  315, 207,
    316, 317, 318, 319, 305, 320, 321, 328, 322, 323, 324, 325, 326, 327, 204, 21,  256, 207, 301,
    337, 328, 21,  329, 330, 269, 332, 188, 334, 335, 336, 68,  204, 70,  69,  275,
};

inline constexpr int kLastNamedIndex = 297;
// Internal names of VarIndex 0..297 (0 holds no variable).
extern const std::array<std::string_view, kLastNamedIndex + 1> kInternalNames;

inline constexpr int kLastEquationIndex = 294;
// The name both label lookups give for VarIndex 1..294; empty where kNameExceptions has a row.
extern const std::array<std::string_view, kLastEquationIndex + 1> kSharedNames;

// Display labels by VarNumber, ahead of every name.
struct Label {
  int32_t varNumber;
  int16_t varIndex;
  Text text;
};
extern const std::array<Label, 57> kLabels;

// VarIndex 1..294 whose legend and display label differ from a shared name.
struct NameException {
  int16_t varIndex;
  Text internalName;
  Text varName;
};
extern const std::array<NameException, 34> kNameExceptions;

// Legends of the stores and report variables, VarIndex 295..338.
inline constexpr int kFirstLegendIndex = 295;
extern const std::array<Text, kVarCount - kFirstLegendIndex> kLegends;

}  // namespace talvair::catalogue::data
