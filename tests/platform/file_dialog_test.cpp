// The extended file dialog, driven offscreen without ever being shown modally.
#include "platform/file_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
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

namespace talvair::platform {
namespace {

QString Touch(const QTemporaryDir& folder, const QString& name, qint64 size = 0) {
  QFile file(folder.filePath(name));
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray(size, 'x'));
  return QFileInfo(file).absoluteFilePath();
}

TEST(ComDlgEx, ChoicesFillTheResultPropertiesAndCancelKeepsThem) {
  const struct Case {
    const char* name;
    QStringList files;  // empty: Cancel
    bool multiSelect;
    QString fileName, fileTitle, directory, extension;
    QStringList titles;
  } cases[] = {
      {"single", {"/f/a.dat"}, false, "/f/a.dat", "a.dat", "/f", "dat", {"a.dat"}},
      {"single in a multiple dialog",
       {"/f/b.tar.gz"},
       true,
       "/f/b.tar.gz",
       "b.tar.gz",
       "/f",
       "gz",
       {"b.tar.gz"}},
      {"no extension", {"/f/game"}, false, "/f/game", "game", "/f", "", {"game"}},
      {"several", {"/f/a.dat", "/f/c"}, true, "", "", "/f", "", {"a.dat", "c"}},
      {"several at the root", {"/a", "/b"}, true, "", "", "/", "", {"a", "b"}},
      {"Cancel keeps them", {}, false, "/f/x.y", "x.y", "/f", "y", {"x.y"}},
  };
  for (const Case& c : cases) {
    ScriptedFileDialogs dialogs;
    ComDlgEx dialog;
    dialog.AllowMultiSelect(c.multiSelect);
    dialogs.Choose("/f/x.y");
    c.files.isEmpty() ? dialogs.Cancel() : dialogs.ChooseMany(c.files);
    ASSERT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(dialog.ShowOpen(), !c.files.isEmpty()) << c.name;
    EXPECT_EQ(dialog.FileName(), c.fileName) << c.name;
    EXPECT_EQ(dialog.FileTitle(), c.fileTitle) << c.name;
    EXPECT_EQ(dialog.Directory(), c.directory) << c.name;
    EXPECT_EQ(dialog.Extension(), c.extension) << c.name;
    EXPECT_EQ(dialog.FileTitles(), c.titles) << c.name;
    EXPECT_EQ(dialog.FileNames(), c.files.isEmpty() ? QStringList{"/f/x.y"} : c.files) << c.name;
    // The next dialog starts where the last choice was made.
    EXPECT_EQ(dialogs.Shown().at(1).directory, "/f");
  }
}

TEST(ComDlgEx, PropertiesReachTheDialog) {
  QTemporaryDir folder;
  const QString a = Touch(folder, "a.dat");
  const QString b = Touch(folder, "b.txt");
  ScriptedFileDialogs dialogs;
  ComDlgEx dialog;
  dialog.Filter(QStringList{"Games", "*.dat", "Texts", "*.txt", "All", "*"});
  dialog.FilterIndex(2);
  dialog.Extension(".DATA");
  dialog.AllowMultiSelect(true);
  dialog.Directory(folder.path());
  dialog.FileName(QString(261, 'n'));  // too long: ignored
  EXPECT_EQ(dialog.Filter(), "Texts|*.txt");
  EXPECT_EQ(dialog.Extension(), "dat");
  EXPECT_FALSE(dialog.ShowOpen());

  ExtendedFileDialog shown(dialogs.Shown().at(0));
  EXPECT_EQ(shown.fileMode(), QFileDialog::ExistingFiles);
  EXPECT_EQ(shown.selectedNameFilter(), "Texts (*.txt)");
  EXPECT_EQ(shown.defaultSuffix(), "dat");
  EXPECT_TRUE(dialogs.Shown().at(0).fileName.isEmpty());
  shown.selectNameFilter("All (*)");
  shown.findChild<QLineEdit*>("fileNameEdit")->setText("\"a.dat\" \"b.txt\"");
  shown.accept();
  ASSERT_EQ(shown.result(), QDialog::Accepted);
  EXPECT_EQ(shown.Choice().fileNames, (QStringList{a, b}));
  EXPECT_TRUE(shown.Choice().fileName.isEmpty());
  EXPECT_EQ(shown.Choice().filterIndex, 3);

  dialogs.ChooseMany({a, b});
  EXPECT_TRUE(dialog.ShowSave());
  EXPECT_FALSE(dialog.AllowMultiSelect()) << "a Save dialog takes one file";
}

TEST(ExtendedFileDialog, ExtrasFollowTheirProperties) {
  const struct Case {
    const char* name;
    std::function<void(ComDlgEx&)> set;
    QString readOnlyBox;  // its caption, "-" for none
    bool ticked;
    QStringList hidden;  // controls hidden
    QString help;        // the Help button's caption, "-" for none
  } cases[] = {
      {"plain", [](ComDlgEx&) {}, "-", false, {}, "-"},
      {"box shown",
       [](ComDlgEx& d) { d.CheckBoxVisible(true); },
       "Open as &read-only",
       false,
       {},
       "-"},
      {"box ticked shows it",
       [](ComDlgEx& d) { d.CheckBoxSelected(true); },
       "Open as &read-only",
       true,
       {},
       "-"},
      {"caption shows it",
       [](ComDlgEx& d) { d.CheckBoxCaption("&Locked"); },
       "&Locked",
       false,
       {},
       "-"},
      {"look-in and type hidden",
       [](ComDlgEx& d) { d.HideControls(kHideLookIn | kHideFileType); },
       "-",
       false,
       {"lookInLabel", "lookInCombo", "fileTypeLabel", "fileTypeCombo"},
       "-"},
      {"file name hidden",
       [](ComDlgEx& d) { d.HideControls(kHideFileName); },
       "-",
       false,
       {"fileNameLabel", "fileNameEdit"},
       "-"},
      {"help",
       [](ComDlgEx& d) {
         d.HelpMessage("Pick one");
         d.txtButtonHelp("&Aid");
       },
       "-",
       false,
       {},
       "&Aid"},
  };
  const QStringList controls = {"lookInLabel",  "lookInCombo",   "fileNameLabel",
                                "fileNameEdit", "fileTypeLabel", "fileTypeCombo"};
  for (const Case& c : cases) {
    ScriptedFileDialogs dialogs;
    ScopedScriptedMessages messages;
    ComDlgEx dialog;
    c.set(dialog);
    dialog.ShowOpen();
    ExtendedFileDialog shown(dialogs.Shown().at(0));
    QCheckBox* box = shown.ReadOnlyBox();
    EXPECT_EQ(box ? box->text() : "-", c.readOnlyBox) << c.name;
    EXPECT_EQ(box && box->isChecked(), c.ticked) << c.name;
    QStringList hidden;
    for (const QString& control : controls) {
      if (!shown.findChild<QWidget*>(control)->isVisibleTo(&shown)) hidden << control;
    }
    EXPECT_EQ(hidden, c.hidden) << c.name;
    auto* help = shown.findChild<QPushButton*>("Help");
    EXPECT_EQ(help ? help->text() : "-", c.help) << c.name;
    if (help) {
      help->click();
      ASSERT_EQ(messages.ShownMessages().size(), 1u);
      EXPECT_EQ(messages.ShownMessages()[0].title, "Aid");
      EXPECT_EQ(messages.ShownMessages()[0].text, "Pick one");
      EXPECT_EQ(messages.ShownMessages()[0].style, kStyleInformation);
    }
  }

  // Extra buttons show their captions; an empty one is no button. A ticked box is read back.
  QTemporaryDir folder;
  FileDialogOptions options;
  options.flags &= ~kFlagHideReadOnly;
  options.buttonCaptions = {"One", "", "Three", "", ""};
  ExtendedFileDialog dialog(options);
  EXPECT_EQ(dialog.ExtraButton(1)->text(), "One");
  EXPECT_EQ(dialog.ExtraButton(2), nullptr);
  EXPECT_TRUE(dialog.ExtraButton(3)->isVisibleTo(&dialog));
  dialog.ReadOnlyBox()->setChecked(true);
  dialog.selectFile(folder.filePath("f"));
  dialog.accept();
  EXPECT_TRUE(dialog.Choice().readOnly);
}

TEST(FileStatusBar, ShowsSizesDatesCountsAndFolders) {
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  for (const auto& [bytes, text] : std::vector<std::pair<qint64, QString>>{{1023, "1023 bytes"},
                                                                           {1024, "1KB"},
                                                                           {2560, "2KB"},
                                                                           {3584, "4KB"},
                                                                           {1048575, "1024KB"},
                                                                           {1048576, "1.00MB"}}) {
    EXPECT_EQ(FormatFileSize(bytes, us), text) << bytes;
  }
  EXPECT_EQ(FormatFileDate(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), us), "3/5/24 02:07 PM");
  EXPECT_EQ(FormatFileDate(QDateTime(QDate(2024, 12, 25), QTime(0, 30)), us), "12/25/24 12:30 AM");

