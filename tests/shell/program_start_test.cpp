#include "shell/program_start.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <string>

#include "model/game.h"
#include "model/language.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/registry_store.h"
#include "platform/single_instance.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/language_window.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"
#include "storage/globals.h"
#include "storage/settings_store.h"

namespace talvair::shell {
namespace {

// Plays the player's part in the modal windows of start-up, found by their names. A window
// without a part is cancelled, and one left open too long is closed, so no test can hang.
class ModalDriver {
 public:
  using Part = std::function<void(QWidget*)>;

  ModalDriver() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  void On(const QString& name, Part part) { parts_[name] = std::move(part); }
  // The modal windows in the order they came up, joined by commas.
  std::string Seen() const { return seen_.join(u',').toStdString(); }
  // Whether the main window existed while each of them was up.
  const QList<bool>& MainWindowExisted() const { return mainWindowExisted_; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (modal == current_) {
      if (shown_.elapsed() > 5000) modal->close();
      return;
    }
    current_ = modal;
    shown_.start();
    seen_ << modal->objectName();
    mainWindowExisted_ << (MainWindow() != nullptr);
    const auto part = parts_.find(modal->objectName());
    if (part != parts_.end()) {
      part->second(modal);
    } else {
      modal->close();
    }
  }

  QTimer timer_;
  QPointer<QWidget> current_;
  QElapsedTimer shown_;
  std::map<QString, Part> parts_;
  QStringList seen_;
  QList<bool> mainWindowExisted_;
};

ModalDriver::Part ChooseLanguage(int option, bool save) {
  return [option, save](QWidget* window) {
    auto* selection = qobject_cast<frmLangSelect*>(window);
    ASSERT_NE(selection, nullptr);
    if (option >= 0) selection->Option1(option)->click();
    if (save) selection->Check1()->click();
    selection->cmdStart()->click();
  };
}

void CloseSplash(QWidget* window) {
  auto* splash = qobject_cast<frmSplash*>(window);
  ASSERT_NE(splash, nullptr);
  splash->Command1()->click();
}

const std::string kLanguageAndSplash = "frmLangSelect,frmSplash";
const std::string kSplashOnly = "frmSplash";

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settings_.isValid());
    static int starts = 0;
    options_.settingsFolder = settings_.path();
    // The standard edition whatever the build; the edition tests pick theirs.
    options_.editions = {};
    options_.instanceKey =
        QStringLiteral("talvair-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++starts);
    platform::RegistryStore::SetFolder(settings_.path());
  }

  void TearDown() override {
    ReleaseProgram();
    platform::RegistryStore::SetFolder(QString());
    CurrentLanguage = "English";
    LanguageSaved = false;
  }

  void StoreLanguage(const std::string& code) {
    CurrentLanguage = code;
    ASSERT_FALSE(storage::LanguageWrite().has_value());
    CurrentLanguage = "English";
  }

  // Starts with the player choosing `option` (-1: none) and ticking the box when asked.
  StartResult Start(ModalDriver& driver, int option = -1, bool save = false) {
    driver.On(QStringLiteral("frmLangSelect"), ChooseLanguage(option, save));
    driver.On(QStringLiteral("frmSplash"), CloseSplash);
    return Main(options_);
  }

  static std::string FileMenuCaption() {
    return MainWindow()->MenuItem(QStringLiteral("mnuFile"))->text().toStdString();
  }

  QTemporaryDir settings_;
  StartOptions options_;
  platform::ScopedScriptedMessages messages_;
};

// ---- the language -----------------------------------------------------------------------------

TEST_F(ProgramStartTest, FirstStartAsksTheLanguageAndTheNextOnlyWhenNotSaved) {
  struct Case {
    int option;
    bool save;
    const char* code;
    const char* fileMenu;
  };
  const Case cases[] = {
      {1, true, "Spanish", "&Archivo"},
      {2, false, "Port", "&Arquivo"},
      {-1, true, "English", "&File"},  // Continue straight away keeps English
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    ASSERT_TRUE(settings_.remove());
    ASSERT_TRUE(QDir().mkpath(settings_.path()));

    {
      ModalDriver first;
      ASSERT_EQ(Start(first, c.option, c.save), StartResult::Running);
      EXPECT_EQ(first.Seen(), kLanguageAndSplash);
      // The main window is built only once the language is settled.
      EXPECT_EQ(first.MainWindowExisted().value(0, true), false);
      EXPECT_EQ(CurrentLanguage, c.code);
      EXPECT_EQ(FileMenuCaption(), c.fileMenu);
      ReleaseProgram();
    }

    // The next start asks again unless the choice was saved.
    CurrentLanguage = "English";
    ModalDriver next;
    ASSERT_EQ(Start(next), StartResult::Running);
    EXPECT_EQ(next.Seen(), c.save ? kSplashOnly : kLanguageAndSplash);
    EXPECT_EQ(CurrentLanguage, c.save ? c.code : "English");
    ReleaseProgram();
  }
}

