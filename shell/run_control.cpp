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
#include "shell/program_start.h"
#include "shell/text.h"
#include "storage/globals.h"
#include "storage/settings_store.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

// The empty view type reaches every open window.
const QString kAllViews;
const QString kLineBreak = QStringLiteral("\r\n");
constexpr int kTimeStepIndexes[] = {1, 2, 4, 10, 15, 20, 40};
// Where the per-step dump edition writes its files.
const QString kStepDumpFolder = QStringLiteral("c:/Zvk/");
// rpt_net_aircraft_cost: what the planes fetched on liquidation, negated.
constexpr int32_t kNetAircraftCostVar = varnum::rpt_net_aircraft_cost;


bool AtLastPeriod(const game& model) { return model.TValue() >= model.MaxTValue() - 1; }

// Neither over (liquidated or at the end) nor at the last period.
bool CanGoOn(const game& model) { return !model.GameOver() && !AtLastPeriod(model); }

// ---- model failures --------------------------------------------------------------------

enum class ModelCall { ApplyDecisions, GoForward, GoBack, Restart };

struct ModelFailure {
  ModelCall call;
  std::optional<int> code;  // the model's error number, when it gave one
};

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

  // The first failure of `body`, if any.
  template <class F>
  std::optional<ModelFailure> Call(ModelCall call, F body) {
    reported_.reset();
    try {
      body();
    } catch (const ModelError& error) {
      return ModelFailure{call, error.Code()};
    } catch (const std::exception&) {
      return ModelFailure{call, std::nullopt};
    }
    if (reported_) return ModelFailure{call, *reported_};
    return std::nullopt;
  }

 private:
  game& model_;
  std::optional<int> reported_;
};

QString FailureText(const ModelFailure& failure) {
  QString text;
  switch (failure.call) {
    case ModelCall::ApplyDecisions:
      text = Text("The decisions could not be applied", "No se pudieron aplicar las decisiones",
                  "Não foi possível aplicar as decisões");
      break;
    case ModelCall::GoForward:
      text = Text("The simulation could not compute the next quarter",
                  "La simulación no pudo calcular el trimestre siguiente",
                  "A simulação não conseguiu calcular o próximo trimestre");
      break;
    case ModelCall::GoBack:
      text = Text("The simulation could not go back to the earlier quarter",
                  "La simulación no pudo volver al trimestre anterior",
                  "A simulação não conseguiu voltar ao trimestre anterior");
      break;
    case ModelCall::Restart:
      text = Text("The simulation could not restart the game",
                  "La simulación no pudo reiniciar el juego",
                  "A simulação não conseguiu reiniciar o jogo");
      break;
  }
  if (failure.code) {
    text += Text(" (error ", " (error ", " (erro ") + QString::number(*failure.code) +
            QLatin1Char(')');
  }
  return text + QLatin1Char('.');
}

void ReportFailure(const ModelFailure& failure) {
  platform::MsgBox(FailureText(failure), platform::kStyleExclamation, AppTitle);
}

// After a failure the run controls follow what the model can still do, whatever the
// command had set.
void SetControlsFromModel(frmMDI& window, const game& model) {
  if (CanGoOn(model)) {
    window.cmdRun()->setEnabled(true);
    window.mnuSimRun()->setEnabled(true);
  } else {
    window.DeactivateRun();
  }
  window.mnuSimGoBack()->setEnabled(model.TValue() > 0);
}

// A report or table window that fails to refresh must not end the program.
template <class F>
void RefreshWindows(F refresh) {
  try {
    refresh();
  } catch (const std::exception&) {
    platform::MsgBox(Text("The open windows could not be brought up to date.",
                          "No se pudieron actualizar las ventanas abiertas.",
                          "Não foi possível atualizar as janelas abertas."),
                     platform::kStyleExclamation, AppTitle);
  }
}

// ---- pieces not in this build ------------------------------------------------------------

// The research-data export (research and step-dump editions only, both off in the
// standard build) is not built yet.
void SaveResearchDataHook(game& /*model*/, const QString& /*fileName*/) {}

