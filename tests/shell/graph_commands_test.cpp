#include "shell/graph_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPushButton>
#include <memory>

#include "main_window_fixture.h"
#include "model/game.h"
#include "model/language.h"
#include "platform/chart_control.h"
#include "platform/message_box.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "views/graph_registry.h"
#include "views/graph_window.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class GraphCommandsTest : public MainWindowTest {
 protected:
  void Choose(int index) { window_->MenuItem(QStringLiteral("mnuGph"), index)->trigger(); }
  const views::ViewCollection<views::View>& Graphs() const {
    return window_->Views().GraphWindows();
  }
  const platform::ChartControl& Chart(int fixedNumber) const {
    const auto entry = Graphs().Find(views::FixedGraphKey(fixedNumber));
    return *static_cast<views::frmGraph*>(entry->view)->gphGraph();
  }
};

TEST_F(GraphCommandsTest, CustomGraphsItemTellsHowToMakeOne) {
  const struct {
    const char* language;
    const char* text;
  } cases[] = {
      {"English",
       "To create a custom graph of any one variable \r\n"
       "select a column in a table and Double Click on it."},
      {"Spanish",
       "Para crear un gráfico de una variable específica, \r\n"
       "elija una columna de la tabla y haga doble clic sobre ella"},
      {"Port",
       "Para criar um gráfico customizado de qualquer uma das viriáveis \r\n"
       "mostradas dê um Clique Duplo sobre o nome da variável."},
  };
  for (const auto& c : cases) {
    CurrentLanguage = c.language;
    messages_.Clear();
    window_->MenuItem(QStringLiteral("mnuGphCustom"))->trigger();
    ASSERT_EQ(messages_.ShownMessages().size(), 1u) << c.language;
    const auto& shown = messages_.ShownMessages()[0];
    EXPECT_EQ(shown.text, QString::fromUtf8(c.text));
    EXPECT_TRUE(shown.style == platform::kStyleOkOnly && shown.title.isEmpty()) << c.language;
  }
}

TEST_F(GraphCommandsTest, ManyOpeningsLeaveRunGoBackAndRestartWorking) {
  for (int i = 0; i < 201; ++i) {
    Choose(118);
    Graphs().Find(views::FixedGraphKey(118))->window->close();
    RunDeferredDeletes();
  }
  Choose(118);
  Choose(117);
  EXPECT_EQ(window_->Graphs().LastGraphId(), 203);

  // Run twice by four quarters, go back four, restart.
  window_->mnuSimTimeStepItems(4)->trigger();
  QAction* const steps[] = {nullptr, nullptr, window_->mnuSimGoBack(), window_->mnuSimRestart()};
  const int periods[] = {4, 8, 4, 0};
  for (int i = 0; i < 4; ++i) {
    steps[i] ? steps[i]->trigger() : window_->cmdRun()->click();
    ASSERT_EQ(model_.TValue(), periods[i]) << i;
    for (const int graph : {118, 117}) {
      EXPECT_EQ(Chart(graph).DrawnPoints(1), periods[i] + 1) << i << " graph " << graph;
      EXPECT_FALSE(Chart(graph).HasValue(1, periods[i] + 2)) << i << " graph " << graph;
    }
  }
  for (const auto& shown : messages_.ShownMessages()) {
    EXPECT_NE(shown.style, platform::kStyleExclamation) << shown.text.toStdString();
  }
}

}  // namespace
}  // namespace talvair::shell