  QTemporaryDir folder;
  const QString file = Touch(folder, "big.dat", 2048);
  FileStatusBar bar;
  bar.ShowFileInfo(file);
  EXPECT_EQ(bar.Texts().mid(1),
            (QStringList{file, "2KB", FormatFileDate(QFileInfo(file).lastModified())}));
  EXPECT_FALSE(bar.Texts()[0].isEmpty()) << "the file's type";
  bar.ShowSelectedCount(3);
  EXPECT_EQ(bar.Texts(), (QStringList{"", "3 files selected", "", ""}));
  bar.ShowFolder("");
  EXPECT_EQ(bar.Texts()[1], "(No folder selected)");
}

TEST(ComDlgEx, AMissingTemplateIsToldOnceAndThePlainDialogFollows) {
  const QString program = QCoreApplication::applicationFilePath();
  const struct Case {
    const char* name;
    QString library;
    int id;
    bool message;
    bool comments;
  } cases[] = {
      {"the program's template", program, kCommentsTemplate, false, true},
      {"no library", "", kCommentsTemplate, false, false},
      {"no such id", program, 101, true, false},
      {"no such library", "/no/such/library", kCommentsTemplate, true, false},
  };
  for (const Case& c : cases) {
    ScriptedFileDialogs dialogs;
    ScopedScriptedMessages messages;
    ComDlgEx dialog;
    dialog.TemplateLibrary(c.library);
    dialog.TemplateID(c.id);
    dialog.Comments("kept");
    dialogs.Choose("/f/a.dat", "typed");
    EXPECT_TRUE(dialog.ShowSave()) << c.name;
    ASSERT_EQ(dialogs.Shown().size(), 1u) << c.name;
    ASSERT_EQ(messages.ShownMessages().size(), c.message ? 1u : 0u) << c.name;
    if (c.message) {
      EXPECT_EQ(messages.ShownMessages()[0].text,
                "Template Library or Template ID not found.\rContinuing without Template...");
    }
    EXPECT_EQ(ExtendedFileDialog(dialogs.Shown()[0]).CommentsBox() != nullptr, c.comments)
        << c.name;
    // Without the box the comments stay as they were set.
    EXPECT_EQ(dialog.Comments(), c.comments ? "typed" : "kept") << c.name;
  }
}

// A player whose dialog moves the process's current folder.
class Wanderer : public FileDialogService {
 public:
  explicit Wanderer(QString folder) : folder_(std::move(folder)) { SetFileDialogService(this); }
  ~Wanderer() override { SetFileDialogService(nullptr); }
  std::optional<FileDialogChoice> Show(const FileDialogOptions&) override {
    QDir::setCurrent(folder_);
    return ChoiceOf(QStringList{folder_ + "/a.dat"});
  }

 private:
  QString folder_;
};

TEST(ComDlgEx, RestoreCurDirPutsTheCurrentFolderBack) {
  const QString start = QDir::currentPath();
  QTemporaryDir elsewhere;
  for (const bool restore : {true, false}) {
    QDir::setCurrent(start);
    Wanderer player(elsewhere.path());
    ComDlgEx dialog;
    dialog.RestoreCurDir(restore);
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(QDir::currentPath(), restore ? start : QDir(elsewhere.path()).canonicalPath())
        << restore;
  }
  QDir::setCurrent(start);
}

}  // namespace
}  // namespace talvair::platform
