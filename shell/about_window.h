// Aboutform: the About box, shown modally by Help > About.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace talvair::shell {

class StretchedPicture;

class Aboutform : public QDialog {
  Q_OBJECT

 public:
  // Lays the window out for CurrentLanguage and InstitutionEdition, centred on the screen.
  explicit Aboutform(QWidget* parent = nullptr);

  // Closes the window; exec() returns to the caller.
  void Command1_Click();

  QLabel* Label2() const { return label2_; }
  QLabel* Label5() const { return label5_; }
  QLabel* LblXqb() const { return lblXqb_; }
  StretchedPicture* Image1() const { return image1_; }
  StretchedPicture* Image3() const { return image3_; }
  QPushButton* Command1() const { return command1_; }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Load();

  QLabel* label2_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* lblXqb_ = nullptr;
  StretchedPicture* image1_ = nullptr;
  StretchedPicture* image3_ = nullptr;
  QPushButton* command1_ = nullptr;
};

}  // namespace talvair::shell
