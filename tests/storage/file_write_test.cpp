// Replacing a file: what a save does to whatever stands at the name.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "storage/csv_text.h"
#include "storage/file_errors.h"

namespace talvair::storage {
namespace {

namespace fs = std::filesystem;

// Root may write any file: the save runs in a child that has dropped to an ordinary user,
// the owner of `folder`, so permissions count as they do for a player.
int InChild(const fs::path& folder, const std::function<int()>& body) {
  constexpr uid_t kNobody = 65534;
  if (::geteuid() == 0) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      (void)::lchown(entry.path().c_str(), kNobody, kNobody);
    }
    (void)::chown(folder.c_str(), kNobody, kNobody);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(255);
    }
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 254;
}

// "g.dat" links to the target, whose program-made temporaries are ".TARGET.tmp" and digits.
TEST(WriteFileAtomically, ReplacesOnlyAWritableRegularFileAndLeavesNothingElse) {
  using fs::perms;
  const perms kRw = perms::owner_read | perms::owner_write;
  const perms kReadOnly = perms::owner_read | perms::group_read | perms::others_read;
  const perms kShared = kRw | perms::group_read | perms::group_write;
  const perms kUsual = kReadOnly | perms::owner_write;  // a new file's, under umask 022
  struct Case {
    // "file" holds "old" with `mode`, unless that is none; "fifo" is one; "sub/l1" links on
    // to "sub/l2" and that to "../file"
    const char* link;
    perms mode;
    int error;  // FileErrorNumber, 0 written
    bool staleRemoved;
    bool unnamed = true;  // the temporary file has no name
    rlim_t sizeLimit = RLIM_INFINITY;
    bool fresh = false;   // "file" is made by the save, with `mode`
    bool replace = true;  // false: never over a file, as research data are saved
  };
  const std::vector<Case> cases = {
      {"file", kReadOnly, kErrPermissionDenied, false},
      {"file", kRw, 0, true},
      {"file", kShared, 0, true, false},
      {"file", kRw, kErrFileTooLarge, true, false, 2},
      {"sub/l1", kRw, 0, true},
      {"file", kUsual, 0, true, true, RLIM_INFINITY, true},
      {"file", kUsual, 0, true, false, RLIM_INFINITY, true, false},
      {"no/f", perms::none, kErrBrokenLink, false},
      {"g.dat", perms::none, kErrBrokenLink, false},
      {"fifo", perms::none, kErrFileAccess, false},
  };
  const fs::path root = fs::temp_directory_path() / ("talvair_write_" + std::to_string(::getpid()));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    const fs::path dir = root / std::to_string(i);
    fs::create_directories(dir);
    // A save killed after naming its temporary left the first; the others are not its own.
    for (const char* name : {".file.tmp123", ".file.tmpx", ".g.dat.tmp1"})
      std::ofstream(dir / name) << "stale";
    if (c.mode != perms::none && !c.fresh) {
      std::ofstream(dir / "file") << "old";
      fs::permissions(dir / "file", c.mode);
    }
    if (c.link == std::string("fifo")) ::mkfifo((dir / "fifo").c_str(), 0600);
    if (c.link == std::string("sub/l1")) {
      fs::create_directories(dir / "sub");
      fs::create_symlink("l2", dir / "sub" / "l1");
      fs::create_symlink("../file", dir / "sub" / "l2");
    }
    fs::create_symlink(c.link, dir / "g.dat");
    const auto before = std::distance(fs::directory_iterator(dir), {});
    const int error = InChild(dir, [&] {
      UseUnnamedTemporaryFiles(c.unnamed);
      ::umask(022);
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{c.sizeLimit, c.sizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      std::error_code why;
      return WriteFileAtomically((dir / "g.dat").string(), "new", why, c.replace)
                 ? 0
                 : FileErrorNumber(why);
    });
    EXPECT_EQ(error, c.error);
    if (c.mode != perms::none) {
      std::stringstream bytes;
      bytes << std::ifstream(dir / "file").rdbuf();
      EXPECT_EQ(bytes.str(), c.error ? "old" : "new");
      EXPECT_EQ(fs::status(dir / "file").permissions(), c.mode);
    }
    EXPECT_EQ(fs::exists(dir / ".file.tmp123"), !c.staleRemoved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), before - c.staleRemoved + c.fresh)
        << "a temporary file is left, or a link was replaced";
  }
  fs::remove_all(root);
}

