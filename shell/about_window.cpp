#include "shell/about_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <string>

#include "model/language.h"
#include "platform/twips.h"
#include "platform/wait_cursor.h"
#include "shell/artwork.h"
#include "shell/globals.h"
#include "shell/text.h"

namespace talvair::shell {

namespace {

using platform::PixelsToTwips;
using platform::TwipsToPixels;

// Designed sizes and positions, in twips; the load places the button and the height.
constexpr int kWindowWidth = 7800;
constexpr int kDesignedHeight = 3900;
constexpr int kMargin = 360;
constexpr int kImageSize = 1800;
constexpr int kTextLeft = kMargin + kImageSize + kMargin;
constexpr int kTextWidth = kWindowWidth - kTextLeft - kMargin;
constexpr int kNameTop = kMargin;
constexpr int kNameHeight = 600;
constexpr int kDescriptionTop = 1080;
constexpr int kDedicationGap = 120;
constexpr int kButtonWidth = 1320;
constexpr int kButtonHeight = 420;
constexpr int kButtonGap = 125;

void PlaceInTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(platform::PixelRect(left, top, width, height));
}

// Height in twips of a word-wrapped label of the text column.
int WrappedHeight(const QLabel* label) {
  return PixelsToTwips(label->heightForWidth(TwipsToPixels(kTextWidth)));
}

}  // namespace

Aboutform::Aboutform(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Aboutform"));
  setModal(true);
  setWindowTitle(QStringLiteral("About the Talvair Management Flight Simulator"));
  setMouseTracking(true);

  image1_ = new StretchedPicture(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->SetPicture(Picture(kAboutPicture));
  PlaceInTwips(image1_, kMargin, kMargin, kImageSize, kImageSize);

  image3_ = new StretchedPicture(this);
  image3_->setObjectName(QStringLiteral("Image3"));
  image3_->SetPicture(Picture(kAboutPicture2));
  PlaceInTwips(image3_, kMargin, kMargin, kImageSize, kImageSize);

  label2_ = new QLabel(this);
  label2_->setObjectName(QStringLiteral("Label2"));
  QFont nameFont = label2_->font();
  nameFont.setPointSize(18);
  nameFont.setBold(true);
  label2_->setFont(nameFont);
  QPalette navy = label2_->palette();
  navy.setColor(QPalette::WindowText, QColor(30, 45, 110));
  label2_->setPalette(navy);

  label5_ = new QLabel(this);
  label5_->setObjectName(QStringLiteral("Label5"));
  label5_->setWordWrap(true);

  lblXqb_ = new QLabel(this);
  lblXqb_->setObjectName(QStringLiteral("LblXqb"));
  lblXqb_->setWordWrap(true);
  QFont dedicationFont = lblXqb_->font();
  dedicationFont.setItalic(true);
  lblXqb_->setFont(dedicationFont);

  command1_ = new QPushButton(QStringLiteral("OK"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

  Load();
}

void Aboutform::Load() {
  // Centred with the designed size, before the height below is set.
  resize(TwipsToPixels(kWindowWidth), TwipsToPixels(kDesignedHeight));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }

  lblXqb_->setVisible(InstitutionEdition);

  label2_->setText(QStringLiteral("Talvair"));
  label5_->setText(
      Text("The Talvair Management Flight Simulator lets you run Talvair, a young airline, for ten "
           "years, deciding each quarter on aircraft purchases, fares, marketing, hiring and "
           "service scope.",
           "El Simulador de Vuelo Gerencial Talvair le permite dirigir Talvair, una joven "
           "aerolínea, durante diez años, decidiendo cada trimestre la compra de aviones, las "
           "tarifas, el marketing, la contratación y el alcance del servicio.",
           "O Simulador de Voo Gerencial Talvair permite que você dirija a Talvair, uma jovem "
           "companhia aérea, durante dez anos, decidindo a cada trimestre a compra de aeronaves, "
           "as tarifas, o marketing, as contratações e o escopo do serviço."));
  lblXqb_->setText(Text("Dedicated to the students and teachers of our partner institution.",
                        "Dedicado a los estudiantes y profesores de nuestra institución "
                        "asociada.",
                        "Dedicado aos alunos e professores da nossa instituição parceira."));

  PlaceInTwips(label2_, kTextLeft, kNameTop, kTextWidth, kNameHeight);
  const int descriptionHeight = WrappedHeight(label5_);
  PlaceInTwips(label5_, kTextLeft, kDescriptionTop, kTextWidth, descriptionHeight);
  int lowestLabelBottom = kDescriptionTop + descriptionHeight;
  if (!lblXqb_->isHidden()) {
    const int dedicationTop = lowestLabelBottom + kDedicationGap;
    const int dedicationHeight = WrappedHeight(lblXqb_);
    PlaceInTwips(lblXqb_, kTextLeft, dedicationTop, kTextWidth, dedicationHeight);
    lowestLabelBottom = dedicationTop + dedicationHeight;
  }

  const int buttonTop = lowestLabelBottom + kButtonGap;
  PlaceInTwips(command1_, kWindowWidth - kButtonWidth - kMargin, buttonTop, kButtonWidth,
               kButtonHeight);
  // The longer translations get more room below the button.
  const int below = std::stoi(Tr("950", "1200", "1380"));
  setFixedSize(TwipsToPixels(kWindowWidth), TwipsToPixels(buttonTop + below));

  image3_->setVisible(false);
}

void Aboutform::Command1_Click() { accept(); }

void Aboutform::mouseMoveEvent(QMouseEvent* event) {
  platform::ResetMousePointer();
  QDialog::mouseMoveEvent(event);
}

}  // namespace talvair::shell
