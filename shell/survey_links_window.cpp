#include "shell/survey_links_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QPushButton>
#include <QTabBar>
#include <QUrl>
#include <QValidator>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/message_box.h"
#include "platform/twips.h"
#include "platform/user_files.h"
#include "platform/wait_cursor.h"
#include "shell/file_failure.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/program_start.h"
#include "shell/research_commands.h"
#include "shell/text.h"
#include "storage/file_errors.h"
#include "storage/saved_game_file.h"
#include "storage/settings_store.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

using platform::PixelRect;
using storage::kSurveyLinkRows;

// Layout in twips.
constexpr int kFormWidth = 9480;
constexpr int kFormHeight = 9120;
constexpr int kTabStripLeft = 120;
constexpr int kTabStripTop = 600;
constexpr int kTabStripWidth = 9000;
constexpr int kTabStripHeight = 360;
constexpr int kFrameTop = kTabStripTop + kTabStripHeight;
constexpr int kFrameHeight = 7560;
constexpr int kLocationViewHeight = 1000;
constexpr int kRowsPerFrame = kSurveyLinkRows / 2;
constexpr int kFirstRowTop = 840;
constexpr int kRowStep = 310;
constexpr int kRowHeight = 270;

const QColor kRequiredColour(255, 255, 0);
const QColor kWhite(255, 255, 255);

const char kHelpText[] =
    "To visit the given URL AFTER the decisons have been made for that period check the box "
    "and enter a URL. If the box is not checked then no action will be taken. Data is saved "
    "when form closed.";

// "Start", "Year 1, Q1" ... "Year 10, Q4", "End".
QString RowCaption(int row) {
  if (row == 0) return QStringLiteral("Start");
  if (row == kSurveyLinkRows - 1) return QStringLiteral("End");
  return QStringLiteral("Year %1, Q%2").arg((row - 1) / 4 + 1).arg((row - 1) % 4 + 1);
}

void SetBackground(QLineEdit* box, const QColor& colour) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, colour);
  box->setPalette(palette);
}

std::string CheckText(Qt::CheckState state) {
  switch (state) {
    case Qt::Checked:
      return "1";
    case Qt::PartiallyChecked:
      return "2";
    default:
      return "0";
  }
}

// Lets into an address box only what the survey-links file keeps whole, and remembers the
// character it refused for the message.
class AddressValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*pos*/) const override {
    refused_ = storage::SurveyLinkRefusedCharacter(input.toStdString());
    return refused_ ? Invalid : Acceptable;
  }
  std::optional<char32_t> TakeRefused() { return std::exchange(refused_, std::nullopt); }

 private:
  mutable std::optional<char32_t> refused_;
};

void TellRefused(char32_t c) {
  const QString character = QString::fromUcs4(&c, 1);
  const QString shown =
      c < 0x20 ? QStringLiteral("U+") + QString::number(c, 16).rightJustified(4, u'0').toUpper()
               : QLatin1Char('"') + character + QLatin1Char('"');
  platform::MsgBox(Text("The survey-links file cannot keep the character ",
                        "El archivo de enlaces de encuestas no puede guardar el carácter ",
                        "O arquivo de links de pesquisa não pode guardar o caractere ") +
                       shown +
                       Text(". Write it in the address as ", ". Escríbalo en la dirección como ",
                            ". Escreva-o no endereço como ") +
                       QString::fromLatin1(QUrl::toPercentEncoding(character)) + QLatin1Char('.'),
                   platform::kStyleExclamation, AppTitle);
}

// Loads the table from the folder's file; 1 when it has none.
int LoadFrom(const QString& folder) {
  return storage::LoadSurveyLinks(FilePathBytes(SurveyLinksFileIn(folder)), SurveyLinksTable);
}

}  // namespace

QString SurveyLinksFileIn(const QString& folder) {
  return AddTrailingBackslash(folder) + QString::fromUtf8(storage::kSurveyLinksFileName.data(),
                                                          storage::kSurveyLinksFileName.size());
}

frmSurveyLinks::frmSurveyLinks(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmSurveyLinks"));
  setWindowTitle(QStringLiteral("Survey Links"));
  BuildControls();
  Load();
}

