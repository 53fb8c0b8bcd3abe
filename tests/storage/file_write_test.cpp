// Replacing a file: what a save does to whatever stands at the name.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "storage/csv_text.h"
#include "storage/file_errors.h"

namespace talvair::storage {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

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

TEST(WriteFileAtomically, ReplacesOnlyAWritableRegularFileAndLeavesNothingElse) {
  struct Case {
    const char* name;
    std::function<void(const fs::path& dir)> setUp;  // makes "g.dat" and what goes with it
    int error;                                       // FileErrorNumber, 0 written
    std::string content;                             // of g.dat's file afterwards
    fs::perms mode;                                  // of that file afterwards
    bool unnamed = true;                             // the temporary file has no name
    rlim_t sizeLimit = RLIM_INFINITY;
  };
  const auto old = [](fs::perms mode) {
    return [mode](const fs::path& dir) {
      std::ofstream(dir / "file") << "old";
      fs::permissions(dir / "file", mode);
      fs::create_symlink("file", dir / "g.dat");
    };
  };
  using fs::perms;
  const perms kRw = perms::owner_read | perms::owner_write;
  const perms kReadOnly = perms::owner_read | perms::group_read | perms::others_read;
  const perms kShared = kRw | perms::group_read | perms::group_write;
  const std::vector<Case> cases = {
      {"read-only", old(kReadOnly), kErrPermissionDenied, "old", kReadOnly},
      {"private through a link", old(kRw), 0, "new", kRw},
      {"shared, named temporary", old(kShared), 0, "new", kShared, false},
      {"write fails", old(kRw), kErrFileTooLarge, "old", kRw, true, 2},
      {"write fails, named temporary", old(kRw), kErrFileTooLarge, "old", kRw, false, 2},
      {"link to a missing folder",
       [](const fs::path& dir) { fs::create_symlink("no/f", dir / "g.dat"); }, kErrBrokenLink, "",
       perms::none},
      {"link loop", [](const fs::path& dir) { fs::create_symlink("g.dat", dir / "g.dat"); },
       kErrBrokenLink, "", perms::none},
      {"FIFO", [](const fs::path& dir) { ::mkfifo((dir / "g.dat").c_str(), 0600); }, kErrFileAccess,
       "", perms::none},
      {"stale temporaries of a killed save",
       [](const fs::path& dir) {
         std::ofstream(dir / ".g.dat.tmp123") << "stale";
         std::ofstream(dir / "g.dat") << "old";
         fs::permissions(dir / "g.dat", kRw);
       },
       0, "new", kRw},
  };
  const fs::path root =
      fs::temp_directory_path() / ("talvair_write_" + std::to_string(std::random_device()()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path dir = root / c.name;
    fs::create_directories(dir);
    std::ofstream(dir / ".g.dat.tmpx") << "not ours";
    std::ofstream(dir / ".h.dat.tmp1") << "not ours";
    c.setUp(dir);
    const auto before = std::distance(fs::directory_iterator(dir), {});
    const int error = InChild(dir, [&] {
      UseUnnamedTemporaryFiles(c.unnamed);
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{c.sizeLimit, c.sizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      std::error_code why;
      return WriteFileAtomically((dir / "g.dat").string(), "new", why) ? 0 : FileErrorNumber(why);
    });
    EXPECT_EQ(error, c.error);
    const fs::path file = fs::exists(dir / "file") ? dir / "file" : dir / "g.dat";
    if (!c.content.empty()) {
      EXPECT_EQ(Contents(file), c.content);
      EXPECT_EQ(fs::status(file).permissions(), c.mode);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}),
              before - (std::string(c.name).starts_with("stale") ? 1 : 0))
        << "a temporary file is left, or a link was replaced";
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace talvair::storage
