#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <string>

#include "model/game.h"
#include "model/language.h"
#include "platform/message_box.h"
#include "platform/twips.h"
#include "shell/artwork.h"
#include "shell/background_window.h"
#include "shell/decision_window.h"
#include "shell/file_commands.h"
#include "shell/globals.h"
#include "shell/graph_commands.h"
#include "shell/main_window_host.h"
#include "shell/report_commands.h"
#include "shell/research_commands.h"
#include "shell/run_control.h"
#include "shell/table_commands.h"
#include "shell/text.h"
#include "shell/timeline_box.h"
#include "shell/window_commands.h"
#include "views/copy_menu.h"
#include "views/graph_registry.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

using platform::TwipsToPixels;

frmMDI* loadedMainWindow = nullptr;

constexpr int kNotInArray = -1;
const char* const kIndexProperty = "Index";

enum ItemFlags : unsigned {
  kPlain = 0,
  kHidden = 1,
  kDisabled = 2,
  kChecked = 4,
  kSeparator = 8,
  // The designed caption stays in every language.
  kKept = 16,
  // The caption is set by the item's own command, not by the load.
  kCaptionByCommand = 32,
  kCheckable = 64,
};

struct Caption {
  const char* english = nullptr;
  const char* spanish = nullptr;
  const char* portuguese = nullptr;
};

struct MenuEntry {
  const char* name;
  int index = kNotInArray;
  Caption caption;
  unsigned flags = kPlain;
  QKeyCombination shortcut = {};
  // A non-empty list makes the item a menu of these.
  std::vector<MenuEntry> items = {};
};

MenuEntry Item(const char* name, Caption caption, unsigned flags = kPlain,
               QKeyCombination shortcut = {}) {
  return MenuEntry{name, kNotInArray, caption, flags, shortcut};
}

MenuEntry Kept(const char* name, const char* caption, unsigned flags = kPlain) {
  return MenuEntry{name, kNotInArray, {caption}, flags | kKept};
}

MenuEntry Separator(const char* name, unsigned flags = kPlain) {
  return MenuEntry{name, kNotInArray, {}, flags | kSeparator};
}

MenuEntry ArrayItem(const char* name, int index, Caption caption, unsigned flags = kPlain,
                    QKeyCombination shortcut = {}) {
  return MenuEntry{name, index, caption, flags, shortcut};
}

MenuEntry Menu(const char* name, Caption caption, std::vector<MenuEntry> items,
               unsigned flags = kPlain) {
  return MenuEntry{name, kNotInArray, caption, flags, {}, std::move(items)};
}

constexpr QKeyCombination Ctrl(Qt::Key key) { return Qt::CTRL | key; }
constexpr QKeyCombination Shift(Qt::Key key) { return Qt::SHIFT | key; }

MenuEntry GraphItem(int index, Caption caption) { return ArrayItem("mnuGph", index, caption); }
MenuEntry MultiGraphItem(int index, const char* caption) {
  return MenuEntry{"mnuGph", index, {caption}, kHidden | kKept};
}
MenuEntry TableItem(int index, Caption caption) { return ArrayItem("mnuTable", index, caption); }
MenuEntry TimeStepItem(int index, Caption caption, Qt::Key key, unsigned flags = kPlain) {
  return ArrayItem("mnuSimTimeStepItems", index, caption, flags | kCheckable, Shift(key));
}