// Names up to the system's 255 bytes and paths up to its 4,095: a temporary file fits beside
// any of them, and a save removes what a killed save of the same name left, never what one of
// another name left, however alike the two names begin.
TEST(WriteFileAtomically, TemporariesFitWhereverTheTargetFitsAndStayTheirOwn) {
  const fs::path dir = fs::temp_directory_path() / ("talvair_long_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  // Alike but in the last character, even in its low four bits; the third is cut inside a
  // two-byte character unless the cut looks for a character's start.
  std::string accents = "b";
  for (int i = 0; i < 127; ++i) accents += "\xC3\xA9";
  const std::string first = (dir / (std::string(254, 'a') + "1")).string();
  const std::string second = (dir / (std::string(254, 'a') + "A")).string();
  const std::string third = (dir / accents).string();
  // A killed save uses a named temporary and dies, by the size limit, once it has made it.
  const auto save = [&](const std::string& path, bool killed, bool unnamed = true,
                        std::string_view bytes = "new") {
    return InChild(dir, [&] {
      UseUnnamedTemporaryFiles(unnamed && !killed);
      const rlimit none{0, 0}, limit{killed ? 1u : RLIM_INFINITY, killed ? 1u : RLIM_INFINITY};
      ::setrlimit(RLIMIT_CORE, &none);
      ::setrlimit(RLIMIT_FSIZE, &limit);
      std::error_code why;
      return WriteFileAtomically(path, bytes, why) ? 0 : FileErrorNumber(why);
    });
  };
  const auto entries = [&] { return std::distance(fs::directory_iterator(dir), {}); };
  for (const std::string& path : {first, first, second, third}) EXPECT_EQ(save(path, false), 0);
  for (const std::string& path : {first, second, third}) EXPECT_NE(save(path, true), 0);
  EXPECT_EQ(entries(), 6) << "each killed save leaves its temporary";
  EXPECT_EQ(save(first, false), 0);
  EXPECT_EQ(entries(), 5) << "only the first's temporary is gone";
  EXPECT_EQ(save(second, false), 0);
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    if (name.rfind(".b", 0) != 0) continue;
    // File systems that take only UTF-8 names would refuse half a character.
    for (std::size_t at; (at = name.find("\xC3\xA9")) != std::string::npos;) name.erase(at, 2);
    EXPECT_EQ(std::count_if(name.begin(), name.end(), [](char c) { return c & 0x80; }), 0)
        << "the third's temporary is valid UTF-8";
  }
  EXPECT_EQ(save(third, false), 0);
  EXPECT_EQ(entries(), 3);

  // A target whose path takes all the system's bytes is written, and replaced, either way.
  const std::string title = "/g.dat";
  std::string deep = dir.string();
  const auto room = [&] { return PATH_MAX - 1 - title.size() - deep.size(); };
  while (room() > 202) deep += "/" + std::string(200, 'd');
  deep += "/" + std::string(room() - 1, 'd');
  fs::create_directories(deep);
  const std::string target = deep + title;
  ASSERT_EQ(target.size(), PATH_MAX - 1);
  for (const bool unnamed : {true, false}) {
    for (const char* bytes : {"one", "two"}) {
      EXPECT_EQ(save(target, false, unnamed, bytes), 0) << unnamed << bytes;
      EXPECT_EQ(ReadFilePrefix(target, 10).value_or(""), bytes) << unnamed;
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace talvair::storage
