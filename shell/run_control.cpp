#include "shell/run_control.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <cstdint>
#include <exception>
#include <optional>

#include "model/game.h"
#include "model/game_events.h"
#include "model/language.h"
#include "model/model_error.h"
#include "model/var_number.h"
#include "numtext/number_text.h"
#include "platform/message_box.h"
#include "platform/wait_cursor.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/notepad_window.h"
#include "shell/research_commands.h"
#include "shell/survey_links_window.h"
#include "shell/text.h"
#include "storage/globals.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

// The empty view type reaches every open window.
const QString kAllViews;
const QString kLineBreak = QStringLiteral("\r\n");
constexpr int kTimeStepIndexes[] = {1, 2, 4, 10, 15, 20, 40};
// rpt_net_aircraft_cost: what the planes fetched on liquidation, negated.
constexpr int32_t kNetAircraftCostVar = varnum::rpt_net_aircraft_cost;

bool AtLastPeriod(const game& model) { return model.TValue() >= model.MaxTValue() - 1; }

// ---- model failures --------------------------------------------------------------------

// Watches a command's calls into the model: what they throw, and what the model reports
// through its Error event while they run.
class FailureWatch final : public GameEvents {
 public:
  explicit FailureWatch(game& model) : model_(model) { model_.Subscribe(this); }
  ~FailureWatch() override { model_.Unsubscribe(this); }
  FailureWatch(const FailureWatch&) = delete;
  FailureWatch& operator=(const FailureWatch&) = delete;

  void Error(int32_t errCode, int32_t /*errArea*/) override {
    if (!reported_) reported_ = errCode;
  }

  struct Outcome {
    bool failed = false;
    std::optional<int> code;  // the model's error number, when it gave one
    QString text;             // the call's own words for the failure, if it had them
  };

  // How `body` went: the first failure, if any.
  Outcome Call(const std::function<void()>& body) {
    reported_.reset();
    try {
      body();
    } catch (const RunControl::CommandFailure& failure) {
      return {true, std::nullopt, failure.text};
    } catch (const ModelError& error) {
      return {true, error.Code(), QString()};
    } catch (const std::exception&) {
      return {true, std::nullopt, QString()};
    }
    return {reported_.has_value(), reported_, QString()};
  }

 private:
  game& model_;
  std::optional<int> reported_;
};

QString FailureText(const QString& what, std::optional<int> code) {
  QString text = what;
  if (code) {
    text += Text(" (error ", " (error ", " (erro ") + QString::number(*code) + QLatin1Char(')');
  }
  return text + QLatin1Char('.');
}

// After a failure the run controls follow what the model can still do, whatever the
// command had set.
RunState FollowModel(RunState state, const game& model) {
  if (CanGoOn(model)) {
    state.runButton = state.runItem = true;
  } else {
    state = state.Deactivated();
  }
  state.goBack = model.TValue() > 0;
  return state;
}

}  // namespace

// ---- the command runner -------------------------------------------------------------------

bool RunControl::RunCommand(std::initializer_list<ModelCall> calls,
                            const std::function<void(bool failed)>& refresh) {
  std::optional<QString> failure;
  {
    const platform::WaitCursor wait;
    FailureWatch watch(model_);
    for (const ModelCall& call : calls) {
      const FailureWatch::Outcome outcome = watch.Call(call.call);
      if (outcome.failed) {
        failure = outcome.text.isEmpty() ? FailureText(call.failure, outcome.code) : outcome.text;
        break;
      }
    }
    refresh(failure.has_value());
    if (failure) window_.SetRunState(FollowModel(window_.RunControlState(), model_));
  }
  if (failure) platform::MsgBox(*failure, platform::kStyleExclamation, AppTitle);
  return !failure;
}

void RunControl::RefreshViews(const std::function<void(views::WindowManager&)>& refresh) {
  try {
    refresh(views_);
  } catch (const std::exception&) {
    platform::MsgBox(Text("The open windows could not be brought up to date.",
                          "No se pudieron actualizar las ventanas abiertas.",
                          "Não foi possível atualizar as janelas abertas."),
                     platform::kStyleExclamation, AppTitle);
  }
}

bool CanGoOn(const game& model) { return !model.GameOver() && !AtLastPeriod(model); }

