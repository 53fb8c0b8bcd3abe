// frmGameComments: the game notepad, a small child window of the main window in which the
// player keeps comments with the game. The text lives in the main window's GameComments;
// the notepad shows it and writes every change straight back.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace talvair::shell {

class frmMDI;

class frmGameComments : public QWidget {
  Q_OBJECT

 public:
  // Loads the window for `window` (Notepad turns on); it is hosted and shown by
  // ShowNotepad.
  explicit frmGameComments(frmMDI& window, QWidget* parent = nullptr);

  // False once the player has closed it (Notepad turns off then).
  bool IsOpen() const { return open_; }

  QPlainTextEdit* txtComments() const { return txtComments_; }
  QLabel* lblDescription() const { return lblDescription_; }

 protected:
  // Resizes of the window that hosts it: the rules are for the whole window, frame and
  // caption included.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Sizes and places the text box for the window's outer size, in twips.
  void FitTo(int formWidth, int formHeight);

  frmMDI& window_;
  QLabel* lblDescription_ = nullptr;
  QPlainTextEdit* txtComments_ = nullptr;
  int textLeft_;    // twips
  int textWidth_;   // twips
  int textHeight_;  // twips
  bool open_ = true;
};

// The open notepad of the main window, nullptr when it is closed.
frmGameComments* OpenNotepad(const frmMDI& window);
// View > Game Notepad: loads the notepad when it is closed, shows it and gives it the focus.
frmGameComments* ShowNotepad(frmMDI& window);
// Restart empties the comments, through the notepad's box when it is open.
void EmptyNotepad(frmMDI& window);

}  // namespace talvair::shell
