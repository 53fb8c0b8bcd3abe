#include "views/window_arrangement.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "model/game.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "views/decision_window_link.h"
#include "views/graph_registry.h"
#include "views/graph_window.h"
#include "views/report_window.h"
#include "views/simple_reports.h"
#include "views/table_window.h"
#include "views/window_manager.h"

namespace talvair::views {
namespace {

using platform::PixelsOf;

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Runs `act` when `window` is next shown, or moved, once.
class OnEvent : public QObject {
 public:
  OnEvent(QObject* window, QEvent::Type type, std::function<void()> act)
      : type_(type), act_(std::move(act)) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_) {
      watched->removeEventFilter(this);
      act_();
    }
    return false;
  }

 private:
  QEvent::Type type_;
  std::function<void()> act_;
};

// Places (pixels) a window takes while it is moved.
class MoveLog : public QObject {
 public:
  explicit MoveLog(QObject* window) { window->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Move) places.push_back(static_cast<QWidget*>(watched)->pos());
    return false;
  }
  std::vector<QPoint> places;
};

class WindowArrangementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    area_.resize(1500, 950);
    area_.show();
    QApplication::setActiveWindow(&area_);
    decision_ = area_.addSubWindow(new QWidget);
    decision_->setGeometry(0, 0, PixelsOf(4500), PixelsOf(3000));
    decision_->show();
    InstallDecisionWindow(decision_);
    views_.SetTableWindowFactory([this] { return new frmTable(model_, views_, graphs_); });
  }
  void TearDown() override {
    views_.CloseViews("");
    RunDeferredDeletes();
    InstallDecisionWindow(nullptr);
    CascadingReports = false;
  }

  QMdiSubWindow* Graph(int number) {
    ShowFixedGraph(views_, graphs_, number);
    return views_.GraphWindows().Find(FixedGraphKey(number))->window;
  }
  static QRect Twips(int left, int top, int width, int height) {
    return {PixelsOf(left), PixelsOf(top), PixelsOf(width), PixelsOf(height)};
  }

  game model_;
  QMdiArea area_;
  WindowManager views_{&area_};
  GraphRegistry graphs_{&model_};
  QMdiSubWindow* decision_ = nullptr;
  platform::ScopedScriptedMessages messages_;
};

TEST_F(WindowArrangementTest, GraphsGoBesideTheDecisionWindowAsFarAsTheScreenAllows) {
  const QString tooManyToTile =
      "Too many graphs to tile all of them.\r\n\r\nOnly the first 2 will be tiled.  Any not "
      "tiled will be left at their current position and size";
  const QString tooManyToCascade =
      "Too many graphs to cascade all of them.\r\n\r\nOnly the first 1 will be cascaded.  Any "
      "not cascaded will be left at their current position";
  const QRect unmoved = Twips(3000, 6000, 4500, 2500);
  const struct {
    const char* name;
    void (*command)(WindowManager&);
    int screenWidth, screenHeight;
    std::vector<QRect> places;
    QString message;
  } cases[] = {
      {"tile, two a row",
       TileGraphs,
       12000,
       9000,
       {Twips(4700, 75, 3500, 1900), Twips(8201, 75, 3500, 1900), Twips(4700, 1975, 3500, 1900)},
       {}},
      {"tile, no room for a second row",
       TileGraphs,
       12000,
       4800,
       {Twips(4700, 75, 3500, 1900), Twips(8201, 75, 3500, 1900), unmoved},
       tooManyToTile},
      {"cascade",
       CascadeGraphs,
       12000,
       9000,
       {Twips(4700, 200, 4500, 2500), Twips(5050, 550, 4500, 2500), Twips(5400, 900, 4500, 2500)},
       {}},
      // The second would end on the screen, but not a window's height above its bottom.
      {"cascade, too low",
       CascadeGraphs,
       12000,
       5600,
       {Twips(4700, 200, 4500, 2500), unmoved, unmoved},
       tooManyToCascade},
      {"cascade, too narrow",
       CascadeGraphs,
       9250,
       9000,
       {unmoved, unmoved, unmoved},
       QString(tooManyToCascade).replace("first 1", "first 0")},
  };
  for (const auto& c : cases) {
    const platform::ScopedScreenTwips screen(c.screenWidth, c.screenHeight);
    std::vector<QMdiSubWindow*> graphs{Graph(101), Graph(105), Graph(118)};
    for (QMdiSubWindow* graph : graphs) graph->setGeometry(unmoved);
    messages_.Clear();
    c.command(views_);
    for (std::size_t i = 0; i < graphs.size(); ++i) {
      EXPECT_EQ(graphs[i]->geometry(), c.places[i]) << c.name << ", graph " << i + 1;
    }
    if (c.message.isEmpty()) {
      EXPECT_TRUE(messages_.ShownMessages().empty()) << c.name;
    } else {
      ASSERT_EQ(messages_.ShownMessages().size(), 1u) << c.name;
      EXPECT_EQ(messages_.ShownMessages()[0].text, c.message) << c.name;
      EXPECT_EQ(messages_.ShownMessages()[0].title, "Too many graphs...") << c.name;
      EXPECT_EQ(messages_.ShownMessages()[0].style, 64) << c.name;
    }
    // The last one placed ends in front.
    for (std::size_t i = graphs.size(); i-- > 0;) {
      if (c.places[i] == unmoved) continue;
      EXPECT_EQ(area_.activeSubWindow(), graphs[i]) << c.name;
      break;
    }
    views_.CloseViews("");
    RunDeferredDeletes();
  }
}

