// The predefined graphs: a title in three languages and the variables plotted, in order.
#pragma once

#include <cstdint>
#include <span>

namespace talvair::views {

struct FixedGraphDefinition {
  int fixedNumber;
  struct {
    const char* english;
    const char* spanish;
    const char* portuguese;
  } title;
  // VarNumbers of the series, in order; unused slots are 0.
  int32_t series[4];

  int SeriesCount() const;
};

// All of them, by number; 1 to 5 plot one decision each and no command opens them.
std::span<const FixedGraphDefinition> FixedGraphDefinitions();
// nullptr for a number that has no definition.
const FixedGraphDefinition* FindFixedGraph(int fixedNumber);

}  // namespace talvair::views
