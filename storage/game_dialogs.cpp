#include "storage/game_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "model/game.h"
#include "platform/file_dialog.h"
#include "storage/csv_text.h"
#include "storage/saved_game.h"
#include "storage/saved_game_file.h"
#include "storage/windows_1252.h"

namespace talvair::storage {

namespace {

constexpr std::size_t kPreviewBytes = 64 * 1024;

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The set-up both dialogs share, step by step.
void SetUp(platform::ComDlgEx& dialog, bool saving) {
  dialog.AllowMultiSelect(false);
  dialog.CenterDialog(2);
  dialog.DialogTitle(saving ? QStringLiteral("Save game") : QStringLiteral("Open game"));
  // The Comments template lives in the program itself.
  dialog.TemplateLibrary(QCoreApplication::applicationFilePath());
  dialog.Directory(GameDialogFolder());
  dialog.TemplateID(platform::kCommentsTemplate);
  dialog.StatusbarVisible(false);
  dialog.txtButtonOK(QStringLiteral("OK"));
  dialog.txtButtonCancel(QStringLiteral("&Cancel"));
  // The program's icon file; its second image is the small one a title bar shows.
  dialog.IconFile(QStringLiteral(":/icons/talvair.ico"));
  dialog.IconIndex(1);
  dialog.txtLabelLookIn(saving ? QStringLiteral("Save in:") : QStringLiteral("Look in:"));
  dialog.Filter(QStringLiteral("Saved games (*.dat)|*.dat"));
  dialog.CommentsAllowed([](char32_t c) { return Windows1252Byte(c).has_value(); });
}

}  // namespace

QString GameDialogFolder() { return GameDialogFolder(QCoreApplication::applicationDirPath()); }

QString GameDialogFolder(const QString& programFolder) {
  const QFileInfo program(programFolder);
  if (program.isDir() && program.isWritable()) return programFolder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString PreviewGameComments(const QString& path) {
  bool tooLarge = false;
  const std::optional<std::string> head =
      ReadFilePrefix(NativePath(path), kPreviewBytes, &tooLarge);
  if (!head) return QString();
  return QString::fromStdString(PreviewComments(*head, tooLarge));
}

std::optional<QString> ShowOpenGameDialog() {
  platform::ComDlgEx dialog;
  SetUp(dialog, false);
  dialog.Preview(PreviewGameComments);
  if (!dialog.ShowOpen() || dialog.FileName().isEmpty()) return std::nullopt;
  return dialog.FileName();
}

std::optional<int> SaveGameWithDialog(game& model, const QString& notepadComments, int* errorCode) {
  QString folder = GameDialogFolder();
  QString typed;
  QString comments = notepadComments;
  for (;;) {
    platform::ComDlgEx dialog;
    SetUp(dialog, true);
    dialog.Directory(folder);
    dialog.FileName(typed);
    dialog.Comments(comments);
    if (!dialog.ShowSave() || dialog.FileName().isEmpty()) return std::nullopt;
    QString fileName = dialog.FileName();
    // The dialog asked about the name as typed, not the one that gains ".dat"; No goes back
    // to the dialog as the player left it.
    if (dialog.Extension() != QStringLiteral("dat")) {
      fileName += QStringLiteral(".dat");
      if (QFileInfo(fileName).exists() &&
          !platform::ConfirmReplace(QFileInfo(fileName).fileName(), QStringLiteral("Save game"))) {
        folder = dialog.Directory();
        typed = dialog.FileTitle();
        comments = dialog.Comments();
        continue;
      }
    }
    model.GameComments(dialog.Comments().toStdString());
    return SaveGame(model, NativePath(fileName), true, model.GameComments(), errorCode);
  }
}

}  // namespace talvair::storage
