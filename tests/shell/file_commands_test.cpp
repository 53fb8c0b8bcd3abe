// File, View, Window and Help commands: opening and saving games, the notepad, help.
#include "shell/file_commands.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "main_window_fixture.h"
#include "model/game.h"
#include "model/game_events.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/registry_store.h"
#include "platform/twips.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/notepad_window.h"
#include "shell/program_start.h"
#include "storage/globals.h"
#include "storage/saved_game.h"
#include "storage/saved_game_file.h"
#include "storage/settings_store.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

using platform::kAnswerNo;
using platform::kAnswerYes;

class StandInReport : public QWidget, public views::UpdatableView {
 public:
  QString VIEW_TYPE() const override { return views::kViewTypeReport; }
  QString Tag() const override { return views::kTagReport; }
  void Update() override {}
  void Reset() override {}
};

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { Load("English"); }
  void TearDown() override {
    window_.reset();
    CurrentLanguage = "English";
    numtext::SetCurrentNumberLocale({});
    platform::RegistryStore::SetFolder(QString());
  }

  void Load(const std::string& language) {
    window_.reset();
    messages_.Clear();
    CurrentLanguage = language;
    numtext::SetCurrentNumberLocale({".", ","});
    platform::RegistryStore::SetFolder(folder_.path());
    AppTitle = QStringLiteral("Talvair");
    AppPath = folder_.path() + QLatin1Char('/');
    GoBackWarnings = true;
    decision_ = LoadMainWindow(model_, window_);
  }
  void Run(int quarters, const char* fare = "0.09") {
    decision_->SetDecisionText(2, QString::fromLatin1(fare));
    for (int q = 0; q < quarters; ++q) window_->cmdRun()->click();
  }
  QString File(const QString& name, const QByteArray& bytes) {
    QFile file(folder_.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
  }
  QStringList Texts() const {
    QStringList texts;
    for (const auto& shown : messages_.ShownMessages()) texts << shown.text;
    return texts;
  }

  QTemporaryDir folder_;
  platform::ScopedScriptedMessages messages_;
  platform::ScriptedFileDialogs dialogs_;
  game model_;
  std::unique_ptr<frmMDI> window_;
  frmDecision* decision_ = nullptr;
};

