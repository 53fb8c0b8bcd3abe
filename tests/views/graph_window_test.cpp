#include "views/graph_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "platform/chart_control.h"
#include "platform/twips.h"
#include "views/copy_menu.h"
#include "views/fixed_graphs.h"
#include "views/graph_registry.h"
#include "views/window_manager.h"

namespace talvair::views {
namespace {

using platform::TwipsToPixels;

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class GraphWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    area_.resize(1200, 900);
    area_.show();
    InstallCopyMenuItem(&copy_);
  }
  void TearDown() override {
    views_.CloseViews("");
    RunDeferredDeletes();
    InstallCopyMenuItem(nullptr);
    CurrentLanguage = "English";
  }

  frmGraph* Window(const QString& key) const {
    const auto entry = views_.GraphWindows().Find(key);
    return entry ? static_cast<frmGraph*>(entry->view) : nullptr;
  }
  QMdiSubWindow* Frame(const QString& key) const {
    const auto entry = views_.GraphWindows().Find(key);
    return entry ? entry->window : nullptr;
  }
  void Close(const QString& key) {
    Frame(key)->close();
    RunDeferredDeletes();
  }

  game model_;
  QMdiArea area_;
  WindowManager views_{&area_};
  GraphRegistry graphs_{&model_};
  QAction copy_;
};

TEST_F(GraphWindowTest, OpeningAgainBringsTheWindowForwardAndReopeningGivesANewNumber) {
  // A graph without a variable opens no window and takes no number.
  ShowFixedGraph(views_, graphs_, 111);
  ShowCustomGraph(views_, graphs_, 302);
  EXPECT_TRUE(area_.subWindowList().isEmpty());

  ShowFixedGraph(views_, graphs_, 106);
  ShowCustomGraph(views_, graphs_, 204);
  const QString fixed = FixedGraphKey(106);
  const int draws = Window(fixed)->gphGraph()->Draws();
  EXPECT_EQ(Frame(fixed)->windowTitle(), "Competitors - Fares");
  EXPECT_EQ(Window(fixed)->Tag(), fixed);
  EXPECT_EQ(area_.activeSubWindow(), Frame(CustomGraphKey(204)));

  ShowFixedGraph(views_, graphs_, 106);
  EXPECT_EQ(views_.GraphWindows().Count(), 2);
  EXPECT_EQ(area_.activeSubWindow(), Frame(fixed));
  EXPECT_EQ(Window(fixed)->Id(), 1);
  EXPECT_EQ(Window(fixed)->gphGraph()->Draws(), draws) << "brought forward, not refreshed";
  EXPECT_EQ(graphs_.LastGraphId(), 2);

  Close(fixed);
  EXPECT_EQ(graphs_.Count(), 1);
  ShowFixedGraph(views_, graphs_, 106);
  EXPECT_EQ(Window(fixed)->Id(), 3);
  EXPECT_EQ(graphs_.Count(), 2);
}

TEST_F(GraphWindowTest, TheChartFillsTheWidthAndLeavesTheFrameOfTheHeight) {
  ShowFixedGraph(views_, graphs_, 105);
  const QString key = FixedGraphKey(105);
  QMdiSubWindow* frame = Frame(key);
  const platform::ChartControl* chart = Window(key)->gphGraph();
  EXPECT_EQ(frame->size(), QSize(TwipsToPixels(4500), TwipsToPixels(2500)));

  const struct {
    int width, height;  // twips
    int chartHeight;    // pixels; -1 for the height it had
  } cases[] = {{6000, 4500, TwipsToPixels(4500 - 450)},
               {3000, 525, TwipsToPixels(525) - TwipsToPixels(450)},
               {3000, 495, -1},
               {4500, 2505, TwipsToPixels(2505) - TwipsToPixels(450)}};
  for (const auto& c : cases) {
    const int before = chart->height();
    frame->resize(TwipsToPixels(c.width), TwipsToPixels(c.height));
    EXPECT_EQ(chart->width(), Window(key)->width()) << c.width << "x" << c.height;
    EXPECT_EQ(chart->height(), c.chartHeight < 0 ? before : c.chartHeight) << c.height;
  }
}

TEST_F(GraphWindowTest, AnActiveGraphWindowOwnsTheCopyItemInEveryLanguage) {
  for (const char* language : {"English", "Spanish", "Port"}) {
    CurrentLanguage = language;
    ResetCopyMenu();
    ShowFixedGraph(views_, graphs_, 101);
    EXPECT_TRUE(copy_.isEnabled() && copy_.text() == "Copy graph to clipboard") << language;
    area_.setActiveSubWindow(nullptr);
    EXPECT_FALSE(copy_.isEnabled()) << language;
    Close(FixedGraphKey(101));
  }
}

