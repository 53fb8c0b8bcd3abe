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
#include "shell/globals.h"
#include "shell/main_window.h"
#include "views/report_window.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

// The Reports menu items, the window key each opens, and the column of its first grid's top row
// that shows the period (-1: the summary shows it at its caption's end).
struct Item {
  const char* name;
  QString key;
  int col;
};
const Item kItems[] = {
    {"mnuRptSummary", views::kReportSummaryKey, -1},
    {"mnuRptBreakEvenAnalysis", views::kReportBreakevenKey, 0},
    {"mnuRptCapacityAndLoad", views::kReportCapacityKey, 1},
    {"mnuRptEmployees", views::kReportEmployeesKey, 0},
    {"mnuRptFinancialReport", views::kReportFinanceKey, 4},
    {"mnuRptMarketResearch", views::kReportMktResearchKey, 2},
    {"mnuRptStockprice", views::kReportStockKey, 0},
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

  QString Shown(const Item& item) const {
    const auto entry = window_->Views().OpenViews().Find(item.key);
    auto* report = entry ? dynamic_cast<views::ReportWindow*>(entry->view) : nullptr;
    if (report == nullptr) return QStringLiteral("closed");
    return item.col < 0 ? report->windowTitle().section(QStringLiteral(" - "), 1)
                        : report->Grids().front()->TextMatrix(0, item.col);
  }
  void Trigger(const char* item) { window_->MenuItem(QString::fromLatin1(item))->trigger(); }

  game model_;
  platform::ScopedScriptedMessages messages_;
  platform::RecordedPauses pauses_;
  std::unique_ptr<frmMDI> window_;
};

TEST_F(ReportCommandsTest, EveryReportFollowsRunGoBackAndRestart) {
  const auto expectAllShow = [&](int t) {
    ASSERT_EQ(model_.TValue(), t);
    for (const Item& item : kItems)
      EXPECT_EQ(Shown(item).toStdString(), model_.PeriodDescription(t, false)) << item.name;
  };
  for (const Item& item : kItems) Trigger(item.name);
  expectAllShow(0);
  window_->mnuSimTimeStepItems(4)->trigger();
  window_->cmdRun()->click();
  expectAllShow(4);
  window_->mnuSimTimeStepItems(1)->trigger();
  Trigger("mnuSimGoBack");
  expectAllShow(3);
  messages_.Answer(platform::kAnswerYes);  // restart
  messages_.Answer(platform::kAnswerYes);  // keep the windows
  Trigger("mnuSimRestart");
  expectAllShow(0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A window chosen again comes forward with the focus, whether another window came forward or it
// stayed active but lost the focus to Run; a report is not built or wiped again.
TEST_F(ReportCommandsTest, ChoosingAnOpenReportOrTableOnlyBringsItForward) {
  std::vector<std::pair<QAction*, QString>> chosen;
  for (const Item& item : kItems)
    chosen.emplace_back(window_->MenuItem(QString::fromLatin1(item.name)), item.key);
  for (const int table : {1, 9})
    chosen.emplace_back(window_->MenuItem(QStringLiteral("mnuTable"), table),
                        views::TableKey(table));
  const std::function<void()> aways[] = {[&] { Trigger("mdwa"); },
                                         [&] {
                                           window_->cmdRun()->click();
                                           window_->cmdRun()->setFocus();
                                         }};
  for (const auto& [item, key] : chosen) {
    const std::string name = key.toStdString();
    ASSERT_NE(item, nullptr) << name;
    item->trigger();
    const auto open = window_->Views().OpenViews().Find(key);
    ASSERT_TRUE(open.has_value()) << name;
    const std::size_t pauses = pauses_.Pauses().size();
    for (const auto& away : aways) {
      away();
      ASSERT_FALSE(window_->mnuEditCopy()->isEnabled()) << name;
      item->trigger();
      EXPECT_EQ(window_->Views().OpenViews().Find(key)->view, open->view) << name;
      EXPECT_EQ(pauses_.Pauses().size(), pauses) << name;  // no second wipe
      EXPECT_EQ(window_->MdiArea()->activeSubWindow(), open->window) << name;
      EXPECT_TRUE(open->window->widget()->isAncestorOf(QApplication::focusWidget())) << name;
      EXPECT_TRUE(window_->mnuEditCopy()->isEnabled()) << name;
      EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
  }
  // The hidden End of Game Summary item opens nothing.
  Trigger("mnuRptEndofGame");
  EXPECT_EQ(window_->Views().OpenViews().Count(), 9);
}

}  // namespace
}  // namespace talvair::shell
