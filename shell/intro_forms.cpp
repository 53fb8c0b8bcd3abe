#include "shell/intro_forms.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/screen.h"

namespace talvair::shell {

namespace {

// Sizes in twips.
constexpr int kWritemesWidth = 4200;
constexpr int kWritemesHeight = 1200;
constexpr int kIntroWidth = 8400;
constexpr int kIntroHeight = 6600;

void CentreOnScreen(QWidget& form, int width, int height) {
  platform::ResizeWindow(form, width, height);
  platform::MoveWindow(form, (platform::ScreenWidth() - width) / 2.0,
                       (platform::ScreenHeight() - height) / 2.0);
}

// The introduction is English only.
constexpr const char* kIntroTexts[] = {
    "Your company has just bought a chain of 10 restaurants, which you are to manage for the "
    "next ten years.",
    "Each quarter you take six policy decisions: type them into the decision boxes, or set "
    "them with the up and down buttons.",
    "Press RUN to advance the simulation by one quarter.",
    "The Reports, Graphs and Table menus show the state of the business and its trends.",
    "Wherever the hand icon is shown, click on a variable to get help on it.",
    "Remember to use the tutorial in the User Guide, which will take you through all the menu "
    "options. Good luck!",
};

}  // namespace

writemes::writemes(QWidget* parent)
    : QWidget(parent, Qt::Window), label1_(new QLabel(QStringLiteral("Working.... please wait"))) {
  setObjectName(QStringLiteral("writemes"));
  setWindowTitle(QStringLiteral("Writemes"));
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  CentreOnScreen(*this, kWritemesWidth, kWritemesHeight);
}

frmIntro::frmIntro(QWidget* parent)
    : QWidget(parent, Qt::Window),
      lnlIntro_(new QLabel(QStringLiteral("Introduction"))),
      frame1_(new QGroupBox),
      cmdContinue_(new QPushButton(QStringLiteral("Continue"))) {
  setObjectName(QStringLiteral("frmIntro"));
  setWindowTitle(QStringLiteral("Introduction"));
  lnlIntro_->setObjectName(QStringLiteral("lnlIntro"));
  frame1_->setObjectName(QStringLiteral("Frame1"));
  cmdContinue_->setObjectName(QStringLiteral("cmdContinue"));
  QFont heading = lnlIntro_->font();
  heading.setBold(true);
  lnlIntro_->setFont(heading);

  auto* texts = new QVBoxLayout(frame1_);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    auto* label = new QLabel(QString::fromLatin1(kIntroTexts[i]));
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setWordWrap(true);
    texts->addWidget(label);
    labels_[i] = label;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lnlIntro_);
  layout->addWidget(frame1_, 1);
  layout->addWidget(cmdContinue_, 0, Qt::AlignRight);
  connect(cmdContinue_, &QPushButton::clicked, this, &frmIntro::cmdContinue_Click);
  CentreOnScreen(*this, kIntroWidth, kIntroHeight);
}

QLabel* frmIntro::Label(int number) const {
  if (number < 1 || number > static_cast<int>(labels_.size())) return nullptr;
  return labels_[static_cast<std::size_t>(number) - 1];
}

void frmIntro::cmdContinue_Click() { close(); }

}  // namespace talvair::shell
