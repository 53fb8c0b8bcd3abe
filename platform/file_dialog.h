// The extended file dialog, ComDlgEx: an Open or Save file dialog (never the desktop's own)
// with optional extras: a template panel under the controls (this program's is the
// "Comments" box), a read-only box, a status bar with file information, extra buttons, a
// Help button with a message, captions of its own for buttons and labels, an icon and
// centring. An Open dialog shows in the Comments box what the caller's preview says of the
// selected file; a Save dialog starts the box with Comments and takes its text back only
// when the player presses OK.
//
// Every dialog goes through one replaceable service, so tests script the player's choice
// and never block on a modal window.
#pragma once

#include <QDateTime>
#include <QFileDialog>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace talvair::platform {

// Bits of the dialog's flags.
inline constexpr int kFlagReadOnly = 0x1;
inline constexpr int kFlagOverwritePrompt = 0x2;
inline constexpr int kFlagHideReadOnly = 0x4;
inline constexpr int kFlagNoChangeDir = 0x8;
inline constexpr int kFlagShowHelp = 0x10;
inline constexpr int kFlagEnableHook = 0x20;
inline constexpr int kFlagEnableTemplate = 0x40;
inline constexpr int kFlagAllowMultiSelect = 0x200;
inline constexpr int kFlagPathMustExist = 0x800;
inline constexpr int kFlagFileMustExist = 0x1000;
inline constexpr int kFlagNoReadOnlyReturn = 0x8000;
inline constexpr int kFlagExplorer = 0x80000;
inline constexpr int kFlagLongNames = 0x200000;
inline constexpr int kInitialFlags =
    kFlagLongNames | kFlagExplorer | kFlagEnableHook | kFlagHideReadOnly;

// Bits of HideControls.
inline constexpr int kHideLookIn = 1;
inline constexpr int kHideFileName = 2;
inline constexpr int kHideFileType = 4;

// The one template this program holds: the Comments box, in the program's own executable.
inline constexpr int kCommentsTemplate = 100;

// How a dialog is to be shown.
struct FileDialogOptions {
  bool saving = false;  // a Save dialog, else an Open dialog
  int flags = kInitialFlags;
  QString title;
  QString directory;  // the folder it starts in
  QString fileName;   // the name it starts with
  // Descriptions and patterns separated by "|": "Saved games (*.dat)|*.dat".
  QString filter;
  int filterIndex = 1;       // 1-based
  QString defaultExtension;  // added to a name typed without one
  // Captions; an empty one leaves the dialog's own.
  QString okCaption;
  QString cancelCaption;
  QString helpCaption;
  QString lookInCaption;
  QString fileNameCaption;
  QString fileTypeCaption;
  QString checkBoxCaption;
  std::array<QString, 5> buttonCaptions;  // extra buttons; an empty caption hides one
  int hideControls = 0;                   // kHide... bits
  QString helpMessage;
  bool statusbar = false;
  // 1 centred over the active window, 2 centred on the screen, other values not moved.
  int centerDialog = 0;
  QString iconFile;
  int iconIndex = 0;
  std::optional<int> templateId;  // a template that exists, or none
  QString comments;               // the Comments box's first text
  // Open dialogs: what the Comments box shows for a selected file.
  std::function<QString(const QString& path)> preview;
  // What the Comments box may hold; others become "?". Empty: anything.
  std::function<bool(char32_t)> commentsAllowed;
};

// What the player chose with OK.
struct FileDialogChoice {
  QString fileName;        // the full path; empty after a multiple choice
  QString fileTitle;       // its last part
  QString extension;       // after the title's last ".", without it; empty when there is none
  QString directory;       // the folder of the choice
  QStringList fileNames;   // every file chosen, full paths
  QStringList fileTitles;  // their last parts
  std::optional<QString> comments;  // the Comments box's text at OK; none without the box
  bool readOnly = false;            // the read-only box was ticked
  int filterIndex = 1;
};

// The parts of the files chosen, all in one folder, as the dialog reports them.
FileDialogChoice ChoiceOf(const QStringList& files);

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Empty when the player cancelled.
  virtual std::optional<FileDialogChoice> Show(const FileDialogOptions& options) = 0;
};

// The service in use: the real dialog unless a test installed another (not owned).
FileDialogService& FileDialogs();
void SetFileDialogService(FileDialogService* service);

// Whether `library` and `id` name a template: only the program's own executable holds any.
bool TemplateExists(const QString& library, int id);

