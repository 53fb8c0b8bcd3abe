// File, View, Window and Help commands: opening and saving games, the notepad, help.
#include "shell/file_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/game.h"
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
#include "shell/run_control.h"
#include "storage/globals.h"
#include "storage/saved_game.h"
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
    model_.RunPeriod(1);
    model_.Restart();
    window_ = std::make_unique<frmMDI>(model_);
    window_->Load();
    window_->AttachModel();
    decision_ = CreateDecisionWindow(*window_->MdiArea(), model_, window_->TimeStepCaption());
  }

  void Run(int quarters, const char* fare = "0.09") {
    decision_->SetDecisionText(2, QString::fromLatin1(fare));
    for (int q = 0; q < quarters; ++q) window_->cmdRun()->click();
  }
  // A game played elsewhere and saved under `name`.
  QString SavedGame(const QString& name, int quarters, const char* fare, const std::string& notes) {
    game other;
    struct Fare : GameHost {
      std::string fare;
      std::string DecisionText(int box) override { return box == 2 ? fare : box == 4 ? "9" : box == 5 ? "0.6" : box == 3 ? "0.1" : "0"; }
      void ShowMessage(const std::string&) override {}
      void DeactivateRun() override {}
      void DisableGoBack() override {}
      void UpdateAllGraphs() override {}
    } host;
    host.fare = fare;
    other.SetHost(&host);
    other.RunPeriod(static_cast<int16_t>(quarters));
    other.ApplyDecisions();
    other.GoForward();
    const QString path = folder_.filePath(name);
    EXPECT_EQ(storage::SaveGame(other, path.toStdString(), true, notes), storage::kStatusDone);
    return path;
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

TEST_F(FileCommandsTest, OpenGameAsksOnlyPastTheFirstQuarterAndCancelChangesNoControl) {
  struct Case {
    int quarters;
    std::vector<int> answers;
    bool asked, dialog;
  };
  const std::vector<Case> cases = {
      {0, {}, false, true}, {1, {}, false, true}, {2, {kAnswerNo}, true, false}, {2, {kAnswerYes}, true, true},
  };
  for (const Case& c : cases) {
    Load("English");
    if (c.quarters > 0) Run(c.quarters);
    window_->mnuSimGoBack()->setEnabled(false);
    const RunState before = window_->RunControlState();
    messages_.Clear();
    for (const int answer : c.answers) messages_.Answer(answer);
    const std::size_t dialogs = dialogs_.Shown().size();
    dialogs_.Cancel();
    window_->MenuItem("mnuFileOpen")->trigger();
    ASSERT_EQ(messages_.ShownMessages().size(), c.asked ? 1u : 0u) << c.quarters;
    if (c.asked) {
      const auto& question = messages_.ShownMessages()[0];
      EXPECT_EQ(question.style, 292);
      EXPECT_EQ(question.title, "Open Game Saved on Disk?");
      EXPECT_EQ(question.text,
                "Warning! Opening a game saved on disk will result in loss of the current game.\r\n"
                "You may want to save the current game first.\r\n\r\n"
                "Are you sure that you want to open a game saved on disk?");
    }
    EXPECT_EQ(dialogs_.Shown().size(), dialogs + (c.dialog ? 1 : 0)) << c.quarters;
    EXPECT_TRUE(window_->RunControlState() == before) << c.quarters;
    EXPECT_EQ(model_.Period(), c.quarters);
  }
}

TEST_F(FileCommandsTest, OpenedGameRunsExactlyWhenItCanGoOn) {
  struct Case {
    const char* name;
    int quarters;
    const char* fare;
    int period;
    bool run, goBack;
  };
  const std::vector<Case> cases = {
      {"ordinary", 5, "0.09", 5, true, true},
      {"one quarter", 1, "0.09", 1, true, false},
      {"liquidated", 6, "0.01", 2, false, true},
      {"ended", 40, "0.1", 40, false, true},
  };
  for (const Case& c : cases) {
    Load("English");
    ShowNotepad(*window_);
    dialogs_.Choose(SavedGame("g.dat", c.quarters, c.fare, "line 1\nline 2"));
    window_->MenuItem("mnuFileOpen")->trigger();
    EXPECT_TRUE(messages_.ShownMessages().empty()) << c.name;
    EXPECT_EQ(model_.Period(), c.period) << c.name;
    EXPECT_EQ(window_->windowTitle(), "Talvair - g.dat");
    EXPECT_EQ(window_->GameComments(), "line 1\nline 2");
    EXPECT_EQ(OpenNotepad(*window_)->txtComments()->toPlainText(), "line 1\nline 2");
    const RunState state = window_->RunControlState();
    EXPECT_EQ(state.runButton, c.run) << c.name;
    EXPECT_EQ(state.runItem, c.run) << c.name;
    EXPECT_EQ(state.goBack, c.goBack) << c.name;
    EXPECT_EQ(decision_->DecisionText(2), frmDecision::FillText(2, model_.GetVarValue(204, c.period - 1, 0)));
  }
}

TEST_F(FileCommandsTest, AFileThatCannotBeOpenedIsToldAndTheGameKept) {
  struct Case {
    const char* name;
    QByteArray bytes;  // empty: no file
    const char* message;
  };
  const std::vector<Case> cases = {
      {"missing", "", "The game could not be opened: there is no such file."},
      {"other version", "20,1\r\n\"\"\r\n", "The game could not be opened: the file is not a game saved by this program."},
      {"short", "21,4\r\n\"\"\r\n", "The game could not be opened: the file ends too early."},
      {"damaged", "21,1\r\n\"\"\r\nx,", "The game could not be opened: the file could not be read, or its decisions could not be played again (error 13)."},
  };
  for (const Case& c : cases) {
    Load("English");
    Run(3);
    window_->GameComments("mine");
    const RunState before = window_->RunControlState();
    messages_.Clear();
    messages_.Answer(kAnswerYes);
    dialogs_.Choose(c.bytes.isEmpty() ? folder_.filePath("none.dat") : File("bad.dat", c.bytes));
    window_->MenuItem("mnuFileOpen")->trigger();
    ASSERT_EQ(Texts().size(), 2) << c.name;
    EXPECT_EQ(Texts()[1], c.message) << c.name;
    EXPECT_EQ(model_.Period(), 3) << c.name;
    EXPECT_EQ(window_->GameComments(), "mine") << c.name;
    EXPECT_EQ(window_->windowTitle(), "Talvair") << c.name;
    EXPECT_TRUE(window_->RunControlState() == before) << c.name;
  }
}

TEST_F(FileCommandsTest, SaveIsRefusedBeforeARunAndAFailureIsTold) {
  struct Case {
    const char* language;
    const char* refusal;
    const char* failure;
  };
  const std::vector<Case> cases = {
      {"English", "You may not save a game before a run has taken place",
       "The game could not be saved (error 76). A file that was already there keeps its contents."},
      {"Spanish", "No se puede guardar un juego antes de ejecutarlo al menos una vez ",
       "No se pudo guardar el juego (error 76). Un archivo que ya existía conserva su contenido."},
      {"Port", "Você não poderá salvar uma simulação até que uma rodada tenha sido efetuada.",
       "Não foi possível salvar a simulação (erro 76). Um arquivo que já existia mantém seu conteúdo."},
  };
  for (const Case& c : cases) {
    Load(c.language);
    const std::size_t dialogs = dialogs_.Shown().size();
    window_->MenuItem("mnuFileSave")->trigger();
    EXPECT_EQ(Texts(), QStringList{QString::fromUtf8(c.refusal)});
    EXPECT_EQ(messages_.ShownMessages()[0].style, 0);
    EXPECT_EQ(dialogs_.Shown().size(), dialogs) << "no dialog before a run";

    Run(1);
    messages_.Clear();
    window_->GameComments("notes");
    dialogs_.Choose(folder_.filePath("none/game.dat"));
    window_->MenuItem("mnuFileSave")->trigger();
    EXPECT_EQ(dialogs_.Shown().back().comments, "notes");
    EXPECT_EQ(Texts(), QStringList{QString::fromUtf8(c.failure)});
  }
  dialogs_.Choose(folder_.filePath("saved"));
  window_->MenuItem("mnuFileSave")->trigger();
  EXPECT_TRUE(QFile::exists(folder_.filePath("saved.dat")));
}

TEST_F(FileCommandsTest, NotepadKeepsTheCommentsWithTheGame) {
  window_->GameComments("kept");
  window_->MenuItem("mnuViewNotepad")->trigger();
  frmGameComments* notepad = OpenNotepad(*window_);
  ASSERT_NE(notepad, nullptr);
  EXPECT_TRUE(window_->Notepad());
  EXPECT_EQ(notepad->windowTitle(), "Game notepad");
  EXPECT_EQ(notepad->txtComments()->textCursor().position(), 4) << "the caret at the end";
  notepad->txtComments()->insertPlainText(QString::fromUtf8(" \xE2\x86\x92 more"));
  EXPECT_EQ(window_->GameComments(), "kept ? more");

  // The least size is a limit; above it the box follows the window.
  window_->showMaximized();
  QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(notepad->parentWidget());
  EXPECT_EQ(sub->minimumSize(), QSize(platform::TwipsToPixels(4880), platform::TwipsToPixels(3600)));
  sub->resize(platform::TwipsToPixels(6000), platform::TwipsToPixels(4500));
  EXPECT_EQ(notepad->txtComments()->geometry(),
            platform::PixelRect(175, 950, 6000 - 450, 4500 - 1850));

  // Restart empties it; closing it keeps the text with the main window.
  messages_.Answer(kAnswerYes);
  window_->MenuItem("mnuSimRestart")->trigger();
  EXPECT_EQ(notepad->txtComments()->toPlainText(), "");
  EXPECT_EQ(window_->GameComments(), "");
  notepad->txtComments()->setPlainText("after");
  sub->close();
  EXPECT_FALSE(window_->Notepad());
  EXPECT_EQ(OpenNotepad(*window_), nullptr);
  EXPECT_EQ(window_->GameComments(), "after");
  messages_.Answer(kAnswerYes);
  window_->MenuItem("mnuSimRestart")->trigger();
  EXPECT_EQ(window_->GameComments(), "") << "emptied with the notepad closed too";
}

TEST_F(FileCommandsTest, HelpLanguageAboutAndTheSmallItems) {
  struct Case {
    const char* language;
    const char* helpFile;
    const char* notice;
  };
  const std::vector<Case> cases = {
      {"English", "Zvkhelp.chm", "Using this option will enable the language selection\r\nwhen you start the software next time."},
      {"Spanish", "ZvkhelpSP.chm", "Esta opción habilita la selección del idioma la próxima\r\nvez que inicie el programa."},
      {"Port", "ZvkhelpPT.chm", "Utilizar esta opção irá permitir que a língua seleção \r\npróxima vez que você iniciar o programa."},
  };
  for (const Case& c : cases) {
    Load(c.language);
    EXPECT_EQ(HelpFileName(), c.helpFile);
    window_->MenuItem("contents")->trigger();
    ASSERT_EQ(messages_.ShownMessages().size(), 1u) << "a missing help file is told";
    EXPECT_TRUE(messages_.ShownMessages()[0].text.endsWith(AppPath + c.helpFile));
    File(c.helpFile, "<html><title>Help</title><body>Hi</body></html>");
    window_->MenuItem("contents")->trigger();
    EXPECT_EQ(messages_.ShownMessages().size(), 1u);
    EXPECT_NE(window_->findChild<QDialog*>("HelpViewer"), nullptr);

    ASSERT_FALSE(storage::LanguageWrite());
    messages_.Clear();
    window_->MenuItem("LanSelect")->trigger();
    EXPECT_EQ(Texts(), QStringList{QString::fromUtf8(c.notice)});
    EXPECT_EQ(messages_.ShownMessages()[0].style, 64);
    EXPECT_EQ(CurrentLanguage, c.language) << "the running program keeps its language";
    storage::LanguageCheck();
    EXPECT_FALSE(LanguageSaved);
    CurrentLanguage = c.language;
  }

  platform::ScriptedModals modals;
  window_->MenuItem("About")->trigger();
  EXPECT_EQ(modals.Shown(), QStringList{"Aboutform"});
  messages_.Clear();
  search_Click();
  EXPECT_EQ(Texts(), QStringList{"Beta version: press key \"F1\" to access help, topic to be added"});

  // Close All, and clearing RivalsActivated, close the windows under their keys.
  for (const char* key : {"report_summary", "graph_Our Profit vs. Rivals Profit"}) {
    window_->Views().AddOpenView(key, new StandInReport);
  }
  window_->RivalsActivated(true);
  EXPECT_EQ(window_->Views().OpenViews().Count(), 2);
  window_->RivalsActivated(false);
  EXPECT_EQ(window_->Views().OpenViews().Count(), 1);
  window_->MenuItem("mnuWindowCloseAll")->trigger();
  EXPECT_EQ(window_->Views().OpenViews().Count(), 0);
}

}  // namespace
}  // namespace talvair::shell