// The menu bar from left to right, in the designed state.
std::vector<MenuEntry> MenuTree() {
  return {
      Menu("mnuFile", {"&File", "&Archivo", "&Arquivo"},
           {
               Item("mnuFileOpen", {"&Open Game...", "&Comenzar juego", "&Abrir Simulação..."},
                    kPlain, Ctrl(Qt::Key_O)),
               Item("mnuFileSave", {"&Save Game...", "&Guardar juego", "&Salvar Simulação..."},
                    kPlain, Ctrl(Qt::Key_S)),
               Kept("mnuFile_Save_Old", "SaveOldFormat", kHidden | kDisabled),
               Separator("mnuFileSep1", kHidden),
               Menu("mnuOpenChal", {"Open a &Challenge", "Abrir un &desafío", "Abrir um &Desafio"},
                    {
                        Item("mnuOpenChal2", {"Challenge &2", "Desafío &2", "Desafio &2"}),
                        Item("mnuOpenChal3", {"Challenge &3", "Desafío &3", "Desafio &3"}),
                        Item("mnuOpenChal4", {"Challenge &4", "Desafío &4", "Desafio &4"}),
                    },
                    kHidden | kDisabled),
               Separator("mnuFileSep2"),
               Item("mnuFileExit", {"E&xit", "&Salir", "&Sair"}),
           }),
      Menu("mnuEdit", {"&Edit", "&Editar", "&Editar"},
           {
               Item("mnuEditCopy",
                    {"&Copy to Clipboard", "&Copiar al portapapeles", "&Copiar para o Clipboard"},
                    kDisabled, Ctrl(Qt::Key_C)),
           }),
      Menu("mnuViewHeader", {"View", "Ver", "Mostrar"},
           {
               Item("mnuViewNotepad",
                    {"&Game Notepad", "&Bloc de notas del juego", "&Bloco de Notas da Simulação"}),
               Item("mdwa", {"&Decision Window", "&Ventana de decisiones", "&Janela de Decisões"}),
           }),
      Menu("mnuSim", {"&Simulation", "&Simulación", "&Simulação"},
           {
               Item("mnuSimRun", {"&Run", "&Ejecutar", "&Rodar"}, kPlain, Ctrl(Qt::Key_R)),
               Item("mnuSimStop", {"&Stop", "&Detener", "&Parar"}, kDisabled),
               Separator("mnuSimSep1"),
               Item("mnuSimGoBack", {"&Go Back", "&Volver", "&Voltar"}, kPlain, Ctrl(Qt::Key_G)),
               Item("mnuSimToggleGBW", {}, kCaptionByCommand),
               Separator("mnuSimSep2", kHidden),
               Item("mnuSimRestart", {"R&estart", "&Reiniciar", "&Reiniciar"}),
               Separator("mnuSimSep3", kHidden),
               Menu("mnuSimTimeStep", {"&Time Step", "&Período de tiempo", "&Período"},
                    {
                        TimeStepItem(1, {"1 Time Step", "1 Período de tiempo", "1 Período"},
                                     Qt::Key_F1, kChecked),
                        TimeStepItem(2, {"2 Time Steps", "2 Períodos de tiempo", "2 Períodos"},
                                     Qt::Key_F2),
                        TimeStepItem(4, {"4 Time Steps", "4 Períodos de tiempo", "4 Períodos"},
                                     Qt::Key_F3),
                        TimeStepItem(10, {"10 Time Steps", "10 Períodos de tiempo", "10 Períodos"},
                                     Qt::Key_F4),
                        TimeStepItem(15, {"15 Time Steps", "15 Períodos de tiempo", "15 Períodos"},
                                     Qt::Key_F5),
                        TimeStepItem(20, {"20 Time Steps", "20 Períodos de tiempo", "20 Períodos"},
                                     Qt::Key_F6),
                        TimeStepItem(40, {"Continuously", "Continuamente", "Continuamente"},
                                     Qt::Key_F7),
                    }),
           }),
      Menu("mnuRpt", {"&Reports", "&Informes", "&Relatórios"},
           {
               Item("mnuRptSummary", {"&Summary", "&Resumen", "&Sumário"}),
               Separator("mnuRptSep1"),
               Item("mnuRptBreakEvenAnalysis",
                    {"&Breakeven Analysis", "&Análisis del punto de equilibrio",
                     "&Análise de Breakeven"}),
               Item("mnuRptCapacityAndLoad",
                    {"&Capacity and Load", "&Capacidad y ocupación", "&Capacidade e Carga"}),
               Item("mnuRptEmployees", {"&Employees", "&Personal", "&Funcionários"}),
               Item("mnuRptFinancialReport",
                    {"&Financial Report", "&Estados contables", "&Relatório Financeiro"}),
               Item("mnuRptMarketResearch",
                    {"&Market Research", "&Investigación de mercado", "&Pesquisa de Mercado"}),
               Item("mnuRptStockprice",
                    {"Stock Price and Earnings", "Precio de la acción y ganancias",
                     "Valor das Ações e Lucro"}),
               Separator("mnrRptSep2", kHidden),
               Kept("mnufrmResourceMap", "Resource &Map", kHidden),
               Separator("mnrRptSep3", kHidden),
               Kept("mnuRptEndofGame", "&End of Game Summary", kHidden),
           }),
      Menu("mnuGphHead", {"&Graphs", "&Gráficos", "&Gráficos"},
           {
               GraphItem(101, {"Balance Sheet", "&Balance general", "Balanço"}),
               GraphItem(102, {"Breakeven Load Factor", "&Coeficiente de ocupación de equilibrio",
                               "Fator de Carga - Breakeven"}),
               GraphItem(103, {"Breakeven Passengers", "&Número de pasajeros de equilibrio",
                               "Passageiros - Breakeven"}),
               GraphItem(104, {"Breakeven Revenues", "&Punto de equilibrio de ingresos",
                               "Receita - Breakeven"}),
               GraphItem(105, {"Cash Flow", "Flujo de fondos", "Fluxo de Caixa"}),
               GraphItem(106, {"Competitors", "Competidores", "Concorrentes"}),
               GraphItem(107, {"Cost Fraction", "% del costo", "Custos Fração"}),
               GraphItem(108, {"Customer Service", "Servicio al cliente", "Serviço ao Cliente"}),
               GraphItem(109, {"Cumulative Profits", "Ganancias acumuladas", "Lucro Acumulado"}),
               GraphItem(110, {"Costs", "Costos", "Custos"}),
               MultiGraphItem(111, "Decisions                               MULTI"),
               MultiGraphItem(112, "Fleet                                     MULTI"),
               GraphItem(113,
                         {"Flight Operations", "Operaciones de vuelo", "Operações das Aeronaves"}),
               GraphItem(114, {"Growth Rates", "Tasas de crecimiento", "Taxas de Crescimento"}),
               GraphItem(115, {"Hire/Fire Rates", "Tasas de contratación/despidos",
                               "Taxas de Contratação/Demissão"}),
               MultiGraphItem(116, "Human Resources                MULTI"),
               GraphItem(117, {"Income Statement", "Estado de resultados",
                               "Relatório de Lucros e Resultados"}),
               GraphItem(118, {"Load Factor", "Coeficiente de ocupación", "Fator de Carga"}),
               MultiGraphItem(119, "Market                                 MULTI"),
               GraphItem(120, {"Productivity", "Productividad", "Produtividade"}),
               GraphItem(121, {"Rookie Fraction", "% de \"novatos\"", "Percentual de Novatos"}),
               GraphItem(122, {"Stock Price", "Precio de la acción", "Valor da Ação"}),
               GraphItem(123, {"Workweek", "Semana laboral", "Jornada de Trabalho"}),
               Separator("mnuGphSep2", kHidden),
               MenuEntry{"mnuGphCustom", 0, {"&Custom Graphs"}, kHidden | kKept},
           }),
      Menu("mnuTables", {"&Tables", "&Tablas", "&Tabelas"},
           {
               TableItem(1, {"&Summary", "&Resumen", "&Sumário"}),
               TableItem(2, {"&Breakeven analysis", "&Análisis del punto de equilibrio",
                             "&Análide de Breakeven"}),
               TableItem(3, {"Capacity and &Load", "&Capacidad y ocupación", "Capacidade e Carga"}),
               TableItem(4, {"&Employees", "&Personal", "&Funcionários"}),
               TableItem(5, {"&Financial Data", "&Datos financieros", "&Dados Financeiros"}),
               TableItem(6,
                         {"&Market Research", "&Investigación de mercado", "&Pesquisa de Mercado"}),
               TableItem(7, {"Stock &Price and Earnings", "&Precios de la acción y ganancias",
                             "Preço da Ação e Lucro"}),
               TableItem(8, {"&All Public variables", "&Todas las variables públicas",
                             "&Todas as Variáveis Públicas"}),
               TableItem(9, {"&User Decisions", "&Decisiones del usuario", "&Decisões do Usuário"}),
               MenuEntry{"mnuTable", 11, {"Debug All Vars"}, kHidden | kDisabled | kKept},
           }),
      MenuEntry{"mnutbltstocks", 10, {"STOCK TEST"}, kHidden | kDisabled | kKept},
      Kept("ListVars", "LISTVARS", kHidden | kDisabled),
      Menu("mnuWindow", {"Windows", "Ventanas", "Janelas"},
           {
               Item("mnuWindowOpenAllGraphs",
                    {"Open all graphs", "Abrir todos los gráficos", "Abrir todos os Gráficos"},
                    kHidden),
               Item("CascadeGraph",
                    {"&Cascade Graphs", "&Gráficos en cascada", "&Gráficos em Cascata"}),
               Item("TileGraph", {"&Tile Graphs", "&Gráficos en mosaico", "&Organizar Gráficos"}),
               Separator("winsep1"),
               Item("CascadeReport",
                    {"C&ascade Reports", "&Informes en cascada", "Relatórios em Cascata"}),
               Item("CascadeTables",
                    {"Ca&scade Tables", "&Tablas en cascada", "Tabelas em Cascata"}),
               Separator("sep10"),
               Item("mnuWindowCloseAll",
                    {"Close All &Open Windows", "&Abrir y cerrar todas las ventanas",
                     "Fechar Todas as Janelas Abertas"}),
               Kept("mnuWindowSwitchT", "S&witch off Bonuses/Warnings", kHidden | kDisabled),
           }),
      Menu("help", {"&Help", "&Ayuda", "&Ajuda"},
           {
               Item("contents", {"&Help ", "&Ayuda", "&Ajuda"}),
               Kept("search", "&Search For Help On...", kHidden | kDisabled),
               Separator("sep8"),
               Kept("mnuHelpAdvanced", "&Auto save options", kHidden),
               Kept("mnuHelpSurveyLinks", "&Web link setup"),
               Item("LanSelect", {"Change language on restart", "Cambiar el idioma de reiniciar",
                                  "Mudar a língua na reinicialização"}),
               Kept("mnuHelpTutorial", "&Tutorial", kHidden | kDisabled),
               Separator("sep9", kHidden),
               Item("About",
                    {"&About Talvair...", "&Acerca de Talvair\u2026", "&Sobre o Talvair..."},
                    kPlain, Ctrl(Qt::Key_A)),
           }),
  };
}

