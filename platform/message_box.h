// Message boxes by style number, with answers as numbers, through one replaceable
// service so tests can script the answers and never block on a modal window.
#pragma once

#include <QString>
#include <deque>
#include <memory>
#include <vector>

class QMessageBox;
class QWidget;

namespace talvair::platform {

// Style numbers the program uses: 0 plain notice, 1 OK and Cancel, 35 Yes/No/Cancel with a
// question icon, 36 Yes/No with a question icon, 48 exclamation, 64 information, 292
// Yes/No with No as the default button. Built from these bits:
inline constexpr int kStyleOkOnly = 0;
inline constexpr int kStyleOkCancel = 1;
inline constexpr int kStyleYesNoCancel = 3;
inline constexpr int kStyleYesNo = 4;
inline constexpr int kStyleQuestion = 32;
inline constexpr int kStyleExclamation = 48;
inline constexpr int kStyleInformation = 64;
inline constexpr int kStyleDefaultButton2 = 256;

// Answers.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
// No answer: Escape on a question with Yes and No and no Cancel.
inline constexpr int kNoAnswer = 0;

// How a style number shows: the answers of its buttons from left to right, its icon (0 none,
// 16 critical, 32 question, 48 exclamation, 64 information), and the answers given by the
// default button and by Escape (kNoAnswer: Escape is ignored).
struct MessageLayout {
  std::vector<int> buttons;
  int icon = 0;
  int defaultAnswer = kAnswerOk;
  int escapeAnswer = kAnswerOk;
};
MessageLayout LayoutOfStyle(int style);

// The width in pixels that shows a window's title whole in its title bar, beside the frame's
// icon and buttons. Qt sizes a message box by its text and allows the title far less.
int TitleBarWidth(const QString& title);

// The real message box of a style, not yet shown; once shown it is at least as wide as its
// title needs.
std::unique_ptr<QMessageBox> MakeMessageBox(int style, const QString& text, const QString& title,
                                            QWidget* parent = nullptr);

class MessageService {
 public:
  virtual ~MessageService() = default;
  // An empty title means the application's title.
  virtual int Show(int style, const QString& text, const QString& title) = 0;
};

// The service in use: the real message boxes unless a test installed another.
MessageService& Messages();
// Installs a service (not owned); nullptr restores the real one.
void SetMessageService(MessageService* service);

// Shows a message through the current service.
int MsgBox(const QString& text, int style = kStyleOkOnly, const QString& title = QString());

// For tests: answers from a queue (the default answer of the style when empty) and
// records every message.
class ScriptedMessages : public MessageService {
 public:
  struct Shown {
    int style;
    QString text;
    QString title;
  };
  int Show(int style, const QString& text, const QString& title) override;
  void Answer(int answer) { answers_.push_back(answer); }
  const std::vector<Shown>& ShownMessages() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
};

// Installs a scripted service for the lifetime of the guard.
class ScopedScriptedMessages : public ScriptedMessages {
 public:
  ScopedScriptedMessages() { SetMessageService(this); }
  ~ScopedScriptedMessages() override { SetMessageService(nullptr); }
};

}  // namespace talvair::platform