TEST_F(FileCommandsTest, OpenGameRunsExactlyWhenTheGameCanGoOnAndAFailureChangesNothing) {
  struct Case {
    const char* name;
    int playing;  // quarters of the game in progress; past the first, Open Game asks
    int answer;
    std::function<QString()> file;  // empty: Cancel
    int period;
    bool run, goBack;
    QString failure;           // the message when the file cannot be opened
    QString fare = QString();  // the fare box afterwards, when it matters
  };
  // A game played in this window and saved, then a fresh game.
  const auto played = [this](int quarters, const char* fare) {
    return [=, this] {
      Run(quarters, fare);
      const QString path = folder_.filePath("g.dat");
      EXPECT_EQ(storage::SaveGame(model_, path.toStdString(), true, "line 1\nline 2"), 0);
      Load("English");
      return path;
    };
  };
  const auto bytes = [this](const char* text) { return [=, this] { return File("g.dat", text); }; };
  const QString cannot = "The game could not be opened: ";
  const QString unread =
      cannot + "the file could not be read, or its decisions could not be played again (error ";
  const std::vector<Case> cases = {
      {"ordinary", 3, kAnswerYes, played(5, "0.09"), 5, true, true, ""},
      {"one quarter", 1, 0, played(1, "0.09"), 1, true, false, ""},
      {"liquidated", 3, kAnswerYes, played(6, "0.01"), 2, false, true, ""},
      {"ended", 0, 0, played(40, "0.1"), 40, false, true, ""},
      {"No", 2, kAnswerNo, {}, 2, true, true, ""},
      {"Cancel", 3, kAnswerYes, {}, 3, true, true, ""},
      {"missing", 3, kAnswerYes, [this] { return folder_.filePath("none.dat"); }, 3, true, true,
       cannot + "there is no such file."},
      {"damaged", 3, kAnswerYes, bytes("21,1\r\n\"\"\r\nx,"), 3, true, true,
       unread + "13). A value in the file cannot be read or lies out of range."},
      {"a FIFO", 3, kAnswerYes,
       [this] {
         const QString path = folder_.filePath("fifo.dat");
         ::mkfifo(QFile::encodeName(path).constData(), 0600);
         return path;
       },
       3, true, true, unread + "75). It is not a regular file (a folder, a FIFO or a device)."},
      {"a name too long", 3, kAnswerYes, [this] { return folder_.filePath(QString(256, 'g')); }, 3,
       true, true,
       unread + "64). The name of the file or of its path is too long (a name takes at most 255 "
                "bytes)."},
      {"a fare of 17 significant digits", 0, 0,
       [this] {
         QuarterDecisions q{};
         q[1][0] = 0.11800000000000001, q[2][0] = 0.1, q[4][0] = 0.6;
         return File("g.dat",
                     storage::SavedGameText(1, "line 1\nline 2", std::vector{q, q}).c_str());
       },
       1, true, false, "", "0.118"},
      // Last: the time step stays with the model.
      {"one quarter, two a run", 0, 0,
       [=, this] {
         const QString path = played(1, "0.09")();
         model_.RunPeriod(2);
         return path;
       },
       1, true, true, ""},
  };
  for (const Case& c : cases) {
    Load("English");
    if (c.answer != kAnswerNo) c.file ? dialogs_.Choose(c.file()) : dialogs_.Cancel();
    Run(c.playing);
    window_->GameComments("mine");
    ShowNotepad(*window_);
    const RunState before = window_->RunControlState();
    const std::size_t dialogs = dialogs_.Shown().size();
    messages_.Clear();
    if (c.answer != 0) messages_.Answer(c.answer);
    window_->MenuItem("mnuFileOpen")->trigger();

    const bool asked = c.playing > 1, opened = c.file && c.failure.isEmpty();
    ASSERT_EQ(Texts().size(), int(asked) + int(!c.failure.isEmpty())) << c.name;
    if (asked) {
      EXPECT_EQ(messages_.ShownMessages()[0].style, 292) << c.name;
    }
    if (!c.failure.isEmpty()) {
      EXPECT_EQ(Texts().back(), c.failure) << c.name;
    }
    EXPECT_EQ(dialogs_.Shown().size(), dialogs + (c.answer == kAnswerNo ? 0 : 1)) << c.name;
    EXPECT_EQ(model_.Period(), c.period) << c.name;
    EXPECT_EQ(window_->windowTitle(), opened ? "Talvair - g.dat" : "Talvair") << c.name;
    const QString comments = opened ? "line 1\nline 2" : "mine";
    EXPECT_EQ(window_->GameComments(), comments) << c.name;
    EXPECT_EQ(OpenNotepad(*window_)->txtComments()->toPlainText(), comments) << c.name;
    const RunState state = window_->RunControlState();
    if (!opened) {
      EXPECT_TRUE(state == before) << c.name << ": no control changes";
      continue;
    }
    EXPECT_EQ(std::tuple(state.runButton, state.runItem, state.goBack),
              std::tuple(c.run, c.run, c.goBack))
        << c.name;
    EXPECT_EQ(decision_->DecisionText(2),
              frmDecision::FillText(2, model_.GetVarValue(204, c.period - 1, 0)));
    if (!c.fare.isEmpty()) {
      EXPECT_EQ(decision_->DecisionText(2), c.fare) << c.name;
    }
  }
}

