// The survey-links file: one line per period row 0 to 41 (the start, the forty quarters,
// the end), each of the row index, the state of its check box (0 unchecked, 1 checked,
// 2 greyed), its caption in double quotes and the web address to open after the run that
// reaches it, in double quotes, possibly empty. Standard library only.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace talvair::storage {

inline constexpr int kSurveyLinkRows = 42;
inline constexpr std::string_view kSurveyLinksFileName = "TalvairSurveyLinks.txt";

// One row as the file holds it, in the program's text (UTF-8).
struct SurveyLinkRow {
  std::string index;
  std::string check;
  std::string caption;
  std::string address;

  // Only a check state of exactly 1 asks for the address to be opened.
  bool Checked() const;
  bool operator==(const SurveyLinkRow&) const = default;
};

// Row r holds the r-th line of the file, whatever index the line carries.
using SurveyLinkTable = std::array<SurveyLinkRow, kSurveyLinkRows>;

// Empties the table, then reads the file into it line by line. A line with fewer than four
// items ends the reading; the rows read before it stay. 1 when there is no such file,
// else 0.
int LoadSurveyLinks(const std::string& pathAndFilename, SurveyLinkTable& table);
// The same from the file's text; the number of rows read.
int ParseSurveyLinks(std::string_view text, SurveyLinkTable& table);

// The file's text for the rows; a check state that is not 0, 1 or 2 is written as 0. A
// double quote in a caption or address is written twice, which files of earlier versions
// never held, so they read as they always did.
std::string SurveyLinksText(const SurveyLinkTable& rows);

// The first character of a caption or address that the file cannot keep (one outside its
// character set, or a line end), if any.
std::optional<char32_t> SurveyLinkRefusedCharacter(std::string_view text);

// Writes (or replaces) the file; kStatusDone, or kStatusFailed with the reason.
int SaveResearchSurveyLinks(const std::string& pathAndFilename, bool overwrite,
                            const SurveyLinkTable& rows, std::error_code& error);

}  // namespace talvair::storage