TEST_F(WindowArrangementTest, TablesCascadeBelowTheDecisionWindow) {
  decision_->move(PixelsOf(300), 0);
  for (int number : {2, 9, 3}) views_.ShowTable(number);
  CascadeTables(views_);
  const int decisionHeight = platform::WindowHeight(*decision_);
  const int tops[] = {decisionHeight + 2560, decisionHeight + 2920, decisionHeight + 3280};
  const int lefts[] = {300 + 4850, 300 + 5200, 300 + 5550};
  int i = 0;
  for (int number : {2, 9, 3}) {
    const QMdiSubWindow* window = views_.OpenViews().Find(TableKey(number))->window;
    EXPECT_EQ(window->pos(), QPoint(PixelsOf(lefts[i]), PixelsOf(tops[i]))) << number;
    ++i;
  }
  EXPECT_EQ(area_.activeSubWindow(), views_.OpenViews().Find(TableKey(3))->window);
}

TEST_F(WindowArrangementTest, AReportGoesHomeThenTravelsInStepsToItsPlace) {
  const platform::ScopedScreenTwips screen(19200, 14400);
  auto* report = new frmRptBreakeven(model_);
  QMdiSubWindow* window = views_.AddOpenView(kReportBreakevenKey, report);
  window->show();
  const QPoint home = window->pos();
  window->move(PixelsOf(9000), PixelsOf(7000));
  MoveLog log(window);
  {
    const CascadingReportsScope cascading;
    EXPECT_TRUE(CascadingReports);
    CascadeReports(views_);
  }
  EXPECT_FALSE(CascadingReports);
  ASSERT_GE(log.places.size(), 2u);
  EXPECT_EQ(log.places.front(), home);
  const int decisionHeight = platform::WindowHeight(*decision_);
  EXPECT_EQ(log.places.back(), QPoint(0, PixelsOf(decisionHeight - 50)));
  for (std::size_t i = 1; i < log.places.size(); ++i) {
    const QPoint step = log.places[i] - log.places[i - 1];
    EXPECT_LE(std::abs(step.x()), PixelsOf(700) + 1) << i;
    EXPECT_LE(std::abs(step.y()), PixelsOf(700) + 1) << i;
  }
}

TEST_F(WindowArrangementTest, WindowsClosedMeanwhileAreSkippedAndASecondCommandIsIgnored) {
  const platform::ScopedScreenTwips screen(19200, 14400);
  std::vector<QPointer<QMdiSubWindow>> graphs{Graph(101), Graph(105), Graph(118)};
  const QSize size = graphs[0]->size();
  bool arrangingMeanwhile = false;
  const OnEvent closeTheSecond(graphs[0], QEvent::Show, [&] {
    arrangingMeanwhile = Arranging();
    graphs[1]->close();
    TileGraphs(views_);
  });
  CascadeGraphs(views_);
  RunDeferredDeletes();
  EXPECT_TRUE(arrangingMeanwhile);
  EXPECT_FALSE(Arranging());
  EXPECT_TRUE(graphs[1].isNull());
  EXPECT_EQ(graphs[0]->pos(), QPoint(PixelsOf(4700), PixelsOf(200)));
  EXPECT_EQ(graphs[0]->size(), size) << "cascaded, not tiled";
  EXPECT_EQ(graphs[2]->pos(), QPoint(PixelsOf(5400), PixelsOf(900)));
  EXPECT_TRUE(messages_.ShownMessages().empty());

  for (int number : {1, 2, 3}) views_.ShowTable(number);
  const QPointer<QMdiSubWindow> second = views_.OpenViews().Find(TableKey(2))->window;
  const OnEvent closeWhileMoving(views_.OpenViews().Find(TableKey(1))->window, QEvent::Move,
                                 [&] { second->close(); });
  CascadeTables(views_);
  RunDeferredDeletes();
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(views_.OpenViews().Find(TableKey(3))->window->y(),
            PixelsOf(platform::WindowHeight(*decision_) + 2200 + 720));
}

}  // namespace
}  // namespace talvair::views