// Geometry of the designed controls, in twips.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

QRect ToPixels(const TwipsRect& rect) {
  return platform::PixelRect(rect.left, rect.top, rect.width, rect.height);
}

constexpr int kToolbarHeight = 810;
constexpr TwipsRect kCmdRun{150, 150, 945, 330};
constexpr TwipsRect kCmdRestart{1150, 150, 1065, 330};
constexpr TwipsRect kCmdStop{2270, 150, 945, 330};
constexpr TwipsRect kPicture3{3120, 60, 4515, 690};
constexpr TwipsRect kPicTimeline{180, 90, 4100, 330};
// The start tick stands at the timeline's left edge, with "End Yr:" beside it.
constexpr int kStartTickLeft = 180;
// Within Picture3. It belongs to the toolbar, so that a caption wider than the designed
// width can grow to the left (under the Stop button's row) instead of being cut or covering
// the first year mark.
constexpr TwipsRect kEndYearLabel{195, 525, 600, 195};
constexpr int kYearLabelWidth = 300;
constexpr int kYearLabelTop = 525;
constexpr int kYearLabelHeight = 195;
constexpr int kTickTop = 450;
constexpr int kTickBottom = 520;
constexpr int kFixedTickLefts[] = {1020, 1850, 2630, 3440};
constexpr int kLastTickBeyondTimeline = 150;
constexpr int kLogoMarginRight = 300;
constexpr TwipsRect kLogo{0, 60, 1200, 690};

