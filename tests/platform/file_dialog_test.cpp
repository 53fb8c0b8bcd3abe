// The extended file dialog, driven offscreen; shown modally only where the modal run itself is
// tested, and then answered from its event loop.
#include "platform/file_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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
      // Left to the save, which tells why it cannot be written.
      {"a name too long", folder.filePath(QString(252, 'n') + ".dat"), {}, true, {}},
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
      EXPECT_TRUE(
          dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->isEnabled())
          << c.name;
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

QString Touch(const QTemporaryDir& folder, const QString& name, qint64 size = 0) {
  QFile file(folder.filePath(name));
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray(size, 'x'));
  return QFileInfo(file).absoluteFilePath();
}

TEST(ComDlgEx, AChoiceFillsTheResultsCancelKeepsThemAndTheNextDialogStartsThere) {
  const struct Case {
    QStringList files;
    QString fileName, fileTitle, directory, extension;
    QStringList titles;
  } cases[] = {
      {{"/f/b.tar.gz"}, "/f/b.tar.gz", "b.tar.gz", "/f", "gz", {"b.tar.gz"}},
      {{"/game"}, "/game", "game", "/", "", {"game"}},
      {{"/f/a.dat", "/f/c"}, "", "", "/f", "", {"a.dat", "c"}},
  };
  const QString start = QDir::currentPath();
  for (const Case& c : cases) {
    const std::string name = c.files.join(' ').toStdString();
    ScriptedFileDialogs dialogs;
    ComDlgEx dialog;
    dialog.AllowMultiSelect(true);
    dialogs.ChooseMany(c.files);
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName(), c.fileName) << name;
    EXPECT_EQ(dialog.FileTitle(), c.fileTitle) << name;
    EXPECT_EQ(dialog.Directory(), c.directory) << name;
    EXPECT_EQ(dialog.Extension(), c.extension) << name;
    EXPECT_EQ(dialog.FileNames(), c.files) << name;
    EXPECT_EQ(dialog.FileTitles(), c.titles) << name;
    // The next dialog starts with the last choice.
    EXPECT_EQ(dialogs.Shown().at(1).directory, c.directory) << name;
    EXPECT_EQ(dialogs.Shown().at(1).fileName, c.fileName) << name;
    EXPECT_EQ(QDir::currentPath(), start) << "the current folder stays";
  }
}

// A player who ticks the read-only box and picks the third filter in a dialog that moves the
// process's current folder.
struct Player : FileDialogService {
  std::optional<FileDialogChoice> Show(const FileDialogOptions&) override {
    QDir::setCurrent(folder);
    FileDialogChoice choice = ChoiceOf(QStringList{folder + "/a.dat"});
    choice.readOnly = true;
    choice.filterIndex = 3;
    return choice;
  }
  QString folder;
};

