// AdvancedOptions: the research edition's auto-save options, where the research data of
// every run goes: an existing folder the program can write to, and a base name for the
// files. Saving them switches auto-save on (or off, with no base name) for the running
// program and restarts the run numbering. Its texts are English only.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;

namespace talvair::shell {

class frmMDI;

class AdvancedOptions : public QWidget {
  Q_OBJECT

 public:
  // Builds and loads the window: the explanations and the stored folder and base name.
  explicit AdvancedOptions(QWidget* parent = nullptr);

  void btnSave_Click();
  void cmdCancel_Click();

  // The window's size, frame included.
  QSize FormSize() const;

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  QLineEdit* txtPath() const { return txtPath_; }
  QLineEdit* txtBaseName() const { return txtBaseName_; }
  QPushButton* btnSave() const { return btnSave_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 private:
  void BuildControls();
  void Load();
  void Unload();

  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* lblPath_ = nullptr;
  QLineEdit* txtPath_ = nullptr;
  QLabel* lblBase_ = nullptr;
  QLineEdit* txtBaseName_ = nullptr;
  QPushButton* btnSave_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

// The auto-save options window of the main window's MDI area, nullptr when none is loaded.
AdvancedOptions* AdvancedOptionsWindow(const frmMDI& window);
// Loads the window into a new sub-window of `area`, not yet shown.
AdvancedOptions* CreateAdvancedOptionsWindow(QMdiArea& area);

// Whether a new file can be made in the folder.
bool FolderWritable(const QString& folder);
// A name for a file in a folder: no separator, not "." or "..", no control characters.
bool PlainFileName(const QString& name);

}  // namespace talvair::shell
