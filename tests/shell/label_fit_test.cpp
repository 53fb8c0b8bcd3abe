// Fixed labels and buttons show their whole captions in every language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <memory>
#include <string>

#include "model/game.h"
#include "model/language.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/language_window.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"

namespace talvair::shell {
namespace {

QString Caption(QString text) { return text.remove(u'&'); }

// Why a shown label or button cannot show its whole caption; empty when it can.
std::string Cut(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->text().isEmpty()) return {};
    const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                        : label->sizeHint().width() <= label->width() &&
                                              label->fontMetrics().height() <= label->height();
    return fits ? std::string() : label->text().toStdString();
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const bool fits =
        button->fontMetrics().horizontalAdvance(Caption(button->text())) <= contents.width();
    return fits ? std::string() : button->text().toStdString();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return button->sizeHint().width() <= button->width() ? std::string()
                                                         : button->text().toStdString();
  }
  return {};
}

// Every cut caption among the shown widgets of `window`, one a line.
std::string CutCaptions(const QWidget& window) {
  std::string cut;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    const std::string caption = Cut(widget);
    if (!caption.empty()) cut += widget->objectName().toStdString() + ": " + caption + '\n';
  }
  return cut;
}

TEST(LabelFitTest, NoCaptionIsCutInAnyLanguage) {
  const std::string saved = CurrentLanguage;
  for (const char* language : {"English", "Spanish", "Port"}) {
    SCOPED_TRACE(language);
    CurrentLanguage = language;
    game model;
    frmMDI window(model);
    window.Load();
    CreateDecisionWindow(*window.MdiArea(), model, window.TimeStepCaption());
    for (const int step : {1, 2, 4, 10, 15, 20, 40}) {
      window.mnuSimTimeStepItems(step)->trigger();
      EXPECT_EQ(CutCaptions(window), "") << step;
    }
    // "End Yr:" ends before the first year mark's digit.
    const QLabel* endYear = window.Label1(0);
    const QLabel* two = window.Label1(1);
    const int digitLeft = two->mapTo(&window, QPoint(0, 0)).x() +
                          (two->width() - two->fontMetrics().horizontalAdvance("2")) / 2;
    EXPECT_LT(endYear->mapTo(&window, QPoint(endYear->width(), 0)).x(), digitLeft);

    // Each decision caption stands level with its box.
    const auto* decision = window.findChild<frmDecision*>();
    ASSERT_NE(decision, nullptr);
    for (int i = 1; i <= 5; ++i) {
      const QRect label = decision->findChild<QLabel*>(QString("Label1_%1").arg(i))->geometry();
      const QRect box = decision->findChild<QLineEdit*>(QString("Text%1").arg(i))->geometry();
      EXPECT_EQ(label.center().y(), box.center().y()) << i;
    }

    frmSplash splash;
    EXPECT_EQ(CutCaptions(splash), "");
  }
  frmLangSelect selection;
  for (int option = 0; option < 3; ++option) {
    selection.Option1(option)->click();
    selection.layout()->activate();
    EXPECT_EQ(CutCaptions(selection), "") << option;
  }
  CurrentLanguage = saved;
}

}  // namespace
}  // namespace talvair::shell
