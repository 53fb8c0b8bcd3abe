// The data tables: for each table number its caption and the variables of its columns, and
// how a table's cells and width come out.
#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace talvair {
class game;
}

namespace talvair::views {

inline constexpr int kFirstTable = 1;
inline constexpr int kLastTable = 11;
// A column that separates groups of variables; it shows nothing.
inline constexpr int32_t kBlankColumn = 0;

struct TableEntry {
  int number;
  // Tables 10 and 11 have one caption in every language: the English one.
  const char* english;
  const char* spanish;
  const char* portuguese;
  // VarNumbers in column order, column 1 first.
  std::span<const int32_t> columns;
};

// The entry of a table number, nullptr for a number without table.
const TableEntry* FindTable(int number);

// The caption in the current language.
QString TableCaption(const TableEntry& entry);

// A data cell: the variable's value for `period` as it was shown when that period was run,
// in the pattern of its group, followed by two blanks. A blank column gives only the blanks.
QString TableCellText(game& model, int32_t varNumber, int16_t period);

// The widest a table window may be, in twips, on a screen `screenWidth` twips wide, for a
// table of `columns` variable columns.
int TableContentWidth(int screenWidth, int columns);

}  // namespace talvair::views
