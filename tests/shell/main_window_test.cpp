#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWindowStateChangeEvent>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "platform/message_box.h"
#include "platform/twips.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/timeline_box.h"

namespace talvair::shell {
namespace {

using platform::kAnswerCancel;
using platform::kAnswerNo;
using platform::kAnswerYes;

constexpr int kNoIndex = -1;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppTitle = QStringLiteral("Talvair");
    GoBackWarnings = true;
    ResearchEdition = false;
    InstitutionEdition = false;
  }

  void TearDown() override {
    ResearchEdition = false;
    InstitutionEdition = false;
    CurrentLanguage = "English";
  }

  // As Main does: the language is settled before the window is built.
  template <class Window = frmMDI>
  std::unique_ptr<Window> LoadWindow(const std::string& language = "English") {
    CurrentLanguage = language;
    auto window = std::make_unique<Window>(model_);
    window->Load();
    return window;
  }

  static QAction* Item(const frmMDI& window, const char* name, int index = kNoIndex) {
    return index == kNoIndex ? window.MenuItem(QString::fromLatin1(name))
                             : window.MenuItem(QString::fromLatin1(name), index);
  }

  static void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  game model_;
  platform::ScopedScriptedMessages messages_;
};

// ---- captions -------------------------------------------------------------------------

struct CaptionCase {
  const char* name;
  int index;
  const char* english;
  const char* spanish;
  const char* portuguese;
};

// At least one item of every menu, each menu's title, and the texts with a quirk of their
// own (a trailing blank, quotes, an ellipsis character, a misspelling kept as it is).
const CaptionCase kCaptions[] = {
    {"mnuFile", kNoIndex, "&File", "&Archivo", "&Arquivo"},
    {"mnuFileOpen", kNoIndex, "&Open Game...", "&Comenzar juego", "&Abrir Simulação..."},
    {"mnuOpenChal", kNoIndex, "Open a &Challenge", "Abrir un &desafío", "Abrir um &Desafio"},
    {"mnuOpenChal3", kNoIndex, "Challenge &3", "Desafío &3", "Desafio &3"},
    {"mnuFileExit", kNoIndex, "E&xit", "&Salir", "&Sair"},
    {"mnuEdit", kNoIndex, "&Edit", "&Editar", "&Editar"},
    {"mnuEditCopy", kNoIndex, "&Copy to Clipboard", "&Copiar al portapapeles",
     "&Copiar para o Clipboard"},
    {"mnuViewHeader", kNoIndex, "View", "Ver", "Mostrar"},
    {"mdwa", kNoIndex, "&Decision Window", "&Ventana de decisiones", "&Janela de Decisões"},
    {"mnuSim", kNoIndex, "&Simulation", "&Simulación", "&Simulação"},
    {"mnuSimRestart", kNoIndex, "R&estart", "&Reiniciar", "&Reiniciar"},
    {"mnuSimToggleGBW", kNoIndex, "Hide Warnings for Go Back",
     "Ocultar advertencias al volver hacia atrás", "Esconder Avisos para Voltar"},
    {"mnuSimTimeStep", kNoIndex, "&Time Step", "&Período de tiempo", "&Período"},
    {"mnuSimTimeStepItems", 1, "1 Time Step", "1 Período de tiempo", "1 Período"},
    {"mnuSimTimeStepItems", 40, "Continuously", "Continuamente", "Continuamente"},
    {"mnuRpt", kNoIndex, "&Reports", "&Informes", "&Relatórios"},
    {"mnuRptFinancialReport", kNoIndex, "&Financial Report", "&Estados contables",
     "&Relatório Financeiro"},
    {"mnuRptStockprice", kNoIndex, "Stock Price and Earnings", "Precio de la acción y ganancias",
     "Valor das Ações e Lucro"},
    {"mnuGphHead", kNoIndex, "&Graphs", "&Gráficos", "&Gráficos"},
    {"mnuGph", 101, "Balance Sheet", "&Balance general", "Balanço"},
    {"mnuGph", 121, "Rookie Fraction", "% de \"novatos\"", "Percentual de Novatos"},
    {"mnuGph", 123, "Workweek", "Semana laboral", "Jornada de Trabalho"},
    {"mnuTables", kNoIndex, "&Tables", "&Tablas", "&Tabelas"},
    {"mnuTable", 2, "&Breakeven analysis", "&Análisis del punto de equilibrio",
     "&Análide de Breakeven"},
    {"mnuTable", 9, "&User Decisions", "&Decisiones del usuario", "&Decisões do Usuário"},
    {"mnuWindow", kNoIndex, "Windows", "Ventanas", "Janelas"},
    {"mnuWindowCloseAll", kNoIndex, "Close All &Open Windows", "&Abrir y cerrar todas las ventanas",
     "Fechar Todas as Janelas Abertas"},
    {"help", kNoIndex, "&Help", "&Ayuda", "&Ajuda"},
    {"contents", kNoIndex, "&Help ", "&Ayuda", "&Ajuda"},
    {"LanSelect", kNoIndex, "Change language on restart", "Cambiar el idioma de reiniciar",
     "Mudar a língua na reinicialização"},
    {"About", kNoIndex, "&About Talvair...", "&Acerca de Talvair\u2026", "&Sobre o Talvair..."},
};