TEST(ComDlgEx, PropertiesReachTheDialogAndWhatThePlayerChangedComesBack) {
  QTemporaryDir folder;
  const QString a = Touch(folder, "a.dat");
  const QString b = Touch(folder, "b.txt");
  ComDlgEx dialog;
  dialog.Filter(QStringList{"Games (*.dat)", "*.dat", "Texts", "*.txt;*.text", "All", "*"});
  dialog.FilterIndex(2);
  dialog.Extension(".DATA");
  dialog.AllowMultiSelect(true);
  dialog.Directory(folder.path());
  dialog.FileName(QString(261, 'n'));  // too long: ignored
  EXPECT_EQ(dialog.Filter(), "Texts|*.txt;*.text");
  EXPECT_EQ(dialog.Extension(), "dat");
  {
    ScriptedFileDialogs dialogs;
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_TRUE(dialogs.Shown().at(0).fileName.isEmpty());
    ExtendedFileDialog shown(dialogs.Shown().at(0));
    EXPECT_EQ(shown.nameFilters(),
              (QStringList{"Games (*.dat)", "Texts (*.txt *.text)", "All (*)"}));
    EXPECT_EQ(shown.selectedNameFilter(), "Texts (*.txt *.text)");
    EXPECT_EQ(shown.defaultSuffix(), "dat");
    EXPECT_EQ(shown.findChild<QListView*>("listView")->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    shown.selectNameFilter("All (*)");
    shown.findChild<QLineEdit*>("fileNameEdit")->setText("\"a.dat\" \"b.txt\"");
    shown.accept();
    ASSERT_EQ(shown.result(), QDialog::Accepted);
    EXPECT_EQ(shown.Choice().fileNames, (QStringList{a, b}));
    EXPECT_EQ(shown.Choice().filterIndex, 3);
    // A new name comes back as typed; only the must-exist flag refuses it. Open is then off,
    // unless the name is longer than the folder takes: that one is left to the opening to tell.
    ScopedScriptedMessages messages;
    const long most = ::pathconf(QFile::encodeName(folder.path()).constData(), _PC_NAME_MAX);
    const struct {
      int mustExist;
      long bytes;
      bool open;
    } names[] = {{0, 7, true},
                 {kFlagFileMustExist, 7, false},
                 {kFlagFileMustExist, most, false},
                 {kFlagFileMustExist, most + 1, true}};
    for (const auto& name : names) {
      FileDialogOptions options = dialogs.Shown().at(0);
      options.flags |= name.mustExist;
      ExtendedFileDialog typed(options);
      typed.findChild<QLineEdit*>("fileNameEdit")->setText(QString(name.bytes - 4, 'n') + ".dat");
      EXPECT_EQ(typed.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->isEnabled(),
                name.open)
          << name.mustExist << " " << name.bytes;
      typed.accept();
      EXPECT_EQ(typed.result() == QDialog::Accepted, name.mustExist == 0) << name.mustExist;
    }
  }
  Player player;
  player.folder = folder.path();
  SetFileDialogService(&player);
  const QString start = QDir::currentPath();
  dialog.RestoreCurDir(true);
  EXPECT_TRUE(dialog.ShowSave());
  SetFileDialogService(nullptr);
  EXPECT_EQ(QDir::currentPath(), start);
  EXPECT_FALSE(dialog.AllowMultiSelect()) << "a Save dialog takes one file";
  EXPECT_TRUE(dialog.CheckBoxSelected());
  EXPECT_EQ(dialog.Filter(), "All|*");
}

TEST(ExtendedFileDialog, ExtrasFollowTheirProperties) {
  const struct Case {
    bool boxVisible, boxSelected;
    QString boxCaption;
    int hide;
    QString help;         // the Help button's caption, with a message; "-" for none
    QString readOnlyBox;  // its caption and "+" when ticked, "-" for none
  } cases[] = {
      {false, false, "", 0, "-", "-"},
      {true, false, "", kHideLookIn | kHideFileType, "-", "Open as &read-only"},
      {false, true, "", kHideFileName | kHideFileType, "-", "Open as &read-only+"},
      {false, false, "&Locked", 0, "&Aid", "&Locked"},
  };
  const std::pair<int, QStringList> pairs[] = {{kHideLookIn, {"lookInLabel", "lookInCombo"}},
                                               {kHideFileName, {"fileNameLabel", "fileNameEdit"}},
                                               {kHideFileType, {"fileTypeLabel", "fileTypeCombo"}}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    ScriptedFileDialogs dialogs;
    ScopedScriptedMessages messages;
    ComDlgEx dialog;
    dialog.CheckBoxVisible(c.boxVisible);
    dialog.CheckBoxSelected(c.boxSelected);
    dialog.CheckBoxCaption(c.boxCaption);
    dialog.HideControls(c.hide);
    if (c.help != "-") {
      dialog.HelpMessage("Pick one");
      dialog.txtButtonHelp(c.help);
    }
    dialog.ShowOpen();
    ExtendedFileDialog shown(dialogs.Shown().at(0));
    QCheckBox* box = shown.ReadOnlyBox();
    EXPECT_EQ(box ? box->text() + (box->isChecked() ? "+" : "") : "-", c.readOnlyBox) << i;
    QStringList hidden;
    QStringList expected;
    for (const auto& [bit, names] : pairs) {
      if ((c.hide & bit) != 0) expected << names;
      for (const QString& name : names) {
        if (!shown.findChild<QWidget*>(name)->isVisibleTo(&shown)) hidden << name;
      }
    }
    EXPECT_EQ(hidden, expected) << i;
    auto* help = shown.findChild<QPushButton*>("Help");
    EXPECT_EQ(help ? help->text() : "-", c.help) << i;
    if (help) {
      help->click();
      const auto& shownMessage = messages.ShownMessages().at(0);
      EXPECT_EQ(shownMessage.title + "|" + shownMessage.text, "Aid|Pick one");
      EXPECT_EQ(shownMessage.style, kStyleInformation);
    }
  }

  // An empty caption is no button; a ticked box is read back.
  QTemporaryDir folder;
  FileDialogOptions options;
  options.flags &= ~kFlagHideReadOnly;
  options.buttonCaptions = {"", "", "Three", "", ""};
  ExtendedFileDialog dialog(options);
  EXPECT_EQ(dialog.ExtraButton(1), nullptr);
  EXPECT_EQ(dialog.ExtraButton(3)->text(), "Three");
  dialog.ReadOnlyBox()->setChecked(true);
  dialog.selectFile(folder.filePath("f"));
  dialog.accept();
  EXPECT_TRUE(dialog.Choice().readOnly);
}

TEST(FileStatusBar, ShowsSizesDatesCountsAndFolders) {
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  const std::pair<qint64, const char*> sizes[] = {{1023, "1023 bytes"}, {1024, "1KB"},
                                                  {2560, "2KB"},        {3584, "4KB"},
                                                  {1048575, "1024KB"},  {1048576, "1.00MB"}};
  for (const auto& [bytes, text] : sizes) EXPECT_EQ(FormatFileSize(bytes, us), text) << bytes;
  EXPECT_EQ(FormatFileDate(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), us), "3/5/24 02:07 PM");

  QTemporaryDir folder;
  const QString file = Touch(folder, "big.dat", 2048);
  FileStatusBar bar;
  bar.ShowFileInfo(file);
  EXPECT_FALSE(bar.Texts()[0].isEmpty()) << "the file's type";
  EXPECT_EQ(bar.Texts().mid(1),
            (QStringList{file, "2KB", FormatFileDate(QFileInfo(file).lastModified())}));
  bar.ShowSelectedCount(3);
  EXPECT_EQ(bar.Texts(), (QStringList{"", "3 files selected", "", ""}));
  bar.ShowFolder("");
  EXPECT_EQ(bar.Texts()[1], "(No folder selected)");
}

