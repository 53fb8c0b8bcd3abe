// frmLangSelect: the modal window in which the player picks the interface language at the
// first start. It writes CurrentLanguage and, from its check box, LanguageSaved; the caller
// shows it with exec(), reads both afterwards and stores the choice itself.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace talvair::shell {

class StretchedPicture;

class frmLangSelect : public QDialog {
  Q_OBJECT

 public:
  explicit frmLangSelect(QWidget* parent = nullptr);

  // Option button 0 English, 1 Spanish, 2 Portuguese: sets CurrentLanguage and the check
  // box's caption. Any other index changes nothing.
  void Option1_Click(int index);
  // LanguageSaved follows the check box.
  void Check1_Click();
  // Closes the window; exec() returns to the caller.
  void cmdStart_Click();

  QLabel* Label1() const { return label1_; }
  QGroupBox* fraLang() const { return fraLang_; }
  QRadioButton* Option1(int index) const;
  QCheckBox* Check1() const { return check1_; }
  QPushButton* cmdStart() const { return cmdStart_; }
  StretchedPicture* picLogo() const { return picLogo_; }

 private:
  QLabel* label1_ = nullptr;
  QGroupBox* fraLang_ = nullptr;
  std::array<QRadioButton*, 3> option1_{};
  QCheckBox* check1_ = nullptr;
  QPushButton* cmdStart_ = nullptr;
  StretchedPicture* picLogo_ = nullptr;
};

}  // namespace talvair::shell
