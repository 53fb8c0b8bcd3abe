#include "storage/survey_links.h"

#include <cstdint>
#include <optional>

#include "storage/csv_text.h"
#include "storage/saved_game_file.h"
#include "storage/windows_1252.h"

namespace talvair::storage {

namespace {

// Forty-two lines of addresses take a few kilobytes; more is not read.
constexpr std::size_t kMaxSurveyLinksBytes = 1024 * 1024;

}  // namespace

bool SurveyLinkRow::Checked() const { return ParseNumberItem(check) == 1.0; }

int LoadSurveyLinks(const std::string& pathAndFilename, SurveyLinkTable& table) {
  table = SurveyLinkTable{};
  if (!FileExists(pathAndFilename)) return 1;
  const std::optional<std::string> text = ReadFilePrefix(pathAndFilename, kMaxSurveyLinksBytes);
  if (!text) return 0;
  CsvReader file(*text);
  for (SurveyLinkRow& row : table) {
    if (file.AtEnd()) break;
    CsvReader line(file.Line().value_or(std::string_view()));
    std::array<std::string, 4> items;
    for (std::string& item : items) {
      if (line.AtEnd()) return 0;
      item = Windows1252ToUtf8(line.Item().value_or(std::string_view()));
    }
    row = {items[0], items[1], items[2], items[3]};
  }
  return 0;
}

std::string SurveyLinksText(const SurveyLinkTable& rows) {
  using Then = CsvWriter::Then;
  CsvWriter file;
  for (int i = 0; i < kSurveyLinkRows; ++i) {
    const SurveyLinkRow& row = rows[static_cast<std::size_t>(i)];
    file.Integer(i).Integer(ParseIntegerItem(row.check, 0, 2).value_or(0));
    file.String(Utf8ToWindows1252(row.caption));
    file.String(Utf8ToWindows1252(row.address), Then::LineEnd);
  }
  return file.TakeText();
}

int SaveResearchSurveyLinks(const std::string& pathAndFilename, bool /*overwrite*/,
                            const SurveyLinkTable& rows, std::error_code& error) {
  return WriteFileAtomically(pathAndFilename, SurveyLinksText(rows), error) ? kStatusDone
                                                                            : kStatusFailed;
}

}  // namespace talvair::storage
