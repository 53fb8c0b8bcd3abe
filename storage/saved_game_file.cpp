#include "storage/saved_game_file.h"

#include <limits>
#include <optional>

#include "storage/comment_escape.h"
#include "storage/csv_text.h"

namespace talvair::storage {

std::string SavedGameText(std::int16_t periods, std::string_view comments,
                          std::span<const QuarterDecisions> quarters) {
  using Then = CsvWriter::Then;
  CsvWriter file;
  file.Integer(kSavedGameVersion).Integer(periods, Then::LineEnd);
  file.String(EncodeString(ToFileLineEnds(comments)), Then::LineEnd);
  for (const QuarterDecisions& quarter : quarters) {
    for (const auto& decision : quarter) {
      for (const double value : decision) file.Number(value);
    }
  }
  return file.TakeText();
}

ReadResult ParseSavedGame(std::string_view text, SavedGame& game,
                          const std::function<void(int, int)>& onQuarterRead) {
  const auto failed = [](int code) { return ReadResult{kStatusFailed, code}; };
  CsvReader file(text);

  const std::optional<std::string_view> marker = file.Item();
  if (!marker) return failed(kErrPastEnd);
  // A marker that is not a number reads as 0: not this version either.
  if (ParseIntegerItem(*marker, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max()) != kSavedGameVersion) {
    return {kStatusWrongVersion, 0};
  }
  const std::optional<std::string_view> periodsItem = file.Item();
  if (!periodsItem) return failed(kErrPastEnd);
  if (!ParseNumberItem(*periodsItem)) return failed(kErrFileTypeMismatch);
  const std::optional<std::int64_t> periods = ParseIntegerItem(*periodsItem, 0, kMaxSavedPeriods);
  if (!periods) return failed(kErrFileOverflow);

  const std::optional<std::string_view> comments = file.Item();
  if (!comments) return failed(kErrPastEnd);

  SavedGame read;
  read.periods = static_cast<std::int16_t>(*periods);
  read.comments = FromFileLineEnds(DecodeString(*comments));
  read.quarters.reserve(static_cast<std::size_t>(*periods) + 1);
  for (int t = 0; t <= *periods && !file.AtEnd(); ++t) {
    QuarterDecisions& quarter = read.quarters.emplace_back();
    for (auto& decision : quarter) {
      for (double& value : decision) {
        const std::optional<std::string_view> item = file.Item();
        if (!item) return failed(kErrPastEnd);
        const std::optional<double> number = ParseNumberItem(*item);
        if (!number) return failed(kErrFileTypeMismatch);
        value = *number;
      }
    }
    if (onQuarterRead) onQuarterRead(t, read.periods);
  }
  if (static_cast<std::int64_t>(read.quarters.size()) < *periods) return {kStatusTooShort, 0};
  game = std::move(read);
  return {kStatusDone, 0};
}

std::string PreviewComments(std::string_view head) {
  CsvReader file(head);
  file.Item();  // the version
  file.Line();  // the rest of line 1
  const std::string_view line = file.Line().value_or(std::string_view());
  if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
    return '"' + FromFileLineEnds(DecodeComment(line.substr(1, line.size() - 2))) + '"';
  }
  return FromFileLineEnds(DecodeComment(line));
}

}  // namespace talvair::storage
