#include "shell/run_control.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "model/game.h"
#include "model/language.h"
#include "model/model_error.h"
#include "numtext/number_text.h"
#include "platform/message_box.h"
#include "platform/wait_cursor.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/timeline_box.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

using platform::kAnswerNo;
using platform::kAnswerYes;
using Texts5 = std::array<QString, 5>;

const numtext::NumberLocale kEnglish{".", ","};
const Texts5 kPeriodZero{"0", "0.09", "0.10", "9", "0.60"};
const Texts5 kLiquidatingFare{"0", "0.01", "0.10", "9", "0.60"};

// Records beside each message whether the hourglass was showing.
class Messages : public platform::ScopedScriptedMessages {
 public:
  int Show(int style, const QString& text, const QString& title) override {
    const QCursor* cursor = QApplication::overrideCursor();
    underHourglass.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    return ScriptedMessages::Show(style, text, title);
  }
  std::vector<bool> underHourglass;
};

class ErrorLog : public GameEvents {
 public:
  void Error(int32_t errCode, int32_t /*errArea*/) override { codes.push_back(errCode); }
  std::vector<int> codes;
};

class StandInReport : public QWidget, public views::UpdatableView {
 public:
  QString VIEW_TYPE() const override { return views::kViewTypeReport; }
  QString Tag() const override { return views::kTagReport; }
  void Update() override {}
  void Reset() override { ++resets; }
  int resets = 0;
};

class StandInGraph : public QWidget, public views::View {
 public:
  QString VIEW_TYPE() const override { return views::kViewTypeGraph; }
  QString Tag() const override { return views::FixedGraphKey(101); }
};

class RunControlTest : public ::testing::Test {
 protected:
  void SetUp() override { Load("English", kEnglish); }
  void TearDown() override {
    window_.reset();
    CurrentLanguage = "English";
    numtext::SetCurrentNumberLocale({});
  }

  // A fresh game and windows, as Main leaves them.
  void Load(const std::string& language, const numtext::NumberLocale& locale) {
    window_.reset();
    messages_.Clear();
    messages_.underHourglass.clear();
    CurrentLanguage = language;
    numtext::SetCurrentNumberLocale(locale);
    AppTitle = QStringLiteral("Talvair");
    GoBackWarnings = true;
    decision_ = LoadMainWindow(model_, window_);
  }

  void TimeStep(int index) { window_->mnuSimTimeStepItems(index)->trigger(); }
  void RunSteps(std::initializer_list<int> steps) {
    for (const int step : steps) {
      TimeStep(step);
      window_->cmdRun()->click();
    }
  }
  void Type(const Texts5& texts) {
    for (int box = 1; box <= 5; ++box) decision_->SetDecisionText(box, texts[box - 1]);
  }
  Texts5 Boxes() const {
    Texts5 texts;
    for (int box = 1; box <= 5; ++box) texts[box - 1] = decision_->DecisionText(box);
    return texts;
  }
  // What Go Back writes: the values shown when the current period was run.
  Texts5 Displayed() {
    Texts5 texts;
    for (int box = 1; box <= 5; ++box) {
      texts[box - 1] = frmDecision::FillText(
          box, model_.GetDisplayValue(kDecisionVarNumbers[box - 1], model_.TValue(), 0));
    }
    return texts;
  }
  bool On(const char* item) const {
    return window_->MenuItem(QString::fromLatin1(item))->isEnabled();
  }
  int Percent() const { return window_->picTimeline()->Percent(); }
  std::size_t Shown() const { return messages_.ShownMessages().size(); }
  const platform::ScriptedMessages::Shown& First() const {
    return messages_.ShownMessages().front();
  }

  game model_;
  Messages messages_;
  std::unique_ptr<frmMDI> window_;
  frmDecision* decision_ = nullptr;
};