TEST_F(ProgramStartTest, StoredLanguageIsUsedUnlessItIsNoLanguageCode) {
  struct Case {
    const char* stored;
    bool asks;
    const char* fileMenu;
    const char* goBackToggle;
    const char* qtCancel;  // Qt's own button text
  };
  const Case cases[] = {
      {"Spanish", false, "&Archivo", "Ocultar advertencias al volver hacia atrás", "Cancelar"},
      {"Port", false, "&Arquivo", "Esconder Avisos para Voltar", "Cancelar"},
      {"", true, "&File", "Hide Warnings for Go Back", "Cancel"},
      {"German", true, "&File", "Hide Warnings for Go Back", "Cancel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    StoreLanguage(c.stored);
    ModalDriver driver;
    ASSERT_EQ(Start(driver), StartResult::Running);
    EXPECT_EQ(driver.Seen(), c.asks ? kLanguageAndSplash : kSplashOnly);
    EXPECT_EQ(FileMenuCaption(), c.fileMenu);
    // Every start ends with the Go Back warnings on and the item offering to hide them.
    EXPECT_TRUE(GoBackWarnings);
    EXPECT_EQ(MainWindow()->mnuSimToggleGBW()->text().toStdString(), c.goBackToggle);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), c.qtCancel);
    ReleaseProgram();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  }
}

// ---- the running program ------------------------------------------------------------------------

// Through the modal service, so a program driving the start (a benchmark, say) plays the
// player's part without a nested event loop of its own; the driver ends any such loop.
TEST_F(ProgramStartTest, StartUpWindowsRunThroughTheModalService) {
  ModalDriver driver;
  platform::ScriptedModals modals;
  ASSERT_EQ(Main(options_), StartResult::Running);
  EXPECT_EQ(modals.Shown().join(u',').toStdString(), kLanguageAndSplash);
  EXPECT_EQ(driver.Seen(), "");
}

TEST_F(ProgramStartTest, StartUpEndsWithTheStandardMaximisedWindowAndTheDecisionWindow) {
  StoreLanguage("English");
  ResearchEdition = true;
  InstitutionEdition = true;
  DebugStepDump = true;
  ModalDriver driver;
  ASSERT_EQ(Start(driver), StartResult::Running);

  EXPECT_FALSE(ResearchEdition);
  EXPECT_FALSE(InstitutionEdition);
  EXPECT_FALSE(DebugStepDump);
  ASSERT_NE(TheGame, nullptr);
  EXPECT_EQ(TheGame->TValue(), 0);
  EXPECT_EQ(TheGame->RunPeriod(), 1);
  EXPECT_EQ(AppTitle, QStringLiteral("Talvair"));
  EXPECT_TRUE(AppPath.endsWith(u'/'));

  frmMDI* window = MainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isMaximized());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvair"));
  EXPECT_TRUE(window->MenuItem(QStringLiteral("mnuSimRestart"))->isVisible());

  frmDecision* decision = window->DecisionWindow();
  ASSERT_NE(decision, nullptr);
  EXPECT_TRUE(decision->SubWindow()->isVisible());
  EXPECT_EQ(decision->SubWindow()->pos(), QPoint(0, 0));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(messages_.ShownMessages().empty());

  // The model reaches the decision boxes through the main window.
  ASSERT_NE(TheGame->Host(), nullptr);
  decision->SetDecisionText(1, QStringLiteral("4"));
  EXPECT_EQ(TheGame->Host()->DecisionText(1), "4");
}

TEST_F(ProgramStartTest, EachEditionSetsItsSwitchesAndShowsWhatHangsOnThem) {
  StoreLanguage("English");
  // The build's own edition (what the program starts as), then each switch alone.
  for (const Editions editions : {kBuiltEditions, Editions{true, false, false},
                                  Editions{false, true, false}, Editions{false, false, true}}) {
    SCOPED_TRACE(::testing::Message()
                 << editions.research << editions.institution << editions.debugStepDump);
    options_.editions = editions;
    ModalDriver driver;
    ASSERT_EQ(Start(driver), StartResult::Running);
    EXPECT_EQ(ResearchEdition, editions.research);
    EXPECT_EQ(InstitutionEdition, editions.institution);
    EXPECT_EQ(DebugStepDump, editions.debugStepDump);
    frmMDI* window = MainWindow();
    EXPECT_EQ(window->MenuItem(QStringLiteral("mnuSimRestart"))->isVisible(), !editions.research);
    EXPECT_EQ(window->MenuItem(QStringLiteral("mnuHelpAdvanced"))->isVisible(), editions.research);
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("imgXqbLogo"))->isVisible(),
              editions.institution);
    ReleaseProgram();
  }
  ResearchEdition = InstitutionEdition = DebugStepDump = false;
}