// ---- Run ---------------------------------------------------------------------------------

void RunControl::cmdRun_Click() {
  frmDecision* decision = window_.DecisionWindow();
  if (decision == nullptr) return;
  // The decision window has told the player what is wrong.
  if (!decision->DecisionsValid()) return;

  QStringList notices;
  const bool done = RunCommand(
      {{Text("The decisions could not be applied", "No se pudieron aplicar las decisiones",
             "Não foi possível aplicar as decisões"),
        [this] { model_.ApplyDecisions(); }},
       {Text("The simulation could not compute the next quarter",
             "La simulación no pudo calcular el trimestre siguiente",
             "A simulação não conseguiu calcular o próximo trimestre"),
        [this] { model_.GoForward(); }}},
      [this, &notices](bool failed) {
        if (!failed) notices = AfterRunInResearchEdition();
        RefreshViews([](views::WindowManager& views) { views.UpdateViews(kAllViews); });
        window_.UpdateTimeline(0);
        RunState state = window_.RunControlState();
        state.goBack = true;
        window_.SetRunState(AtLastPeriod(model_) ? state.Deactivated() : state);
      });
  // Told once the pointer is back.
  for (const QString& notice : notices) {
    platform::MsgBox(notice, platform::kStyleExclamation, AppTitle);
  }
  if (done && ResearchEdition && AutoSaveEnabled) OfferResearchRestart(true);
}

QStringList RunControl::AfterRunInResearchEdition() {
  QStringList notices;
  if (DebugStepDump) notices << SaveResearchRun(model_, StepDumpFolder());
  if (!ResearchEdition && !DebugStepDump) return notices;
  if (AutoSaveEnabled) {
    // A research run goes forward only.
    RunState state = window_.RunControlState();
    state.restartButton = state.restartButtonShown = false;
    window_.SetRunState(state);
    notices << SaveResearchRun(model_, AutoSavePath);
  }
  if (SurveyLinksEnabled) {
    SurveyLinksDue = true;
    CheckSurveyLinks(window_, model_.TValue());
  }
  return notices;
}

void RunControl::OfferResearchRestart(bool run) {
  const bool liquidated = model_.GetVarValueByName("Liquidation_Switch", -1, 0) == 1.0;
  if (!liquidated && !AtLastPeriod(model_)) return;
  QString text;
  if (liquidated) {
    text =
        QString::fromStdString(LiquidationMessage(model_.GetVarValue(kNetAircraftCostVar, -1, 0))) +
        kLineBreak + kLineBreak;
  } else {
    text = QStringLiteral("You have reached the end.") + kLineBreak + kLineBreak;
  }
  text += QStringLiteral("You may restart if you wish from the button on the menu bar");
  // The answer makes no difference.
  platform::MsgBox(text, platform::kStyleOkCancel, QStringLiteral("Restart enabled"));
  RunState state = window_.RunControlState();
  if (run) state.runButton = true;
  state.restartButton = state.restartButtonShown = true;
  window_.SetRunState(state);
}

// ---- Restart -----------------------------------------------------------------------------

