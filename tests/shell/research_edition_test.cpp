// The research edition and the maintenance commands: research runs, survey links, the
// auto-save options and web-link windows, the old format and the variable dump.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/registry_store.h"
#include "platform/user_files.h"
#include "shell/advanced_options.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/research_commands.h"
#include "shell/survey_links_window.h"
#include "storage/globals.h"
#include "storage/saved_game.h"
#include "storage/settings_store.h"

namespace talvair::shell {
namespace {

using Shown = std::vector<std::pair<int, std::string>>;

class ResearchEditionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RegistryStore::SetFolder(dir_.path() + "/settings");
    platform::SetUserDataFolder(dir_.path() + "/data");
    for (const char* folder : {"settings", "data", "out"}) QDir(Path(folder)).removeRecursively();
    QDir(dir_.path()).mkdir("out");
    ResearchEdition = true;
    AutoSaveEnabled = SurveyLinksEnabled = SurveyLinksDue = DebugStepDump = false;
    AutoSavePath = Path("out");
    AutoSaveBaseName = "pc7";
    AutoSaveRunNumber = 0;
    SurveyLinksPath.clear();
    SurveyLinksTable = {};
    AppTitle = "Talvair";
    messages_.Clear();
    urls_.opened.clear();
    model_.Restart();
    window_ = std::make_unique<frmMDI>(model_);
    window_->Load();
    CreateDecisionWindow(*window_->MdiArea(), model_);
  }
  void TearDown() override {
    window_.reset();
    ResearchEdition = AutoSaveEnabled = SurveyLinksEnabled = DebugStepDump = false;
    CurrentLanguage = "English";
    platform::RegistryStore::SetFolder(QString());
    platform::SetUserDataFolder(QString());
  }

  QString Path(const QString& name) const { return dir_.path() + '/' + name; }
  QStringList Files(const QString& folder) const {
    return QDir(Path(folder)).entryList(QDir::Files, QDir::Name);
  }
  Shown Messages() const {
    Shown shown;
    for (const auto& m : messages_.ShownMessages())
      shown.emplace_back(m.style, m.text.toStdString());
    return shown;
  }
  void Run(int quarters = 1) {
    for (int i = 0; i < quarters; ++i) window_->cmdRun()->click();
  }
  static void WriteLinks(const QString& file, const QByteArray& text) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
  }
  static QByteArray Read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  // Clicks and lets a window that closed itself go.
  static void Click(QAbstractButton* button) {
    button->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QTemporaryDir dir_;
  game model_;
  platform::ScopedScriptedMessages messages_;
  platform::ScopedRecordedUrls urls_;
  std::unique_ptr<frmMDI> window_;
};

TEST_F(ResearchEditionTest, ResearchRunsWriteFreshRunNumbersOnlyInTheirEditions) {
  using Runs = std::vector<std::pair<int, int>>;  // run number, period
  struct Case {
    const char* name;
    bool research, stepDump;
    Runs existing, out, stepFolder;
  };
  const std::vector<Case> cases = {
      {"existing", true, false, {{1, 1}, {3, 2}}, {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}}, {}},
      {"per-step dump too", true, true, {}, {{2, 1}, {4, 2}, {6, 3}}, {{1, 1}, {3, 2}, {5, 3}}},
      {"standard build", false, false, {}, {}, {}},
  };
  const auto names = [](const Runs& runs) {
    QStringList list;
    for (const auto& [run, period] : runs)
      list << QString("pc7_%1 Period=%2.csv").arg(run).arg(period);
    return list;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    ResearchEdition = c.research;
    DebugStepDump = c.stepDump;
    AutoSaveEnabled = SurveyLinksEnabled = true;
    SurveyLinksTable[2] = {"2", "1", "", "http://s/2"};
    for (const QString& name : names(c.existing)) WriteLinks(Path("out/" + name), "kept");
    Run(3);
    EXPECT_EQ(urls_.opened.size(), c.research ? 1u : 0u);
    EXPECT_EQ(Files("out"), names(c.out));
    EXPECT_EQ(Files("data/Zvk"), names(c.stepFolder));
    for (const QString& name : names(c.existing)) EXPECT_EQ(Read(Path("out/" + name)), "kept");
    EXPECT_EQ(storage::AdvancedOptionsReadRunNumber(),
              c.research ? std::optional(QString::number(AutoSaveRunNumber)) : std::nullopt);
    EXPECT_TRUE(Messages().empty());
    // Nor are the edition's windows to be had.
    mnuHelpAdvanced_Click(*window_);
    mnuHelpSurveyLinks_Click(*window_);
    EXPECT_EQ(AdvancedOptionsWindow(*window_) != nullptr, c.research);
    EXPECT_EQ(SurveyLinksWindow(*window_) != nullptr, c.research);
    TearDown();
  }
}