void frmSurveyLinks::BuildControls() {
  lblPath_ = new QLabel(QStringLiteral("File Location"), this);
  lblPath_->setObjectName(QStringLiteral("lblPath"));
  lblPath_->setGeometry(PixelRect(120, 150, 1200, 255));
  txtPath_ = new QLineEdit(this);
  txtPath_->setObjectName(QStringLiteral("txtPath"));
  txtPath_->setGeometry(PixelRect(1320, 120, 5520, 315));
  command1_ = new QPushButton(QStringLiteral("Save Location"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(PixelRect(7000, 90, 1500, 375));
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

  tabStrip1_ = new QTabBar(this);
  tabStrip1_->setObjectName(QStringLiteral("TabStrip1"));
  tabStrip1_->addTab(QStringLiteral("Years 1- 5"));
  tabStrip1_->addTab(QStringLiteral("Years 6-10"));
  tabStrip1_->setGeometry(PixelRect(kTabStripLeft, kTabStripTop, kTabStripWidth, kTabStripHeight));
  connect(tabStrip1_, &QTabBar::currentChanged, this,
          [this](int index) { TabStrip1_Click(index); });

  for (int f = 0; f < 2; ++f) {
    auto* frame = new QFrame(this);
    frame->setObjectName(f == 0 ? QStringLiteral("Frame1") : QStringLiteral("Frame2"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(PixelRect(kTabStripLeft, kFrameTop, kTabStripWidth, kFrameHeight));
    auto* help = new QLabel(QString::fromLatin1(kHelpText), frame);
    help->setObjectName(QStringLiteral("Label2"));
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setGeometry(PixelRect(120, 120, kTabStripWidth - 240, 660));
    label2_[static_cast<std::size_t>(f)] = help;
    (f == 0 ? frame1_ : frame2_) = frame;
  }

  for (int row = 0; row < kSurveyLinkRows; ++row) {
    QFrame* frame = row < kRowsPerFrame ? frame1_ : frame2_;
    const int top = kFirstRowTop + (row % kRowsPerFrame) * kRowStep;
    auto* check = new QCheckBox(RowCaption(row), frame);
    check->setObjectName(QStringLiteral("Check1"));
    check->setProperty("Index", row);
    check->setGeometry(PixelRect(120, top, 1500, kRowHeight));
    auto* url = new QLineEdit(frame);
    url->setObjectName(QStringLiteral("txtURL"));
    url->setProperty("Index", row);
    url->setGeometry(PixelRect(1680, top, kTabStripWidth - 1800, kRowHeight));
    auto* validator = new AddressValidator(url);
    url->setValidator(validator);
    connect(url, &QLineEdit::inputRejected, this, [validator] {
      if (const std::optional<char32_t> refused = validator->TakeRefused()) TellRefused(*refused);
    });
    check1_[static_cast<std::size_t>(row)] = check;
    txtURL_[static_cast<std::size_t>(row)] = url;
  }
  // The second frame comes into view through the tab strip.
  frame2_->hide();
  formSize_ = platform::PixelRect(0, 0, kFormWidth, kFormHeight).size();
}

void frmSurveyLinks::Load() {
  fullLayout_ = SurveyLinksDue;
  if (fullLayout_) {
    FillRows();
    return;
  }
  frame1_->hide();
  frame2_->hide();
  tabStrip1_->hide();
  formSize_ = PixelRect(0, 0, kTabStripWidth + 200, kLocationViewHeight).size();
  const QString stored = storage::SurveyLinksPathRead().value_or(QString());
  if (stored.isEmpty()) {
    txtPath_->setText(QStringLiteral("LOCATION REQUIRED"));
    SetBackground(txtPath_, kRequiredColour);
  } else {
    txtPath_->setText(stored);
    SetBackground(txtPath_, kWhite);
    LoadFrom(stored);
  }
}

void frmSurveyLinks::FillRows() {
  for (int row = 0; row < kSurveyLinkRows; ++row) {
    const storage::SurveyLinkRow& link = SurveyLinksTable[static_cast<std::size_t>(row)];
    QCheckBox* check = check1_[static_cast<std::size_t>(row)];
    const bool greyed = link.check == "2";
    check->setTristate(greyed);
    check->setCheckState(link.Checked() ? Qt::Checked
                         : greyed       ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
    txtURL_[static_cast<std::size_t>(row)]->setText(QString::fromStdString(link.address));
  }
  shownRows_ = RowsShown();
}

storage::SurveyLinkTable frmSurveyLinks::RowsShown() const {
  storage::SurveyLinkTable rows;
  for (int row = 0; row < kSurveyLinkRows; ++row) {
    const auto i = static_cast<std::size_t>(row);
    rows[i] = {std::to_string(row), CheckText(check1_[i]->checkState()),
               check1_[i]->text().toStdString(), txtURL_[i]->text().toStdString()};
  }
  return rows;
}

void frmSurveyLinks::SaveChangedRows() {
  const storage::SurveyLinkTable rows = RowsShown();
  if (!fullLayout_ || rows == shownRows_) return;
  const QString file = SurveyLinksFileIn(SurveyLinksPath);
  std::error_code error;
  if (SurveyLinksPath.isEmpty() ||
      storage::SaveResearchSurveyLinks(FilePathBytes(file), true, rows, error) !=
          storage::kStatusDone) {
    // No location has no system error, and so no cause.
    platform::MsgBox(
        WithFileFailureCause(Text("The survey links could not be saved in the file ",
                                  "No se pudieron guardar los enlaces de encuestas en el archivo ",
                                  "Não foi possível salvar os links de pesquisa no arquivo ") +
                                 file + QLatin1Char('.'),
                             error ? storage::FileErrorNumber(error) : 0),
        platform::kStyleExclamation, AppTitle);
    return;
  }
  shownRows_ = rows;
  // The next runs open what was just written.
  SurveyLinksEnabled = LoadFrom(SurveyLinksPath) == 0;
}

void frmSurveyLinks::Command1_Click() {
  // Edited rows go to the file they came from before the location changes. Saved or told
  // as lost, they are done with: closing must not write them into the new location's file.
  SaveChangedRows();
  shownRows_ = RowsShown();
  const QString folder = txtPath_->text();
  if (FolderExists(folder)) {
    const int answer = platform::MsgBox(
        QStringLiteral("Your list of survey links (TalvairSurveyLinks.txt) should be located in ") +
            folder,
        platform::kStyleOkCancel);
    if (answer != platform::kAnswerOk) {
      platform::MsgBox(
          QStringLiteral("If you want to use this feature you need to set a "
                         "location for the file to be saved in."));
      ReportSettingsError(storage::SurveyLinksPathWrite(QString()));
      // No location, so nothing to load.
      SurveyLinksPath.clear();
      SurveyLinksTable = {};
      SurveyLinksEnabled = false;
      Unload();
      return;
    }
    const storage::SettingsError error = storage::SurveyLinksPathWrite(folder);
    ReportSettingsError(error);
    // A store that cannot be written keeps the folder for this run.
    SurveyLinksPath = error ? folder : storage::SurveyLinksPathRead().value_or(QString());
    SetBackground(txtPath_, kWhite);
  } else {
    platform::MsgBox(QStringLiteral("Sorry, the folder selected does not exist"));
  }

  if (!SurveyLinksPath.isEmpty() && LoadFrom(SurveyLinksPath) == 0) {
    SurveyLinksEnabled = true;
  } else {
    SurveyLinksTable = {};
    platform::MsgBox(QStringLiteral("File not found at given location"));
    SurveyLinksEnabled = false;
  }
  Unload();
}

void frmSurveyLinks::TabStrip1_Click(int index) {
  if (index == 0) {
    frame1_->show();
    frame2_->hide();
  } else {
    frame1_->hide();
    frame2_->show();
    frame2_->move(frame1_->x(), frame2_->y());
  }
}

QCheckBox* frmSurveyLinks::Check1(int row) const {
  return row >= 0 && row < kSurveyLinkRows ? check1_[static_cast<std::size_t>(row)] : nullptr;
}

QLineEdit* frmSurveyLinks::txtURL(int row) const {
  return row >= 0 && row < kSurveyLinkRows ? txtURL_[static_cast<std::size_t>(row)] : nullptr;
}

void frmSurveyLinks::closeEvent(QCloseEvent* event) {
  // "Data is saved when form closed."
  SaveChangedRows();
  event->accept();
}

void frmSurveyLinks::Unload() {
  QWidget* frame = parentWidget() != nullptr ? parentWidget() : this;
  frame->close();
}

frmSurveyLinks* SurveyLinksWindow(const frmMDI& window) {
  return window.MdiArea()->findChild<frmSurveyLinks*>(QStringLiteral("frmSurveyLinks"));
}

frmSurveyLinks* CreateSurveyLinksWindow(QMdiArea& area, bool show) {
  auto* window = new frmSurveyLinks;
  QMdiSubWindow* subWindow = views::AddChildWindow(area, window);
  subWindow->resize(window->FormSize());
  if (show) {
    subWindow->show();
  } else {
    subWindow->hide();
  }
  return window;
}

void CheckSurveyLinks(frmMDI& window, int16_t period) {
  if (period < 0 || period >= kSurveyLinkRows) return;
  const storage::SurveyLinkRow& row = SurveyLinksTable[static_cast<std::size_t>(period)];
  const QString address = QString::fromStdString(row.address);
  if (!row.Checked() || address.size() <= 1) return;
  if (SurveyLinksWindow(window) == nullptr) CreateSurveyLinksWindow(*window.MdiArea(), false);
  // A page that cannot be opened shows nothing; the game goes on.
  platform::OpenWebAddress(address);
}

void LoadStoredSurveyLinks() {
  SurveyLinksPath = storage::SurveyLinksPathRead().value_or(QString());
  if (SurveyLinksPath.isEmpty()) {
    SurveyLinksEnabled = false;
    return;
  }
  if (LoadFrom(SurveyLinksPath) == 1) {
    platform::MsgBox(QStringLiteral("Links file not found"));
    SurveyLinksEnabled = false;
  } else {
    SurveyLinksEnabled = true;
  }
}

}  // namespace talvair::shell
