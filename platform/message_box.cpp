#include "platform/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "platform/modal.h"

namespace talvair::platform {

namespace {

constexpr int kButtonsMask = 0x7;
constexpr int kIconMask = 0x70;
constexpr int kDefaultButtonMask = 0x300;
constexpr int kIconCritical = 16;

QMessageBox::StandardButton ButtonOfAnswer(int answer) {
  switch (answer) {
    case kAnswerCancel:
      return QMessageBox::Cancel;
    case kAnswerYes:
      return QMessageBox::Yes;
    case kAnswerNo:
      return QMessageBox::No;
    default:
      return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOfStyle(int icon) {
  switch (icon) {
    case kIconCritical:
      return QMessageBox::Critical;
    case kStyleQuestion:
      return QMessageBox::Question;
    case kStyleExclamation:
      return QMessageBox::Warning;
    case kStyleInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// Widens itself after Qt has fitted it to its text, whenever that happens. A question without
// Cancel ignores Escape and its close button: it takes an answer from one of its buttons.
class TitledMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

  void IgnoreEscape() {
    ignoresEscape_ = true;
    setWindowFlag(Qt::WindowCloseButtonHint, false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (ignoresEscape_ && event->matches(QKeySequence::Cancel)) return;
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    // Qt would take No for the escape answer of Yes and No.
    if (ignoresEscape_ && clickedButton() == nullptr) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }
  bool event(QEvent* event) override {
    const bool handled = QMessageBox::event(event);
    if (event->type() == QEvent::LayoutRequest) FitTitle();
    return handled;
  }
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    FitTitle();
  }

 private:
  bool ignoresEscape_ = false;

  // Qt fixes a shown box's width to what its text needs, so that fixed width, not the
  // geometry last reported by the window system (which can lag behind), is what is widened.
  // Before Qt has sized it, a box is left alone: the show fits it.
  void FitTitle() {
    if (!isVisible()) return;
    const int needed = std::max(minimumWidth(), TitleBarWidth(windowTitle()));
    if (minimumWidth() < needed) setFixedWidth(needed);
    if (width() < needed) resize(needed, height());
  }
};

class QtMessages : public MessageService {
 public:
  int Show(int style, const QString& text, const QString& title) override {
    const MessageLayout layout = LayoutOfStyle(style);
    const std::unique_ptr<QMessageBox> shown =
        MakeMessageBox(style, text, title, QApplication::activeWindow());
    QMessageBox& box = *shown;
    ExecModal(box);
    QAbstractButton* clicked = box.clickedButton();
    // Closed without an answer, when the program ends: the last button is the safe one.
    if (clicked == nullptr) return layout.buttons.back();
    switch (box.standardButton(clicked)) {
      case QMessageBox::Cancel:
        return kAnswerCancel;
      case QMessageBox::Yes:
        return kAnswerYes;
      case QMessageBox::No:
        return kAnswerNo;
      case QMessageBox::Ok:
        return kAnswerOk;
      default:
        return layout.buttons.back();
    }
  }
};

QtMessages& RealMessages() {
  static QtMessages messages;
  return messages;
}

MessageService* installed = nullptr;

}  // namespace

int TitleBarWidth(const QString& title) {
  // Window managers draw the title in a bold face; the icon and up to three buttons stand
  // beside it, each about as wide as the bar is high.
  QFont font = QApplication::font();
  font.setBold(true);
  const int barHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
  constexpr int kIconAndButtons = 4;
  constexpr int kMargins = 24;
  return QFontMetrics(font).horizontalAdvance(title) + kIconAndButtons * barHeight + kMargins;
}

std::unique_ptr<QMessageBox> MakeMessageBox(int style, const QString& text, const QString& title,
                                            QWidget* parent) {
  const MessageLayout layout = LayoutOfStyle(style);
  auto box = std::make_unique<TitledMessageBox>(
      IconOfStyle(layout.icon), title.isEmpty() ? QGuiApplication::applicationDisplayName() : title,
      text, QMessageBox::NoButton, parent);
  for (int answer : layout.buttons) {
    QPushButton* button = box->addButton(ButtonOfAnswer(answer));
    if (answer == layout.defaultAnswer) box->setDefaultButton(button);
    if (answer == layout.escapeAnswer) box->setEscapeButton(button);
  }
  if (layout.escapeAnswer == kNoAnswer) box->IgnoreEscape();
  return box;
}

MessageLayout LayoutOfStyle(int style) {
  MessageLayout layout;
  switch (style & kButtonsMask) {
    case kStyleOkCancel:
      layout.buttons = {kAnswerOk, kAnswerCancel};
      layout.escapeAnswer = kAnswerCancel;
      break;
    case kStyleYesNoCancel:
      layout.buttons = {kAnswerYes, kAnswerNo, kAnswerCancel};
      layout.escapeAnswer = kAnswerCancel;
      break;
    case kStyleYesNo:
      layout.buttons = {kAnswerYes, kAnswerNo};
      layout.escapeAnswer = kNoAnswer;
      break;
    default:  // OK only, and the button sets the program never uses
      layout.buttons = {kAnswerOk};
      layout.escapeAnswer = kAnswerOk;
      break;
  }
  const int icon = style & kIconMask;
  if (icon == kIconCritical || icon == kStyleQuestion || icon == kStyleExclamation ||
      icon == kStyleInformation) {
    layout.icon = icon;
  }
  // A default button beyond the last one falls back to the first.
  const auto defaultIndex = static_cast<std::size_t>((style & kDefaultButtonMask) >> 8);
  layout.defaultAnswer = layout.buttons[defaultIndex < layout.buttons.size() ? defaultIndex : 0];
  return layout;
}

MessageService& Messages() {
  if (installed != nullptr) return *installed;
  return RealMessages();
}

void SetMessageService(MessageService* service) { installed = service; }

int MsgBox(const QString& text, int style, const QString& title) {
  return Messages().Show(style, text, title);
}

int ScriptedMessages::Show(int style, const QString& text, const QString& title) {
  shown_.push_back({style, text, title});
  if (answers_.empty()) return LayoutOfStyle(style).defaultAnswer;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace talvair::platform