// A finished game opened has Run off; the edition hides Restart, so it is offered again. A
// file that cannot be opened offers nothing, even over a finished game.
TEST_F(ResearchEditionTest, OpeningAFinishedGameOffersRestart) {
  const struct {
    int quarters;  // of the saved game
    bool found;    // else the file is missing, and the saved game is the one in play
  } cases[] = {{40, true}, {3, true}, {40, false}};
  for (const auto& c : cases) {
    SetUp();
    platform::ScriptedFileDialogs dialogs;
    Run(c.quarters);
    const QString path = Path("game.dat");
    ASSERT_EQ(storage::SaveGame(model_, path.toStdString(), true, ""), 0);
    if (c.found) SetUp();
    messages_.Clear();
    if (!c.found) messages_.Answer(platform::kAnswerYes);
    dialogs.Choose(c.found ? path : Path("none.dat"));
    window_->MenuItem("mnuFileOpen")->trigger();
    const bool ended = c.quarters == 40;
    EXPECT_EQ(window_->cmdRun()->isEnabled(), !ended) << c.quarters;
    if (!c.found) {
      EXPECT_EQ(Messages().size(), 2u) << "the question and the failure";
    } else {
      EXPECT_EQ(window_->cmdRestart()->isVisibleTo(window_.get()), ended) << c.quarters;
      ASSERT_EQ(Messages().size(), ended ? 1u : 0u) << c.quarters;
      if (ended) {
        EXPECT_EQ(Messages()[0].second.rfind("You have reached the end.", 0), 0u);
      }
    }
    TearDown();
  }
}

TEST_F(ResearchEditionTest, NoInputRunsInsideTheExportAndAFailureIsToldOnceTheRunIsOver) {
  AutoSaveEnabled = true;
  CurrentLanguage = "Spanish";
  // A click queued while the file is written would run another quarter into it.
  struct Watch : GameEvents {
    int clicks = 0, clicksWhenSaved = -1;
    void GameSaved() override { clicksWhenSaved = clicks; }
  } watch;
  model_.Subscribe(&watch);
  // Nothing in a run spins the event loop, so the click stays queued past this test; its
  // context drops it before it can reach `watch` once that is gone.
  QObject clickContext;
  QTimer::singleShot(0, &clickContext, [&] { ++watch.clicks; });
  Run();
  EXPECT_EQ(watch.clicksWhenSaved, 0);
  model_.Unsubscribe(&watch);

  AutoSavePath = Path("gone");
  Run();
  EXPECT_EQ(Messages(),
            (Shown{{48, ("No se pudieron guardar los datos de investigación en el archivo " +
                         Path("gone/pc7_2 Period=2.csv") + ". La carpeta no existe.")
                            .toStdString()}}));
  EXPECT_EQ(model_.TValue(), 2);
  EXPECT_TRUE(window_->cmdRun()->isEnabled());
}

TEST_F(ResearchEditionTest, TheSurveyLinkOfThePeriodReachedOpensOnceAndLoadsTheFullWindow) {
  SurveyLinksEnabled = true;
  const char* rows[][2] = {
      {"1", "http://survey/1 a"},  {"0", "http://survey/2"},  {"1", "x"},
      {"1", "file:///etc/passwd"}, {"1", "HTTPS://survey/5"}, {"1", "http://survey/6"},
      {"1", "http:survey"}};
  for (std::size_t r = 1; r <= 7; ++r)
    SurveyLinksTable[r] = {"", rows[r - 1][0], "", rows[r - 1][1]};
  Run(5);
  EXPECT_EQ(urls_.opened, (std::vector<QString>{"http://survey/1 a", "https://survey/5"}));
  // A run of two quarters looks only at the period it reaches, whose address names no host.
  window_->mnuSimTimeStepItems(2)->trigger();
  Run();
  EXPECT_EQ(urls_.opened.size(), 2u);
  frmSurveyLinks* links = SurveyLinksWindow(*window_);
  ASSERT_NE(links, nullptr);
  EXPECT_TRUE(links->FullLayout());
  EXPECT_FALSE(links->isVisibleTo(window_->MdiArea()));
  mnuHelpSurveyLinks_Click(*window_);
  EXPECT_EQ(SurveyLinksWindow(*window_), links);
  EXPECT_TRUE(links->isVisibleTo(window_->MdiArea()));
  EXPECT_EQ(links->txtURL(5)->text(), "HTTPS://survey/5");
}

