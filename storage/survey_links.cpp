#include "storage/survey_links.h"

#include <cstdint>
#include <optional>

#include "storage/csv_text.h"
#include "storage/saved_game_file.h"
#include "storage/windows_1252.h"

namespace talvair::storage {

namespace {

// Forty-two lines of addresses take a few kilobytes, and no more than about 2.8 MB when
// every address is as long as a text box takes and all double quotes; more is not read.
constexpr std::size_t kMaxSurveyLinksBytes = 4 * 1024 * 1024;

}  // namespace

bool SurveyLinkRow::Checked() const { return ParseNumberItem(check) == 1.0; }

int LoadSurveyLinks(const std::string& pathAndFilename, SurveyLinkTable& table) {
  table = SurveyLinkTable{};
  if (!FileExists(pathAndFilename)) return 1;
  const std::optional<std::string> text = ReadFilePrefix(pathAndFilename, kMaxSurveyLinksBytes);
  if (text) ParseSurveyLinks(*text, table);
  return 0;
}

int ParseSurveyLinks(std::string_view text, SurveyLinkTable& table) {
  table = SurveyLinkTable{};
  CsvReader file(text);
  int rows = 0;
  for (SurveyLinkRow& row : table) {
    if (file.AtEnd()) break;
    CsvReader line(file.Line().value_or(std::string_view()));
    std::array<std::string, 4> items;
    for (std::string& item : items) {
      if (line.AtEnd()) return rows;
      item = Windows1252ToUtf8(line.TextItem().value_or(std::string()));
    }
    row = {items[0], items[1], items[2], items[3]};
    ++rows;
  }
  return rows;
}

std::string SurveyLinksText(const SurveyLinkTable& rows) {
  using Then = CsvWriter::Then;
  CsvWriter file;
  for (int i = 0; i < kSurveyLinkRows; ++i) {
    const SurveyLinkRow& row = rows[static_cast<std::size_t>(i)];
    file.Integer(i).Integer(ParseIntegerItem(row.check, 0, 2).value_or(0));
    file.QuotedText(Utf8ToWindows1252(row.caption));
    file.QuotedText(Utf8ToWindows1252(row.address), Then::LineEnd);
  }
  return file.TakeText();
}

int SaveResearchSurveyLinks(const std::string& pathAndFilename, bool /*overwrite*/,
                            const SurveyLinkTable& rows, std::error_code& error) {
  return WriteFileAtomically(pathAndFilename, SurveyLinksText(rows), error) ? kStatusDone
                                                                            : kStatusFailed;
}

std::optional<char32_t> SurveyLinkRefusedCharacter(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    // A line end would split the row; broken UTF-8 comes as U+FFFD, outside the set.
    const char32_t c = NextUtf8(text, pos);
    if (c == '\r' || c == '\n' || !Windows1252Byte(c)) return c;
  }
  return std::nullopt;
}

}  // namespace talvair::storage
