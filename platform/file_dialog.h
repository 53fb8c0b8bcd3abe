// The extended file dialog, ComDlgEx: an Open or Save file dialog (never the desktop's own)
// with a "Comments" box under its controls, centred on the screen. An Open dialog shows in
// the box what the caller's preview says of the selected file; a Save dialog starts the box
// with Comments and takes its text back only when the player presses OK.
//
// Every dialog goes through one replaceable service, so tests script the player's choice
// and never block on a modal window.
#pragma once

#include <QFileDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;

namespace talvair::platform {

// How a dialog is to be shown.
struct FileDialogOptions {
  bool saving = false;  // a Save dialog, else an Open dialog
  QString title;
  QString directory;  // the folder it starts in
  // Descriptions and patterns separated by "|": "Saved games (*.dat)|*.dat".
  QString filter;
  QString okCaption = QStringLiteral("OK");
  QString cancelCaption = QStringLiteral("Cancel");
  QString lookInCaption;
  // 1 centred over the active window, 2 centred on the screen, other values not moved.
  int centerDialog = 2;
  QString comments;  // the Comments box's first text
  // Open dialogs: what the Comments box shows for a selected file.
  std::function<QString(const QString& path)> preview;
  // What the Comments box may hold; others become "?". Empty: anything.
  std::function<bool(char32_t)> commentsAllowed;
};

// What the player chose with OK.
struct FileDialogChoice {
  QString fileName;   // the full path
  QString fileTitle;  // its last part
  QString extension;  // after the title's last ".", without it; empty when there is none
  QString comments;   // the Comments box's text when OK was pressed
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Empty when the player cancelled.
  virtual std::optional<FileDialogChoice> Show(const FileDialogOptions& options) = 0;
};

// The service in use: the real dialog unless a test installed another (not owned).
FileDialogService& FileDialogs();
void SetFileDialogService(FileDialogService* service);

// The real dialog, built from the options; exec() shows it.
class ExtendedFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit ExtendedFileDialog(const FileDialogOptions& options, QWidget* parent = nullptr);

  QPlainTextEdit* CommentsBox() const { return comments_; }
  // The choice once the dialog was accepted.
  FileDialogChoice Choice() const { return choice_; }

  // A Save dialog asks before replacing a file and refuses a folder that does not exist.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  FileDialogOptions options_;
  QPlainTextEdit* comments_ = nullptr;
  FileDialogChoice choice_;
};

// The question before a file is replaced; true on Yes.
bool ConfirmReplace(const QString& fileName, const QString& title);

// The object the program's code sets up and shows, one per dialog.
class ComDlgEx {
 public:
  void DialogTitle(const QString& title) { options_.title = title; }
  void Directory(const QString& folder) { options_.directory = folder; }
  void Filter(const QString& filter) { options_.filter = filter; }
  void txtButtonOK(const QString& caption) { options_.okCaption = caption; }
  void txtButtonCancel(const QString& caption) { options_.cancelCaption = caption; }
  void txtLabelLookIn(const QString& caption) { options_.lookInCaption = caption; }
  void CenterDialog(int how) { options_.centerDialog = how; }
  void Comments(const QString& text) { options_.comments = text; }
  void Preview(std::function<QString(const QString&)> preview) {
    options_.preview = std::move(preview);
  }
  void CommentsAllowed(std::function<bool(char32_t)> allowed) {
    options_.commentsAllowed = std::move(allowed);
  }

  // Show the dialog; true when the player chose a file. Cancel keeps the results below.
  bool ShowOpen();
  bool ShowSave();
  bool Saving() const { return options_.saving; }

  const QString& FileName() const { return choice_.fileName; }
  const QString& FileTitle() const { return choice_.fileTitle; }
  const QString& Extension() const { return choice_.extension; }
  const QString& Comments() const { return choice_.comments; }

 private:
  bool Show();
  FileDialogOptions options_;
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
  void Cancel() { script_.push_back(std::nullopt); }
  const std::vector<FileDialogOptions>& Shown() const { return shown_; }

 private:
  struct Step {
    QString fileName;
    std::optional<QString> comments;
  };
  std::deque<std::optional<Step>> script_;
  std::vector<FileDialogOptions> shown_;
};

// The parts of a chosen path as the dialog reports them.
FileDialogChoice ChoiceOf(const QString& fileName, const QString& comments);

}  // namespace talvair::platform
