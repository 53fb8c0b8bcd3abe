#include "views/window_manager.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <stdexcept>

namespace talvair::views {
namespace {

// A report or table window that logs what is called on it.
class StandIn : public QWidget, public TableView {
 public:
  StandIn(QString name, QString viewType, QStringList* log, const WindowManager* manager)
      : name_(std::move(name)), viewType_(std::move(viewType)), log_(log), manager_(manager) {}

  QString VIEW_TYPE() const override { return viewType_; }
  QString Tag() const override { return viewType_ == kViewTypeTables ? kTagTable : kTagReport; }
  void Update() override {
    log_->append("update " + name_);
    if (onUpdate) onUpdate();
  }
  void Reset() override { log_->append("reset " + name_); }
  // As the real table window: builds and shows itself, already registered.
  void Create(int tableNumber) override {
    const bool held = manager_->OpenViews().Contains(TableKey(tableNumber));
    log_->append(QStringLiteral("create %1%2").arg(tableNumber).arg(held ? "" : " unregistered"));
    show();
  }
  platform::GridControl* FlxGrid() override { return nullptr; }

  bool refuseClose = false;
  std::function<void()> onUpdate;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (refuseClose) event->ignore();
  }

 private:
  QString name_;
  QString viewType_;
  QStringList* log_;
  const WindowManager* manager_;
};

class StandInGraph : public QWidget, public View {
 public:
  QString VIEW_TYPE() const override { return kViewTypeGraph; }
  QString Tag() const override { return QStringLiteral("fixedgraph_101"); }
};

template <class V>
QStringList KeysOf(const ViewCollection<V>& collection) {
  QStringList keys;
  for (const auto& entry : collection.Entries()) keys.append(entry.key);
  return keys;
}

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class WindowManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    area_.resize(1200, 900);
    area_.show();
  }
  void TearDown() override { RunDeferredDeletes(); }

  StandIn* Open(const QString& key, const QString& viewType) {
    auto* view = new StandIn(key, viewType, &log_, &manager_);
    QMdiSubWindow* window = manager_.AddOpenView(key, view);
    EXPECT_NE(window, nullptr) << key.toStdString();
    view->show();
    return view;
  }
  QMdiSubWindow* OpenGraph(const QString& key) {
    QMdiSubWindow* window = manager_.AddGraphWindow(key, new StandInGraph);
    window->show();
    return window;
  }
  void CloseAll() {
    manager_.CloseViews("");
    RunDeferredDeletes();
  }
  // Three reports, two tables and two graphs.
  void OpenSeven() {
    Open(kReportSummaryKey, kViewTypeReport);
    Open(TableKey(2), kViewTypeTables);
    Open(kReportFinanceKey, kViewTypeReport);
    Open(TableKey(5), kViewTypeTables);
    Open(kReportStockKey, kViewTypeReport);
    OpenGraph(FixedGraphKey(101));
    OpenGraph(CustomGraphKey(204));
  }

  QMdiArea area_;
  WindowManager manager_{&area_};
  QStringList log_;
};

TEST_F(WindowManagerTest, NothingOpenIsHarmless) {
  manager_.UpdateViews("");
  manager_.ResetViews("");
  manager_.CloseViews("");
  manager_.CloseView(kReportSummaryKey);
  EXPECT_FALSE(manager_.ActivateView(kReportSummaryKey));
  EXPECT_TRUE(log_.isEmpty());
}

TEST_F(WindowManagerTest, UpdateAndResetReachTheWindowsOfTheTypeInTheOrderAdded) {
  const struct {
    bool reset;
    const char* viewType;
    QStringList expected;
  } cases[] = {
      {false, "", {"update report_finance", "update table_3", "update report_summary"}},
      {true, "", {"reset report_finance", "reset table_3", "reset report_summary"}},
      {false, "report", {"update report_finance", "update report_summary"}},
      {true, "tables", {"reset table_3"}},
      {false, "table", {}},
      {false, "Report", {}},
      {false, "graph", {}},
  };
  Open(kReportFinanceKey, kViewTypeReport);
  Open(TableKey(3), kViewTypeTables);
  Open(kReportSummaryKey, kViewTypeReport);
  OpenGraph(FixedGraphKey(118));
  for (const auto& c : cases) {
    log_.clear();
    c.reset ? manager_.ResetViews(c.viewType) : manager_.UpdateViews(c.viewType);
    EXPECT_EQ(log_, c.expected) << c.viewType << (c.reset ? " reset" : " update");
  }
}