struct LanguageCase {
  const char* code;
  int column;  // 0 English, 1 Spanish, 2 Portuguese
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << '"' << c.code << '"'; }

class MainWindowLanguageTest : public MainWindowTest,
                               public ::testing::WithParamInterface<LanguageCase> {
 protected:
  static std::string Pick(const char* english, const char* spanish, const char* portuguese) {
    const char* texts[] = {english, spanish, portuguese};
    return texts[GetParam().column];
  }
};

TEST_P(MainWindowLanguageTest, MenuAndToolbarCaptionsFollowTheLanguage) {
  const auto window = LoadWindow(GetParam().code);
  for (const CaptionCase& c : kCaptions) {
    QAction* item = Item(*window, c.name, c.index);
    ASSERT_NE(item, nullptr) << c.name << " " << c.index;
    EXPECT_EQ(item->text().toStdString(), Pick(c.english, c.spanish, c.portuguese))
        << c.name << " " << c.index;
  }
  EXPECT_EQ(window->cmdRun()->text().toStdString(), Pick("Run", "Ejecutar", "Rodar"));
  EXPECT_EQ(window->cmdRestart()->text().toStdString(), Pick("Restart", "Reiniciar", "Reiniciar"));
  EXPECT_EQ(window->cmdStop()->text().toStdString(), Pick("Stop", "Detener", "Parar"));
  EXPECT_EQ(window->Label1(0)->text().toStdString(), Pick("End Yr:", "Fin de A:", "Final do Ano:"));
  EXPECT_EQ(window->Label1(5)->text().toStdString(), "10");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Talvair"));
}

TEST_P(MainWindowLanguageTest, GoBackWarningsEndOnAndTheToggleOffersTheOpposite) {
  const auto window = LoadWindow(GetParam().code);
  EXPECT_TRUE(GoBackWarnings);
  window->mnuSimToggleGBW()->trigger();
  EXPECT_FALSE(GoBackWarnings);
  EXPECT_EQ(window->mnuSimToggleGBW()->text().toStdString(),
            Pick("Show Warnings for Go Back", "Mostrar advertencias al volver hacia atrás",
                 "Mostrar Avisos para Voltar"));
  window->mnuSimToggleGBW()->trigger();
  EXPECT_TRUE(GoBackWarnings);
  EXPECT_EQ(window->mnuSimToggleGBW()->text().toStdString(),
            Pick("Hide Warnings for Go Back", "Ocultar advertencias al volver hacia atrás",
                 "Esconder Avisos para Voltar"));
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowLanguageTest,
                         ::testing::Values(LanguageCase{"English", 0}, LanguageCase{"Spanish", 1},
                                           LanguageCase{"Port", 2},
                                           // Any other code is English.
                                           LanguageCase{"Deutsch", 0}, LanguageCase{"", 0}),
                         [](const ::testing::TestParamInfo<LanguageCase>& info) {
                           const std::string code = info.param.code;
                           return code.empty() ? std::string("Empty") : code;
                         });

// "name" or, for an item of a control array, "name(Index)".
std::string ControlName(const QAction* action) {
  QString name = action->objectName();
  if (action->property("Index").isValid()) {
    name += u'(' + action->property("Index").toString() + u')';
  }
  return name.toStdString();
}

// Every named action with its caption.
std::map<std::string, std::string> CaptionsByControl(const frmMDI& window) {
  std::map<std::string, std::string> captions;
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->objectName().isEmpty() || action->isSeparator()) continue;
    captions[ControlName(action)] = action->text().toStdString();
  }
  return captions;
}