// Input that arrives while a file is open waits until the game stands: a Run clicked meanwhile
// must not step the half-replayed game.
TEST_F(FileCommandsTest, NoInputIsHandledWhileAGameIsOpened) {
  Run(4);
  const QString path = folder_.filePath("g.dat");
  ASSERT_EQ(storage::SaveGame(model_, path.toStdString(), true, ""), 0);
  Load("English");

  struct QueueRunClicks : GameEvents {
    QPushButton* run;
    int queued = 0;
    void Loading(int16_t, int16_t) override {
      ++queued;
      QMetaObject::invokeMethod(run, &QPushButton::click, Qt::QueuedConnection);
    }
  } input;
  input.run = window_->cmdRun();
  model_.Subscribe(&input);
  dialogs_.Choose(path);
  window_->MenuItem("mnuFileOpen")->trigger();
  model_.Unsubscribe(&input);

  ASSERT_GT(input.queued, 0);
  EXPECT_EQ(model_.Period(), 4);
  QCoreApplication::processEvents();
  EXPECT_EQ(model_.Period(), 4 + input.queued) << "the queued clicks run afterwards";
}

TEST_F(FileCommandsTest, SaveIsRefusedBeforeARunAndAFailureIsToldInTheLanguage) {
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"English",
       "The game could not be saved (error 76). A file that was already there keeps its contents. "
       "The folder does not exist."},
      {"Spanish",
       "No se pudo guardar el juego (error 76). Un archivo que ya existía conserva su contenido. "
       "La carpeta no existe."},
      {"Port",
       "Não foi possível salvar a simulação (erro 76). Um arquivo que já existia mantém seu "
       "conteúdo. A pasta não existe."},
  };
  for (const auto& [language, failure] : cases) {
    Load(language);
    const std::size_t dialogs = dialogs_.Shown().size();
    window_->MenuItem("mnuFileSave")->trigger();
    EXPECT_EQ(Texts().size(), 1) << "refused";
    EXPECT_EQ(dialogs_.Shown().size(), dialogs) << "no dialog before a run";

    Run(1);
    messages_.Clear();
    window_->GameComments("notes");
    dialogs_.Choose(folder_.filePath("none/game.dat"));
    window_->MenuItem("mnuFileSave")->trigger();
    EXPECT_EQ(dialogs_.Shown().back().comments, "notes");
    EXPECT_EQ(Texts(), QStringList{QString::fromUtf8(failure)});
  }
}

TEST_F(FileCommandsTest, NotepadKeepsTheCommentsWithTheGame) {
  window_->GameComments("kept");
  window_->MenuItem("mnuViewNotepad")->trigger();
  frmGameComments* notepad = OpenNotepad(*window_);
  ASSERT_NE(notepad, nullptr);
  EXPECT_EQ(notepad->txtComments()->textCursor().position(), 4) << "the caret at the end";
  notepad->txtComments()->insertPlainText(QString::fromUtf8(" \xE2\x86\x92 more"));
  EXPECT_EQ(window_->GameComments(), "kept ? more");

  // The least size is a limit; the box follows the window, and held at the least size in one
  // drag from far larger, it gets the box of that size.
  window_->showMaximized();
  QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(notepad->parentWidget());
  EXPECT_EQ(sub->minimumSize(),
            QSize(platform::TwipsToPixels(4880), platform::TwipsToPixels(3600)));
  const QRect box = platform::PixelRect(175, 950, 6000 - 450, 4500 - 1850);
  sub->resize(platform::TwipsToPixels(6000), platform::TwipsToPixels(4500));
  EXPECT_EQ(notepad->txtComments()->geometry(), box);
  sub->resize(1, 1);
  EXPECT_EQ(notepad->txtComments()->geometry(), platform::PixelRect(215, 950, 4350, 3600 - 1850));

  // Restart empties it, open or closed; closing it keeps the text with the main window.
  messages_.Answer(kAnswerYes);
  window_->MenuItem("mnuSimRestart")->trigger();
  EXPECT_EQ(notepad->txtComments()->toPlainText(), "");
  notepad->txtComments()->setPlainText("after");
  sub->close();
  EXPECT_EQ(window_->GameComments(), "after");
  messages_.Answer(kAnswerYes);
  window_->MenuItem("mnuSimRestart")->trigger();
  EXPECT_EQ(window_->GameComments(), "");
}

