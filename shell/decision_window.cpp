#include "shell/decision_window.h"

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "model/var_number.h"
#include "numtext/number_text.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "shell/globals.h"
#include "shell/text.h"
#include "shell/window_commands.h"

namespace talvair::shell {
namespace {

using platform::TwipsToPixels;

QRect TwipsRect(int left, int top, int width, int height) {
  return platform::PixelRect(left, top, width, height);
}

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

// Layout in twips.
constexpr int kWindowWidth = 3540;
constexpr int kWindowHeight = 3300;
constexpr int kCollapsedHeight = 800;
constexpr int kBoxLeft = 2580;
constexpr int kBoxWidth = 720;
constexpr int kBoxHeight = 285;
constexpr int kBoxTops[kDecisionBoxCount] = {180, 695, 1005, 1350, 1800};
constexpr int kFrameTop = 420;
constexpr int kFrameHeight = 2220;

// Variable number of the workforce; minus it is the lowest hiring (every lay-off).
constexpr int32_t kWorkforceVar = varnum::total_csms;

// Character codes of the key filters.
constexpr int kBackspace = 8;
constexpr int kComma = 44;
constexpr int kMinus = 45;
constexpr int kPoint = 46;
constexpr int kCode226 = 226;

// The decimal sign the boxes are read with, when it is neither "," nor "." (U+066B in
// Arabic and Persian locales): without it no fraction could be typed.
bool IsLocaleDecimalSign(int code) {
  const QString sign = FromStd(numtext::CurrentNumberLocale().decimalPoint);
  return sign.size() == 1 && sign.front().unicode() == code;
}

bool CodeAccepted(int box, int code) {
  if (code == kBackspace || (code >= '0' && code <= '9')) return true;
  switch (box) {
    case 1:
      return code == kMinus;
    case 2:
    case 3:
      return code == kComma || code == kPoint || code == kCode226 || IsLocaleDecimalSign(code);
    case 4:
      return code == kMinus || code == kCode226;
    case 5:
      return code == kComma || code == kPoint || IsLocaleDecimalSign(code);
    default:
      return false;
  }
}

// The character codes a key press types, as a text box's key-press event sees them.
// Keys that type nothing (Tab, arrows, Delete, Shift+Insert, function keys) give none
// and are never filtered; Ctrl with a letter types its control code (22 for Ctrl+V).
std::vector<int> TypedCodes(const QKeyEvent& event) {
  const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  const bool alt = event.modifiers().testFlag(Qt::AltModifier);
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return {};
    case Qt::Key_Backspace:
      return {ctrl ? 127 : kBackspace};
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return {ctrl ? 10 : 13};
    case Qt::Key_Escape:
      return {27};
    default:
      break;
  }
  if (ctrl && !alt) {
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) return {event.key() - Qt::Key_A + 1};
    return {};
  }
  std::vector<int> codes;
  for (const QChar c : event.text()) {
    if (c.unicode() < 32 || c.unicode() == 127) return {};
    codes.push_back(c.unicode());
  }
  return codes;
}

// How each box shows a value the program writes into it.
std::string FillTextOf(int box, double value) {
  switch (box) {
    case 2:
      // The general text of the number: up to 15 significant digits.
      return numtext::GeneralNumber(value);
    case 3:
      return numtext::FormatNumber(value, "#0.00");
    case 5:
      return numtext::FormatNumber(value, "##0.00");
    default:
      return numtext::FormatNumber(value, "#0");
  }
}

struct Bounds {
  double lower;
  double upper;
  // How the correction shows each bound, in the current locale.
  const char* pattern;
};

constexpr Bounds kBounds[kDecisionBoxCount] = {
    {-3.0, 1000.0, "0"},  // aircraft purchases
    {0.01, 1.0, "0.00"},  // fare
    {0.0, 1.0, "0"},      // marketing fraction
    {0.0, 10000.0, "0"},  // hiring; the lower bound comes from the workforce
    {0.1, 2.0, "0.0"},    // target service scope
};

QString BoxName(int box) {
  switch (box) {
    case 1:
      return Text("Aircraft Purchases", "Compra de aeronaves", "Compra de Aeronaves");
    case 2:
      return Text("Talvair Fare", "Tarifa", "Tarifa");
    case 3:
      return QStringLiteral("Marketing");
    case 4:
      return Text("Hiring", "Contrataciones", "Contratações");
    default:
      return Text("Target Service Scope", "Rango de servicios objetivo",
                  "Escopo de Serviço (meta)");
  }
}

