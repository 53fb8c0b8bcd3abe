#include "storage/saved_game_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "storage/comment_escape.h"
#include "storage/csv_text.h"

namespace talvair::storage {

namespace {

// Beyond any bound, and safe to narrow to single precision.
constexpr double kFarOutside = 1e9;

// The whole number a decision box's check makes of a value: single precision, rounded.
std::optional<double> WholeOfSingle(double value) {
  if (!(std::fabs(value) < kFarOutside)) return std::nullopt;
  return std::nearbyint(static_cast<double>(static_cast<float>(value)));
}

bool Within(std::optional<double> value, double lower, double upper) {
  return value && *value >= lower && *value <= upper;
}

}  // namespace

bool DecisionsInRange(const QuarterDecisions& quarter, std::optional<double> workforce) {
  const auto hundredths = [](double value) { return std::nearbyint(value * 100.0); };
  const double hiringLower =
      workforce ? 0.0 - std::nearbyint(*workforce) : -std::numeric_limits<double>::infinity();
  return Within(WholeOfSingle(quarter[0][0]), -3, 1000) &&
         Within(hundredths(quarter[1][0]), 1, 100) && Within(hundredths(quarter[2][0]), 0, 100) &&
         Within(WholeOfSingle(quarter[3][0]), hiringLower, 10000) &&
         Within(hundredths(quarter[4][0]), 10, 200);
}

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
    // The quarter after the last one run is not played, and so not checked.
    if (t < std::min<std::int64_t>(*periods, kLastPeriod) &&
        !DecisionsInRange(quarter, std::nullopt)) {
      return failed(kErrFileOverflow);
    }
    if (onQuarterRead) onQuarterRead(t, read.periods);
  }
  if (static_cast<std::int64_t>(read.quarters.size()) < *periods) return {kStatusTooShort, 0};
  game = std::move(read);
  return {kStatusDone, 0};
}

std::string PreviewComments(std::string_view head, bool cut) {
  CsvReader file(head);
  file.Item();  // the version
  file.Line();  // the rest of line 1
  std::string_view line = file.Line().value_or(std::string_view());
  if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
    return '"' + FromFileLineEnds(DecodeComment(line.substr(1, line.size() - 2))) + '"';
  }
  if (cut && line.data() + line.size() == head.data() + head.size()) {
    const std::string quote = line.starts_with('"') ? "\"" : "";
    line.remove_prefix(quote.size());
    return quote + FromFileLineEnds(DecodeCommentStart(line)) + "\xE2\x80\xA6";  // "…"
  }
  return FromFileLineEnds(DecodeComment(line));
}

}  // namespace talvair::storage
