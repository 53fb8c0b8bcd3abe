#include "shell/language_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/language.h"
#include "platform/twips.h"
#include "platform/wait_cursor.h"
#include "shell/artwork.h"
#include "storage/globals.h"

namespace talvair::shell {

namespace {

using platform::TwipsToPixels;

constexpr int kLogoSize = 1200;
constexpr int kTextWidth = 4800;

struct Choice {
  const char* option;
  const char* code;
  const char* saveCaption;
};

// The options stay in the languages they name, so every player can find theirs.
constexpr Choice kChoices[] = {
    {"English", "English", "Save your selection"},
    {"Español", "Spanish", "Guarde la selección"},
    {"Português", "Port", "Salvar seleçaõ"},
};

}  // namespace

frmLangSelect::frmLangSelect(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmLangSelect"));
  setModal(true);
  QFont verdana = font();
  verdana.setFamilies({QStringLiteral("Verdana")});
  setFont(verdana);

  picLogo_ = new StretchedPicture(this);
  picLogo_->setObjectName(QStringLiteral("picLogo"));
  picLogo_->SetPicture(Picture(kLogoPicture));
  picLogo_->setFixedSize(TwipsToPixels(kLogoSize), TwipsToPixels(kLogoSize));

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setWordWrap(true);
  label1_->setFixedWidth(TwipsToPixels(kTextWidth));

  fraLang_ = new QGroupBox(QStringLiteral("Language"), this);
  fraLang_->setObjectName(QStringLiteral("fraLang"));
  auto* options = new QVBoxLayout(fraLang_);
  for (int i = 0; i < static_cast<int>(option1_.size()); ++i) {
    auto* option = new QRadioButton(QString::fromUtf8(kChoices[i].option), fraLang_);
    option->setObjectName(QStringLiteral("Option1"));
    option->setProperty("Index", i);
    connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    options->addWidget(option);
    option1_[i] = option;
  }
  option1_[0]->setChecked(true);

  check1_ = new QCheckBox(QStringLiteral("Don't show this again"), this);
  check1_->setObjectName(QStringLiteral("Check1"));
  connect(check1_, &QCheckBox::toggled, this, [this] { Check1_Click(); });

  cmdStart_ = new QPushButton(QStringLiteral("Continue / Continuar"), this);
  cmdStart_->setObjectName(QStringLiteral("cmdStart"));
  cmdStart_->setDefault(true);
  connect(cmdStart_, &QPushButton::clicked, this, [this] { cmdStart_Click(); });

  auto* right = new QVBoxLayout;
  right->addWidget(label1_);
  right->addWidget(fraLang_);
  right->addWidget(check1_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdStart_);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(picLogo_, 0, Qt::AlignTop);
  layout->addLayout(right);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Load: start-up had shown the hourglass.
  platform::ResetMousePointer();
  label1_->setText(QString::fromUtf8(
      "Talvair may be run in English, Spanish or Portuguese: please select your preferred "
      "language.\n\nEspañol: por favor seleccione su idioma preferido.\n\nPortuguês: "
      "selecione seu idioma preferido."));
  check1_->setText(QStringLiteral("Save / Guarde / Salvar"));
}

QRadioButton* frmLangSelect::Option1(int index) const {
  if (index < 0 || index >= static_cast<int>(option1_.size())) return nullptr;
  return option1_[index];
}

void frmLangSelect::Option1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(option1_.size())) return;
  CurrentLanguage = kChoices[index].code;
  check1_->setText(QString::fromUtf8(kChoices[index].saveCaption));
}

void frmLangSelect::Check1_Click() { LanguageSaved = check1_->isChecked(); }

void frmLangSelect::cmdStart_Click() { accept(); }

}  // namespace talvair::shell
