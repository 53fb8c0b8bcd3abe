#include "shell/research_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdint>
#include <limits>

#include "model/game.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/user_files.h"
#include "platform/wait_cursor.h"
#include "shell/advanced_options.h"
#include "shell/file_failure.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/menu_wiring.h"
#include "shell/program_start.h"
#include "shell/survey_links_window.h"
#include "shell/text.h"
#include "storage/globals.h"
#include "storage/maintenance_files.h"
#include "storage/research_data.h"
#include "storage/saved_game_file.h"
#include "storage/settings_store.h"

namespace talvair::shell {

namespace {

// A file of the user's data folder, the folder made when missing (a failure to make it
// shows when the file is written).
QString DataFile(const char* name) {
  const QString folder = platform::UserDataFolder();
  QDir().mkpath(folder);
  return folder + QLatin1Char('/') + QLatin1String(name);
}

// The message, the file and the cause of the model's error number `code`, if known.
QString FailureText(const QString& what, const QString& file, int code) {
  return WithFileFailureCause(what + QDir::toNativeSeparators(file) + QLatin1Char('.'), code);
}

void TellFailure(const QString& what, const QString& file, int code) {
  platform::MsgBox(FailureText(what, file, code), platform::kStyleExclamation, AppTitle);
}

QString ResearchFailure(int code) {
  return FailureText(Text("The research data could not be saved in the file ",
                          "No se pudieron guardar los datos de investigación en el archivo ",
                          "Não foi possível salvar os dados de pesquisa no arquivo "),
                     ResearchFileName, code);
}

void Show(QWidget* content) {
  QWidget* frame = content->parentWidget() != nullptr ? content->parentWidget() : content;
  frame->show();
  frame->raise();
  content->setFocus();
  if (auto* subWindow = qobject_cast<QMdiSubWindow*>(frame)) {
    platform::ActivateSubWindow(*subWindow->mdiArea(), *subWindow);
  }
}

}  // namespace

std::string FilePathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool FolderExists(const QString& folder) { return !folder.isEmpty() && QFileInfo(folder).isDir(); }

void mnuFile_Save_Old_Click(game& model) {
  const QString file = DataFile("Oravel1.ZK1");
  int errorCode = 0;
  if (storage::SaveOLDGame(model, FilePathBytes(file), true, std::string(), &errorCode) !=
      storage::kStatusDone) {
    TellFailure(Text("The game could not be saved in the old format in the file ",
                     "No se pudo guardar el juego en el formato antiguo en el archivo ",
                     "Não foi possível salvar a simulação no formato antigo no arquivo "),
                file, errorCode);
  }
}

void ListVars_Click(game& model) {
  const QString file = DataFile("ZvkVariables.txt");
  int errorCode = 0;
  if (storage::ListVarValues(model, FilePathBytes(file), &errorCode) != storage::kStatusDone) {
    TellFailure(Text("The variables could not be written to the file ",
                     "No se pudieron escribir las variables en el archivo ",
                     "Não foi possível gravar as variáveis no arquivo "),
                file, errorCode);
  }
}

void mnuHelpAdvanced_Click(frmMDI& window) {
  if (!ResearchEdition) return;
  AdvancedOptions* options = AdvancedOptionsWindow(window);
  if (options == nullptr) options = CreateAdvancedOptionsWindow(*window.MdiArea());
  Show(options);
}

void mnuHelpSurveyLinks_Click(frmMDI& window) {
  if (!ResearchEdition) return;
  const platform::WaitCursor wait;
  // Opened from here the window shows its location view, unless a run's check has loaded
  // it already.
  SurveyLinksDue = false;
  frmSurveyLinks* links = SurveyLinksWindow(window);
  if (links == nullptr) links = CreateSurveyLinksWindow(*window.MdiArea(), true);
  Show(links);
}

void ConnectResearchCommands(frmMDI& window) {
  game& model = window.Model();
  OnMenuItem(window, "mnuFile_Save_Old", [&model] { mnuFile_Save_Old_Click(model); });
  OnMenuItem(window, "ListVars", [&model] { ListVars_Click(model); });
  OnMenuItem(window, "mnuHelpAdvanced", [&window] { mnuHelpAdvanced_Click(window); });
  OnMenuItem(window, "mnuHelpSurveyLinks", [&window] { mnuHelpSurveyLinks_Click(window); });
}

QStringList SaveResearchRun(game& model, const QString& folder) {
  QStringList notices;
  int status = storage::kStatusFileExists;
  int errorCode = 0;
  while (status == storage::kStatusFileExists) {
    if (AutoSaveRunNumber == std::numeric_limits<int16_t>::max()) {
      notices << ResearchFailure(0);
      break;
    }
    ++AutoSaveRunNumber;
    ResearchFileName = AddTrailingBackslash(folder) + AutoSaveBaseName + QLatin1Char('_') +
                       QString::number(AutoSaveRunNumber) + QStringLiteral(" Period=") +
                       QString::number(model.TValue()) + QStringLiteral(".csv");
    status = storage::SaveResearchData(model, FilePathBytes(ResearchFileName), false, &errorCode);
  }
  if (status == storage::kStatusFailed) {
    notices << ResearchFailure(errorCode);
  }
  if (const storage::SettingsError error = storage::AdvancedOptionsUpdateRunNumber()) {
    notices << SettingsErrorText(*error);
  }
  return notices;
}

QString StepDumpFolder() {
  const QString folder = platform::UserDataFolder() + QStringLiteral("/Zvk");
  QDir().mkpath(folder);
  return folder;
}

}  // namespace talvair::shell
