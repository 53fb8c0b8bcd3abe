// The extended file dialog, driven offscreen without ever being shown modally.
#include "platform/file_dialog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <vector>

#include "platform/message_box.h"

namespace talvair::platform {
namespace {

FileDialogOptions GameOptions(bool saving, const QString& folder) {
  FileDialogOptions options;
  options.saving = saving;
  if (saving) options.flags |= kFlagOverwritePrompt | kFlagPathMustExist;
  options.templateId = kCommentsTemplate;
  options.directory = folder;
  options.filter = QStringLiteral("Saved games (*.dat)|*.dat");
  options.comments = QStringLiteral("first text");
  options.preview = [](const QString& path) {
    return QStringLiteral("preview of ") + QFileInfo(path).fileName();
  };
  options.commentsAllowed = [](char32_t c) { return c < 0x100; };
  return options;
}

TEST(ExtendedFileDialog, OpenPreviewsSelectedFilesAndSaveNever) {
  QTemporaryDir folder;
  QFile(folder.filePath("a.dat")).open(QIODevice::WriteOnly);
  ExtendedFileDialog open(GameOptions(false, folder.path()));
  emit open.currentChanged(folder.filePath("a.dat"));
  EXPECT_EQ(open.CommentsBox()->toPlainText(), "preview of a.dat");
  emit open.currentChanged(folder.path());  // a folder is no saved game
  EXPECT_EQ(open.CommentsBox()->toPlainText(), "preview of a.dat");

  ExtendedFileDialog save(GameOptions(true, folder.path()));
  emit save.currentChanged(folder.filePath("a.dat"));
  EXPECT_EQ(save.CommentsBox()->toPlainText(), "first text");
}

TEST(ExtendedFileDialog, SaveTakesOnlyHoldableCommentsOnlyOnOkAndAsksBeforeReplacing) {
  QTemporaryDir folder;
  QFile(folder.filePath("taken.dat")).open(QIODevice::WriteOnly);
  struct Case {
    const char* name;
    QString file;  // empty: Cancel
    std::vector<int> answers;
    bool accepted;
    std::vector<int> styles;  // the messages shown
  };
  const std::vector<Case> cases = {
      {"new name", folder.filePath("new.dat"), {}, true, {}},
      {"taken, replace", folder.filePath("taken.dat"), {kAnswerYes}, true, {4 + 48 + 256}},
      {"taken, keep", folder.filePath("taken.dat"), {kAnswerNo}, false, {4 + 48 + 256}},
      {"no such folder", folder.filePath("none/new.dat"), {}, false, {48}},
      {"Cancel", "", {}, false, {}},
  };
  for (const Case& c : cases) {
    ScopedScriptedMessages messages;
    for (const int answer : c.answers) messages.Answer(answer);
    ExtendedFileDialog dialog(GameOptions(true, folder.path()));
    dialog.CommentsBox()->clear();
    dialog.CommentsBox()->insertPlainText(
        QString::fromUtf8("a\xE2\x86\x92\xC3\xA9\nb\xF0\x9F\x98\x80"));
    if (c.file.isEmpty()) {
      dialog.reject();
    } else {
      dialog.selectFile(c.file);
      dialog.accept();
    }
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.name;
    EXPECT_EQ(dialog.Choice().fileName.isEmpty(), !c.accepted) << c.name;
    EXPECT_EQ(dialog.Choice().comments.value_or(""),
              c.accepted ? QString::fromUtf8("a?\xC3\xA9\nb?") : "")
        << c.name;
    std::vector<int> styles;
    for (const auto& shown : messages.ShownMessages()) styles.push_back(shown.style);
    EXPECT_EQ(styles, c.styles) << c.name;
  }
}

TEST(ComDlgEx, CancelKeepsTheLastChoice) {
  ScriptedFileDialogs dialogs;
  ComDlgEx dialog;
  dialog.Comments("kept");
  dialogs.Choose("/f/x.dat");
  dialogs.Cancel();
  EXPECT_TRUE(dialog.ShowSave());
  EXPECT_EQ(dialog.Comments(), "kept");
  EXPECT_FALSE(dialog.ShowOpen());
  EXPECT_EQ(dialog.FileName(), "/f/x.dat");
  EXPECT_TRUE(dialogs.Shown()[0].saving);
  EXPECT_FALSE(dialogs.Shown()[1].saving);
}

}  // namespace
}  // namespace talvair::platform
