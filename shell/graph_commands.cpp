#include "shell/graph_commands.h"

#include "platform/message_box.h"
#include "shell/main_window.h"
#include "shell/menu_wiring.h"
#include "shell/text.h"
#include "views/graph_multi_window.h"
#include "views/graph_window.h"

namespace talvair::shell {

int MultiGraphIndex = 0;

namespace {

bool IsMultiItem(int index) { return index == 111 || index == 112 || index == 116 || index == 119; }

}  // namespace

views::frmGraphMulti& GraphMultiWindow(frmMDI& window) {
  auto* multi = window.findChild<views::frmGraphMulti*>(QStringLiteral("frmGraphMulti"));
  if (multi == nullptr) {
    multi = new views::frmGraphMulti(&window);
    // A child of the main window that is never shown.
    multi->hide();
  }
  return *multi;
}

void mnuGph_Click(frmMDI& window, int index) {
  if (IsMultiItem(index)) {
    MultiGraphIndex = index;
    GraphMultiWindow(window).Update();
    return;
  }
  views::ShowFixedGraph(window.Views(), window.Graphs(), index);
}

void mnuGphCustom_Click() {
  const QString text = Text("To create a custom graph of any one variable ",
                            "Para crear un gráfico de una variable específica, ",
                            "Para criar um gráfico customizado de qualquer uma das viriáveis ") +
                       QStringLiteral("\r\n") +
                       Text("select a column in a table and Double Click on it.",
                            "elija una columna de la tabla y haga doble clic sobre ella",
                            "mostradas dê um Clique Duplo sobre o nome da variável.");
  platform::MsgBox(text, platform::kStyleOkOnly);
}

void ConnectGraphCommands(frmMDI& window) {
  OnMenuItems(window, "mnuGph", [&window](int index) { mnuGph_Click(window, index); });
  OnMenuItem(window, "mnuGphCustom", [] { mnuGphCustom_Click(); });
}

}  // namespace talvair::shell