// The status bar's texts.
QString FormatFileSize(qint64 bytes, const QLocale& locale = QLocale());
QString FormatFileDate(const QDateTime& date, const QLocale& locale = QLocale());

// A status bar under the dialog: the selected file's icon, type, path, size and date, the
// number of files selected, or the folder.
class FileStatusBar : public QWidget {
  Q_OBJECT

 public:
  explicit FileStatusBar(QWidget* parent = nullptr);
  void ShowFileInfo(const QString& path);
  void ShowSelectedCount(int count);
  void ShowFolder(const QString& folder);
  // What it shows, as texts: type, path, size, date.
  QStringList Texts() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowText(const QString& text);
  void ShowPath(const QString& path);
  static void SetPart(QLabel* part, const QString& text);
  QLabel* icon_;
  QLabel* type_;
  QLabel* path_;
  QLabel* size_;
  QLabel* date_;
  QString fullPath_;
};

// The real dialog, built from the options; exec() shows it.
class ExtendedFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit ExtendedFileDialog(const FileDialogOptions& options, QWidget* parent = nullptr);

  QPlainTextEdit* CommentsBox() const { return comments_; }
  QCheckBox* ReadOnlyBox() const { return readOnly_; }
  FileStatusBar* StatusBar() const { return statusBar_; }
  QPushButton* ExtraButton(int number) const { return extraButtons_.at(number - 1); }
  // The choice once the dialog was accepted.
  FileDialogChoice Choice() const { return choice_; }

  // Refuses a choice the flags rule out (asking before replacing a file), then takes it.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;
  // Keeps OK on for a name too long, which accept() passes on.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddExtras();
  void ArrangeControls();
  void SetDialogIcon();
  void SelectionChanged();
  void ShowHelpMessage();
  // Turns OK on again where the dialog turned it off only for a name too long.
  void AllowNameTooLong();
  FileDialogOptions options_;
  QPlainTextEdit* comments_ = nullptr;
  QCheckBox* readOnly_ = nullptr;
  FileStatusBar* statusBar_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::array<QPushButton*, 5> extraButtons_{};
  FileDialogChoice choice_;
};

// The question before a file is replaced; true on Yes.
bool ConfirmReplace(const QString& fileName, const QString& title);