TEST(ComDlgEx, AMissingTemplateIsToldOnceAndThePlainDialogFollows) {
  const QString program = QCoreApplication::applicationFilePath();
  const struct Case {
    QString library;
    int id;
    bool found, told;
  } cases[] = {
      {program, kCommentsTemplate, true, false},
      {"", kCommentsTemplate, false, false},
      {program, 101, false, true},
      {"/no/such/library", kCommentsTemplate, false, true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    ScriptedFileDialogs dialogs;
    ScopedScriptedMessages messages;
    ComDlgEx dialog;
    dialog.TemplateLibrary(c.library);
    dialog.TemplateID(c.id);
    dialog.Comments("kept");
    dialogs.Choose("/f/a.dat", "typed");
    EXPECT_TRUE(dialog.ShowSave()) << i;
    ASSERT_EQ(dialogs.Shown().size(), 1u) << i;
    ASSERT_EQ(messages.ShownMessages().size(), c.told ? 1u : 0u) << i;
    if (c.told) {
      EXPECT_EQ(messages.ShownMessages()[0].text,
                "Template Library or Template ID not found.\rContinuing without Template...");
    }
    EXPECT_EQ(ExtendedFileDialog(dialogs.Shown()[0]).CommentsBox() != nullptr, c.found) << i;
    // Without the box the comments stay as they were set.
    EXPECT_EQ(dialog.Comments(), c.found ? "typed" : "kept") << i;
  }
}

// Replacing a file: the question closes, then the dialog; the window that was active before
// them has the keyboard again, not whatever the window manager picks.
TEST(ExtendedFileDialog, AfterTheReplaceQuestionTheWindowBeforeIsActiveAgain) {
  QTemporaryDir folder;
  QFile(folder.filePath("taken.dat")).open(QIODevice::WriteOnly);
  QWidget main;
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ExtendedFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        box->button(QMessageBox::Yes)->click();
      }
    });
    dialog->selectFile(folder.filePath("taken.dat"));
    dialog->accept();
  });
  ASSERT_TRUE(FileDialogs().Show(GameOptions(true, folder.path())).has_value());
  EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
}

}  // namespace
}  // namespace talvair::platform