void RunControl::mnuSimRestart_Click() {
  const QString title =
      Text("Restart Game?", "¿Desea reiniciar el juego?", "Reiniciar a Simulação?");
  const QString question =
      Text(
          "Warning - on restarting the game you will lose the current game. You may want to "
          "save the current game first.",
          "¡Cuidado! Si reinicia el juego perderá el juego actual. Se recomienda guardar "
          "primero este juego.",
          "Atenção! Ao reiniciar a simulação você irá perder os dados da simulação atual. "
          "Talvez você queira primeiro salvar a simulação atual.") +
      kLineBreak + kLineBreak +
      Text("Are you sure that you want to restart the game?",
           "¿Está seguro de que desea reiniciar el juego?",
           "Você tem certeza que deseja reiniciar a simulação?");
  const int style = platform::kStyleYesNo | platform::kStyleQuestion;
  if (platform::MsgBox(question, style, title) != platform::kAnswerYes) return;

  // Graph windows alone are redrawn from period 0 without asking.
  if (views_.OpenViews().Count() > 0) {
    const QString keep =
        Text("Current on-screen reports, graphs and table will be reset",
             "Se reiniciarán los informes, gráficos y tablas actuales",
             "Os relatórios, gráficos e tabelas mostrados atualmente na tela serão "
             "reiniciados") +
        kLineBreak + kLineBreak +
        Text("Do you want them to remain on-screen?",
             "¿Desea que permanezcan visibles en la pantalla?",
             "Você deseja manter estes elementos mostrados na tela?");
    if (platform::MsgBox(keep, style, title) == platform::kAnswerNo) {
      RefreshViews([](views::WindowManager& views) { views.CloseViews(kAllViews); });
    }
  }

  RunCommand({{Text("The simulation could not restart the game",
                    "La simulación no pudo reiniciar el juego",
                    "A simulação não conseguiu reiniciar o jogo"),
               [this] {
                 model_.Restart();
                 model_.UpdateAllGraphs();
               }}},
             [this](bool /*failed*/) {
               window_.UpdateTimeline(0);
               EnableRunControls(window_);
               RefreshViews([](views::WindowManager& views) { views.ResetViews(kAllViews); });
               window_.setWindowTitle(AppTitle);
               EmptyNotepad(window_);
               if (frmDecision* decision = window_.DecisionWindow()) {
                 decision->FillFromModel(frmDecision::FillSource::Computed, InitialTimeIndex);
               }
             });
}

void EnableRunControls(frmMDI& window) {
  window.SetRunState(window.RunControlState().Enabled());
  window.cmdRun()->setFocus();
}

// ---- Go Back -----------------------------------------------------------------------------

void RunControl::mnuSimGoBack_Click() {
  if (GoBackWarnings) {
    const int answer = platform::MsgBox(
        Text("Are you sure that you want to go back to the previous step?",
             "¿Está seguro de que desea volver al período anterior?",
             "Você tem certeza que deseja voltar ao período anterior?"),
        platform::kStyleYesNo | platform::kStyleQuestion,
        Text("Go Back to Previous Step", "Volver al paso anterior", "Voltar ao Período Anterior"));
    if (answer != platform::kAnswerYes) return;
  }

  // The model refuses to go back further than the quarters run; the windows and the boxes
  // are refreshed from the unchanged period all the same.
  RunCommand({{Text("The simulation could not go back to the earlier quarter",
                    "La simulación no pudo volver al trimestre anterior",
                    "A simulação não conseguiu voltar ao trimestre anterior"),
               [this] { model_.GoBack(); }}},
             [this](bool /*failed*/) {
               window_.UpdateTimeline(0);
               RefreshViews([](views::WindowManager& views) {
                 views.ResetViews(kAllViews);
                 views.UpdateViews(kAllViews);
               });
               if (frmDecision* decision = window_.DecisionWindow()) {
                 decision->FillFromModel(frmDecision::FillSource::Displayed, model_.TValue());
               }
               // Only the button: the menu item keeps its state. A refused Go Back can
               // leave the game over, and then there is nothing to run.
               RunState state = window_.RunControlState();
               state.runButton = CanGoOn(model_);
               window_.SetRunState(state);
             });
}

// ---- Time Step and Stop ------------------------------------------------------------------

QString TimeStepLabel(int index) {
  const QString unit =
      index == 1 ? Text(" Qtr", " Trim.", "Trim") : Text(" Qtrs", " Trims.", " Trim");
  const QString years = QString::fromStdString(numtext::FormatNumber(index / 4.0, "#0.0#"));
  return QString::number(index) + unit + QStringLiteral(" (") + years +
         Text(" yrs)", " A)", " anos)");
}

void RunControl::mnuSimTimeStepItems_Click(int index) {
  model_.RunPeriod(static_cast<int16_t>(index));
  if (frmDecision* decision = window_.DecisionWindow()) {
    decision->SetTimeStepCaption(TimeStepLabel(index));
  }
  for (const int item : kTimeStepIndexes) {
    if (QAction* action = window_.mnuSimTimeStepItems(item)) action->setChecked(item == index);
  }
}

void RunControl::cmdStop_Click() {
  QApplication::beep();
  // Applying the state switches Stop off.
  window_.SetRunState(window_.RunControlState());
  ResetMousePointer();
}

}  // namespace talvair::shell
