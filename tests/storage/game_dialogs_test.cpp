// The Open game and Save game dialogs with scripted choices.
#include "storage/game_dialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>
#include <vector>

#include "model/game.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "storage/comment_escape.h"
#include "storage/saved_game_file.h"

namespace talvair::storage {
namespace {

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
    std::optional<QString> typed;  // none: Cancel
    std::vector<int> answers;      // to the question about the name that gained ".dat"
    std::optional<int> status;
    int error;
    QString savedAs;
  };
  const std::vector<Case> cases = {
      {"plain name", "game", {}, kStatusDone, 0, "game.dat"},
      {"with .dat", "kept.dat", {}, kStatusDone, 0, "kept.dat"},
      {"other case", "upper.DAT", {}, kStatusDone, 0, "upper.DAT.dat"},
      {"gains a taken name, keep it", "taken", {platform::kAnswerNo}, {}, -1, ""},
      {"Cancel", {}, {}, {}, -1, ""},
      {"no such folder", "none/game", {}, kStatusFailed, kErrPathNotFound, ""},
      {"gains a taken name, replace it", "taken", {platform::kAnswerYes}, 0, 0, "taken.dat"},
  };
  for (const Case& c : cases) {
    platform::ScopedScriptedMessages messages;
    for (const int answer : c.answers) messages.Answer(answer);
    platform::ScriptedFileDialogs dialogs;
    c.typed ? dialogs.Choose(folder.filePath(*c.typed), QStringLiteral("from the dialog"))
            : dialogs.Cancel();
    game model;
    model.GameComments("before");
    int error = -1;
    EXPECT_EQ(SaveGameWithDialog(model, "notepad", &error), c.status) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_EQ(messages.ShownMessages().size(), c.answers.size()) << c.name;
    EXPECT_EQ(dialogs.Shown().at(0).comments, "notepad");
    // No goes back to the dialog with the name and the comments as the player left them.
    if (c.answers == std::vector<int>{platform::kAnswerNo}) {
      const platform::FileDialogOptions& again = dialogs.Shown().at(1);
      EXPECT_EQ(again.directory + '/' + again.fileName + '|' + again.comments,
                folder.filePath("taken") + "|from the dialog");
    }
    EXPECT_EQ(model.GameComments(), c.status ? "from the dialog" : "before") << c.name;
    QFile saved(folder.filePath(c.savedAs.isEmpty() ? "taken.dat" : c.savedAs));
    saved.open(QIODevice::ReadOnly);
    EXPECT_TRUE(saved.readAll().startsWith(
        c.savedAs.isEmpty()
            ? QByteArray("old")
            : QByteArray::fromStdString("21,0\r\n\"" + EncodeString("from the dialog"))))
        << c.name;
  }
}

TEST(GameDialogFolder, StartsInTheProgramFolderOnlyWhenItIsAWritableFolder) {
  QTemporaryDir folder;
  Write(folder.filePath("file"), "x");
  EXPECT_EQ(GameDialogFolder(folder.path()), folder.path());
  for (const QString& unusable : {folder.filePath("missing"), folder.filePath("file")}) {
    const QString chosen = GameDialogFolder(unusable);
    EXPECT_NE(chosen, unusable);
    EXPECT_TRUE(QFileInfo(chosen).isDir()) << chosen.toStdString();
  }
}

TEST(OpenGameDialog, PreviewsRegularFilesFromTheirFirstBytesOnly) {
  QTemporaryDir folder;
  Write(folder.filePath("game.dat"),
        "21,3\r\n\"" + QByteArray::fromStdString(EncodeString("a\r\n%1")) + "\"\r\n0,");
  Write(folder.filePath("far.dat"), "21,3" + QByteArray(70 * 1024, ' ') + "\r\n\"%97\"\r\n");
  QDir(folder.path()).mkdir("folder.dat");
  for (const auto& [name, preview] : std::vector<std::pair<QString, QString>>{
           {"game.dat", "\"a\n%1\""}, {"far.dat", ""}, {"folder.dat", ""}, {"missing.dat", ""}}) {
    EXPECT_EQ(PreviewGameComments(folder.filePath(name)), preview) << name.toStdString();
  }

  platform::ScriptedFileDialogs dialogs;
  dialogs.Choose(folder.filePath("typed"));
  EXPECT_EQ(ShowOpenGameDialog(), folder.filePath("typed")) << "returned as typed";
  EXPECT_FALSE(ShowOpenGameDialog());
  EXPECT_EQ(dialogs.Shown().at(0).preview(folder.filePath("game.dat")), "\"a\n%1\"");
}

TEST(GameDialogs, FindTheCommentsTemplateAndTheSaveDialogAsksAsItShould) {
  using namespace platform;
  ScopedScriptedMessages messages;
  ScriptedFileDialogs dialogs;
  game model;
  ShowOpenGameDialog();
  SaveGameWithDialog(model, "notepad");
  EXPECT_TRUE(messages.ShownMessages().empty()) << "the template is found";
  constexpr int kSaveFlags = kFlagOverwritePrompt | kFlagPathMustExist | kFlagNoReadOnlyReturn;
  ASSERT_EQ(dialogs.Shown().size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(dialogs.Shown()[i].templateId, kCommentsTemplate) << i;
    EXPECT_EQ(dialogs.Shown()[i].flags & (kSaveFlags | kFlagAllowMultiSelect),
              i == 0 ? 0 : kSaveFlags)
        << i;
  }
}

}  // namespace
}  // namespace talvair::storage
