#include "shell/file_commands.h"

#include <QFile>
#include <QPlainTextEdit>
#include <optional>
#include <string>

#include "model/game.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "shell/about_window.h"
#include "shell/decision_window.h"
#include "shell/file_failure.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/menu_wiring.h"
#include "shell/notepad_window.h"
#include "shell/program_start.h"
#include "shell/run_control.h"
#include "shell/text.h"
#include "storage/game_dialogs.h"
#include "storage/saved_game.h"
#include "storage/settings_store.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

// The empty view type reaches every open window.
const QString kAllViews;
const QString kLineBreak = QStringLiteral("\r\n");

QString OpenFailureText(int status) {
  switch (status) {
    case storage::kStatusFileMissing:
      return Text("The game could not be opened: there is no such file.",
                  "No se pudo abrir el juego: el archivo no existe.",
                  "Não foi possível abrir a simulação: o arquivo não existe.");
    case storage::kStatusWrongVersion:
      return Text("The game could not be opened: the file is not a game saved by this program.",
                  "No se pudo abrir el juego: el archivo no es un juego guardado por este "
                  "programa.",
                  "Não foi possível abrir a simulação: o arquivo não é uma simulação salva por "
                  "este programa.");
    default:
      return Text("The game could not be opened: the file ends too early.",
                  "No se pudo abrir el juego: el archivo termina antes de tiempo.",
                  "Não foi possível abrir a simulação: o arquivo termina antes do esperado.");
  }
}

QString OpenDamagedText() {
  return Text(
      "The game could not be opened: the file could not be read, or its decisions "
      "could not be played again",
      "No se pudo abrir el juego: no se pudo leer el archivo o no se pudieron volver a "
      "jugar sus decisiones",
      "Não foi possível abrir a simulação: o arquivo não pôde ser lido ou suas "
      "decisões não puderam ser jogadas novamente");
}

// " (error N)." and the cause, if one is known.
QString ErrorNumberAndCause(int code) {
  return WithFileFailureCause(
      Text(" (error ", " (error ", " (erro ") + QString::number(code) + QStringLiteral(")."), code);
}

// What opening a game does to the windows once its decisions have been played again.
class OpenedGameWindows final : public storage::LoadGameHost {
 public:
  explicit OpenedGameWindows(frmMDI& window) : window_(window) {}

  void ShowLoadedGame(const std::string& fileTitle, const std::string& comments) override {
    RunControl& run = window_.RunControls();
    run.RefreshViews([](views::WindowManager& views) { views.ResetViews(kAllViews); });
    if (frmDecision* decision = window_.DecisionWindow()) {
      decision->FillFromModel(frmDecision::FillSource::Computed,
                              static_cast<int16_t>(window_.Model().Period() - 1));
    }
    run.RefreshViews([](views::WindowManager& views) { views.UpdateViews(kAllViews); });
    window_.setWindowTitle(AppTitle + QStringLiteral(" - ") +
                           QFile::decodeName(QByteArray::fromStdString(fileTitle)));
    window_.GameComments(QString::fromStdString(comments));
  }

 private:
  frmMDI& window_;
};

// Open Game's last steps, taken after Cancel too: the notepad, the timeline, the windows,
// the graphs and the decision window at home.
void AfterOpenGame(frmMDI& window) {
  if (frmGameComments* notepad = OpenNotepad(window)) {
    notepad->txtComments()->setPlainText(window.GameComments());
  }
  window.UpdateTimeline(0);
  game& model = window.Model();
  window.RunControls().RefreshViews([&model](views::WindowManager& views) {
    views.UpdateViews(kAllViews);
    model.UpdateAllGraphs();
  });
  window.mdwa_Click();
}

}  // namespace

// ---- File --------------------------------------------------------------------------------

void mnuFileOpen_Click(frmMDI& window) {
  game& model = window.Model();
  if (model.TValue() > 1) {
    const QString question =
        Text("Warning! Opening a game saved on disk will result in loss of the current game.",
             "¡Cuidado! Al abrir un juego guardado en el disco perderá el juego actual.",
             "Atenção! Abrir uma simulação salva no disco irá resultar na perda da simulação "
             "atual.") +
        kLineBreak +
        Text("You may want to save the current game first.",
             "Se recomienda guardar primero este juego.",
             "Talvez você queira primeiro salvar a simulação atual.") +
        kLineBreak + kLineBreak +
        Text("Are you sure that you want to open a game saved on disk?",
             "¿Está seguro de que desea abrir un juego guardado en el disco?",
             "Você tem certeza que deseja abrir uma simulação salva no disco?");
    const int style =
        platform::kStyleYesNo | platform::kStyleQuestion | platform::kStyleDefaultButton2;
    const QString title =
        Text("Open Game Saved on Disk?", "¿Desea abrir un juego guardado en el disco?",
             "Abrir Simulação Salva no Disco?");
    if (platform::MsgBox(question, style, title) != platform::kAnswerYes) return;
  }

  const std::optional<QString> file = storage::ShowOpenGameDialog();
  if (!file) {
    // Cancel changes no control.
    AfterOpenGame(window);
    return;
  }
  OpenedGameWindows windows(window);
  const std::string path = QFile::encodeName(*file).toStdString();
  const bool opened = window.RunControls().RunCommand(
      {{OpenDamagedText(),
        [&] {
          int errorCode = 0;
          const int status = storage::LoadGame(model, path, &windows, &errorCode);
          if (status == storage::kStatusFailed && errorCode != 0) {
            throw RunControl::CommandFailure(OpenDamagedText() + ErrorNumberAndCause(errorCode));
          }
          // A replay failure of the model's own comes through its Error event.
          if (status != storage::kStatusDone && status != storage::kStatusFailed) {
            throw RunControl::CommandFailure(OpenFailureText(status));
          }
        }}},
      [&](bool failed) {
        if (!failed) {
          // Run is on exactly when the opened game can go on.
          RunState state = window.RunControlState();
          if (CanGoOn(model)) {
            state.runButton = state.runItem = true;
          } else {
            state = state.Deactivated();
          }
          state.goBack = model.RunPeriod() >= 2 || model.TValue() > 1;
          window.SetRunState(state);
        }
        AfterOpenGame(window);
      });
  // A finished game cannot go on, and Restart is the research edition's only way to a new one.
  if (opened && ResearchEdition && !CanGoOn(model))
    window.RunControls().OfferResearchRestart(false);
}