// The survey-links window (research edition only) is not built yet.
void CheckSurveyLinksHook(int16_t /*period*/) {}

// The game notepad is not built yet; once it is, Restart empties its text here.
void EmptyNotepadHook() {}

void ReportSettings(const storage::SettingsError& error) {
  if (error) ShowSettingsError(*error);
}

QString ResearchFileNameIn(const QString& folder, const game& model) {
  return folder + AutoSaveBaseName + QLatin1Char('_') + QString::number(AutoSaveRunNumber) +
         QStringLiteral(" Period=") + QString::number(model.TValue()) + QStringLiteral(".csv");
}

}  // namespace

// ---- Run ---------------------------------------------------------------------------------

void RunControl::cmdRun_Click() {
  game* model = TheGame;
  frmDecision* decision = window_.DecisionWindow();
  if (model == nullptr || decision == nullptr) return;
  // The decision window has told the player what is wrong.
  if (!decision->DecisionsValid()) return;

  std::optional<ModelFailure> failure;
  {
    const platform::WaitCursor wait;
    FailureWatch watch(*model);
    failure = watch.Call(ModelCall::ApplyDecisions, [&] { model->ApplyDecisions(); });
    if (!failure) failure = watch.Call(ModelCall::GoForward, [&] { model->GoForward(); });
    if (!failure) AfterRunInResearchEdition(*model);

    RefreshWindows([&] { views_.UpdateViews(kAllViews); });
    window_.UpdateTimeline(0);
    window_.mnuSimGoBack()->setEnabled(true);
    if (AtLastPeriod(*model)) window_.DeactivateRun();
    if (failure) SetControlsFromModel(window_, *model);
  }
  if (failure) {
    ReportFailure(*failure);
    return;
  }
  if (ResearchEdition && AutoSaveEnabled) AnnounceResearchRestart(*model);
}

void RunControl::AfterRunInResearchEdition(game& model) {
  if (DebugStepDump) {
    ++AutoSaveRunNumber;
    ResearchFileName = ResearchFileNameIn(kStepDumpFolder, model);
    SaveResearchDataHook(model, ResearchFileName);
    ReportSettings(storage::AdvancedOptionsUpdateRunNumber());
  }
  if (!ResearchEdition && !DebugStepDump) return;
  if (AutoSaveEnabled) {
    // A research run goes forward only.
    window_.cmdRestart()->setEnabled(false);
    window_.cmdRestart()->setVisible(false);
    ++AutoSaveRunNumber;
    ResearchFileName = ResearchFileNameIn(AutoSavePath + QLatin1Char('/'), model);
    SaveResearchDataHook(model, ResearchFileName);
    ReportSettings(storage::AdvancedOptionsUpdateRunNumber());
  }
  if (SurveyLinksEnabled) {
    SurveyLinksDue = true;
    CheckSurveyLinksHook(model.TValue());
  }
}

void RunControl::AnnounceResearchRestart(game& model) {
  const bool liquidated = model.GetVarValueByName("Liquidation_Switch", -1, 0) == 1.0;
  if (!liquidated && !AtLastPeriod(model)) return;
  QString text;
  if (liquidated) {
    text = QString::fromStdString(
               LiquidationMessage(model.GetVarValue(kNetAircraftCostVar, -1, 0))) +
           kLineBreak + kLineBreak;
  } else {
    text = QStringLiteral("You have reached the end.") + kLineBreak + kLineBreak;
  }
  text += QStringLiteral("You may restart if you wish from the button on the menu bar");
  // The answer makes no difference.
  platform::MsgBox(text, platform::kStyleOkCancel, QStringLiteral("Restart enabled"));
  window_.cmdRun()->setEnabled(true);
  window_.cmdRestart()->setEnabled(true);
  window_.cmdRestart()->setVisible(true);
}

// ---- Restart -----------------------------------------------------------------------------

