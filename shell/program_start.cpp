#include "shell/program_start.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <memory>
#include <string>
#include <system_error>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/qt_translations.h"
#include "platform/registry_store.h"
#include "platform/single_instance.h"
#include "platform/wait_cursor.h"
#include "shell/artwork.h"
#include "shell/decision_window.h"
#include "shell/file_failure.h"
#include "shell/globals.h"
#include "shell/language_window.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"
#include "shell/survey_links_window.h"
#include "shell/text.h"
#include "storage/csv_text.h"
#include "storage/file_errors.h"
#include "storage/globals.h"
#include "storage/settings_store.h"

namespace talvair::shell {

namespace {

// What Main builds lives until ReleaseProgram.
std::unique_ptr<game> theGameObject;
std::unique_ptr<platform::SingleInstance> singleInstance;
std::unique_ptr<frmMDI> mainWindow;

// Research edition: the auto-save options kept in the settings.
void ReadAutoSaveOptions() {
  const std::optional<QString> path = storage::AdvancedOptionsReadPath();
  if (!path || path->isEmpty()) {
    AutoSaveEnabled = false;
    return;
  }
  AutoSavePath = *path;
  AutoSaveBaseName = storage::AdvancedOptionsReadBaseName().value_or(QString());
  AutoSaveEnabled = true;
  const QString runNumber = storage::AdvancedOptionsReadRunNumber().value_or(QString());
  AutoSaveRunNumber = static_cast<int16_t>(runNumber.toInt());
}

// A later copy asked this one to come to the front: the main window once it is up, else
// the start-up window the player is looking at.
void ComeToFront() {
  frmMDI* window = MainWindow();
  if (window != nullptr && window->isVisible()) {
    // Maximised again before it is restored, so the restore never counts as a resize.
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    platform::BringWindowToFront(window);
    return;
  }
  platform::BringWindowToFront(QApplication::activeModalWidget());
}

}  // namespace

void PrepareApplication() {
#ifdef __GLIBC__
  // Opening a game and going back copy the model's tables, over a megabyte each, and free
  // them again. Kept in the heap rather than handed back to the system, the next copy does
  // not fault every page in afresh.
  mallopt(M_MMAP_THRESHOLD, 8 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
#endif
  QApplication::setApplicationVersion(QStringLiteral(TALVAIR_VERSION));
  QApplication::setWindowIcon(ProgramIcon());
  // Decisions are typed and shown with the user's decimal sign.
  const QLocale locale = QLocale::system();
  numtext::SetCurrentNumberLocale(
      {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()});
}

StartResult Main(const StartOptions& options) {
  // The application's title, which untitled windows and message boxes show from the first
  // one on. Not the display name: the window system would append that to every title.
  QCoreApplication::setApplicationName(QStringLiteral("Talvair"));
  if (!options.settingsFolder.isEmpty()) platform::RegistryStore::SetFolder(options.settingsFolder);

  // The one model object; it starts at period 0 with one quarter per run.
  theGameObject = std::make_unique<game>();
  TheGame = theGameObject.get();
  game& model = *theGameObject;

  // The edition the program was built as; nothing sets the switches again.
  ResearchEdition = options.editions.research;
  InstitutionEdition = options.editions.institution;
  DebugStepDump = options.editions.debugStepDump;

  // The stored language; a store that cannot be read counts as none stored.
  storage::LanguageCheck();

  // Ask the player; keep the choice when asked to.
  if (!LanguageSaved) {
    platform::ResetMousePointer();
    frmLangSelect languageWindow;
    platform::RunModal(languageWindow);
    if (LanguageSaved) ReportSettingsError(storage::LanguageWrite());
  }

  // The language is final: Qt's own buttons and menus speak it too.
  platform::InstallQtTranslations(QString::fromStdString(CurrentLanguage));

  if (ResearchEdition) {
    ReadAutoSaveOptions();
    LoadStoredSurveyLinks();
  }

  AppTitle = QStringLiteral("Talvair");
  platform::ShowHourglass();

  // One running copy only.
  auto claim = std::make_unique<platform::SingleInstance>(
      options.instanceKey.isEmpty() ? platform::SingleInstance::DefaultKey() : options.instanceKey);
  if (claim->Claim() == platform::SingleInstance::Role::Duplicate) {
    platform::ResetMousePointer();
    platform::MsgBox(QStringLiteral("You already have one copy of Talvair open"),
                     platform::kStyleOkOnly);
    return StartResult::SecondCopy;
  }
  QObject::connect(claim.get(), &platform::SingleInstance::ActivationRequested, &ComeToFront);
  singleInstance = std::move(claim);

  AppPath = AddTrailingBackslash(QCoreApplication::applicationDirPath());
  GoBackWarnings = true;

  // Built only now, so every caption comes out in the language just settled.
  mainWindow = std::make_unique<frmMDI>(model);
  mainWindow->Load();
  // From here on the model reaches the windows through the main window.
  mainWindow->AttachModel();

  CurrentLanguage = mainWindow->CurrentLang().toStdString();

  {
    frmSplash splash;
    platform::RunModal(splash);
  }

  mainWindow->showMaximized();
  model.Restart();
  platform::ResetMousePointer();

  // At the client area's top-left corner.
  CreateDecisionWindow(*mainWindow->MdiArea(), model, mainWindow->TimeStepCaption());
  return StartResult::Running;
}

void ReleaseProgram() {
  mainWindow.reset();
  singleInstance.reset();
  TheGame = nullptr;
  theGameObject.reset();
  platform::InstallQtTranslations(QStringLiteral("English"));
}

void ShowSettingsError(const storage::RegistryError& error) {
  platform::MsgBox(SettingsErrorText(error), platform::kStyleExclamation);
}

void ReportSettingsError(const storage::SettingsError& error) {
  if (error) ShowSettingsError(*error);
}

QString SettingsFileName() {
  return QDir::toNativeSeparators(platform::RegistryStore().FilePath());
}

namespace {

// The store tells a loop of links, or only that it could not read its file: reading it as the
// game files are read then tells why.
int SettingsFailureCause(const storage::RegistryError& error) {
  switch (error.Status()) {
    case platform::kRegCantResolveFilename:
      return storage::kErrBrokenLink;
    case platform::kRegCantRead: {
      std::error_code why;
      const std::string path =
          QFile::encodeName(platform::RegistryStore().FilePath()).toStdString();
      return storage::ReadFilePrefix(path, 0, nullptr, &why) ? 0 : storage::FileErrorNumber(why);
    }
    default:
      return 0;
  }
}

}  // namespace

QString SettingsErrorText(const storage::RegistryError& error) {
  // The wrapper's own text is for developers; the player needs the file, the outcome and a
  // cause the player can mend, in the words of the game files' messages.
  const QString file = SettingsFileName();
  const int cause = SettingsFailureCause(error);
  return WithFileFailureCause(Text("The settings could not be saved in the file ",
                                   "No se pudo guardar la configuración en el archivo ",
                                   "Não foi possível salvar as configurações no arquivo ") +
                                  file +
                                  Text(". The choice holds for this run only.",
                                       ". La elección vale solo para esta ejecución.",
                                       ". A escolha vale apenas para esta execução."),
                              cause);
}

}  // namespace talvair::shell