TEST_F(GraphWindowTest, EveryLegendShowsWholeInANewWindowInEveryLanguage) {
  for (const char* language : {"English", "Spanish", "Port"}) {
    CurrentLanguage = language;
    for (const FixedGraphDefinition& definition : FixedGraphDefinitions()) {
      ShowFixedGraph(views_, graphs_, definition.fixedNumber);
      const QString key = FixedGraphKey(definition.fixedNumber);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      QStringList cut;
      for (const QLabel* label : Window(key)->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(Window(key)) || label->text().isEmpty()) continue;
        const bool fits = label->wordWrap()
                              ? label->minimumSizeHint().width() <= label->width() &&
                                    label->heightForWidth(label->width()) <= label->height()
                              : label->sizeHint().width() <= label->width();
        if (!fits) cut.append(label->text());
      }
      EXPECT_TRUE(cut.isEmpty()) << language << " " << definition.fixedNumber << ": "
                                 << cut.join(" | ").toStdString();
      Close(key);
    }
  }
}

// Counts the repaints of a window's whole screen: each paints what is pending and flushes
// it to the screen once.
class FlushCount : public QObject {
 public:
  int flushes = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest) ++flushes;
    return false;
  }
};

TEST_F(GraphWindowTest, EveryQuarterDrawsEachChartInViewOnceAndFlushesOnce) {
  const int numbers[] = {101, 105, 117};
  for (const int number : numbers) ShowFixedGraph(views_, graphs_, number);
  area_.tileSubWindows();
  QCoreApplication::processEvents();
  FlushCount count;
  area_.installEventFilter(&count);
  for (int quarter = 1; quarter <= 3; ++quarter) {
    std::vector<int> renders;
    for (const int number : numbers) {
      renders.push_back(Window(FixedGraphKey(number))->gphGraph()->Renders());
    }
    count.flushes = 0;
    model_.GoForward();
    graphs_.UpdateAllGraphs();
    // On the screen at once, before the run's next quarter.
    EXPECT_EQ(count.flushes, 1) << quarter;
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
      const platform::ChartControl* chart = Window(FixedGraphKey(numbers[i]))->gphGraph();
      EXPECT_EQ(chart->Renders(), renders[i] + 1) << numbers[i] << " quarter " << quarter;
      EXPECT_FALSE(chart->Stale());
    }
  }
  area_.removeEventFilter(&count);
}

TEST_F(GraphWindowTest, AChartOutOfSightWaitsAndIsDrawnWhenItShowsOrIsCopied) {
  struct Case {
    const char* name;
    bool minimise;  // else covered by another graph window
    std::function<void(QMdiSubWindow&)> bringIntoView;
  };
  const Case cases[] = {
      {"covered, then brought forward", false,
       [this](QMdiSubWindow& frame) { area_.setActiveSubWindow(&frame); }},
      {"covered, then the cover moves away", false,
       [this](QMdiSubWindow&) { Frame(FixedGraphKey(105))->move(700, 500); }},
      {"covered, then copied", false, [](QMdiSubWindow& frame) { frame.grab(); }},
      {"minimised, then restored", true, [](QMdiSubWindow& frame) { frame.showNormal(); }},
  };
  for (const Case& c : cases) {
    ShowFixedGraph(views_, graphs_, 101);
    ShowFixedGraph(views_, graphs_, 105);
    QMdiSubWindow& hidden = *Frame(FixedGraphKey(101));
    QMdiSubWindow& cover = *Frame(FixedGraphKey(105));
    if (c.minimise) {
      hidden.showMinimized();
    } else {
      cover.setGeometry(hidden.geometry().adjusted(-10, -10, 10, 10));
      area_.setActiveSubWindow(&cover);
    }
    QCoreApplication::processEvents();
    platform::ChartControl& chart = *Window(FixedGraphKey(101))->gphGraph();
    const int renders = chart.Renders();

    model_.GoForward();
    model_.GoForward();
    graphs_.UpdateAllGraphs();
    QCoreApplication::processEvents();
    EXPECT_FALSE(chart.CanBeSeen()) << c.name;
    EXPECT_TRUE(chart.Stale()) << c.name;
    EXPECT_EQ(chart.Renders(), renders) << c.name << ": drawn out of sight";

    c.bringIntoView(hidden);
    QCoreApplication::processEvents();
    EXPECT_FALSE(chart.Stale()) << c.name;
    EXPECT_EQ(chart.Renders(), renders + 1) << c.name;
    EXPECT_EQ(chart.DrawnPoints(1), 3) << c.name << ": the picture of periods 0 to 2";

    views_.CloseViews("");
    RunDeferredDeletes();
    model_.Restart();
  }
}

}  // namespace
}  // namespace talvair::views
