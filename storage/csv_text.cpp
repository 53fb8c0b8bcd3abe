#include "storage/csv_text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
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

namespace {

class FileFaultCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "talvair file"; }
  std::string message(int value) const override {
    switch (static_cast<FileFault>(value)) {
      case FileFault::NotRegularFile:
        return "not a regular file";
      case FileFault::BrokenLink:
        return "a symbolic link that leads nowhere";
    }
    return "file fault";
  }
};

std::error_code ErrnoError(int number) {
  return std::error_code(number != 0 ? number : EIO, std::generic_category());
}

// Closes a descriptor on every path.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now; a close that fails can mean lost data.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool g_unnamedTemporaries = true;

// Deeper chains of links than this are taken for a loop, as the system does.
constexpr int kMaxLinkDepth = 40;

// The path a chain of symbolic links ends at (the path itself when it is no link), whether
// or not a file stands there. Empty, with the reason, for a loop or an unreadable link.
std::optional<fs::path> FollowLinks(fs::path path, std::error_code& error, bool& followed) {
  followed = false;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const fs::path next = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
    followed = true;
  }
  error = FileFault::BrokenLink;
  return std::nullopt;
}

// Appends rather than inserting in front, where GCC 12 warns of a restrict violation that
// is not there.
std::string Joined(std::string head, std::string_view tail) {
  head += tail;
  return head;
}

// The digits that end a temporary name: a number below 10^9.
constexpr std::size_t kTemporaryDigits = 9;
constexpr unsigned kTemporaryNumbers = 1000000000u;

// The longest name the folder takes; 255 bytes where the system does not say.
std::size_t MaxNameBytes(const fs::path& folder) {
  const long max = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return max >= 64 ? static_cast<std::size_t>(max) : 255;
}

// 64-bit FNV-1a: the same for a name in every run of the program, so a later save still
// knows a temporary left by an earlier one.
std::string NameHash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  std::string text(16, '0');
  for (std::size_t i = text.size(); i-- > 0; hash >>= 4) text[i] = "0123456789abcdef"[hash & 15];
  return text;
}

// The program's temporary names for `target`: ".NAME.tmp" and digits. A name too long for
// that is cut (at a character's start) and followed by a hash of the whole: ".CUT.tmpHASH-"
// and digits. Targets alike in their first bytes then never share temporaries, and neither
// form can be read as the other (one ends in ".tmp" and digits, the other in "-" and digits).
std::string TemporaryPrefix(const fs::path& folder, const fs::path& target) {
  const std::string name = target.filename().string();
  const std::size_t max = MaxNameBytes(folder) - kTemporaryDigits;
  std::string prefix = Joined(".", name);
  prefix += ".tmp";
  if (prefix.size() <= max) return prefix;
  const std::string hash = NameHash(name);
  std::size_t cut = std::min(name.size(), max - std::min(max, 6 + hash.size()));
  // Half a character would make the name invalid UTF-8, and file systems that take only
  // UTF-8 names would refuse every save of this target.
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  prefix = Joined(".", std::string_view(name).substr(0, cut));
  prefix += ".tmp";
  prefix += hash;
  prefix += '-';
  return prefix;
}