void mnuFileSave_Click(frmMDI& window) {
  game& model = window.Model();
  if (model.TValue() < 1) {
    platform::MsgBox(Text("You may not save a game before a run has taken place",
                          "No se puede guardar un juego antes de ejecutarlo al menos una vez ",
                          "Você não poderá salvar uma simulação até que uma rodada tenha sido "
                          "efetuada."),
                     platform::kStyleOkOnly);
    return;
  }
  int errorCode = 0;
  const std::optional<int> status =
      storage::SaveGameWithDialog(model, window.GameComments(), &errorCode);
  if (!status || *status == storage::kStatusDone) return;
  const QString code = QString::number(errorCode);
  const QString text =
      Text("The game could not be saved (error ", "No se pudo guardar el juego (error ",
           "Não foi possível salvar a simulação (erro ") +
      code +
      Text("). A file that was already there keeps its contents.",
           "). Un archivo que ya existía conserva su contenido.",
           "). Um arquivo que já existia mantém seu conteúdo.");
  platform::MsgBox(WithFileFailureCause(text, errorCode), platform::kStyleExclamation, AppTitle);
}

// ---- View and Window ---------------------------------------------------------------------

void mnuViewNotepad_Click(frmMDI& window) { ShowNotepad(window); }

void mnuWindowCloseAll_Click(frmMDI& window) {
  window.RunControls().RefreshViews(
      [](views::WindowManager& views) { views.CloseViews(kAllViews); });
}

// A member of the main window, kept with the commands that use the window manager.
void frmMDI::RivalsActivated(bool value) {
  rivalsActivated_ = value;
  if (value) return;
  for (const QString& key : {QStringLiteral("graph_Our Profit vs. Rivals Profit"),
                             QStringLiteral("graph_Our restaurants vs. Rivals restaurants")}) {
    // Each ignores a window that is not there.
    Views().ActivateView(key);
    Views().CloseView(key);
  }
}

// ---- Help --------------------------------------------------------------------------------

QString HelpFileName() {
  if (CurrentLanguage == "Spanish") return QStringLiteral("ZvkhelpSP.chm");
  if (CurrentLanguage == "Port") return QStringLiteral("ZvkhelpPT.chm");
  return QStringLiteral("Zvkhelp.chm");
}

void contents_Click(frmMDI& window) {
  platform::ShowHelpFile(&window, AddTrailingBackslash(AppPath) + HelpFileName());
}

void search_Click() {
  platform::MsgBox(
      QStringLiteral("Beta version: press key \"F1\" to access help, topic to be added"));
}

void LanSelect_Click() {
  // The running program keeps its language. Nothing was chosen for this run: what can fail
  // is forgetting the stored language, and then the next start does not ask, so the notice
  // that it will would be untrue.
  if (storage::LanguageDelete()) {
    platform::MsgBox(
        Text("The settings could not be changed in the file ",
             "No se pudo cambiar la configuración en el archivo ",
             "Não foi possível alterar as configurações no arquivo ") +
            SettingsFileName() +
            Text(". The language selection will not appear when you start the software next time.",
                 ". La selección del idioma no aparecerá la próxima vez que inicie el programa.",
                 ". A seleção da língua não aparecerá na próxima vez que você iniciar o programa."),
        platform::kStyleExclamation);
    return;
  }
  platform::MsgBox(Text("Using this option will enable the language selection",
                        "Esta opción habilita la selección del idioma la próxima",
                        "Utilizar esta opção irá permitir que a língua seleção ") +
                       kLineBreak +
                       Text("when you start the software next time.", "vez que inicie el programa.",
                            "próxima vez que você iniciar o programa."),
                   platform::kStyleInformation, AppTitle);
}

void About_Click(frmMDI& window) {
  Aboutform about(&window);
  platform::RunModal(about);
}

// ---- wiring ------------------------------------------------------------------------------

void ConnectFileCommands(frmMDI& window) {
  frmMDI* w = &window;
  for (const char* open : {"mnuFileOpen", "mnuOpenChal2", "mnuOpenChal3", "mnuOpenChal4"}) {
    OnMenuItem(window, open, [w] { mnuFileOpen_Click(*w); });
  }
  OnMenuItem(window, "mnuFileSave", [w] { mnuFileSave_Click(*w); });
  OnMenuItem(window, "mnuViewNotepad", [w] { mnuViewNotepad_Click(*w); });
  OnMenuItem(window, "mnuWindowCloseAll", [w] { mnuWindowCloseAll_Click(*w); });
  OnMenuItem(window, "contents", [w] { contents_Click(*w); });
  OnMenuItem(window, "search", [] { search_Click(); });
  OnMenuItem(window, "LanSelect", [] { LanSelect_Click(); });
  OnMenuItem(window, "About", [w] { About_Click(*w); });
}

}  // namespace talvair::shell