// The object the program's code sets up and shows, one per dialog. Getters and setters
// share a name, as properties.
class ComDlgEx {
 public:
  void AllowMultiSelect(bool on) { SetFlag(kFlagAllowMultiSelect, on); }
  bool AllowMultiSelect() const { return (options_.flags & kFlagAllowMultiSelect) != 0; }
  void DialogTitle(const QString& title) { options_.title = title; }
  void Filter(const QString& filter) { options_.filter = filter; }
  // Descriptions and patterns as separate items.
  void Filter(const QStringList& parts) { options_.filter = parts.join(QLatin1Char('|')); }
  // The description and pattern of the current filter, joined by "|".
  QString Filter() const;
  void FilterIndex(int index) { options_.filterIndex = index; }
  int FilterIndex() const { return options_.filterIndex; }
  // Puts the process's current folder back after the dialog.
  void RestoreCurDir(bool on) { SetFlag(kFlagNoChangeDir, on); }
  void ExistFlags(int bits) { options_.flags |= bits; }
  void CheckBoxVisible(bool on) { SetFlag(kFlagHideReadOnly, !on); }
  bool CheckBoxVisible() const { return (options_.flags & kFlagHideReadOnly) == 0; }
  void CheckBoxSelected(bool on) { SetFlag(kFlagReadOnly, on); }
  bool CheckBoxSelected() const { return (options_.flags & kFlagReadOnly) != 0; }
  void CheckBoxCaption(const QString& caption);
  const QString& CheckBoxCaption() const { return options_.checkBoxCaption; }
  // Let: the name the dialog starts with, ignored when 261 characters or longer. Get: the
  // full path chosen.
  void FileName(const QString& name);
  const QString& FileName() const { return choice_.fileName; }
  const QStringList& FileNames() const { return choice_.fileNames; }
  const QStringList& FileTitles() const { return choice_.fileTitles; }
  const QString& FileTitle() const { return choice_.fileTitle; }
  // Let: the folder the dialog starts in. Get: the folder of the choice.
  void Directory(const QString& folder) { choice_.directory = folder; }
  const QString& Directory() const { return choice_.directory; }
  // Let: the default extension, without dots, at most three characters, lower case. Get:
  // the extension of the choice.
  void Extension(const QString& extension);
  const QString& Extension() const { return choice_.extension; }
  void StatusbarVisible(bool on) { options_.statusbar = on; }
  bool StatusbarVisible() const { return options_.statusbar; }
  void CenterDialog(int how) { options_.centerDialog = how; }
  int CenterDialog() const { return options_.centerDialog; }
  void HideControls(int bits) { options_.hideControls = bits; }
  int HideControls() const { return options_.hideControls; }
  void txtButton1(const QString& caption) { options_.buttonCaptions[0] = caption; }
  void txtButton2(const QString& caption) { options_.buttonCaptions[1] = caption; }
  void txtButton3(const QString& caption) { options_.buttonCaptions[2] = caption; }
  void txtButton4(const QString& caption) { options_.buttonCaptions[3] = caption; }
  void txtButton5(const QString& caption) { options_.buttonCaptions[4] = caption; }
  const QString& txtButton1() const { return options_.buttonCaptions[0]; }
  const QString& txtButton2() const { return options_.buttonCaptions[1]; }
  const QString& txtButton3() const { return options_.buttonCaptions[2]; }
  const QString& txtButton4() const { return options_.buttonCaptions[3]; }
  const QString& txtButton5() const { return options_.buttonCaptions[4]; }
  void txtButtonOK(const QString& caption) { options_.okCaption = caption; }
  const QString& txtButtonOK() const { return options_.okCaption; }
  void txtButtonCancel(const QString& caption) { options_.cancelCaption = caption; }
  const QString& txtButtonCancel() const { return options_.cancelCaption; }
  void txtButtonHelp(const QString& caption) { options_.helpCaption = caption; }
  const QString& txtButtonHelp() const { return options_.helpCaption; }
  void txtLabelLookIn(const QString& caption) { options_.lookInCaption = caption; }
  const QString& txtLabelLookIn() const { return options_.lookInCaption; }
  void txtLabelFileName(const QString& caption) { options_.fileNameCaption = caption; }
  const QString& txtLabelFileName() const { return options_.fileNameCaption; }
  void txtLabelFileType(const QString& caption) { options_.fileTypeCaption = caption; }
  const QString& txtLabelFileType() const { return options_.fileTypeCaption; }
  // Also shows the Help button.
  void HelpMessage(const QString& text);
  const QString& HelpMessage() const { return options_.helpMessage; }
  // A file with images Qt can read (an .ico may hold several), and which of them.
  void IconFile(const QString& file) { options_.iconFile = file; }
  const QString& IconFile() const { return options_.iconFile; }
  void IconIndex(int index) { options_.iconIndex = index; }
  int IconIndex() const { return options_.iconIndex; }
  void TemplateLibrary(const QString& library) { templateLibrary_ = library; }
  void TemplateID(int id) { templateId_ = id; }
  void Comments(const QString& text) { options_.comments = text; }
  const QString& Comments() const { return options_.comments; }
  void Saving(bool on) { options_.saving = on; }
  bool Saving() const { return options_.saving; }

  void Preview(std::function<QString(const QString&)> preview) {
    options_.preview = std::move(preview);
  }
  void CommentsAllowed(std::function<bool(char32_t)> allowed) {
    options_.commentsAllowed = std::move(allowed);
  }

  // Show the dialog; true when the player chose a file. Cancel keeps the results.
  bool ShowOpen();
  bool ShowSave();

 private:
  void SetFlag(int flag, bool on) {
    options_.flags = on ? options_.flags | flag : options_.flags & ~flag;
  }
  bool Show();
  FileDialogOptions options_;
  QString templateLibrary_;
  int templateId_ = 0;
  FileDialogChoice choice_;
};

// For tests: choices from a queue (Cancel when it is empty) and every dialog's options.
class ScriptedFileDialogs : public FileDialogService {
 public:
  ScriptedFileDialogs() { SetFileDialogService(this); }
  ~ScriptedFileDialogs() override { SetFileDialogService(nullptr); }
  ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
  ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

  std::optional<FileDialogChoice> Show(const FileDialogOptions& options) override;
  // The player picks this file (with these comments, or the box's first text when none).
  void Choose(const QString& fileName, std::optional<QString> comments = std::nullopt);
  // The player picks several files of one folder.
  void ChooseMany(const QStringList& files);
  void Cancel() { script_.push_back(std::nullopt); }
  const std::vector<FileDialogOptions>& Shown() const { return shown_; }

 private:
  struct Step {
    QStringList files;
    std::optional<QString> comments;
  };
  std::deque<std::optional<Step>> script_;
  std::vector<FileDialogOptions> shown_;
};

}  // namespace talvair::platform