const QColor kClientAreaColour(90, 107, 197);

QFont ToolbarFont() { return QFont(QStringLiteral("Tahoma"), 8); }

bool IsNormalState(Qt::WindowStates state) {
  return !(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

}  // namespace

struct frmMDI::CaptionedItem {
  QAction* action;
  Caption caption;
};

frmMDI::frmMDI(game& model, QWidget* parent)
    : QMainWindow(parent), model_(model), currentLang_(QString::fromStdString(CurrentLanguage)) {
  setObjectName(QStringLiteral("frmMDI"));
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildToolbar();
  layout->addWidget(picToolbar_);
  mdiArea_ = new QMdiArea(client);
  mdiArea_->setObjectName(QStringLiteral("mdiArea"));
  layout->addWidget(mdiArea_, 1);
  setCentralWidget(client);
  graphs_ = std::make_unique<views::GraphRegistry>();
  views_ = std::make_unique<views::WindowManager>(mdiArea_);
  runControl_ = std::make_unique<RunControl>(*this, *views_, model_);
  host_ = std::make_unique<MainWindowHost>(*this);
  BuildMenus();
  SetRunState(runState_);
  ConnectRunControl();
  ConnectGraphCommands(*this);
  ConnectTableCommands(*this);
  ConnectWindowCommands(*this);
  ConnectReportCommands(*this);
  ConnectResearchCommands(*this);
  ConnectFileCommands(*this);
  loadedMainWindow = this;
}

frmMDI::~frmMDI() {
  if (loadedMainWindow == this) loadedMainWindow = nullptr;
}

frmMDI* MainWindow() { return loadedMainWindow; }

void frmMDI::AttachModel() {
  host_->AttachTo(model_);
  graphs_->SetModel(&model_);
}

void frmMDI::ConnectRunControl() {
  RunControl* run = runControl_.get();
  connect(cmdRun_, &QPushButton::clicked, this, [run] { run->cmdRun_Click(); });
  connect(cmdRestart_, &QPushButton::clicked, this, [run] { run->cmdRestart_Click(); });
  connect(cmdStop_, &QPushButton::clicked, this, [run] { run->cmdStop_Click(); });
  connect(mnuSimRun(), &QAction::triggered, this, [run] { run->mnuSimRun_Click(); });
  connect(mnuSimStop(), &QAction::triggered, this, [run] { run->mnuSimStop_Click(); });
  connect(mnuSimRestart(), &QAction::triggered, this, [run] { run->mnuSimRestart_Click(); });
  connect(mnuSimGoBack(), &QAction::triggered, this, [run] { run->mnuSimGoBack_Click(); });
  for (QAction* item : findChildren<QAction*>(QStringLiteral("mnuSimTimeStepItems"))) {
    const int index = item->property(kIndexProperty).toInt();
    connect(item, &QAction::triggered, this,
            [run, index] { run->mnuSimTimeStepItems_Click(index); });
  }
  // Moving over Run puts back a pointer that a long operation left behind.
  cmdRun_->setMouseTracking(true);
  cmdRun_->installEventFilter(this);
}

void frmMDI::BuildMenus() {
  // Builds one level; the items of a menu go into `menu`, top-level ones into the bar.
  auto build = [this](auto& self, const std::vector<MenuEntry>& entries, QMenu* menu) -> void {
    for (const MenuEntry& entry : entries) {
      QAction* action = nullptr;
      if (!entry.items.empty()) {
        auto* submenu = new QMenu(this);
        submenu->setObjectName(QString::fromLatin1(entry.name));
        action = submenu->menuAction();
        self(self, entry.items, submenu);
      } else {
        action = new QAction(this);
        action->setSeparator((entry.flags & kSeparator) != 0);
      }
      action->setObjectName(QString::fromLatin1(entry.name));
      if (entry.index != kNotInArray) action->setProperty(kIndexProperty, entry.index);
      if (entry.flags & kKept) action->setText(QString::fromUtf8(entry.caption.english));
      action->setCheckable((entry.flags & (kCheckable | kChecked)) != 0);
      action->setChecked((entry.flags & kChecked) != 0);
      if (entry.shortcut.key() != Qt::Key_unknown) {
        action->setShortcut(QKeySequence(entry.shortcut));
      }
      action->setVisible((entry.flags & kHidden) == 0);
      action->setEnabled((entry.flags & kDisabled) == 0);
      if (menu != nullptr) {
        menu->addAction(action);
      } else {
        menuBar()->addAction(action);
      }
      if (!(entry.flags & (kKept | kSeparator | kCaptionByCommand))) {
        captioned_.push_back({action, entry.caption});
      }
    }
  };
  build(build, MenuTree(), nullptr);

  connect(mnuSimToggleGBW(), &QAction::triggered, this, &frmMDI::mnuSimToggleGBW_Click);
  connect(MenuItem(QStringLiteral("mdwa")), &QAction::triggered, this, &frmMDI::mdwa_Click);
  connect(MenuItem(QStringLiteral("mnuFileExit")), &QAction::triggered, this,
          &frmMDI::mnuFileExit_Click);
}

void frmMDI::BuildToolbar() {
  picToolbar_ = new QWidget(this);
  picToolbar_->setObjectName(QStringLiteral("picToolbar"));
  picToolbar_->setFixedHeight(TwipsToPixels(kToolbarHeight));

  auto makeButton = [this](const char* name, const TwipsRect& rect) {
    auto* button = new QPushButton(picToolbar_);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(ToPixels(rect));
    button->setFont(ToolbarFont());
    return button;
  };
  cmdRun_ = makeButton("cmdRun", kCmdRun);
  cmdRestart_ = makeButton("cmdRestart", kCmdRestart);
  cmdStop_ = makeButton("cmdStop", kCmdStop);

  picture3_ = new QFrame(picToolbar_);
  picture3_->setObjectName(QStringLiteral("Picture3"));
  picture3_->setGeometry(ToPixels(kPicture3));

  picTimeline_ = new TimelineBox(picture3_);
  picTimeline_->setObjectName(QStringLiteral("picTimeline"));
  picTimeline_->setGeometry(ToPixels(kPicTimeline));
  picTimeline_->setFont(ToolbarFont());

  auto* startTick = new QFrame(picture3_);
  startTick->setObjectName(QStringLiteral("Line1"));
  startTick->setProperty(kIndexProperty, 0);
  startTick->setFrameShape(QFrame::VLine);
  startTick->setGeometry(
      ToPixels({kStartTickLeft, kTickTop, platform::kTwipsPerPixel, kTickBottom - kTickTop}));
  line1_.push_back(startTick);

  const char* const yearMarks[] = {"End Yr:", "2", "4", "6", "8", "10"};
  for (int i = 0; i <= 5; ++i) {
    QWidget* parent = i == 0 ? static_cast<QWidget*>(picToolbar_) : picture3_;
    auto* label = new QLabel(QString::fromLatin1(yearMarks[i]), parent);
    label->setObjectName(QStringLiteral("Label1"));
    label->setProperty(kIndexProperty, i);
    label->setFont(ToolbarFont());
    if (i == 0) {
      FitEndYearLabel(label);
    } else {
      label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      label->setGeometry(ToPixels({0, kYearLabelTop, kYearLabelWidth, kYearLabelHeight}));
    }
    label1_.push_back(label);
  }

  imgXqbLogo_ = new QLabel(picToolbar_);
  imgXqbLogo_->setObjectName(QStringLiteral("imgXqbLogo"));
  const QPixmap logo = Picture(kInstitutionLogoPicture);
  if (logo.isNull()) {
    imgXqbLogo_->setGeometry(ToPixels(kLogo));
  } else {
    imgXqbLogo_->setPixmap(
        logo.scaledToHeight(TwipsToPixels(kLogo.height), Qt::SmoothTransformation));
    imgXqbLogo_->adjustSize();
    imgXqbLogo_->move(0, TwipsToPixels(kLogo.top));
  }
}

void frmMDI::Load() {
  if (loaded_) return;
  loaded_ = true;

  // The institution's logo stands 300 twips from the screen's right edge.
  if (InstitutionEdition) {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen != nullptr ? screen->geometry().width() : width();
    imgXqbLogo_->move(screenWidth - imgXqbLogo_->width() - TwipsToPixels(kLogoMarginRight),
                      imgXqbLogo_->y());
    imgXqbLogo_->setVisible(true);
  } else {
    imgXqbLogo_->setVisible(false);
  }

  // The research edition runs forward only and offers its own option windows.
  const bool standard = !ResearchEdition;
  for (const char* name : {"mnuSimGoBack", "mnuSimTimeStep", "mnuSimRestart", "mnuSimStop"}) {
    MenuItem(QString::fromLatin1(name))->setVisible(standard);
  }
  cmdStop_->setVisible(standard);
  MenuItem(QStringLiteral("mnuHelpAdvanced"))->setVisible(ResearchEdition);
  if (standard) MenuItem(QStringLiteral("mnuHelpSurveyLinks"))->setVisible(false);

  // The captions, in the run's language.
  CurrentLanguage = currentLang_.toStdString();
  ApplyCaptions();
  mnuSimToggleGBW_Click();
  views::InstallCopyMenuItem(mnuEditCopy());

  RunState state = runState_;
  state.runButton = true;
  state.restartButtonShown = standard;
  SetRunState(state);

  PlaceTimelineTicks();
  mdiArea_->setBackground(kClientAreaColour);
  UpdateTimeline(0);
  setWindowTitle(AppTitle);

  CreateBackgroundWindow(mdiArea_);

  // The second toggle leaves GoBackWarnings as Main set it, the caption offering the opposite.
  mnuSimToggleGBW_Click();
}

void frmMDI::ApplyCaptions() {
  cmdRun_->setText(Text("Run", "Ejecutar", "Rodar"));
  cmdRestart_->setText(Text("Restart", "Reiniciar", "Reiniciar"));
  cmdStop_->setText(Text("Stop", "Detener", "Parar"));
  label1_[0]->setText(Text("End Yr:", "Fin de A:", "Final do Ano:"));
  FitEndYearLabel(label1_[0]);
  for (const CaptionedItem& item : captioned_) {
    item.action->setText(Text(item.caption.english, item.caption.spanish, item.caption.portuguese));
  }
}

void frmMDI::FitEndYearLabel(QLabel* label) const {
  const QRect designed = ToPixels(kEndYearLabel).translated(ToPixels(kPicture3).topLeft());
  const int width = std::max(designed.width(), label->sizeHint().width());
  label->setGeometry(designed.right() + 1 - width, designed.top(), width, designed.height());
}

void frmMDI::PlaceTimelineTicks() {
  const int lastTickLeft = platform::PixelsToTwips(picTimeline_->width()) + kLastTickBeyondTimeline;
  for (int i = 1; i <= 5; ++i) {
    const int tickLeft = i <= 4 ? kFixedTickLefts[i - 1] : lastTickLeft;
    auto* tick = new QFrame(picture3_);
    tick->setObjectName(QStringLiteral("Line1"));
    tick->setProperty(kIndexProperty, i);
    tick->setFrameShape(QFrame::VLine);
    tick->setGeometry(
        ToPixels({tickLeft, kTickTop, platform::kTwipsPerPixel, kTickBottom - kTickTop}));
    tick->setVisible(true);
    line1_.push_back(tick);

    QLabel* label = label1_[static_cast<std::size_t>(i)];
    label->move(TwipsToPixels(tickLeft - platform::PixelsToTwips(label->width()) / 2), label->y());
  }
}

QAction* frmMDI::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

QAction* frmMDI::MenuItem(const QString& name, int index) const {
  for (QAction* action : findChildren<QAction*>(name)) {
    if (action->property(kIndexProperty) == index) return action;
  }
  return nullptr;
}

QFrame* frmMDI::Line1(int index) const {
  if (index < 0 || index >= static_cast<int>(line1_.size())) return nullptr;
  return line1_[static_cast<std::size_t>(index)];
}

QLabel* frmMDI::Label1(int index) const {
  if (index < 0 || index >= static_cast<int>(label1_.size())) return nullptr;
  return label1_[static_cast<std::size_t>(index)];
}

frmDecision* frmMDI::DecisionWindow() const {
  // Searching every window open is dear; the one found stays the answer while it is still in
  // the area under its name.
  const QString name = QStringLiteral("frmDecision");
  frmDecision* window = decisionWindow_.data();
  if (window == nullptr || window->objectName() != name || !mdiArea_->isAncestorOf(window)) {
    window = mdiArea_->findChild<frmDecision*>(name);
    decisionWindow_ = window;
  }
  return window;
}

QString frmMDI::TimeStepCaption() const {
  for (QAction* item : findChildren<QAction*>(QStringLiteral("mnuSimTimeStepItems"))) {
    if (item->isChecked()) return item->text();
  }
  return QString();
}

void frmMDI::SetRunState(const RunState& state) {
  runState_ = state;
  cmdRun_->setEnabled(state.runButton);
  mnuSimRun()->setEnabled(state.runItem);
  cmdStop_->setEnabled(false);
  mnuSimStop()->setEnabled(false);
  cmdRestart_->setEnabled(state.restartButton);
  cmdRestart_->setVisible(state.restartButtonShown);
  mnuSimRestart()->setEnabled(state.restartItem);
  mnuSimGoBack()->setEnabled(state.goBack);
}

void frmMDI::DeactivateRun() { SetRunState(runState_.Deactivated()); }

void frmMDI::UpdateTimeline(int mode) {
  int percent = 0;
  if (mode == 0) {
    const double progress = 100.0 * model_.TValue() / (model_.MaxTValue() - 1);
    percent = static_cast<int>(std::nearbyint(progress));
    if (model_.TValue() >= model_.MaxTValue()) {
      RunState state = runState_;
      state.runButton = false;
      SetRunState(state);
    }
  }
  picTimeline_->SetProgress(QString::fromStdString(model_.PeriodDescription(-1, false)), percent);
}

void frmMDI::mnuSimToggleGBW_Click() {
  if (!GoBackWarnings) {
    mnuSimToggleGBW()->setText(Text("Hide Warnings for Go Back",
                                    "Ocultar advertencias al volver hacia atrás",
                                    "Esconder Avisos para Voltar"));
    GoBackWarnings = true;
  } else {
    mnuSimToggleGBW()->setText(Text("Show Warnings for Go Back",
                                    "Mostrar advertencias al volver hacia atrás",
                                    "Mostrar Avisos para Voltar"));
    GoBackWarnings = false;
  }
}

void frmMDI::mdwa_Click() {
  if (frmDecision* decision = DecisionWindow()) decision->BringToFront();
}

void frmMDI::mnuFileExit_Click() {
  const int answer = platform::MsgBox(
      Text("Are you sure that you want to quit?", "¿Está seguro de que desea abandonar el juego?",
           "Você tem certeza que deseja sair?"),
      platform::kStyleYesNo | platform::kStyleQuestion, Text("Quit", "Finalizar", "Sair"));
  if (answer == platform::kAnswerYes) Unload();
}

void frmMDI::closeEvent(QCloseEvent* event) {
  const int answer = platform::MsgBox(
      Text("Are you sure that you want to quit?", "¿Está seguro de que desea abandonar el juego?",
           "Você tem certeza que deseja sair?"),
      platform::kStyleYesNoCancel | platform::kStyleQuestion,
      Text("Quit Talvair Microworld", "Salir de Talvair Microworld", "Sair do Talvair Micromundo"));
  if (answer != platform::kAnswerYes) {
    event->ignore();
    return;
  }
  event->accept();
  Unload();
}

void frmMDI::Unload() {
  // The other windows' own unload steps are skipped, as the program ends here.
  if (frmDecision* decision = DecisionWindow()) decision->Unload();
  // exit() outside a running loop would make every later loop return at once; before the
  // program's loop runs there is nothing to end.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

void frmMDI::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) WindowStateChanged();
}