TEST_F(MainWindowTest, ExactlyTheKeptItemsReadTheSameInEveryLanguage) {
  const auto english = CaptionsByControl(*LoadWindow("English"));
  const auto spanish = CaptionsByControl(*LoadWindow("Spanish"));
  const auto portuguese = CaptionsByControl(*LoadWindow("Port"));
  ASSERT_EQ(english.size(), spanish.size());
  ASSERT_EQ(english.size(), portuguese.size());

  std::map<std::string, std::string> same;
  for (const auto& [control, caption] : english) {
    if (spanish.at(control) == caption && portuguese.at(control) == caption) {
      same[control] = caption;
    }
  }
  const std::map<std::string, std::string> kept = {
      {"mnuFile_Save_Old", "SaveOldFormat"},
      {"mnufrmResourceMap", "Resource &Map"},
      {"mnuRptEndofGame", "&End of Game Summary"},
      {"mnuGph(111)", "Decisions                               MULTI"},
      {"mnuGph(112)", "Fleet                                     MULTI"},
      {"mnuGph(116)", "Human Resources                MULTI"},
      {"mnuGph(119)", "Market                                 MULTI"},
      {"mnuGphCustom(0)", "&Custom Graphs"},
      {"mnuTable(11)", "Debug All Vars"},
      {"mnutbltstocks(10)", "STOCK TEST"},
      {"ListVars", "LISTVARS"},
      {"mnuWindowSwitchT", "S&witch off Bonuses/Warnings"},
      {"search", "&Search For Help On..."},
      {"mnuHelpAdvanced", "&Auto save options"},
      {"mnuHelpSurveyLinks", "&Web link setup"},
      {"mnuHelpTutorial", "&Tutorial"},
  };
  EXPECT_EQ(same, kept);
}

// ---- layout by edition ------------------------------------------------------------------

std::vector<std::string> VisibleItems(const QList<QAction*>& actions) {
  std::vector<std::string> names;
  for (QAction* action : actions) {
    if (action->isVisible()) names.push_back(ControlName(action));
  }
  return names;
}

struct VisibleCase {
  bool research;
  const char* menu;  // nullptr: the menu bar
  std::vector<std::string> visible;
};

const VisibleCase kVisible[] = {
    {false,
     nullptr,
     {"mnuFile", "mnuEdit", "mnuViewHeader", "mnuSim", "mnuRpt", "mnuGphHead", "mnuTables",
      "mnuWindow", "help"}},
    {false, "mnuFile", {"mnuFileOpen", "mnuFileSave", "mnuFileSep2", "mnuFileExit"}},
    {false,
     "mnuSim",
     {"mnuSimRun", "mnuSimStop", "mnuSimSep1", "mnuSimGoBack", "mnuSimToggleGBW", "mnuSimRestart",
      "mnuSimTimeStep"}},
    {false,
     "mnuRpt",
     {"mnuRptSummary", "mnuRptSep1", "mnuRptBreakEvenAnalysis", "mnuRptCapacityAndLoad",
      "mnuRptEmployees", "mnuRptFinancialReport", "mnuRptMarketResearch", "mnuRptStockprice"}},
    {false,
     "mnuGphHead",
     {"mnuGph(101)", "mnuGph(102)", "mnuGph(103)", "mnuGph(104)", "mnuGph(105)", "mnuGph(106)",
      "mnuGph(107)", "mnuGph(108)", "mnuGph(109)", "mnuGph(110)", "mnuGph(113)", "mnuGph(114)",
      "mnuGph(115)", "mnuGph(117)", "mnuGph(118)", "mnuGph(120)", "mnuGph(121)", "mnuGph(122)",
      "mnuGph(123)"}},
    {false,
     "mnuTables",
     {"mnuTable(1)", "mnuTable(2)", "mnuTable(3)", "mnuTable(4)", "mnuTable(5)", "mnuTable(6)",
      "mnuTable(7)", "mnuTable(8)", "mnuTable(9)"}},
    {false,
     "mnuWindow",
     {"CascadeGraph", "TileGraph", "winsep1", "CascadeReport", "CascadeTables", "sep10",
      "mnuWindowCloseAll"}},
    {false, "help", {"contents", "sep8", "LanSelect", "About"}},
    // The research edition runs forward only and offers its option windows.
    {true, "mnuSim", {"mnuSimRun", "mnuSimSep1", "mnuSimToggleGBW"}},
    {true,
     "help",
     {"contents", "sep8", "mnuHelpAdvanced", "mnuHelpSurveyLinks", "LanSelect", "About"}},
};

