// The Open game and Save game dialogs with scripted choices.
#include "storage/game_dialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "model/game.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "storage/comment_escape.h"
#include "storage/saved_game_file.h"

namespace talvair::storage {
namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
}

TEST(SaveGameWithDialog, AddsDatAsksAgainForATakenNameAndKeepsTheDialogsComments) {
  QTemporaryDir folder;
  Write(folder.filePath("taken.dat"), "old");
  struct Case {
    const char* name;
    QString typed;
    std::vector<int> answers;  // to the question about the name that gained ".dat"
    const char* savedAs;       // empty: nothing saved
  };
  const std::vector<Case> cases = {
      {"plain name", "game", {}, "game.dat"},
      {"with .dat", "kept.dat", {}, "kept.dat"},
      {"other case", "upper.DAT", {}, "upper.DAT.dat"},
      {"gains a taken name, keep it", "taken", {platform::kAnswerNo}, ""},
      {"gains a taken name, replace it", "taken", {platform::kAnswerYes}, "taken.dat"},
  };
  for (const Case& c : cases) {
    platform::ScopedScriptedMessages messages;
    for (const int answer : c.answers) messages.Answer(answer);
    platform::ScriptedFileDialogs dialogs;
    dialogs.Choose(folder.filePath(c.typed), QStringLiteral("from the dialog"));
    game model;
    model.GameComments("before");
    int error = -1;
    const std::optional<int> status = SaveGameWithDialog(model, "notepad", &error);
    EXPECT_EQ(messages.ShownMessages().size(), c.answers.size()) << c.name;
    if (std::string(c.savedAs).empty()) {
      EXPECT_FALSE(status) << c.name;
      EXPECT_EQ(model.GameComments(), "before") << "No counts as Cancel";
      EXPECT_EQ(Contents(folder.filePath("taken.dat")), "old");
      continue;
    }
    EXPECT_EQ(status, kStatusDone) << c.name;
    EXPECT_EQ(error, 0);
    EXPECT_EQ(model.GameComments(), "from the dialog") << c.name;
    EXPECT_TRUE(Contents(folder.filePath(c.savedAs))
                    .startsWith(("21,0\r\n\"" + EncodeString("from the dialog") + "\"").c_str()))
        << c.name;
    EXPECT_EQ(dialogs.Shown().at(0).comments, "notepad");
  }

  // Cancel: nothing written, the model's comments kept; a failed save gives its reason.
  platform::ScriptedFileDialogs dialogs;
  dialogs.Cancel();
  dialogs.Choose(folder.filePath("none/game"));
  game model;
  model.GameComments("before");
  EXPECT_FALSE(SaveGameWithDialog(model, "notepad"));
  EXPECT_EQ(model.GameComments(), "before");
  int error = 0;
  EXPECT_EQ(SaveGameWithDialog(model, "notepad", &error), kStatusFailed);
  EXPECT_EQ(error, kErrPathNotFound);
}

TEST(OpenGameDialog, PreviewsRegularFilesFromTheirFirstBytesOnly) {
  QTemporaryDir folder;
  Write(folder.filePath("game.dat"),
        "21,3\r\n\"" + QByteArray::fromStdString(EncodeString("a\r\n%1")) + "\"\r\n0,");
  Write(folder.filePath("far.dat"), "21,3" + QByteArray(70 * 1024, ' ') + "\r\n\"%97\"\r\n");
  QDir(folder.path()).mkdir("folder.dat");
  const std::vector<std::pair<QString, QString>> cases = {
      {"game.dat", "\"a\n%1\""},
      {"far.dat", ""},
      {"folder.dat", ""},
      {"missing.dat", ""},
  };
  for (const auto& [name, preview] : cases) {
    EXPECT_EQ(PreviewGameComments(folder.filePath(name)), preview) << name.toStdString();
  }

  platform::ScriptedFileDialogs dialogs;
  dialogs.Choose(folder.filePath("typed"));
  EXPECT_EQ(ShowOpenGameDialog(), folder.filePath("typed")) << "returned as typed";
  EXPECT_FALSE(ShowOpenGameDialog());
  EXPECT_EQ(dialogs.Shown().at(0).preview(folder.filePath("game.dat")), "\"a\n%1\"");
}

}  // namespace
}  // namespace talvair::storage
