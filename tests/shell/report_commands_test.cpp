#include "shell/report_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>

#include "main_window_fixture.h"
#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/grid_control.h"
#include "platform/message_box.h"
#include "platform/pause.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "views/report_window.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

// The Reports menu items, the window key each opens, and the grid cell that shows the period.
struct Item {
  const char* name;
  QString key;
  int grid, row, col;
};
const Item kItems[] = {
    {"mnuRptSummary", views::kReportSummaryKey, 0, 0, 0},
    {"mnuRptBreakEvenAnalysis", views::kReportBreakevenKey, 1, 0, 0},
    {"mnuRptCapacityAndLoad", views::kReportCapacityKey, 1, 0, 1},
    {"mnuRptEmployees", views::kReportEmployeesKey, 1, 0, 0},
    {"mnuRptFinancialReport", views::kReportFinanceKey, 1, 0, 4},
    {"mnuRptMarketResearch", views::kReportMktResearchKey, 1, 0, 2},
    {"mnuRptStockprice", views::kReportStockKey, 1, 0, 0},
};

class ReportCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CurrentLanguage = "English";
    numtext::SetCurrentNumberLocale({".", ","});
    GoBackWarnings = false;
    LoadMainWindow(model_, window_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
  }
  void TearDown() override {
    window_.reset();
    numtext::SetCurrentNumberLocale({});
  }

  views::ReportWindow* Report(const Item& item) const {
    const auto entry = window_->Views().OpenViews().Find(item.key);
    return entry ? dynamic_cast<views::ReportWindow*>(entry->view) : nullptr;
  }
  // The period each open report shows: the summary in its caption's end, the others in a
  // header cell.
  QString Shown(const Item& item) const {
    views::ReportWindow* report = Report(item);
    if (report == nullptr) return QStringLiteral("closed");
    if (item.grid == 0) return report->windowTitle().section(QStringLiteral(" - "), 1);
    return report->Grids()
        .at(static_cast<std::size_t>(item.grid - 1))
        ->TextMatrix(item.row, item.col);
  }
  void ExpectAllShow(const std::string& period) {
    for (const Item& item : kItems) {
      EXPECT_EQ(Shown(item).toStdString(), period) << item.name;
    }
  }
  void Trigger(const char* item) { window_->MenuItem(QString::fromLatin1(item))->trigger(); }

  game model_;
  platform::ScopedScriptedMessages messages_;
  platform::RecordedPauses pauses_;
  std::unique_ptr<frmMDI> window_;
};

TEST_F(ReportCommandsTest, EveryReportFollowsRunGoBackAndRestart) {
  for (const Item& item : kItems) Trigger(item.name);
  EXPECT_EQ(window_->Views().OpenViews().Count(), 7);
  ExpectAllShow(model_.PeriodDescription(0, false));

  window_->mnuSimTimeStepItems(4)->trigger();
  window_->cmdRun()->click();
  ASSERT_EQ(model_.TValue(), 4);
  ExpectAllShow(model_.PeriodDescription(4, false));

  window_->mnuSimTimeStepItems(1)->trigger();
  Trigger("mnuSimGoBack");
  ASSERT_EQ(model_.TValue(), 3);
  ExpectAllShow(model_.PeriodDescription(3, false));

  messages_.Answer(platform::kAnswerYes);  // restart
  messages_.Answer(platform::kAnswerYes);  // keep the windows
  Trigger("mnuSimRestart");
  ASSERT_EQ(model_.TValue(), 0);
  ExpectAllShow(model_.PeriodDescription(0, false));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportCommandsTest, ChoosingAnOpenReportOnlyBringsItForward) {
  for (const Item& item : kItems) {
    Trigger(item.name);
    views::ReportWindow* first = Report(item);
    ASSERT_NE(first, nullptr) << item.name;
    const std::size_t pauses = pauses_.Pauses().size();
    // Another window comes forward, or the report stays active but Run took the focus.
    for (const auto& away : {std::function<void()>([&] { Trigger("mdwa"); }),
                             std::function<void()>([&] { window_->cmdRun()->setFocus(); })}) {
      away();
      ASSERT_FALSE(window_->mnuEditCopy()->isEnabled()) << item.name;
      Trigger(item.name);
      EXPECT_EQ(Report(item), first) << item.name;
      EXPECT_EQ(pauses_.Pauses().size(), pauses) << item.name;  // no second wipe
      EXPECT_EQ(window_->MdiArea()->activeSubWindow(), first->SubWindow()) << item.name;
      EXPECT_TRUE(first->isAncestorOf(QApplication::focusWidget())) << item.name;
      EXPECT_TRUE(window_->mnuEditCopy()->isEnabled()) << item.name;
      EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
  }
  // The hidden End of Game Summary item opens nothing.
  Trigger("mnuRptEndofGame");
  EXPECT_EQ(window_->Views().OpenViews().Count(), 7);
}

TEST_F(ReportCommandsTest, AnActiveTableOrReportChosenAgainAfterRunTakesBackTheFocus) {
  const struct {
    const char* item;
    int index;
    QString key;
  } kChosen[] = {
      {"mnuTable", 1, views::TableKey(1)},
      {"mnuTable", 9, views::TableKey(9)},
      {"mnuRptStockprice", -1, views::kReportStockKey},
  };
  for (const auto& chosen : kChosen) {
    const QString name = QString::fromLatin1(chosen.item);
    QAction* item =
        chosen.index < 0 ? window_->MenuItem(name) : window_->MenuItem(name, chosen.index);
    ASSERT_NE(item, nullptr) << chosen.item;
    item->trigger();
    const auto open = window_->Views().OpenViews().Find(chosen.key);
    ASSERT_TRUE(open.has_value()) << chosen.item;
    window_->cmdRun()->click();
    window_->cmdRun()->setFocus();
    ASSERT_EQ(window_->MdiArea()->activeSubWindow(), open->window) << chosen.item;
    ASSERT_FALSE(window_->mnuEditCopy()->isEnabled()) << chosen.item;

    item->trigger();
    EXPECT_TRUE(open->window->widget()->isAncestorOf(QApplication::focusWidget())) << chosen.item;
    EXPECT_TRUE(window_->mnuEditCopy()->isEnabled()) << chosen.item;
  }
}

}  // namespace
}  // namespace talvair::shell