bool IsTemporaryOf(const std::string& name, const std::string& prefix) {
  return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         name.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// A save killed after its temporary file got a name leaves that file behind; the next save
// of the same target removes it.
void RemoveStaleTemporaries(int folder, const std::string& prefix) {
  const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listed < 0) return;
  DIR* const entries = ::fdopendir(listed);
  if (entries == nullptr) {
    ::close(listed);
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    struct stat info {};
    if (IsTemporaryOf(entry->d_name, prefix) &&
        ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode)) {
      ::unlinkat(folder, entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the folder's new entry survive a power cut; file systems that cannot sync a
// folder keep their entries anyway.
void SyncFolder(int folder) {
  const Descriptor dir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0) ::fsync(dir.Get());
}

// A name beside the target for the new file until it replaces the target. Without `fd` a
// file is created under it; with `fd` the unnamed file behind it is linked to it.
std::error_code NameTemporary(int folder, const std::string& prefix, int fd, mode_t mode,
                              std::string& temporary, int& created) {
  std::random_device seed;
  std::mt19937 random(seed());
  const std::string self = Joined("/proc/self/fd/", std::to_string(fd));
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = Joined(prefix, std::to_string(random() % kTemporaryNumbers));
    errno = 0;
    if (fd < 0) {
      created = ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (created >= 0) return {};
    } else if (::linkat(AT_FDCWD, self.c_str(), folder, temporary.c_str(), AT_SYMLINK_FOLLOW) ==
               0) {
      return {};
    }
    if (errno != EEXIST) break;
  }
  temporary.clear();
  return ErrnoError(errno);
}

// Gives the written file its final name. `unnamed` holds the file when it has no name yet;
// otherwise `temporary` names it.
std::error_code PlaceFile(const Descriptor& unnamed, const std::string& temporary, int folder,
                          const std::string& prefix, const std::string& target, bool replace) {
  if (unnamed.Get() >= 0) {
    // A missing target takes the file's name in one step, leaving nothing behind.
    const std::string self = Joined("/proc/self/fd/", std::to_string(unnamed.Get()));
    if (::linkat(AT_FDCWD, self.c_str(), folder, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return {};
    }
    if (errno != EEXIST) return ErrnoError(errno);
    if (!replace) return std::make_error_code(std::errc::file_exists);
    // A link cannot replace a name: the file gets a name of its own for the rename.
    std::string named;
    int unused = -1;
    if (const std::error_code error =
            NameTemporary(folder, prefix, unnamed.Get(), 0, named, unused))
      return error;
    if (::renameat(folder, named.c_str(), folder, target.c_str()) == 0) return {};
    const std::error_code error = ErrnoError(errno);
    ::unlinkat(folder, named.c_str(), 0);
    return error;
  }
  if (replace) {
    if (::renameat(folder, temporary.c_str(), folder, target.c_str()) == 0) return {};
    return ErrnoError(errno);
  }
  // A hard link refuses an existing target atomically; file systems without hard links
  // get a look for the target first.
  if (::linkat(folder, temporary.c_str(), folder, target.c_str(), 0) == 0) {
    ::unlinkat(folder, temporary.c_str(), 0);
    return {};
  }
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return ErrnoError(errno);
  struct stat info {};
  if (::fstatat(folder, target.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
    return std::make_error_code(std::errc::file_exists);
  }
  if (::renameat(folder, temporary.c_str(), folder, target.c_str()) == 0) return {};
  return ErrnoError(errno);
}

}  // namespace

void UseUnnamedTemporaryFiles(bool use) { g_unnamedTemporaries = use; }

std::error_code make_error_code(FileFault fault) {
  static const FileFaultCategory category;
  return {static_cast<int>(fault), category};
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::error_code& error,
                         bool replace) {
  error.clear();
  bool followed = false;
  const std::optional<fs::path> resolved = FollowLinks(fs::path(path), error, followed);
  if (!resolved) return false;
  const fs::path& target = *resolved;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string name = target.filename().string();

  // The target is looked at by its whole path: a file the system cannot reach by it could
  // not be opened again.
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) {
    if (!S_ISREG(old.st_mode)) {
      error = FileFault::NotRegularFile;
      return false;
    }
    if (!replace) {
      error = std::make_error_code(std::errc::file_exists);
      return false;
    }
    // A rename would replace a read-only file without a word.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      error = ErrnoError(errno);
      return false;
    }
  } else if (errno != ENOENT) {
    error = ErrnoError(errno);
    return false;
  }
  // Everything else is reached by its name in the folder, opened once: a temporary name is
  // longer than the target's, and its whole path could pass the system's limit where the
  // target's does not.
  const Descriptor dir(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() < 0) {
    error = ErrnoError(errno);
    if (followed && (error == std::errc::no_such_file_or_directory)) error = FileFault::BrokenLink;
    return false;
  }
  const std::string prefix = TemporaryPrefix(folder, target);
  RemoveStaleTemporaries(dir.Get(), prefix);

  // A new file gets the usual permissions less the umask; a replaced one keeps its own,
  // set once the file is still private to this process.
  const mode_t createMode = exists ? 0600 : 0666;
  // An unnamed file cannot outlive the process; older kernels and some file systems offer
  // none, and then a named one is used.
  Descriptor unnamed;
  errno = EOPNOTSUPP;
  if (g_unnamedTemporaries) {
    unnamed.Reset(::openat(dir.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode));
  }
  Descriptor named;
  std::string temporary;
  if (unnamed.Get() < 0) {
    if (errno != EISDIR && errno != EOPNOTSUPP && errno != EINVAL) {
      error = ErrnoError(errno);
      return false;
    }
    int fd = -1;
    error = NameTemporary(dir.Get(), prefix, -1, createMode, temporary, fd);
    if (error) return false;
    named.Reset(fd);
  }
  const int fd = unnamed.Get() >= 0 ? unnamed.Get() : named.Get();
  errno = 0;
  bool written = WriteAll(fd, bytes) && (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                 ::fsync(fd) == 0;
  if (!written) error = ErrnoError(errno);
  // Only a named file can be closed before it is placed; a failed close may have lost data.
  if (named.Get() >= 0) {
    errno = 0;
    const bool closed = named.Close();
    if (written && !closed) error = ErrnoError(errno);
    written = written && closed;
  }
  if (written) error = PlaceFile(unnamed, temporary, dir.Get(), prefix, name, replace);
  if (!written || error) {
    if (!temporary.empty()) ::unlinkat(dir.Get(), temporary.c_str(), 0);
    return false;
  }
  SyncFolder(dir.Get());
  return true;
}

std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                                          bool* tooLarge, std::error_code* error) {
  if (tooLarge != nullptr) *tooLarge = false;
  std::error_code ignored;
  std::error_code& reason = error != nullptr ? *error : ignored;
  reason.clear();
  const auto failed = [&](std::error_code why) -> std::optional<std::string> {
    if (why == std::errc::too_many_symbolic_link_levels) {
      why = FileFault::BrokenLink;
    } else if (why == std::errc::no_such_file_or_directory) {
      struct stat link {};
      if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) why = FileFault::BrokenLink;
    }
    reason = why;
    return std::nullopt;
  };
  // Opening a FIFO or a device could block or act on it: only a regular file is opened, and
  // it is checked again once open.
  struct stat info {};
  if (path.empty()) return failed(std::make_error_code(std::errc::no_such_file_or_directory));
  if (::stat(path.c_str(), &info) != 0) return failed(ErrnoError(errno));
  if (!S_ISREG(info.st_mode)) return failed(FileFault::NotRegularFile);
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) return failed(ErrnoError(errno));
  if (::fstat(file.Get(), &info) != 0) return failed(ErrnoError(errno));
  if (!S_ISREG(info.st_mode)) return failed(FileFault::NotRegularFile);

  // One byte more than allowed tells a file that is too large, however it grew.
  std::string bytes;
  std::array<char, 65536> chunk{};
  while (bytes.size() <= maxBytes) {
    const ssize_t got =
        ::read(file.Get(), chunk.data(), std::min(chunk.size(), maxBytes + 1 - bytes.size()));
    if (got < 0) {
      if (errno == EINTR) continue;
      return failed(ErrnoError(errno));
    }
    if (got == 0) break;
    bytes.append(chunk.data(), static_cast<std::size_t>(got));
  }
  if (bytes.size() > maxBytes) {
    bytes.resize(maxBytes);
    if (tooLarge != nullptr) *tooLarge = true;
  }
  return bytes;
}

}  // namespace talvair::storage