// As when an output window closes, the window below takes over, with the focus in its boxes:
// nothing else would have it (Space would press Run).
TEST_F(FileCommandsTest, ClosingTheNotepadOrAResearchWindowActivatesTheDecisionWindow) {
  window_->show();
  QApplication::setActiveWindow(window_.get());
  for (const auto& [item, research] :
       {std::pair("mnuViewNotepad", false), std::pair("mnuHelpAdvanced", true),
        std::pair("mnuHelpSurveyLinks", true)}) {
    ResearchEdition = research;
    window_->MenuItem(item)->trigger();
    QMdiSubWindow* opened = window_->MdiArea()->activeSubWindow();
    ASSERT_NE(opened, decision_->SubWindow()) << item;
    opened->close();
    EXPECT_EQ(window_->MdiArea()->activeSubWindow(), decision_->SubWindow()) << item;
    EXPECT_TRUE(decision_->isAncestorOf(QApplication::focusWidget())) << item;
  }
  ResearchEdition = false;
}

TEST_F(FileCommandsTest, HelpLanguageAboutAndTheSmallItems) {
  QStringList failures;
  for (const auto& [language, helpFile] : std::vector<std::pair<std::string, QString>>{
           {"English", "Zvkhelp.chm"}, {"Spanish", "ZvkhelpSP.chm"}, {"Port", "ZvkhelpPT.chm"}}) {
    Load(language);
    EXPECT_EQ(HelpFileName(), helpFile);
    ASSERT_FALSE(storage::LanguageWrite());
    // No file can grow, so the store cannot forget the language, whatever rights tests have.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit none{0, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &none);
    window_->MenuItem("LanSelect")->trigger();
    setrlimit(RLIMIT_FSIZE, &limit);
    ASSERT_EQ(Texts().size(), 1) << "only what the next start will do, not the notice";
    EXPECT_EQ(messages_.ShownMessages()[0].style, 48);
    EXPECT_NE(Texts()[0], SettingsErrorText(storage::RegistryError(0, {}, {})));
    failures << Texts()[0];
    messages_.Clear();
    window_->MenuItem("LanSelect")->trigger();
    EXPECT_EQ(Texts().size(), 1) << "a notice";
    EXPECT_EQ(CurrentLanguage, language) << "the running program keeps its language";
    storage::LanguageCheck();
    EXPECT_FALSE(LanguageSaved) << "the next start asks";
  }
  EXPECT_EQ(failures.removeDuplicates(), 0) << "in each language";
  // The viewer tells of a missing help file, else shows it (the check above left English).
  messages_.Clear();
  window_->MenuItem("contents")->trigger();
  EXPECT_TRUE(Texts().value(0).endsWith(AppPath + "Zvkhelp.chm"));
  File("Zvkhelp.chm", "<html><title>Help</title><body>Hi</body></html>");
  window_->MenuItem("contents")->trigger();
  EXPECT_EQ(Texts().size(), 1);
  EXPECT_NE(window_->findChild<QDialog*>("HelpViewer"), nullptr);

  platform::ScriptedModals modals;
  window_->MenuItem("About")->trigger();
  EXPECT_EQ(modals.Shown(), QStringList{"Aboutform"});

  // Close All, and clearing RivalsActivated, close the windows under their keys.
  for (const char* key : {"report_summary", "graph_Our Profit vs. Rivals Profit"}) {
    window_->Views().AddOpenView(key, new StandInReport);
  }
  window_->RivalsActivated(true);
  window_->RivalsActivated(false);
  EXPECT_EQ(window_->Views().OpenViews().Count(), 1);
  window_->MenuItem("mnuWindowCloseAll")->trigger();
  EXPECT_EQ(window_->Views().OpenViews().Count(), 0);
}

}  // namespace
}  // namespace talvair::shell