TEST_F(MainWindowTest, VisibleItemsFollowTheEdition) {
  for (const VisibleCase& c : kVisible) {
    ResearchEdition = c.research;
    const auto window = LoadWindow();
    const QList<QAction*> actions =
        c.menu == nullptr ? window->menuBar()->actions()
                          : window->findChild<QMenu*>(QString::fromLatin1(c.menu))->actions();
    EXPECT_EQ(VisibleItems(actions), c.visible)
        << (c.menu ? c.menu : "menu bar") << (c.research ? " research" : " standard");
  }
}

TEST_F(MainWindowTest, ResearchEditionHidesRestartAndStopAndInstitutionShowsItsLogo) {
  for (const bool research : {false, true}) {
    ResearchEdition = research;
    InstitutionEdition = !research;
    const auto window = LoadWindow();
    EXPECT_EQ(window->cmdRestart()->isHidden(), research);
    EXPECT_EQ(window->cmdStop()->isHidden(), research);
    const auto* logo = window->findChild<QLabel*>(QStringLiteral("imgXqbLogo"));
    EXPECT_EQ(logo->isHidden(), research);
    if (!research) {
      // 300 twips from the screen's right edge.
      EXPECT_EQ(logo->x() + logo->width(),
                window->screen()->geometry().width() - platform::TwipsToPixels(300));
    }
  }
}

// ---- states and shortcuts -----------------------------------------------------------------

TEST_F(MainWindowTest, InitialStatesOfTheRunControls) {
  const auto window = LoadWindow();
  struct Case {
    const char* name;
    int index;
    bool enabled;
    bool checked;
  };
  const Case cases[] = {
      {"mnuSimStop", kNoIndex, false, false},  {"mnuEditCopy", kNoIndex, false, false},
      {"mnuSimTimeStepItems", 1, true, true},  {"mnuSimTimeStepItems", 2, true, false},
      {"mnuOpenChal", kNoIndex, false, false},
  };
  for (const Case& c : cases) {
    QAction* item = Item(*window, c.name, c.index);
    ASSERT_NE(item, nullptr) << c.name;
    EXPECT_EQ(item->isEnabled(), c.enabled) << c.name << " " << c.index;
    EXPECT_EQ(item->isChecked(), c.checked) << c.name << " " << c.index;
  }
  EXPECT_TRUE(window->cmdRun()->isEnabled());
  EXPECT_FALSE(window->cmdRestart()->isEnabled());
  EXPECT_FALSE(window->cmdStop()->isEnabled());
  EXPECT_EQ(window->TimeStepCaption(), QStringLiteral("1 Time Step"));
}

TEST_F(MainWindowTest, ShortcutsAreExactlyTheDesignedOnes) {
  const auto window = LoadWindow();
  const std::map<std::string, std::string> expected = {
      {"mnuFileOpen", "Ctrl+O"},
      {"mnuFileSave", "Ctrl+S"},
      {"mnuEditCopy", "Ctrl+C"},
      {"mnuSimRun", "Ctrl+R"},
      {"mnuSimGoBack", "Ctrl+G"},
      {"mnuSimTimeStepItems(1)", "Shift+F1"},
      {"mnuSimTimeStepItems(2)", "Shift+F2"},
      {"mnuSimTimeStepItems(4)", "Shift+F3"},
      {"mnuSimTimeStepItems(10)", "Shift+F4"},
      {"mnuSimTimeStepItems(15)", "Shift+F5"},
      {"mnuSimTimeStepItems(20)", "Shift+F6"},
      {"mnuSimTimeStepItems(40)", "Shift+F7"},
      {"About", "Ctrl+A"},
  };
  std::map<std::string, std::string> actual;
  for (QAction* action : window->findChildren<QAction*>()) {
    // Unnamed actions belong to Qt's own sub-window menus.
    if (action->shortcut().isEmpty() || action->objectName().isEmpty()) continue;
    actual[ControlName(action)] =
        action->shortcut().toString(QKeySequence::PortableText).toStdString();
  }
  EXPECT_EQ(actual, expected);
}

