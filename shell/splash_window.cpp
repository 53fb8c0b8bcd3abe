#include "shell/splash_window.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVersionNumber>
#include <cmath>

#include "model/language.h"
#include "platform/twips.h"
#include "platform/wait_cursor.h"
#include "shell/artwork.h"
#include "shell/globals.h"

namespace talvair::shell {

namespace {

using platform::TwipsToPixels;

// Designed sizes and positions, in twips; the load places the rest.
constexpr int kWindowWidth = 9000;
constexpr int kTitleTop = 300;
constexpr int kTitleWidth = 6000;
constexpr int kTitleHeight = 1600;
constexpr int kFrameLeft = 600;
constexpr int kFrameTop = 2000;
constexpr int kFrameWidth = 7800;
constexpr int kFrameHeight = 405;
constexpr int kVersionTop = 60;
constexpr int kVersionHeight = 345;
constexpr int kLogoLeft = 600;
constexpr int kLogoSize = 2850;
constexpr int kXqbLogoWidth = 1500;
constexpr int kXqbLogoHeight = 1800;
constexpr int kButtonWidth = 3300;
constexpr int kButtonHeight = 540;
constexpr int kButtonLeft = kWindowWidth - kButtonWidth - kLogoLeft;

void PlaceInTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(platform::PixelRect(left, top, width, height));
}

}  // namespace

QString VersionCaption(const QString& applicationVersion) {
  const QVersionNumber version = QVersionNumber::fromString(applicationVersion);
  return QStringLiteral("Version %1.%2.%3")
      .arg(version.majorVersion())
      .arg(version.minorVersion())
      .arg(version.microVersion());
}

frmSplash::frmSplash(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setModal(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  imgTitle_ = new StretchedPicture(this);
  imgTitle_->setObjectName(QStringLiteral("imgTitle"));
  imgTitle_->SetPicture(Picture(kTitlePicture));
  PlaceInTwips(imgTitle_, 0, kTitleTop, kTitleWidth, kTitleHeight);

  frame1_ = new QFrame(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setFrameShape(QFrame::NoFrame);
  PlaceInTwips(frame1_, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight);
  lblVersion_ = new QLabel(frame1_);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));
  lblVersion_->setAlignment(Qt::AlignCenter);
  QFont versionFont = lblVersion_->font();
  versionFont.setBold(true);
  lblVersion_->setFont(versionFont);
  PlaceInTwips(lblVersion_, 0, kVersionTop, kFrameWidth, kVersionHeight);

  imgLogo_ = new StretchedPicture(this);
  imgLogo_->setObjectName(QStringLiteral("imgLogo"));
  imgLogo_->SetPicture(Picture(kLogoPicture));
  imgLogo_->setVisible(false);

  imgXqbLogo_ = new StretchedPicture(this);
  imgXqbLogo_->setObjectName(QStringLiteral("imgXqbLogo"));
  imgXqbLogo_->SetPicture(Picture(kInstitutionLogoPicture));

  command1_ = new QPushButton(this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

  Load();
}

void frmSplash::Load() {
  lblVersion_->setText(VersionCaption(QCoreApplication::applicationVersion()));
  command1_->setText(QString::fromStdString(
      Tr("Click here to start", "Haga clic para aquí comenzar", "Clique aqui para começar")));

  // Geometry is worked out in twips and converted once per control.
  const int titleLeft = (kWindowWidth - kTitleWidth) / 2;
  PlaceInTwips(imgTitle_, titleLeft, kTitleTop, kTitleWidth, kTitleHeight);

  const int logoTop = kFrameTop + (kVersionTop + kVersionHeight) + 50;
  PlaceInTwips(imgLogo_, kLogoLeft, logoTop, kLogoSize, kLogoSize);
  int buttonLeft = kButtonLeft;
  int buttonWidth = kButtonWidth;
  const int buttonTop = logoTop + kLogoSize - kButtonHeight;
  imgLogo_->setVisible(true);
  imgLogo_->raise();

  const int windowHeight = static_cast<int>(std::lround(logoTop + 1.3 * kLogoSize));
  setFixedSize(TwipsToPixels(kWindowWidth), TwipsToPixels(windowHeight));

  if (InstitutionEdition) {
    imgXqbLogo_->setVisible(true);
    PlaceInTwips(imgXqbLogo_, kWindowWidth / 2 - kXqbLogoWidth / 2,
                 logoTop + kLogoSize - kXqbLogoHeight, kXqbLogoWidth, kXqbLogoHeight);
    // The button as far from the right edge as the logo from the left.
    buttonWidth = kLogoSize;
    buttonLeft = kWindowWidth - buttonWidth - kLogoLeft;
  } else {
    imgXqbLogo_->setVisible(false);
  }
  PlaceInTwips(command1_, buttonLeft, buttonTop, buttonWidth, kButtonHeight);

  // Program start had shown the hourglass.
  platform::ResetMousePointer();
}

void frmSplash::Command1_Click() { accept(); }

void frmSplash::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // Without a frame the window needs an edge of its own against the desktop.
  QPainter painter(this);
  painter.setPen(QColor(30, 45, 110));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace talvair::shell