void RunControl::mnuSimRestart_Click() {
  game* model = TheGame;
  if (model == nullptr) return;
  const QString title =
      Text("Restart Game?", "¿Desea reiniciar el juego?", "Reiniciar a Simulação?");
  const QString question =
      Text("Warning - on restarting the game you will lose the current game. You may want to "
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
      RefreshWindows([&] { views_.CloseViews(kAllViews); });
    }
  }

  std::optional<ModelFailure> failure;
  {
    const platform::WaitCursor wait;
    FailureWatch watch(*model);
    failure = watch.Call(ModelCall::Restart, [&] {
      model->Restart();
      model->UpdateAllGraphs();
    });
    window_.UpdateTimeline(0);
    EnableRunControls(window_);
    RefreshWindows([&] { views_.ResetViews(kAllViews); });
    window_.setWindowTitle(AppTitle);
    EmptyNotepadHook();
    if (frmDecision* decision = window_.DecisionWindow()) {
      decision->FillFromModel(frmDecision::FillSource::Computed, InitialTimeIndex);
    }
    if (failure) SetControlsFromModel(window_, *model);
  }
  if (failure) ReportFailure(*failure);
}

void EnableRunControls(frmMDI& window) {
  window.cmdRun()->setEnabled(true);
  window.cmdRun()->setFocus();
  window.mnuSimRun()->setEnabled(true);
  window.cmdStop()->setEnabled(false);
  window.mnuSimStop()->setEnabled(false);
  window.cmdRestart()->setEnabled(true);
  window.mnuSimRestart()->setEnabled(true);
}

// ---- Go Back -----------------------------------------------------------------------------

void RunControl::mnuSimGoBack_Click() {
  game* model = TheGame;
  if (model == nullptr) return;
  if (GoBackWarnings) {
    const int answer = platform::MsgBox(
        Text("Are you sure that you want to go back to the previous step?",
             "¿Está seguro de que desea volver al período anterior?",
             "Você tem certeza que deseja voltar ao período anterior?"),
        platform::kStyleYesNo | platform::kStyleQuestion,
        Text("Go Back to Previous Step", "Volver al paso anterior", "Voltar ao Período Anterior"));
    if (answer != platform::kAnswerYes) return;
  }

  std::optional<ModelFailure> failure;
  {
    const platform::WaitCursor wait;
    FailureWatch watch(*model);
    // The model refuses to go back further than the quarters run; the windows and the
    // boxes are refreshed from the unchanged period all the same.
    failure = watch.Call(ModelCall::GoBack, [&] { model->GoBack(); });
    window_.UpdateTimeline(0);
    RefreshWindows([&] {
      views_.ResetViews(kAllViews);
      views_.UpdateViews(kAllViews);
    });
    if (frmDecision* decision = window_.DecisionWindow()) {
      decision->FillFromModel(frmDecision::FillSource::Displayed, model->TValue());
    }
    // Only the button: the menu item keeps its state. A refused Go Back can leave the game
    // over, and then there is nothing to run.
    window_.cmdRun()->setEnabled(CanGoOn(*model));
    if (failure) SetControlsFromModel(window_, *model);
  }
  if (failure) ReportFailure(*failure);
}

// ---- Time Step and Stop ------------------------------------------------------------------

QString TimeStepLabel(int index) {
  const QString unit =
      index == 1 ? Text(" Qtr", " Trim.", "Trim") : Text(" Qtrs", " Trims.", " Trim");
  const QString years =
      QString::fromStdString(numtext::FormatNumber(index / 4.0, "#0.0#"));
  return QString::number(index) + unit + QStringLiteral(" (") + years +
         Text(" yrs)", " A)", " anos)");
}

void RunControl::mnuSimTimeStepItems_Click(int index) {
  if (TheGame != nullptr) TheGame->RunPeriod(static_cast<int16_t>(index));
  if (frmDecision* decision = window_.DecisionWindow()) {
    decision->SetTimeStepCaption(TimeStepLabel(index));
  }
  for (const int item : kTimeStepIndexes) {
    if (QAction* action = window_.mnuSimTimeStepItems(item)) action->setChecked(item == index);
  }
}

void RunControl::cmdStop_Click() {
  QApplication::beep();
  window_.cmdStop()->setEnabled(false);
  ResetMousePointer();
}

}  // namespace talvair::shell