TEST_F(RunControlTest, RunAdvancesTheTimelineAndTheLastPeriodEndsTheGame) {
  struct Case {
    std::initializer_list<int> steps;
    int period;
    int percent;
  };
  const Case cases[] = {
      {{1}, 1, 2},                // 2.5 to the even 2
      {{1, 1, 1}, 3, 8},          // 7.5 to the even 8
      {{20, 15, 4, 1}, 40, 100},  // from 39 by one quarter
      {{1, 40}, 40, 100},         // Continuously from period 1 stops at 40
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.period);
    Load("English", kEnglish);
    RunSteps(c.steps);
    const bool over = c.period == 40;
    EXPECT_EQ(model_.TValue(), c.period);
    EXPECT_EQ(Percent(), c.percent);
    EXPECT_EQ(window_->picTimeline()->Label().toStdString(), model_.PeriodDescription(-1, false));
    EXPECT_EQ(window_->cmdRun()->isEnabled(), !over);
    EXPECT_EQ(On("mnuSimRun"), !over);
    EXPECT_FALSE(window_->cmdStop()->isEnabled() || On("mnuSimStop"));
    EXPECT_EQ(window_->cmdRestart()->isEnabled(), over);
    EXPECT_TRUE(On("mnuSimGoBack"));
    EXPECT_EQ(Shown(), 0u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

TEST_F(RunControlTest, InvalidDecisionsNeverReachTheModel) {
  const std::pair<int, const char*> cases[] = {{1, "abc"}, {2, "5"}, {5, ""}};
  for (const auto& [box, text] : cases) {
    SCOPED_TRACE(text);
    Load("English", kEnglish);
    decision_->SetDecisionText(box, QString::fromLatin1(text));
    const double before = model_.GetVarValue(kDecisionVarNumbers[box - 1], 0, 0);
    window_->cmdRun()->click();
    EXPECT_EQ(model_.TValue(), 0);
    EXPECT_EQ(model_.GetVarValue(kDecisionVarNumbers[box - 1], 0, 0), before);
    EXPECT_EQ(Shown(), 1u);  // the decision window's own
  }
}

TEST_F(RunControlTest, LiquidationShowsItsMessageOnceAndSwitchesRunOff) {
  Type(kLiquidatingFare);
  RunSteps({1, 1, 1});  // the third Run finds the button off
  EXPECT_TRUE(model_.GameOver());
  ASSERT_EQ(Shown(), 1u);
  EXPECT_TRUE(First().text.startsWith("You have gone into liquidation."));
  EXPECT_EQ(First().style, platform::kStyleOkOnly);
  EXPECT_EQ(First().title, "Talvair");
  // Answered with the ordinary pointer, not the run's hourglass.
  EXPECT_FALSE(messages_.underHourglass.front());
  EXPECT_FALSE(window_->cmdRun()->isEnabled() || On("mnuSimRun"));
  EXPECT_FALSE(window_->cmdStop()->isEnabled() || On("mnuSimStop"));
  EXPECT_TRUE(window_->cmdRestart()->isEnabled());
}

TEST_F(RunControlTest, TimeStepSetsTheRunLengthOneCheckMarkAndTheLabel) {
  struct Case {
    const char* language;
    numtext::NumberLocale locale;
    int index;
    const char* label;
  };
  const Case cases[] = {
      {"English", kEnglish, 1, "1 Qtr (0.25 yrs)"},
      {"English", kEnglish, 10, "10 Qtrs (2.5 yrs)"},
      {"English", kEnglish, 40, "40 Qtrs (10.0 yrs)"},
      {"Spanish", kEnglish, 1, "1 Trim. (0.25 A)"},
      {"Spanish", kEnglish, 2, "2 Trims. (0.5 A)"},
      {"Port", kEnglish, 1, "1Trim (0.25 anos)"},
      {"Port", {",", "."}, 10, "10 Trim (2,5 anos)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Load(c.language, c.locale);
    TimeStep(4);
    TimeStep(c.index);
    EXPECT_EQ(model_.RunPeriod(), c.index);
    EXPECT_EQ(decision_->findChild<QLabel*>("lblTimeStep2")->text().toStdString(), c.label);
    for (const int item : {1, 2, 4, 10, 15, 20, 40}) {
      EXPECT_EQ(window_->mnuSimTimeStepItems(item)->isChecked(), item == c.index) << item;
    }
  }
}

TEST_F(RunControlTest, RestartAsksAndKeepsOrClosesTheOpenWindows) {
  struct Case {
    const char* name;
    bool report, graph;
    std::vector<int> answers;
    bool restarted, reportOpen, graphOpen;
  };
  const Case cases[] = {
      {"no windows", false, false, {kAnswerYes}, true, false, false},
      {"keep them", true, true, {kAnswerYes, kAnswerYes}, true, true, true},
      {"close them", true, true, {kAnswerYes, kAnswerNo}, true, false, false},
      {"graphs alone are not asked about", false, true, {kAnswerYes}, true, false, true},
      {"no to restarting", true, false, {kAnswerNo}, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load("English", kEnglish);
    views::WindowManager& views = window_->Views();
    auto* report = new StandInReport;
    if (c.report) views.AddOpenView(views::kReportSummaryKey, report);
    if (c.graph) views.AddGraphWindow(views::FixedGraphKey(101), new StandInGraph);
    RunSteps({40});
    const Texts5 typed{"3", "0.12", "0.20", "15", "0.80"};
    Type(typed);
    window_->setWindowTitle(QStringLiteral("Talvair - a saved game"));
    for (const int answer : c.answers) messages_.Answer(answer);

    window_->cmdRestart()->click();

    ASSERT_EQ(Shown(), c.answers.size());
    EXPECT_EQ(First().style, 36);
    EXPECT_EQ(First().title, "Restart Game?");
    EXPECT_EQ(First().text,
              "Warning - on restarting the game you will lose the current game. You may want "
              "to save the current game first.\r\n\r\nAre you sure that you want to restart "
              "the game?");
    if (c.answers.size() == 2) {
      EXPECT_EQ(messages_.ShownMessages().back().text,
                "Current on-screen reports, graphs and table will be reset\r\n\r\nDo you want "
                "them to remain on-screen?");
    }
    EXPECT_EQ(views.OpenViews().Count(), c.reportOpen ? 1 : 0);
    EXPECT_EQ(views.GraphWindows().Count(), c.graphOpen ? 1 : 0);
    if (c.reportOpen && c.restarted) {
      EXPECT_EQ(report->resets, 1);
    }
    EXPECT_EQ(model_.TValue(), c.restarted ? 0 : 40);
    EXPECT_EQ(Boxes(), c.restarted ? kPeriodZero : typed);
    EXPECT_EQ(Percent(), c.restarted ? 0 : 100);
    EXPECT_EQ(window_->windowTitle(), c.restarted ? "Talvair" : "Talvair - a saved game");
    EXPECT_EQ(window_->cmdRun()->isEnabled() && On("mnuSimRun"), c.restarted);
    if (!c.report) delete report;
  }
}

TEST_F(RunControlTest, GoBackAsksOnlyWhileWarningsAreOnAndNoChangesNothing) {
  struct Case {
    bool warnings;
    int answer;
    bool back;
  };
  for (const Case c :
       {Case{true, kAnswerYes, true}, Case{true, kAnswerNo, false}, Case{false, 0, true}}) {
    SCOPED_TRACE(c.answer);
    Load("English", kEnglish);
    if (!c.warnings) window_->mnuSimToggleGBW()->trigger();
    RunSteps({1, 1});
    const Texts5 typed{"2", "0.15", "0.05", "4", "0.90"};
    Type(typed);
    if (c.warnings) messages_.Answer(c.answer);

    window_->mnuSimGoBack()->trigger();

    ASSERT_EQ(Shown(), c.warnings ? 1u : 0u);
    if (c.warnings) {
      EXPECT_EQ(First().text, "Are you sure that you want to go back to the previous step?");
      EXPECT_EQ(First().title, "Go Back to Previous Step");
      EXPECT_EQ(First().style, 36);
    }
    EXPECT_EQ(model_.TValue(), c.back ? 1 : 2);
    EXPECT_EQ(Boxes(), c.back ? Displayed() : typed);
    EXPECT_EQ(Percent(), c.back ? 2 : 5);
  }
}

TEST_F(RunControlTest, GoBackEnablesTheRunButtonOnlyWhenTheGameCanGoOn) {
  struct Case {
    const char* name;
    bool liquidate;
    int backStep;
    int period;
    bool run, goBackItem;
  };
  const Case cases[] = {
      {"from the end by one", false, 1, 39, true, true},
      // The model switches Go Back off on reaching period 0.
      {"from the end to the start", false, 40, 0, true, false},
      // Fewer quarters run than the step: refused, still liquidated.
      {"refused after liquidation", true, 4, 2, false, true},
      {"before the liquidation", true, 1, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load("English", kEnglish);
    if (c.liquidate) Type(kLiquidatingFare);
    RunSteps({c.liquidate ? 1 : 40, 1});
    TimeStep(c.backStep);
    window_->mnuSimGoBack()->trigger();
    EXPECT_EQ(model_.TValue(), c.period);
    EXPECT_EQ(window_->cmdRun()->isEnabled(), c.run);
    EXPECT_FALSE(On("mnuSimRun"));  // only the button
    EXPECT_EQ(On("mnuSimGoBack"), c.goBackItem);
    EXPECT_EQ(Boxes(), Displayed());
  }
}

TEST_F(RunControlTest, GoBackAtPeriodZeroIsRefusedAndRefillsTheBoxes) {
  Type({"7", "0.5", "0.5", "20", "1.5"});
  window_->mnuSimGoBack()->trigger();
  EXPECT_EQ(model_.TValue(), 0);
  EXPECT_EQ(Boxes(), kPeriodZero);
  EXPECT_TRUE(window_->cmdRun()->isEnabled());
}

// Variable 39, capavetime, divides: a zero makes every later quarter fail.
TEST_F(RunControlTest, AFailedQuarterIsReportedAndTheGameGoesOn) {
  const std::pair<const char*, const char*> cases[] = {
      {"English", "The simulation could not compute the next quarter (error %1)."},
      {"Spanish", "La simulación no pudo calcular el trimestre siguiente (error %1)."},
      {"Port", "A simulação não conseguiu calcular o próximo trimestre (erro %1)."},
  };
  for (const auto& [language, text] : cases) {
    SCOPED_TRACE(language);
    Load(language, kEnglish);
    RunSteps({1});
    ErrorLog errors;
    model_.Subscribe(&errors);
    model_.SetVarValue(39, -1, 0, 0.0);
    window_->cmdRun()->click();
    model_.Unsubscribe(&errors);

    ASSERT_FALSE(errors.codes.empty());
    ASSERT_EQ(Shown(), 1u);
    EXPECT_EQ(First().text, QString::fromUtf8(text).arg(errors.codes.front()));
    EXPECT_EQ(First().style, platform::kStyleExclamation);
    EXPECT_FALSE(messages_.underHourglass.front());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(model_.TValue(), 1);
    EXPECT_TRUE(window_->cmdRun()->isEnabled() && On("mnuSimRun") && On("mnuSimGoBack"));

    window_->mnuSimRestart()->trigger();
    RunSteps({1});
    EXPECT_EQ(model_.TValue(), 1);
  }
}

TEST_F(RunControlTest, AFailedGoBackIsReportedAndLeavesAPlayableGame) {
  RunSteps({1, 1, 1});
  // A fare of zero from period 1 on breaks the replay that going back makes.
  model_.SetVarValue(204, 1, 0, 0.0);
  GoBackWarnings = false;
  window_->mnuSimGoBack()->trigger();

  ASSERT_EQ(Shown(), 1u);
  EXPECT_TRUE(
      First().text.startsWith("The simulation could not go back to the earlier quarter (error "));
  EXPECT_FALSE(messages_.underHourglass.front());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(model_.TValue(), 3);  // still the game it was in
  EXPECT_TRUE(window_->cmdRun()->isEnabled() && On("mnuSimRun"));
  EXPECT_EQ(On("mnuSimGoBack"), model_.TValue() > 0);
  EXPECT_EQ(window_->picTimeline()->Label().toStdString(), model_.PeriodDescription(-1, false));
}

// Every command that moves the game goes through one runner: the first failing call stops
// the rest, the windows are refreshed all the same, the controls follow the model and the
// player is told once, with the ordinary pointer.
TEST_F(RunControlTest, TheCommandRunnerStopsAtTheFirstFailureAndReportsItOnce) {
  struct Case {
    const char* name;
    std::function<void(game&)> second;  // the second of three calls
    const char* message;                // the start of the one message; empty: none
  };
  const Case cases[] = {
      {"all succeed", [](game&) {}, ""},
      {"the model throws", [](game&) { throw ModelError(kErrOverflow); },
       "Second failed (error 6)."},
      {"anything else throws", [](game&) { throw std::runtime_error("lost"); }, "Second failed."},
      {"the model reports an error",
       [](game& model) {
         model.SetVarValue(39, -1, 0, 0.0);
         model.GoForward();
       },
       "Second failed (error "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load("English", kEnglish);
    RunSteps({1});
    RunState off = window_->RunControlState();
    off.runButton = off.runItem = off.goBack = false;
    window_->SetRunState(off);
    std::vector<std::string> log;
    bool hourglass = false;

    const bool done = window_->RunControls().RunCommand(
        {{"First failed", [&] { log.push_back("first"); }},
         {"Second failed",
          [&] {
            log.push_back("second");
            c.second(model_);
          }},
         {"Third failed", [&] { log.push_back("third"); }}},
        [&](bool failed) {
          log.push_back(failed ? "refresh after a failure" : "refresh");
          hourglass = QApplication::overrideCursor() != nullptr;
        });

    const bool fails = *c.message != '\0';
    EXPECT_EQ(done, !fails);
    using Log = std::vector<std::string>;
    const Log expected = fails ? Log{"first", "second", "refresh after a failure"}
                               : Log{"first", "second", "third", "refresh"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(hourglass);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(Shown(), fails ? 1u : 0u);
    if (fails) {
      EXPECT_TRUE(First().text.startsWith(QString::fromLatin1(c.message)))
          << First().text.toStdString();
      EXPECT_FALSE(messages_.underHourglass.front());
    }
    // After a failure the controls follow the game, which can go on; else they stay as set.
    RunState following = off;
    following.runButton = following.runItem = following.goBack = true;
    EXPECT_EQ(window_->RunControlState(), fails ? following : off);
    EXPECT_EQ(window_->cmdRun()->isEnabled(), fails);
  }
}

TEST_F(RunControlTest, TheModelReadsTheBoxesAndLosesItsHostWithTheWindow) {
  Type({"2", "0.11", "0.25", "30", "1.10"});
  model_.ApplyDecisions();
  EXPECT_DOUBLE_EQ(model_.GetVarValue(204, -1, 0), 0.11);
  EXPECT_DOUBLE_EQ(model_.GetVarValue(275, -1, 0), 1.10);

  window_.reset();
  EXPECT_EQ(model_.Host(), nullptr);
  // Liquidation and going back to 0 call on the host; with none, nothing is shown.
  model_.SetVarValue(204, -1, 0, 0.01);
  model_.RunPeriod(10);
  model_.GoForward();
  ASSERT_TRUE(model_.GameOver());
  model_.RunPeriod(model_.TValue());
  model_.GoBack();
  EXPECT_EQ(model_.TValue(), 0);
  EXPECT_EQ(Shown(), 0u);
}

}  // namespace
}  // namespace talvair::shell