TEST_F(ResearchEditionTest, AutoSaveOptionsStoreOnlyAWritableFolderAndAPlainName) {
  struct Case {
    const char* name;
    QString folder, baseName;
    int answer, style;
    std::string shown;
    std::optional<QString> storedBase;  // stored and closed
  };
  const QString out = Path("out");
  const std::string noFolder = "Sorry, that folder Does Not Exist";
  const std::string confirm = ("Your autosaved games will be saved in " + out).toStdString();
  const std::string noBaseName =
      "Autosave is off: no destination set. \r\nIf you were trying to activate note that both "
      "location and base file name need to be set";
  const std::string notWritable = "The program cannot make files in that folder.";
  const std::string notPlain = "The base name must be a plain file name, without a folder.";
  const std::vector<Case> cases = {
      {"no such folder", Path("none"), "pc7", 0, 0, noFolder, {}},
      {"empty folder text", "", "pc7", 0, 0, noFolder, {}},
      {"no base name", out, "", 0, 0, noBaseName, QString()},
      {"folder not writable", "/proc", "pc7", 0, 48, notWritable, {}},
      {"base name with a folder", out, "../pc7", 0, 48, notPlain, {}},
      {"cancelled", out, "pc7", platform::kAnswerCancel, 1, confirm, {}},
      {"saved", out, "pc7", platform::kAnswerOk, 1, confirm, "pc7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    mnuHelpAdvanced_Click(*window_);
    AdvancedOptions* options = AdvancedOptionsWindow(*window_);
    ASSERT_NE(options, nullptr);
    options->txtPath()->setText(c.folder);
    options->txtBaseName()->setText(c.baseName);
    if (c.answer != 0) messages_.Answer(c.answer);
    Click(options->btnSave());
    EXPECT_EQ(Messages(), (Shown{{c.style, c.shown}}));
    EXPECT_EQ(AdvancedOptionsWindow(*window_) == nullptr, c.storedBase.has_value());
    EXPECT_EQ(storage::AdvancedOptionsReadBaseName(), c.storedBase);
    EXPECT_EQ(AutoSaveEnabled, c.storedBase == "pc7");
    TearDown();
  }
  SetUp();
  mnuHelpAdvanced_Click(*window_);
  AdvancedOptions* options = AdvancedOptionsWindow(*window_);
  EXPECT_EQ(options->parentWidget()->size(), QSize(326, 280));
  EXPECT_TRUE(options->Label1()->text().contains("unique to each PC in use.  When set will"));
  options->txtBaseName()->setText("other");
  Click(options->cmdCancel());
  EXPECT_EQ(AdvancedOptionsWindow(*window_), nullptr);
  EXPECT_EQ(storage::AdvancedOptionsReadBaseName(), std::nullopt);
}

TEST_F(ResearchEditionTest, SaveLocationStoresTheFolderAndLoadsItsLinksOrTellsWhy) {
  struct Case {
    const char* name;
    QString typed, stored;  // stored: the folder in force afterwards
    int answer;
    bool enabled;
    QStringList texts;
  };
  const QString with = Path("out"), without = Path("data");
  const QString located =
      "Your list of survey links (TalvairSurveyLinks.txt) should be located in ";
  const QString noLocation =
      "If you want to use this feature you need to set a location for the file to be saved in.";
  const QString noFolder = "Sorry, the folder selected does not exist";
  const QString notFound = "File not found at given location";
  const int ok = platform::kAnswerOk, cancel = platform::kAnswerCancel;
  const std::vector<Case> cases = {
      {"folder with the file", with, with, ok, true, {located + with}},
      {"without it", without, without, ok, false, {located + without, notFound}},
      {"cancelled loads nothing", with, "", cancel, false, {located + with, noLocation}},
      {"no such folder", Path("none"), with, 0, true, {noFolder}},
  };
  WriteLinks(Path("out/TalvairSurveyLinks.txt"),
             "0,0,\"Start\",\"\"\r\n1,1,\"Year 1, Q1\",\"http://s/1\"\r\n");
  QDir(Path("data")).mkpath(".");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.Clear();
    ASSERT_FALSE(storage::SurveyLinksPathWrite(with));
    SurveyLinksPath = with;
    SurveyLinksEnabled = false;
    mnuHelpSurveyLinks_Click(*window_);
    frmSurveyLinks* window = SurveyLinksWindow(*window_);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->FullLayout());
    if (c.answer != 0) messages_.Answer(c.answer);
    window->txtPath()->setText(c.typed);
    Click(window->Command1());
    EXPECT_EQ(SurveyLinksWindow(*window_), nullptr);
    QStringList texts;
    for (const auto& [style, text] : Messages()) texts << QString::fromStdString(text);
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(SurveyLinksPath, c.stored);
    EXPECT_EQ(storage::SurveyLinksPathRead(), c.stored);
    EXPECT_EQ(SurveyLinksEnabled, c.enabled);
    EXPECT_EQ(SurveyLinksTable[1].address, c.enabled ? "http://s/1" : "");
  }

  // Without a stored folder the location is asked for.
  ASSERT_FALSE(storage::SurveyLinksPathWrite(""));
  mnuHelpSurveyLinks_Click(*window_);
  EXPECT_EQ(SurveyLinksWindow(*window_)->txtPath()->text(), "LOCATION REQUIRED");
  EXPECT_EQ(SurveyLinksWindow(*window_)->txtPath()->palette().color(QPalette::Base),
            QColor(255, 255, 0));
}

