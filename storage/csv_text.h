// Comma-separated text as the program's files hold it: a string between double quotes with
// no escaping, a number bare with "." as the decimal point whatever the locale, a comma
// after an item that continues its line, CR LF after one that ends it. Standard library
// only, so every file format of the program shares one reading and one writing of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace talvair::storage {

inline constexpr std::string_view kLineEnd = "\r\n";

// The shortest decimal text that reads back as the same double: "0.09", "-3", "1e+20".
std::string NumberText(double value);

// Builds the text of a file item by item.
class CsvWriter {
 public:
  enum class Then { Comma, LineEnd };

  // "text": the bytes as they are, between double quotes.
  CsvWriter& String(std::string_view text, Then then = Then::Comma);
  // "text" with each double quote in it doubled, so that any text comes back whole.
  CsvWriter& QuotedText(std::string_view text, Then then = Then::Comma);
  CsvWriter& Number(double value, Then then = Then::Comma);
  CsvWriter& Integer(std::int64_t value, Then then = Then::Comma);

  const std::string& Text() const { return text_; }
  std::string TakeText() { return std::move(text_); }

 private:
  void End(Then then);
  std::string text_;
};

// Reads a file's text item by item or line by line. Commas and line ends (CR LF, a lone CR
// or a lone LF) delimit items; blanks around a bare item are not part of it.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}

  // True when nothing but blanks and line ends is left.
  bool AtEnd() const;
  // The next item: a quoted item without its quotes (what follows the closing quote up to
  // the delimiter is skipped), else the bare item. Empty past the end.
  std::optional<std::string_view> Item();
  // The same, where two double quotes inside a quoted item stand for one (QuotedText).
  std::optional<std::string> TextItem();
  // The rest of the current line without its line end. Empty past the end.
  std::optional<std::string_view> Line();

 private:
  void SkipDelimiter();
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A bare number item: decimal text with "." and an optional exponent and sign. Empty when
// the item is not a number or lies outside the range of a double; infinities and NaNs are
// not numbers here.
std::optional<double> ParseNumberItem(std::string_view item);
// The same, for items that must be whole numbers within [min, max].
std::optional<std::int64_t> ParseIntegerItem(std::string_view item, std::int64_t min,
                                             std::int64_t max);

// Line ends of the program's text boxes (LF) and of its files (CR LF). Reading, a lone CR
// counts as a line end too.
std::string ToFileLineEnds(std::string_view text);
std::string FromFileLineEnds(std::string_view text);

// A regular file (or a link to one) at the path.
bool FileExists(const std::string& path);
// The part of the path after its last separator.
std::string FileTitle(const std::string& path);

// Faults of a path that the system's error numbers do not name.
enum class FileFault {
  NotRegularFile = 1,  // a folder, a FIFO, a device
  BrokenLink,          // a symbolic link to nothing, or a loop of them
};
std::error_code make_error_code(FileFault fault);

// Replaces the file at `path` (the file a symbolic link leads to) by one holding exactly
// `bytes`, or leaves the old file whole: the new file is written and synced under no name
// or a temporary one and only then takes the name, and the folder is synced after. The new
// file keeps the old one's permission bits. An existing file that is not writable or not a
// regular file is refused. False, with the reason, on failure. Without `replace` an
// existing file is kept and the reason is std::errc::file_exists.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::error_code& error,
                         bool replace = true);

// Tests take the way of file systems without unnamed files: a named temporary file.
void UseUnnamedTemporaryFiles(bool use);

// Reads at most `maxBytes` of a regular file; `tooLarge` tells that more was there. Empty
// when the file cannot be read, `error` (when given) telling why.
std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                                          bool* tooLarge = nullptr,
                                          std::error_code* error = nullptr);

}  // namespace talvair::storage

template <>
struct std::is_error_code_enum<talvair::storage::FileFault> : std::true_type {};