struct RangeMessage {
  QString text;
  QString title;
};

RangeMessage RangeMessageOf(int box, double hiringLowerBound) {
  switch (box) {
    case 1:
      return {Text("Aircraft Purchases must be in the range -3 to 1000",
                   "El número de aeronaves a adquirir debe estar entre -3 y 1000",
                   "A Compra de Aeronaves deve ser um número inteiro entre -3 e 1000"),
              Text("Aircraft Purchases", "Compra de aeronaves", "Compra de Aeronaves")};
    case 2:
      return {Text("Talvair Fare must be in the range 0.01 to 1",
                   "El valor de la tarifa de Talvair debe estar entre 0,01 y 1",
                   "A Tarifa Talvair deve ser um número entre 0.01 e 1"),
              Text("Talvair fare", "Tarifa", "Tarifa")};
    case 3:
      return {Text("Fraction of Marketing must be in the range 0 to 1",
                   "El gasto de marketing debe estar entre 0 y 1",
                   "Marketing deve ser um número entre 0 e 1"),
              Text("Fraction of Marketing", "Marketing", "Marketing")};
    case 4: {
      // The message names the bound the check used.
      const std::string bound = numtext::FormatDecision(hiringLowerBound);
      return {FromStd(Tr("Hiring must be in the range " + bound + " to 10,000",
                         "La contratación debe asumir un valor entre " + bound + "  y 10.000",
                         "Contratações deve ser um número entre " + bound + " e 10,000")),
              Text("Hiring", "Contrataciones", "Contratações")};
    }
    default:
      return {
          Text("Target Service Scope must be between 0.1 and 2",
               "El rango de servicios objetivo debe asumir un valor entre 0,1 y 2",
               "Escopo de Serviço (meta) deve ser um número entre 0.1 e 2"),
          Text("Target Service Scope", "Rango de servicios objetivo", "Escopo de Serviço (meta)")};
  }
}

std::optional<double> ReadDecision(const QString& text) {
  return numtext::ParseDecision(text.toStdString());
}

}  // namespace

frmDecision::frmDecision(game& model, const QString& timeStepCaption, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("frmDecision"));
  BuildControls();

  // Load: starts expanded, boxes from period 0, captions in the current language.
  image2_->hide();
  lblMinMax_[1]->hide();
  FillFromModel(FillSource::Computed, 0);
  ApplyCaptions();
  SetTimeStepCaption(timeStepCaption);

  connect(qApp, &QApplication::focusChanged, this, &frmDecision::FocusChanged);
}

frmDecision::~frmDecision() {
  for (int box = 1; box <= kDecisionBoxCount; ++box) {
    DecisionTexts[static_cast<std::size_t>(box - 1)] = DecisionText(box);
  }
}