TEST_F(ResearchEditionTest, TheFullWindowWritesChangedRowsWhenItCloses) {
  const QString file = Path("out/TalvairSurveyLinks.txt");
  WriteLinks(file, "0,0,\"Start\",\"\"\r\n1,1,\"first\",\"http://s/1\"\r\n");
  ASSERT_FALSE(storage::SurveyLinksPathWrite(Path("out")));
  LoadStoredSurveyLinks();
  ASSERT_TRUE(SurveyLinksEnabled);
  SurveyLinksDue = true;
  for (const bool edit : {false, true}) {
    frmSurveyLinks* window = CreateSurveyLinksWindow(*window_->MdiArea(), true);
    EXPECT_TRUE(window->Check1(1)->isChecked());
    window->TabStrip1_Click(1);
    EXPECT_TRUE(window->Frame2()->isVisibleTo(window) && !window->Frame1()->isVisibleTo(window));
    if (edit) {
      window->Check1(1)->setChecked(false);
      window->Check1(41)->setChecked(true);
      window->txtURL(41)->setText("https://s/end");
    }
    window->parentWidget()->close();
    const QByteArray text = Read(file);
    EXPECT_EQ(text.startsWith("0,0,\"Start\",\"\"\r\n1,0,\"Year 1, Q1\",\"http://s/1\"\r\n"), edit);
    EXPECT_EQ(text.endsWith("41,1,\"End\",\"https://s/end\"\r\n"), edit);
  }
  EXPECT_EQ(SurveyLinksTable[41].address, "https://s/end");

  // Edits that could not go back to their file never land in the next location's file.
  const QString next = Path("data/TalvairSurveyLinks.txt");
  QDir(Path("data")).mkpath(".");
  WriteLinks(next, "0,1,\"Start\",\"http://next/0\"\r\n");
  frmSurveyLinks* window = CreateSurveyLinksWindow(*window_->MdiArea(), true);
  window->txtURL(3)->setText("http://edited");
  SurveyLinksPath = Path("gone");
  window->txtPath()->setText(Path("data"));
  messages_.Clear();
  messages_.Answer(platform::kAnswerOk);
  Click(window->Command1());
  EXPECT_EQ(Messages().size(), 2u);  // the edits lost, then the location confirmed
  EXPECT_EQ(Read(next), "0,1,\"Start\",\"http://next/0\"\r\n");
  EXPECT_EQ(SurveyLinksTable[0].address, "http://next/0");
}

