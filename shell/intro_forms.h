// Two windows the program carries but never shows: the "please wait" notice and the
// introduction. Both centre themselves on the screen when loaded.
#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace talvair::shell {

class writemes : public QWidget {
  Q_OBJECT

 public:
  explicit writemes(QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }

 private:
  QLabel* label1_;
};

class frmIntro : public QWidget {
  Q_OBJECT

 public:
  explicit frmIntro(QWidget* parent = nullptr);

  // Closes the window.
  void cmdContinue_Click();

  QLabel* lnlIntro() const { return lnlIntro_; }
  // Label1 to Label6, by their number.
  QLabel* Label(int number) const;
  QPushButton* cmdContinue() const { return cmdContinue_; }

 private:
  QLabel* lnlIntro_;
  std::array<QLabel*, 6> labels_{};
  QGroupBox* frame1_;
  QPushButton* cmdContinue_;
};

}  // namespace talvair::shell
