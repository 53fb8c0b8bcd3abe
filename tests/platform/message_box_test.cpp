#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>

namespace talvair::platform {
namespace {

struct StyleCase {
  int style;
  std::vector<int> buttons;
  int icon;
  int defaultAnswer;
  int escapeAnswer;
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << "style " << c.style; }

class MessageLayoutTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(MessageLayoutTest, MapsStyleToButtonsIconAndDefaults) {
  const StyleCase& c = GetParam();
  const MessageLayout layout = LayoutOfStyle(c.style);
  EXPECT_EQ(layout.buttons, c.buttons);
  EXPECT_EQ(layout.icon, c.icon);
  EXPECT_EQ(layout.defaultAnswer, c.defaultAnswer);
  EXPECT_EQ(layout.escapeAnswer, c.escapeAnswer);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageLayoutTest,
    ::testing::Values(
        StyleCase{0, {kAnswerOk}, 0, kAnswerOk, kAnswerOk},
        StyleCase{1, {kAnswerOk, kAnswerCancel}, 0, kAnswerOk, kAnswerCancel},
        StyleCase{35, {kAnswerYes, kAnswerNo, kAnswerCancel}, 32, kAnswerYes, kAnswerCancel},
        StyleCase{36, {kAnswerYes, kAnswerNo}, 32, kAnswerYes, kNoAnswer},
        StyleCase{48, {kAnswerOk}, 48, kAnswerOk, kAnswerOk},
        StyleCase{64, {kAnswerOk}, 64, kAnswerOk, kAnswerOk},
        StyleCase{292, {kAnswerYes, kAnswerNo}, 32, kAnswerNo, kNoAnswer},
        StyleCase{257, {kAnswerOk, kAnswerCancel}, 0, kAnswerCancel, kAnswerCancel},
        // A second default button on a box with one button falls back to the first.
        StyleCase{256, {kAnswerOk}, 0, kAnswerOk, kAnswerOk},
        StyleCase{768 + 3, {kAnswerYes, kAnswerNo, kAnswerCancel}, 0, kAnswerYes, kAnswerCancel}),
    [](const ::testing::TestParamInfo<StyleCase>& info) {
      return "Style" + std::to_string(info.param.style);
    });

TEST(ScriptedMessagesTest, AnswersFromQueueThenStyleDefaultAndRecordsEverything) {
  ScopedScriptedMessages messages;
  messages.Answer(kAnswerNo);
  messages.Answer(kAnswerCancel);

  EXPECT_EQ(MsgBox("first", 36, "Title"), kAnswerNo);
  EXPECT_EQ(MsgBox("second", 35), kAnswerCancel);
  EXPECT_EQ(MsgBox("third", 292), kAnswerNo);  // queue empty: the default button
  EXPECT_EQ(MsgBox("fourth", 36), kAnswerYes);
  EXPECT_EQ(MsgBox("fifth"), kAnswerOk);

  const auto& shown = messages.ShownMessages();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].style, 36);
  EXPECT_EQ(shown[0].text, "first");
  EXPECT_EQ(shown[0].title, "Title");
  EXPECT_EQ(shown[1].title, QString());  // recorded as given, not replaced
  EXPECT_EQ(shown[4].style, kStyleOkOnly);
}

TEST(ScriptedMessagesTest, ScopeRestoresTheRealService) {
  MessageService* real = &Messages();
  {
    ScopedScriptedMessages messages;
    EXPECT_EQ(&Messages(), &messages);
  }
  EXPECT_EQ(&Messages(), real);
}

// The title bar shows the whole title; a text wider than the title keeps its own width, even
// when a layout request comes while the window system still reports the box narrower.
TEST(MessageBoxTest, ABoxIsAtLeastAsWideAsItsTitle) {
  const QString longTitle = "Sair do Talvair Micromundo";
  const QString longText = QString("Tem certeza de que deseja sair? ").repeated(4);
  for (const auto& [title, text] :
       {std::pair(longTitle, QString("Sair?")), std::pair(QString("T"), longText)}) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(292, text, title);
    box->show();
    EXPECT_GE(box->width(), TitleBarWidth(title)) << title.toStdString();
    EXPECT_GE(box->width(), box->findChild<QLabel*>("qt_msgbox_label")->sizeHint().width());
    const int shown = box->width();
    box->windowHandle()->resize(100, box->height());
    QCoreApplication::processEvents();
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(box.get(), &layoutRequest);
    EXPECT_EQ(box->width(), shown) << title.toStdString();
  }
}

// Escape and the close button answer a box with Cancel; a question with Yes and No has no close
// button and stays open until one of them is pressed. A box ended without an answer, as when
// the program ends, gives its last button, the safe one.
TEST(MessageBoxTest, EscapeAndCloseLeaveOpenOnlyABoxWithoutCancel) {
  for (const auto& [style, staysOpen, last] :
       {std::tuple(36, true, kAnswerNo), std::tuple(35, false, kAnswerCancel)}) {
    for (const bool byClose : {false, true}) {
      const std::unique_ptr<QMessageBox> box = MakeMessageBox(style, "Sure?", "Title");
      box->show();
      byClose ? void(box->close()) : QTest::keyClick(box.get(), Qt::Key_Escape);
      EXPECT_EQ(box->isVisible(), staysOpen) << style << " " << byClose;
      EXPECT_EQ(box->windowFlags().testFlag(Qt::WindowCloseButtonHint), !staysOpen) << style;
    }
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
    });
    EXPECT_EQ(MsgBox("Sure?", style), last) << style;
  }
}

}  // namespace
}  // namespace talvair::platform