void frmMDI::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The window system's own reports of the state arrive at the native window.
  if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
}

bool frmMDI::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmdRun_ && event->type() == QEvent::MouseMove) ResetMousePointer();
  if (watched == windowHandle() && event->type() == QEvent::WindowStateChange &&
      (windowHandle()->windowStates() & Qt::WindowMaximized)) {
    restoringMaximised_ = false;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMDI::WindowStateChanged() {
  // Only a restore of the shown window counts. Until the window system confirms the
  // maximise, further normal states are the restore's own echoes (or a window manager that
  // delays or refuses the maximise) and must not ask again.
  if (!IsNormalState(windowState()) || !isVisible() || restoringMaximised_) return;
  restoringMaximised_ = true;
  platform::MsgBox(
      Text("Talvair only runs in a maximized window",
           "Talvair sólo se ejecuta en una ventana maximizada",
           "O Talvair apenas roda com a janela maximizada"),
      platform::kStyleExclamation,
      Text("Window Size Error", "Error en el tamaño de la ventana", "Erro no Tamanho da Janela"));
  // Deferred: changing the state from inside its own change event is not reliable.
  QTimer::singleShot(0, this, [this] {
    if (IsNormalState(windowState())) RequestMaximised();
  });
}

void frmMDI::RequestMaximised() { setWindowState(windowState() | Qt::WindowMaximized); }

}  // namespace talvair::shell
