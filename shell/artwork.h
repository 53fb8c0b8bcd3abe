// The program's pictures, kept in its resources, and a picture widget that stretches them.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace talvair::shell {

// Resource paths of the pictures.
inline constexpr const char* kTitlePicture = ":/images/title.png";
inline constexpr const char* kLogoPicture = ":/images/logo.png";
inline constexpr const char* kBackgroundPicture = ":/images/background.png";
inline constexpr const char* kAboutPicture = ":/images/about_picture.png";
inline constexpr const char* kAboutPicture2 = ":/images/about_picture_2.png";
inline constexpr const char* kInstitutionLogoPicture = ":/images/institution_logo.png";

QPixmap Picture(const char* path);

// The program's icon, in every size drawn for it.
QIcon ProgramIcon();

// A picture drawn stretched over the whole widget. Unlike a label it never greys the
// picture when disabled, so a window can take no input and still show its picture.
class StretchedPicture : public QWidget {
  Q_OBJECT

 public:
  explicit StretchedPicture(QWidget* parent = nullptr);

  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace talvair::shell