TEST_F(ProgramStartTest, ResearchEditionReadsTheAutoSaveOptionsAndTheSurveyLinks) {
  StoreLanguage("English");
  ASSERT_FALSE(storage::AdvancedOptionsWrite(settings_.path(), "pc7"));
  QDir(settings_.path()).mkpath("links/empty");
  QFile links(settings_.path() + "/links/TalvairSurveyLinks.txt");
  ASSERT_TRUE(links.open(QIODevice::WriteOnly) &&
              links.write("0,1,\"Start\",\"http://s/0\"\r\n") > 0);
  links.close();
  options_.editions.research = true;
  // The stored links folder (none, with the file, without it), then whether links are on.
  for (const auto& [folder, enabled] :
       {std::pair{"", false}, {"links", true}, {"links/empty", false}}) {
    SCOPED_TRACE(folder);
    if (*folder != 0) {
      ASSERT_FALSE(storage::SurveyLinksPathWrite(settings_.path() + '/' + folder));
    }
    messages_.Clear();
    ModalDriver driver;
    ASSERT_EQ(Start(driver), StartResult::Running);
    EXPECT_TRUE(ResearchEdition && AutoSaveEnabled);
    EXPECT_EQ(AutoSavePath + '/' + AutoSaveBaseName, settings_.path() + "/pc7");
    EXPECT_EQ(SurveyLinksEnabled, enabled);
    EXPECT_EQ(SurveyLinksTable[0].address, enabled ? "http://s/0" : "");
    const bool missing = *folder != 0 && !enabled;
    ASSERT_EQ(messages_.ShownMessages().size(), missing ? 1u : 0u);
    if (missing) {
      EXPECT_EQ(messages_.ShownMessages()[0].style, 0);
      EXPECT_EQ(messages_.ShownMessages()[0].text, "Links file not found");
      EXPECT_EQ(messages_.ShownMessages()[0].title, "");
    }
    EXPECT_TRUE(MainWindow()->MenuItem("mnuHelpAdvanced")->isVisible());
    ReleaseProgram();
  }
  ResearchEdition = AutoSaveEnabled = SurveyLinksEnabled = false;
}

TEST_F(ProgramStartTest, UntitledMessagesTakeTheProgramsTitleAndNoOtherTitleChanges) {
  StoreLanguage("English");
  ModalDriver driver;
  ASSERT_EQ(Start(driver), StartResult::Running);
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Talvair"));
  // A display name of its own would be appended by the window system to every title
  // ("Quit Talvair Microworld — Talvair"); unset, it follows the application's name.
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("probe"));
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
  QCoreApplication::setApplicationName(name);
}

