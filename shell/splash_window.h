// frmSplash: the start screen, shown modally by program start before the main window. The
// player closes it with its start button.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace talvair::shell {

class StretchedPicture;

class frmSplash : public QDialog {
  Q_OBJECT

 public:
  // Lays the window out for CurrentLanguage and InstitutionEdition. The version shown is
  // the application's version (major.minor.revision).
  explicit frmSplash(QWidget* parent = nullptr);

  // Closes the window; exec() returns to the caller.
  void Command1_Click();

  StretchedPicture* imgTitle() const { return imgTitle_; }
  QFrame* Frame1() const { return frame1_; }
  QLabel* lblVersion() const { return lblVersion_; }
  StretchedPicture* imgLogo() const { return imgLogo_; }
  StretchedPicture* imgXqbLogo() const { return imgXqbLogo_; }
  QPushButton* Command1() const { return command1_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Load();

  StretchedPicture* imgTitle_ = nullptr;
  QFrame* frame1_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  StretchedPicture* imgLogo_ = nullptr;
  StretchedPicture* imgXqbLogo_ = nullptr;
  QPushButton* command1_ = nullptr;
};

// "Version " and the major, minor and revision numbers of a version text such as "1.2.3";
// missing numbers count as 0.
QString VersionCaption(const QString& applicationVersion);

}  // namespace talvair::shell
