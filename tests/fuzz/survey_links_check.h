// What must hold for any bytes given to the survey-links reader; shared by the fuzz target
// and by the test that replays its corpus.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "storage/survey_links.h"
#include "storage/windows_1252.h"

namespace talvair::storage {

// Empty when every property holds, else the first one broken.
inline std::string CheckSurveyLinksReader(std::string_view bytes) {
  SurveyLinkTable read;
  const int rows = ParseSurveyLinks(bytes, read);
  if (rows < 0 || rows > kSurveyLinkRows) return "row count out of range";
  for (int r = rows; r < kSurveyLinkRows; ++r) {
    if (read[static_cast<std::size_t>(r)] != SurveyLinkRow{}) return "row past the end filled";
  }

  // Any text of the file's character set on one line is kept. Put in the last row, it and
  // everything read write back to a file that reads the same, quotes and all.
  std::string text = Windows1252ToUtf8(bytes);
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  if (SurveyLinkRefusedCharacter(text)) return "text the file keeps refused";
  read.back().caption = read.back().address = text;
  SurveyLinkTable again;
  if (ParseSurveyLinks(SurveyLinksText(read), again) != kSurveyLinkRows)
    return "rewritten file short";
  for (std::size_t r = 0; r < read.size(); ++r) {
    if (again[r].caption != read[r].caption || again[r].address != read[r].address ||
        again[r].Checked() != read[r].Checked()) {
      return "rewritten row differs";
    }
  }
  return std::string();
}

}  // namespace talvair::storage