void frmDecision::BuildControls() {
  resize(sizeHint());
  // The layout in twips was drawn for an 8-point font.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);

  label2_ = new QLabel(this);
  label2_->setObjectName(QStringLiteral("Label2"));
  QFont bold = label2_->font();
  bold.setBold(true);
  label2_->setFont(bold);
  label2_->setGeometry(TwipsRect(90, 75, 1740, 255));

  for (std::size_t i = 0; i < lblMinMax_.size(); ++i) {
    QLabel*& label = lblMinMax_[i];
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblMinMax_%1").arg(i));
    // Right-aligned against the image; wider to the left so longer captions fit.
    label->setGeometry(TwipsRect(1830, 90, 1050, 195));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  const QSize imageSize(TwipsToPixels(255), TwipsToPixels(240));
  image1_ = new QLabel(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(TwipsRect(2910, 75, 255, 240));
  image1_->setPixmap(style()->standardIcon(QStyle::SP_TitleBarShadeButton).pixmap(imageSize));
  image2_ = new QLabel(this);
  image2_->setObjectName(QStringLiteral("Image2"));
  image2_->setGeometry(TwipsRect(2910, 90, 255, 240));
  image2_->setPixmap(style()->standardIcon(QStyle::SP_TitleBarUnshadeButton).pixmap(imageSize));
  for (QLabel* image : {image1_, image2_}) {
    image->setCursor(Qt::PointingHandCursor);
    image->installEventFilter(this);
  }

  frame1_ = new QGroupBox(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(TwipsRect(60, kFrameTop, kWindowWidth - 120, kFrameHeight));

  QFont boxFont = font();
  boxFont.setFamily(QStringLiteral("Tahoma"));
  for (int i = 0; i < kDecisionBoxCount; ++i) {
    const int top = kBoxTops[i];
    QLabel* label = new QLabel(frame1_);
    label->setObjectName(QStringLiteral("Label1_%1").arg(i + 1));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Level with its box; ApplyCaptions lets a longer caption grow about the same middle.
    label->setGeometry(TwipsRect(60, top, kBoxLeft - 120, kBoxHeight));
    label1_[static_cast<std::size_t>(i)] = label;

    QLineEdit* box = new QLineEdit(frame1_);
    box->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    box->setFont(boxFont);
    box->setGeometry(TwipsRect(kBoxLeft, top, kBoxWidth, kBoxHeight));
    // Typed text must arrive as key presses, where the filter sees it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
    boxes_[static_cast<std::size_t>(i)] = box;
  }
  for (int i = 0; i + 1 < kDecisionBoxCount; ++i) {
    QWidget::setTabOrder(boxes_[static_cast<std::size_t>(i)],
                         boxes_[static_cast<std::size_t>(i + 1)]);
  }

  const int timeStepTop = kFrameTop + kFrameHeight + 120;
  lblTimeStep1_ = new QLabel(this);
  lblTimeStep1_->setObjectName(QStringLiteral("lblTimeStep1"));
  lblTimeStep1_->setGeometry(TwipsRect(120, timeStepTop, kWindowWidth - 240, 225));
  lblTimeStep2_ = new QLabel(this);
  lblTimeStep2_->setObjectName(QStringLiteral("lblTimeStep2"));
  lblTimeStep2_->setGeometry(TwipsRect(120, timeStepTop + 225, kWindowWidth - 240, 225));
}

void frmDecision::ApplyCaptions() {
  label1_[0]->setText(Text("Aircraft Purchases per Qtr", "Compra de aeronaves por trimestre",
                           "Compra de Aeronaves (un./trim.)"));
  label1_[1]->setText(Text("Talvair Fare", "Tarifa de Talvair", "Tarifa Talvair"));
  label1_[2]->setText(Text("Marketing as fraction of revenue", "Gasto en marketing (% ingresos)",
                           "Inv. Marketing (% receita)"));
  label1_[3]->setText(Text("Hiring", "Contrataciones", "Contratações (un./trim.)"));
  label1_[4]->setText(
      Text("Target Service Scope", "Rango de servicios objetivo", "Escopo de Serviço (meta)"));
  label2_->setText(Text("Cockpit", "Panel de Control", "Painel de Controle"));
  lblMinMax_[0]->setText(Text("Minimise", "Minimizar", "Minimizar"));
  lblMinMax_[1]->setText(Text("Maximise", "Maximizar", "Maximizar"));
  lblTimeStep1_->setText(Text("Current time period:", "Período actual:", "Intervalo de Avanço:"));
  setWindowTitle(label2_->text());
  // A caption that needs more lines than its box is high grows about the box's middle; the
  // captions beside it are short enough to leave it the room.
  for (std::size_t i = 0; i < label1_.size(); ++i) {
    QLabel* label = label1_[i];
    const QRect box = boxes_[i]->geometry();
    const int height = std::max(box.height(), label->heightForWidth(label->width()));
    label->setGeometry(label->x(), box.center().y() - (height - 1) / 2, label->width(), height);
  }

  label1_[0]->setToolTip(Text(" Purchase or sell airplanes this quarter ",
                              " Aeroplanos de la compra o de la venta este cuarto ",
                              " Aviões da compra ou da venda este quarto "));
  label1_[1]->setToolTip(Text(" Talvair fare in cents per mile ",
                              " Tarifa Talvair - centavos por milla ",
                              " Tarifa Talvair - centavos por a milha "));
  label1_[2]->setToolTip(Text(" Between 0 and 1 - e.g. 0.1 = 10% of revenue ",
                              " El gasto de marketing debe estar entre 0 y 1 (0.1 = 10%) ",
                              " Marketing deve ser um número entre 0 e 1 (0.1=10%) "));
  label1_[3]->setToolTip(Text(" Hire or lay off staff", " Contrate o despida al personal ",
                              " Empregue ou despeça a equipe de funcionários "));
  label1_[4]->setToolTip(Text(" Between 0 and 1 where 1 would be a full service airline ",
                              " Entre 0 y 1. 1=línea aérea del servicio completo ",
                              " Entre 0 e 1. 1 = linha aérea do serviço cheio "));
}

QSize frmDecision::sizeHint() const {
  return {TwipsToPixels(kWindowWidth), TwipsToPixels(kWindowHeight)};
}

QString frmDecision::DecisionText(int box) const {
  const QLineEdit* edit = Box(box);
  return edit ? edit->text() : QString();
}

void frmDecision::SetDecisionText(int box, const QString& text) {
  if (QLineEdit* edit = Box(box)) edit->setText(text);
}

QLineEdit* frmDecision::Box(int box) const {
  if (box < 1 || box > kDecisionBoxCount) return nullptr;
  return boxes_[static_cast<std::size_t>(box - 1)];
}

QString frmDecision::FillText(int box, double value) { return FromStd(FillTextOf(box, value)); }

void frmDecision::FillDecisions(const std::array<double, kDecisionBoxCount>& values) {
  for (int box = 1; box <= kDecisionBoxCount; ++box) {
    SetDecisionText(box, FillText(box, values[static_cast<std::size_t>(box - 1)]));
  }
}

void frmDecision::FillFromModel(FillSource source, int16_t period) {
  std::array<double, kDecisionBoxCount> values{};
  for (int box = 1; box <= kDecisionBoxCount; ++box) {
    const int32_t var = kDecisionVarNumbers[box - 1];
    values[static_cast<std::size_t>(box - 1)] = source == FillSource::Computed
                                                    ? model_.GetVarValue(var, period, 0)
                                                    : model_.GetDisplayValue(var, period, 0);
  }
  FillDecisions(values);
}

void frmDecision::SetTimeStepCaption(const QString& caption) { lblTimeStep2_->setText(caption); }

bool frmDecision::DecisionsValid() {
  QString notNumbers;
  std::array<double, kDecisionBoxCount> values{};
  for (int box = 1; box <= kDecisionBoxCount; ++box) {
    const std::optional<double> value = ReadDecision(DecisionText(box));
    if (value) {
      values[static_cast<std::size_t>(box - 1)] = *value;
    } else {
      notNumbers += QStringLiteral("\r\n") + BoxName(box);
    }
  }
  if (!notNumbers.isEmpty()) {
    platform::MsgBox(Text("The following items are not valid numbers. Please check and re-input",
                          "Los siguientes ítems contienen valores incorrectos, por favor "
                          "revíselos y vuelva a ingresarlos",
                          "Os seguintes itens não apresentam números válidos. Por favor, "
                          "verifique e entre com novos valores.") +
                         notNumbers,
                     platform::kStyleOkOnly);
    return false;
  }

  // The value itself must lie within the bounds, in double precision: "1.004" is no fare
  // even though it rounds to 1.00, and no entry can overflow a narrower type.
  const double hiringLower = 0.0 - std::nearbyint(model_.GetVarValue(kWorkforceVar, -1, 0));
  for (int box = 1; box <= kDecisionBoxCount; ++box) {
    const double value = values[static_cast<std::size_t>(box - 1)];
    const Bounds& bounds = kBounds[box - 1];
    const double lower = box == 4 ? hiringLower : bounds.lower;
    if (value < lower) {
      ReportOutOfRange(box, true, hiringLower);
      return false;
    }
    if (value > bounds.upper) {
      ReportOutOfRange(box, false, hiringLower);
      return false;
    }
  }
  return true;
}

void frmDecision::ReportOutOfRange(int box, bool below, double hiringLowerBound) {
  const RangeMessage message = RangeMessageOf(box, hiringLowerBound);
  platform::MsgBox(message.text, platform::kStyleExclamation, message.title);
  const Bounds& bounds = kBounds[box - 1];
  const double correction = below ? (box == 4 ? hiringLowerBound : bounds.lower) : bounds.upper;
  // The correction reads back in the current locale: "1,00" where the comma is the
  // decimal sign, "10000" rather than a grouped "10,000".
  SetDecisionText(box, FromStd(numtext::FormatNumber(correction, bounds.pattern)));
}

bool frmDecision::KeyDiscarded(int box, const QKeyEvent& event) const {
  for (const int code : TypedCodes(event)) {
    if (!CodeAccepted(box, code)) return true;
  }
  return false;
}

int frmDecision::BoxOf(const QObject* object) const {
  for (int i = 0; i < kDecisionBoxCount; ++i) {
    if (boxes_[static_cast<std::size_t>(i)] == object) return i + 1;
  }
  return 0;
}

bool frmDecision::eventFilter(QObject* watched, QEvent* event) {
  if (watched == subWindow_ && event->type() == QEvent::Close && !closing_) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    if (const int box = BoxOf(watched)) return KeyDiscarded(box, *static_cast<QKeyEvent*>(event));
  }
  // Menu shortcuts come before the box: a key the box would discard anyway (Ctrl+A for
  // About, Ctrl+C for Copy) must not be claimed by the line edit's own editing keys.
  if (event->type() == QEvent::ShortcutOverride) {
    const int box = BoxOf(watched);
    if (box != 0 && KeyDiscarded(box, *static_cast<QKeyEvent*>(event))) {
      event->ignore();
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == image1_) {
      Collapse();
      return true;
    }
    if (watched == image2_) {
      Expand();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmDecision::Collapse() {
  if (subWindow_) subWindow_->setFixedHeight(TwipsToPixels(kCollapsedHeight));
  image2_->show();
  lblMinMax_[1]->show();
  image1_->hide();
  lblMinMax_[0]->hide();
  collapsed_ = true;
}

void frmDecision::Expand() {
  if (subWindow_) subWindow_->setFixedHeight(fullHeight_);
  image1_->show();
  lblMinMax_[0]->show();
  image2_->hide();
  lblMinMax_[1]->hide();
  collapsed_ = false;
}

void frmDecision::FocusChanged(QWidget* old, QWidget* now) {
  const auto inside = [this](const QWidget* widget) {
    return widget != nullptr && (widget == this || isAncestorOf(widget));
  };
  if (inside(now) && !inside(old)) {
    const bool normal =
        !subWindow_ || !(subWindow_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (normal) emit EnableCopyMenu();
  } else if (inside(old) && !inside(now)) {
    emit ResetCopyMenu();
  }
}

QMdiSubWindow* frmDecision::SubWindow() const { return subWindow_; }

void frmDecision::HostedIn(QMdiSubWindow* subWindow) {
  subWindow_ = subWindow;
  // No close button and no system menu: the window stays open while the program runs.
  // Dropping the system menu also drops its Ctrl+F4 shortcut; the close filter catches
  // any other way.
  subWindow->setSystemMenu(nullptr);
  subWindow->installEventFilter(this);
  subWindow->resize(subWindow->sizeHint());
  subWindow->move(0, 0);
  fullHeight_ = subWindow->height();
  subWindow->setFixedSize(subWindow->size());
}

void frmDecision::BringToFront() {
  if (!subWindow_) return;
  subWindow_->move(0, 0);
  subWindow_->show();
  subWindow_->raise();
  if (QMdiArea* area = subWindow_->mdiArea()) {
    // Activated while another window is maximised, the area would maximise this one too,
    // which a window of fixed size cannot be.
    QMdiSubWindow* active = area->activeSubWindow();
    if (active != nullptr && active != subWindow_ && active->isMaximized()) active->showNormal();
    platform::ActivateSubWindow(*area, *subWindow_);
  }
  QWidget* target = focusWidget() ? focusWidget() : boxes_[0];
  target->setFocus(Qt::OtherFocusReason);
}

void frmDecision::Unload() {
  closing_ = true;
  if (subWindow_) {
    subWindow_->close();
  } else {
    close();
  }
}

frmDecision* CreateDecisionWindow(QMdiArea& area, game& model, const QString& timeStepCaption) {
  auto* window = new frmDecision(model, timeStepCaption);
  QMdiSubWindow* subWindow =
      area.addSubWindow(window, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  subWindow->setAttribute(Qt::WA_DeleteOnClose);
  window->HostedIn(subWindow);
  LinkDecisionWindow(*window);
  subWindow->show();
  return window;
}

}  // namespace talvair::shell
