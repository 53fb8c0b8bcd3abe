#include "storage/csv_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace talvair::storage {

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::error_code LastError() {
  return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

// Closes on every path; the result of fclose matters for a written file.
struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file != nullptr) std::fclose(file);
  }
};

// Renames without replacing: a hard link refuses an existing target atomically, then the
// temporary name goes. File systems without hard links get a look for the target first.
std::error_code RenameKeeping(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::create_hard_link(from, to, error);
  if (!error) {
    // The file stands under its name: a temporary name that will not go is only litter.
    std::error_code ignored;
    fs::remove(from, ignored);
    return {};
  }
  if (error != std::errc::operation_not_permitted && error != std::errc::operation_not_supported &&
      error != std::errc::function_not_supported) {
    return error;
  }
  if (fs::exists(fs::symlink_status(to, error))) {
    return std::make_error_code(std::errc::file_exists);
  }
  fs::rename(from, to, error);
  return error;
}

}  // namespace

std::string NumberText(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

// ---- writing -----------------------------------------------------------------------------

void CsvWriter::End(Then then) {
  if (then == Then::Comma) {
    text_ += ',';
  } else {
    text_ += kLineEnd;
  }
}

CsvWriter& CsvWriter::String(std::string_view text, Then then) {
  text_ += '"';
  text_ += text;
  text_ += '"';
  End(then);
  return *this;
}

CsvWriter& CsvWriter::QuotedText(std::string_view text, Then then) {
  text_ += '"';
  for (const char c : text) {
    if (c == '"') text_ += '"';
    text_ += c;
  }
  text_ += '"';
  End(then);
  return *this;
}

CsvWriter& CsvWriter::Number(double value, Then then) {
  text_ += NumberText(value);
  End(then);
  return *this;
}

CsvWriter& CsvWriter::Integer(std::int64_t value, Then then) {
  text_ += std::to_string(value);
  End(then);
  return *this;
}

// ---- reading -----------------------------------------------------------------------------

bool CsvReader::AtEnd() const {
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    if (!IsBlank(text_[i]) && !IsLineEnd(text_[i])) return false;
  }
  return true;
}

void CsvReader::SkipDelimiter() {
  while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
}

std::optional<std::string_view> CsvReader::Item() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return std::nullopt;
  std::string_view item;
  if (text_[pos_] == '"') {
    const std::size_t start = pos_ + 1;
    std::size_t close = text_.find('"', start);
    if (close == std::string_view::npos) close = text_.size();
    item = text_.substr(start, close - start);
    pos_ = std::min(close + 1, text_.size());
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    item = TrimBlanks(text_.substr(start, pos_ - start));
  }
  SkipDelimiter();
  return item;
}

std::optional<std::string> CsvReader::TextItem() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  if (pos_ >= text_.size() || text_[pos_] != '"') {
    const std::optional<std::string_view> item = Item();
    return item ? std::optional<std::string>(*item) : std::nullopt;
  }
  std::string item;
  ++pos_;
  for (;;) {
    const std::size_t quote = std::min(text_.find('"', pos_), text_.size());
    item.append(text_.substr(pos_, quote - pos_));
    pos_ = std::min(quote + 1, text_.size());
    if (pos_ >= text_.size() || text_[pos_] != '"') break;
    item += '"';
    ++pos_;
  }
  SkipDelimiter();
  return item;
}

std::optional<std::string_view> CsvReader::Line() {
  if (pos_ >= text_.size()) return std::nullopt;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
  const std::string_view line = text_.substr(start, pos_ - start);
  if (pos_ < text_.size()) {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }
  return line;
}

std::optional<double> ParseNumberItem(std::string_view item) {
  item = TrimBlanks(item);
  if (!item.empty() && item.front() == '+') item.remove_prefix(1);
  // from_chars would take these as infinities, NaNs or hexadecimal digits.
  if (item.empty() || item.find_first_not_of("0123456789.eE+-") != std::string_view::npos) {
    return std::nullopt;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
  if (error != std::errc() || end != item.data() + item.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> ParseIntegerItem(std::string_view item, std::int64_t min,
                                             std::int64_t max) {
  const std::optional<double> value = ParseNumberItem(item);
  if (!value || *value != std::trunc(*value) || *value < static_cast<double>(min) ||
      *value > static_cast<double>(max)) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(*value);
}

std::string ToFileLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string FromFileLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// ---- files -------------------------------------------------------------------------------

bool FileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_regular_file(fs::path(path), error);
}

std::string FileTitle(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::error_code& error,
                         bool replace) {
  error.clear();
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device seed;
  std::mt19937 random(seed());

  // A fresh name in the same folder, created exclusively so no other file is ever reused.
  std::unique_ptr<std::FILE, FileCloser> file;
  fs::path temporary;
  for (int attempt = 0; attempt < 16 && !file; ++attempt) {
    temporary = folder / ("." + target.filename().string() + ".tmp" +
                          std::to_string(random() % 1000000000u));
    errno = 0;
    file.reset(std::fopen(temporary.c_str(), "wbx"));
    if (!file && errno != EEXIST) break;
  }
  if (!file) {
    error = LastError();
    return false;
  }

  errno = 0;
  bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = written && std::fflush(file.get()) == 0;
  if (!written) error = LastError();
  errno = 0;
  const bool closed = std::fclose(file.release()) == 0;
  if (written && !closed) error = LastError();
  if (written && closed) {
    if (replace) {
      fs::rename(temporary, target, error);
    } else {
      error = RenameKeeping(temporary, target);
    }
    if (!error) return true;
  }
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return false;
}

std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                                          bool* tooLarge) {
  if (tooLarge != nullptr) *tooLarge = false;
  if (!FileExists(path)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  std::array<char, 65536> chunk{};
  while (bytes.size() < maxBytes && in) {
    in.read(chunk.data(),
            static_cast<std::streamsize>(std::min(chunk.size(), maxBytes - bytes.size())));
    bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  if (tooLarge != nullptr && bytes.size() == maxBytes) {
    *tooLarge = in.peek() != std::ifstream::traits_type::eof();
  }
  return bytes;
}

}  // namespace talvair::storage