TEST_F(MainWindowTest, CurrentLangIsTheLanguageTheWindowWasBuiltIn) {
  CurrentLanguage = "Port";
  frmMDI window(model_);
  EXPECT_EQ(window.property("CurrentLang").toString(), QStringLiteral("Port"));
  // The load makes the window's code the run's language again.
  CurrentLanguage = "English";
  window.Load();
  EXPECT_EQ(CurrentLanguage, "Port");
  EXPECT_EQ(window.MenuItem(QStringLiteral("mnuFile"))->text(), QStringLiteral("&Arquivo"));
}

// ---- timeline -----------------------------------------------------------------------------

TEST_F(MainWindowTest, TicksStandUnderTheYearsAndTheLastFollowsTheTimeline) {
  CurrentLanguage = "English";
  frmMDI window(model_);
  const int timelineWidth = 200;
  window.picTimeline()->resize(timelineWidth, window.picTimeline()->height());
  window.Load();
  const int tickLefts[] = {1020, 1850, 2630, 3440, platform::PixelsToTwips(timelineWidth) + 150};
  for (int i = 1; i <= 5; ++i) {
    ASSERT_NE(window.Line1(i), nullptr) << i;
    EXPECT_EQ(window.Line1(i)->x(), platform::TwipsToPixels(tickLefts[i - 1])) << i;
    EXPECT_TRUE(window.Line1(i)->isVisibleTo(&window)) << i;
    // The year label is centred on its tick.
    const QLabel* label = window.Label1(i);
    EXPECT_EQ(label->x(), platform::TwipsToPixels(tickLefts[i - 1] -
                                                  platform::PixelsToTwips(label->width()) / 2))
        << i;
  }
  EXPECT_EQ(window.Line1(6), nullptr);
}

TEST_F(MainWindowTest, TimelineShowsTheCurrentPeriodAndItsProgress) {
  const auto window = LoadWindow();
  struct Case {
    int quarters;
    int percent;
  };
  // 2.5 percent a quarter, halves to the even neighbour.
  for (const Case c : {Case{0, 0}, Case{1, 2}, Case{3, 8}}) {
    model_.Restart();
    for (int i = 0; i < c.quarters; ++i) model_.GoForward();
    ASSERT_EQ(model_.TValue(), c.quarters);
    window->UpdateTimeline(0);
    EXPECT_EQ(window->picTimeline()->Percent(), c.percent) << c.quarters;
    EXPECT_EQ(window->picTimeline()->Label(),
              QString::fromStdString(model_.PeriodDescription(-1, false)));
    window->UpdateTimeline(1);
    EXPECT_EQ(window->picTimeline()->Percent(), 0);
  }
}

// ---- closing --------------------------------------------------------------------------------

TEST_F(MainWindowTest, OnlyYesToTheQuitQuestionClosesTheWindow) {
  for (const int answer : {kAnswerNo, kAnswerCancel, kAnswerYes}) {
    const auto window = LoadWindow();
    window->show();
    messages_.Clear();
    messages_.Answer(answer);
    const bool closed = window->close();
    EXPECT_EQ(closed, answer == kAnswerYes) << answer;
    EXPECT_EQ(window->isVisible(), answer != kAnswerYes) << answer;
    ASSERT_EQ(messages_.ShownMessages().size(), 1u);
    EXPECT_EQ(messages_.ShownMessages()[0].style, 35);
    EXPECT_EQ(messages_.ShownMessages()[0].text,
              QStringLiteral("Are you sure that you want to quit?"));
    EXPECT_EQ(messages_.ShownMessages()[0].title, QStringLiteral("Quit Talvair Microworld"));
  }
}

TEST_F(MainWindowTest, ExitAsksOnceAndYesUnloadsTheDecisionWindow) {
  for (const int answer : {kAnswerNo, kAnswerYes}) {
    const auto window = LoadWindow();
    window->show();
    frmDecision* decision = CreateDecisionWindow(*window->MdiArea(), model_);
    ASSERT_EQ(window->DecisionWindow(), decision);
    messages_.Clear();
    messages_.Answer(answer);
    window->MenuItem(QStringLiteral("mnuFileExit"))->trigger();
    ASSERT_EQ(messages_.ShownMessages().size(), 1u) << answer;
    EXPECT_EQ(messages_.ShownMessages()[0].style, 36);
    EXPECT_EQ(messages_.ShownMessages()[0].title, QStringLiteral("Quit"));
    EXPECT_EQ(decision->SubWindow()->isHidden(), answer == kAnswerYes) << answer;
  }
}