TEST_F(ProgramStartTest, SettingsThatCannotBeReadOrWrittenNeverEndTheProgram) {
  struct Case {
    const char* what;
    std::function<void(const QString& folder, StartOptions& options)> breakStore;
    bool save;
    // A write that fails is told once; a store that cannot be read counts as empty.
    std::size_t messages;
    const char* cause = "";  // what the message adds
  };
  const auto folderInPlaceOfTheFile = [](const QString& folder, StartOptions&) {
    QDir(folder).mkdir(QString::fromLatin1(platform::RegistryStore::kFileName));
  };
  const auto fileWithoutReadRights = [](const QString& folder, StartOptions&) {
    QFile file(folder + u'/' + QLatin1String(platform::RegistryStore::kFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "K\tHKEY_CURRENT_USER\tSoftware\tCorvanta\t21\tLanguage\n"
        "V\tLanguage\t1\tSpanish\\0\n");
    file.close();
    file.setPermissions(QFileDevice::Permissions());
  };
  // A folder that cannot be made: reading finds nothing, saving fails.
  const auto fileInPlaceOfTheFolder = [](const QString& folder, StartOptions& options) {
    QFile blocker(folder + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    options.settingsFolder = blocker.fileName();
  };
  const auto linkToItself = [](const QString& folder, StartOptions&) {
    const QString name = QString::fromLatin1(platform::RegistryStore::kFileName);
    ASSERT_TRUE(QFile::link(name, folder + u'/' + name));
  };
  const Case cases[] = {
      {"a link to itself, saved", linkToItself, true, 1, " É um link que não leva a lugar nenhum."},
      {"a folder in place of the file", folderInPlaceOfTheFile, false, 0},
      {"a folder in place of the file, saved", folderInPlaceOfTheFile, true, 1,
       " Não é um arquivo comum (uma pasta, um FIFO ou um dispositivo)."},
      {"no read permission", fileWithoutReadRights, false, 0},
      {"no read permission, saved", fileWithoutReadRights, true, 1,
       " Você não tem permissão para usar o arquivo."},
      {"a file in place of the folder, saved", fileInPlaceOfTheFolder, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir folder;
    options_.settingsFolder = folder.path();
    c.breakStore(folder.path(), options_);
    const QString file = options_.settingsFolder + QStringLiteral("/registry.txt");
    // Rights that ignore file permissions can read the file anyway.
    if (QFileInfo(file).isFile() && QFile(file).open(QIODevice::ReadOnly)) continue;
    platform::RegistryStore::SetFolder(options_.settingsFolder);
    messages_.Clear();

    ModalDriver driver;
    ASSERT_EQ(Start(driver, 2, c.save), StartResult::Running);
    EXPECT_EQ(driver.Seen(), kLanguageAndSplash);
    EXPECT_TRUE(MainWindow()->isVisible());
    EXPECT_EQ(CurrentLanguage, "Port");
    ASSERT_EQ(messages_.ShownMessages().size(), c.messages);
    for (const auto& shown : messages_.ShownMessages()) {
      EXPECT_EQ(shown.style, 48);
      EXPECT_EQ(shown.text, QStringLiteral("Não foi possível salvar as configurações no arquivo ") +
                                file +
                                QStringLiteral(". A escolha vale apenas para esta execução.") +
                                QString::fromUtf8(c.cause));
    }
    ReleaseProgram();
  }
}

// ---- one running copy ---------------------------------------------------------------------------

TEST_F(ProgramStartTest, SecondCopyTellsThePlayerWakesTheFirstAndEnds) {
  platform::SingleInstance firstCopy(options_.instanceKey);
  ASSERT_EQ(firstCopy.Claim(), platform::SingleInstance::Role::First);
  int activations = 0;
  QObject::connect(&firstCopy, &platform::SingleInstance::ActivationRequested,
                   [&activations] { ++activations; });
  StoreLanguage("Spanish");

  ModalDriver driver;
  EXPECT_EQ(Start(driver), StartResult::SecondCopy);
  EXPECT_EQ(driver.Seen(), "");
  EXPECT_EQ(MainWindow(), nullptr);
  ASSERT_EQ(messages_.ShownMessages().size(), 1u);
  // English in every language.
  EXPECT_EQ(messages_.ShownMessages()[0].text,
            QStringLiteral("You already have one copy of Talvair open"));
  EXPECT_EQ(messages_.ShownMessages()[0].style, 0);
  EXPECT_TRUE(messages_.ShownMessages()[0].title.isEmpty());
  EXPECT_TRUE(QTest::qWaitFor([&activations] { return activations == 1; }, 5000));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgramStartTest, FirstCopyComesToTheFrontMaximised) {
  StoreLanguage("English");
  ModalDriver driver;
  ASSERT_EQ(Start(driver), StartResult::Running);
  frmMDI* window = MainWindow();
  // Minimised, and forgotten that it was maximised.
  window->setWindowState(Qt::WindowMinimized);
  QTest::qWait(20);

  platform::SingleInstance secondCopy(options_.instanceKey);
  ASSERT_EQ(secondCopy.Claim(), platform::SingleInstance::Role::Duplicate);
  EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isMinimized(); }, 5000));
  EXPECT_TRUE(window->isMaximized());
  EXPECT_TRUE(window->isVisible());
  // Back to maximised straight away: the window-size message has no cause.
  EXPECT_TRUE(messages_.ShownMessages().empty());
}

// ---- helpers ------------------------------------------------------------------------------------

TEST(AddTrailingBackslashTest, EndsEveryPathInOneSeparator) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"/opt/talvair", "/opt/talvair/"}, {"/opt/talvair/", "/opt/talvair/"}, {"/", "/"}, {"", "/"},
      {"relative dir", "relative dir/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddTrailingBackslash(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected))
        << c.path;
  }
}

}  // namespace
}  // namespace talvair::shell