TEST_F(WindowManagerTest, CloseViewsUnloadsTheWindowsOfTheTypeInBothCollections) {
  const QStringList allOpen{"report_summary", "table_2", "report_finance", "table_5",
                            "report_stock"};
  const QStringList allGraphs{"fixedgraph_101", "customgraph_204"};
  const struct {
    const char* viewType;
    QStringList openViewsLeft;
    QStringList graphsLeft;
  } cases[] = {
      {"", {}, {}},
      {"report", {"table_2", "table_5"}, allGraphs},
      {"tables", {"report_summary", "report_finance", "report_stock"}, allGraphs},
      {"graph", allOpen, {}},
      {"table", allOpen, allGraphs},
  };
  for (const auto& c : cases) {
    OpenSeven();
    const QPointer<QMdiSubWindow> summary = manager_.OpenViews().Find(kReportSummaryKey)->window;
    manager_.CloseViews(c.viewType);
    EXPECT_EQ(KeysOf(manager_.OpenViews()), c.openViewsLeft) << c.viewType;
    EXPECT_EQ(KeysOf(manager_.GraphWindows()), c.graphsLeft) << c.viewType;
    RunDeferredDeletes();
    EXPECT_EQ(area_.subWindowList().size(), c.openViewsLeft.size() + c.graphsLeft.size());
    EXPECT_EQ(summary.isNull(), !c.openViewsLeft.contains(kReportSummaryKey)) << c.viewType;
    CloseAll();
  }
}

TEST_F(WindowManagerTest, CloseViewClosesOnlyAnOpenReportOrTable) {
  const QStringList allOpen{"report_summary", "table_2", "report_finance", "table_5",
                            "report_stock"};
  const struct {
    QString key;
    QStringList openViewsLeft;
  } cases[] = {
      {kReportFinanceKey, {"report_summary", "table_2", "table_5", "report_stock"}},
      {TableKey(2), {"report_summary", "report_finance", "table_5", "report_stock"}},
      {FixedGraphKey(101), allOpen},
      {kReportCapacityKey, allOpen},
  };
  for (const auto& c : cases) {
    OpenSeven();
    manager_.CloseView(c.key);
    EXPECT_EQ(KeysOf(manager_.OpenViews()), c.openViewsLeft) << c.key.toStdString();
    EXPECT_EQ(manager_.GraphWindows().Count(), 2) << c.key.toStdString();
    CloseAll();
  }
}

TEST_F(WindowManagerTest, AWindowLeavesItsCollectionHoweverItGoes) {
  const struct {
    const char* how;
    std::function<void(QMdiSubWindow*)> end;
  } cases[] = {
      {"close box", [](QMdiSubWindow* window) { window->close(); }},
      {"window deleted", [](QMdiSubWindow* window) { delete window; }},
      {"content deleted", [](QMdiSubWindow* window) { delete window->widget(); }},
  };
  for (const auto& c : cases) {
    Open(kReportSummaryKey, kViewTypeReport);
    Open(kReportStockKey, kViewTypeReport);
    c.end(manager_.OpenViews().Find(kReportSummaryKey)->window);
    c.end(OpenGraph(FixedGraphKey(122)));
    EXPECT_EQ(KeysOf(manager_.OpenViews()), QStringList{"report_stock"}) << c.how;
    EXPECT_EQ(manager_.GraphWindows().Count(), 0) << c.how;

    // The key opens a new window, now last in the walks.
    Open(kReportSummaryKey, kViewTypeReport);
    log_.clear();
    manager_.UpdateViews("");
    EXPECT_EQ(log_, (QStringList{"update report_stock", "update report_summary"})) << c.how;
    CloseAll();
  }
}

TEST_F(WindowManagerTest, AWindowThatRefusesToCloseStays) {
  OpenSeven();
  Open(kReportCapacityKey, kViewTypeReport)->refuseClose = true;
  manager_.CloseView(kReportCapacityKey);
  manager_.CloseViews("");
  EXPECT_EQ(KeysOf(manager_.OpenViews()), QStringList{kReportCapacityKey});
  EXPECT_EQ(manager_.GraphWindows().Count(), 0);
  EXPECT_TRUE(manager_.OpenViews().Find(kReportCapacityKey)->window->isVisible());
}

TEST_F(WindowManagerTest, AWalkSkipsWindowsClosedDuringItAndPassesErrorsOn) {
  StandIn* first = Open(kReportSummaryKey, kViewTypeReport);
  Open(kReportFinanceKey, kViewTypeReport);
  StandIn* table = Open(TableKey(4), kViewTypeTables);
  Open(kReportStockKey, kViewTypeReport);
  first->onUpdate = [this] { manager_.CloseView(kReportFinanceKey); };
  table->onUpdate = [] { throw std::runtime_error("update"); };
  EXPECT_THROW(manager_.UpdateViews(""), std::runtime_error);
  EXPECT_EQ(log_, (QStringList{"update report_summary", "update table_4"}));
}