// ---- the decision window ----------------------------------------------------------------------

TEST_F(MainWindowTest, DecisionWindowCommandBringsItHome) {
  const auto window = LoadWindow();
  window->show();
  // Before the decision window exists the command does nothing.
  window->MenuItem(QStringLiteral("mdwa"))->trigger();

  frmDecision* decision = CreateDecisionWindow(*window->MdiArea(), model_);
  decision->SubWindow()->move(120, 80);
  decision->SubWindow()->hide();
  window->MenuItem(QStringLiteral("mdwa"))->trigger();
  EXPECT_EQ(decision->SubWindow()->pos(), QPoint(0, 0));
  EXPECT_FALSE(decision->SubWindow()->isHidden());
  EXPECT_EQ(window->MdiArea()->activeSubWindow(), decision->SubWindow());
}

// ---- maximised only ----------------------------------------------------------------------------

// A window manager that delays the maximise until the test lets it through, or refuses it.
class SlowWindowManagerWindow : public frmMDI {
 public:
  using frmMDI::frmMDI;
  int requests = 0;

 protected:
  void RequestMaximised() override { ++requests; }
};

TEST_F(MainWindowTest, RestoringShowsTheSizeMessageOnceAndMaximisesAgain) {
  const auto window = LoadWindow("Spanish");
  window->showMaximized();
  Settle();
  messages_.Clear();

  for (int restore = 1; restore <= 2; ++restore) {
    window->setWindowState(Qt::WindowNoState);
    Settle();
    ASSERT_EQ(messages_.ShownMessages().size(), static_cast<std::size_t>(restore));
    EXPECT_TRUE(window->isMaximized()) << restore;
  }
  EXPECT_EQ(messages_.ShownMessages()[0].style, 48);
  EXPECT_EQ(messages_.ShownMessages()[0].text,
            QStringLiteral("Talvair sólo se ejecuta en una ventana maximizada"));
  EXPECT_EQ(messages_.ShownMessages()[0].title, QStringLiteral("Error en el tamaño de la ventana"));

  // Minimising, and restoring to maximised, say nothing.
  messages_.Clear();
  window->setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
  Settle();
  window->setWindowState(Qt::WindowMaximized);
  Settle();
  EXPECT_TRUE(messages_.ShownMessages().empty());
}

TEST_F(MainWindowTest, AWindowManagerThatDelaysOrRefusesTheMaximiseIsAskedOnce) {
  const auto window = LoadWindow<SlowWindowManagerWindow>();
  window->showMaximized();
  Settle();

  window->setWindowState(Qt::WindowNoState);
  Settle();
  EXPECT_EQ(window->requests, 1);
  // The window manager echoes the normal state while the maximise is pending: no new question.
  for (int echo = 0; echo < 3; ++echo) {
    QWindowStateChangeEvent change(Qt::WindowMaximized);
    QCoreApplication::sendEvent(window.get(), &change);
    Settle();
  }
  EXPECT_EQ(messages_.ShownMessages().size(), 1u);
  EXPECT_FALSE(window->isMaximized());

  // Once the window manager lets it through, the next restore is a new one.
  window->setWindowState(Qt::WindowMaximized);
  Settle();
  window->setWindowState(Qt::WindowNoState);
  Settle();
  EXPECT_EQ(messages_.ShownMessages().size(), 2u);
  EXPECT_EQ(window->requests, 2);
}

// A kept decision window that has left the area is no longer the answer; a new one is.
TEST_F(MainWindowTest, DecisionWindowFollowsTheWindowInTheArea) {
  const auto window = LoadWindow();
  QMdiSubWindow* gone = CreateDecisionWindow(*window->MdiArea(), model_)->SubWindow();
  ASSERT_NE(window->DecisionWindow(), nullptr);
  gone->setParent(nullptr);
  delete gone;
  // Created first: the window must find the new one, whichever side C++ evaluates first.
  frmDecision* const made = CreateDecisionWindow(*window->MdiArea(), model_);
  EXPECT_EQ(window->DecisionWindow(), made);
}

}  // namespace
}  // namespace talvair::shell