TEST_F(ResearchEditionTest, AddressesKeepTheirQuotesAndRefuseWhatTheFileCannotKeep) {
  const QString file = Path("out/TalvairSurveyLinks.txt");
  WriteLinks(file, "0,0,\"Start\",\"\"\r\n");
  ASSERT_FALSE(storage::SurveyLinksPathWrite(Path("out")));
  LoadStoredSurveyLinks();
  SurveyLinksDue = true;
  const QString quoted = QStringLiteral("https://example.org/q8?a=\"quoted\",b");
  frmSurveyLinks* window = CreateSurveyLinksWindow(*window_->MdiArea(), true);
  QLineEdit* box = window->txtURL(8);
  QTest::keyClicks(box, quoted);
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u0151"));
  QCoreApplication::sendEvent(box, &typed);
  box->insert(QStringLiteral("\n"));
  EXPECT_EQ(box->text(), quoted);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0],
            std::pair(48, std::string("The survey-links file cannot keep the character "
                                      "\"\u0151\". Write it in the address as %C5%91.")));
  EXPECT_NE(Messages()[1].second.find("U+000A"), std::string::npos);
  window->parentWidget()->close();
  EXPECT_EQ(QString::fromStdString(SurveyLinksTable[8].address), quoted);
  EXPECT_TRUE(
      Read(file).contains("8,0,\"Year 2, Q4\",\"https://example.org/q8?a=\"\"quoted\"\",b\"\r\n"));
}

TEST_F(ResearchEditionTest, MaintenanceFilesGoToTheDataFolderAndFailuresAreTold) {
  struct Case {
    void (*handler)(game&);
    const char* file;
    const char* failure;
  };
  const Case cases[] = {
      {mnuFile_Save_Old_Click, "Oravel1.ZK1",
       "Não foi possível salvar a simulação no formato antigo no arquivo "},
      {ListVars_Click, "ZvkVariables.txt", "Não foi possível gravar as variáveis no arquivo "},
  };
  CurrentLanguage = "Port";
  WriteLinks(Path("out/in the way"), "a file, not a folder");
  const QString blocked = Path("out/in the way/inside");
  for (const Case& c : cases) {
    platform::SetUserDataFolder(Path("data"));
    messages_.Clear();
    c.handler(model_);
    EXPECT_TRUE(QFile::exists(Path("data/") + c.file)) << c.file;
    platform::SetUserDataFolder(blocked);
    c.handler(model_);
    EXPECT_EQ(
        Messages(),
        (Shown{
            {48, (c.failure + blocked + '/' + c.file + ". A pasta não existe.").toStdString()}}));
  }
}

// A folder in the file's place refuses the write whatever the user's rights, so this holds
// under root too. The other languages' causes are checked with the missing folders above.
TEST_F(ResearchEditionTest, AFileThatCannotBeReplacedIsToldWithItsCause) {
  using Write = std::function<void(const QString& file)>;
  struct Case {
    const char* file;  // under the test's folder
    const char* failure;
    Write write;
  };
  const Case cases[] = {
      {"out/pc7_1 Period=1.csv", "The research data could not be saved in the file ",
       [this](const QString& file) {
         ASSERT_TRUE(QDir().mkpath(file));
         AutoSaveEnabled = true;
         Run();
       }},
      {"data/Oravel1.ZK1", "The game could not be saved in the old format in the file ",
       [this](const QString& file) {
         ASSERT_TRUE(QDir().mkpath(file));
         mnuFile_Save_Old_Click(model_);
       }},
      {"out/TalvairSurveyLinks.txt", "The survey links could not be saved in the file ",
       [this](const QString& file) {
         WriteLinks(file, "0,0,\"Start\",\"\"\r\n");
         ASSERT_FALSE(storage::SurveyLinksPathWrite(Path("out")));
         LoadStoredSurveyLinks();
         SurveyLinksDue = true;
         frmSurveyLinks* window = CreateSurveyLinksWindow(*window_->MdiArea(), true);
         window->txtURL(3)->setText("http://edited");
         ASSERT_TRUE(QFile::remove(file) && QDir().mkdir(file));
         messages_.Clear();
         window->parentWidget()->close();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    SetUp();
    const QString file = Path(c.file);
    c.write(file);
    EXPECT_EQ(Messages(), (Shown{{48, (c.failure + file +
                                       ". It is not a regular file (a folder, a FIFO or a device).")
                                          .toStdString()}}));
  }
}

}  // namespace
}  // namespace talvair::shell