TEST_F(WindowManagerTest, ActivateViewFocusesAnOpenReportOrTable) {
  Open(kReportSummaryKey, kViewTypeReport);
  Open(TableKey(1), kViewTypeTables);
  Open(kReportStockKey, kViewTypeReport)->parentWidget()->hide();
  OpenGraph(FixedGraphKey(101));

  EXPECT_TRUE(manager_.ActivateView(kReportSummaryKey));
  EXPECT_EQ(area_.activeSubWindow(), manager_.OpenViews().Find(kReportSummaryKey)->window);
  EXPECT_TRUE(manager_.ActivateView(TableKey(1)));
  EXPECT_EQ(area_.activeSubWindow(), manager_.OpenViews().Find(TableKey(1))->window);
  EXPECT_FALSE(manager_.ActivateView(FixedGraphKey(101)));
  EXPECT_FALSE(manager_.ActivateView(kReportStockKey));
  EXPECT_EQ(area_.activeSubWindow(), manager_.OpenViews().Find(TableKey(1))->window);
}

TEST_F(WindowManagerTest, RegisteringRefusesATakenKeyOrAHostedWindow) {
  StandIn* first = Open(kReportSummaryKey, kViewTypeReport);
  StandIn second("second", kViewTypeReport, &log_, &manager_);
  EXPECT_EQ(manager_.AddOpenView(kReportSummaryKey, &second), nullptr);
  EXPECT_EQ(manager_.AddOpenView(kReportStockKey, first), nullptr);
  EXPECT_EQ(KeysOf(manager_.OpenViews()), QStringList{kReportSummaryKey});
  EXPECT_EQ(area_.subWindowList().size(), 1);

  // The copy command finds the content of registered windows only.
  EXPECT_EQ(ViewOf(area_.subWindowList().front()), first);
  EXPECT_EQ(ViewOf(area_.addSubWindow(new QWidget)), nullptr);
}

TEST_F(WindowManagerTest, TheTableOpenerMakesEachTableOnce) {
  manager_.ShowTable(3);  // no table window plugged in yet
  EXPECT_TRUE(area_.subWindowList().isEmpty());

  int made = 0;
  manager_.SetTableWindowFactory([&] {
    ++made;
    return new StandIn(QStringLiteral("table"), kViewTypeTables, &log_, &manager_);
  });
  manager_.ShowTable(3);
  manager_.ShowSummaryTable();
  EXPECT_EQ(made, 2);
  EXPECT_EQ(log_, (QStringList{"create 3", "create 1"}));
  EXPECT_EQ(KeysOf(manager_.OpenViews()), (QStringList{"table_3", "table_1"}));

  // Open: brought forward, neither made again nor rebuilt.
  QMdiSubWindow* table3 = manager_.OpenViews().Find("table_3")->window;
  manager_.ShowTable(3);
  EXPECT_EQ(made, 2);
  EXPECT_EQ(area_.activeSubWindow(), table3);

  // Closed: made and built anew.
  table3->close();
  manager_.ShowTable(3);
  EXPECT_EQ(made, 3);
  EXPECT_EQ(KeysOf(manager_.OpenViews()), (QStringList{"table_1", "table_3"}));

  // Held but unable to take the focus: still counts as open.
  manager_.OpenViews().Find("table_1")->window->hide();
  manager_.ShowTable(1);
  EXPECT_EQ(made, 3);
  EXPECT_EQ(log_, (QStringList{"create 3", "create 1", "create 3"}));
}

// A window past the area's right or bottom edge comes back in as far as its size allows.
TEST_F(WindowManagerTest, KeepInsideAreaPullsAWindowBackIn) {
  QMdiSubWindow* window = OpenGraph(FixedGraphKey(101));
  const QSize inside = area_.viewport()->size();
  const struct {
    QRect from;
    QPoint to;
  } cases[] = {
      {{1100, 850, 300, 200}, {inside.width() - 300, inside.height() - 200}},
      {{40, 30, 300, 200}, {40, 30}},
      {{500, 400, 300, inside.height() + 50}, {500, 0}},  // taller than the area: its top
  };
  for (const auto& c : cases) {
    window->setGeometry(c.from);
    KeepInsideArea(*window);
    EXPECT_EQ(window->geometry(), QRect(c.to, c.from.size())) << c.from.x() << "," << c.from.y();
  }
}

TEST(WindowKeys, NumbersAreWrittenPlain) {
  EXPECT_EQ(TableKey(11), "table_11");
  EXPECT_EQ(FixedGraphKey(101), "fixedgraph_101");
  EXPECT_EQ(CustomGraphKey(339), "customgraph_339");
}

}  // namespace
}  // namespace talvair::views
