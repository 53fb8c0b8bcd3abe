// The output windows place and size themselves by the always-open decision window. They
// reach it only through its child window, which the shell installs here.
#pragma once

class QMdiSubWindow;

namespace talvair::views {

// Held weakly; nullptr uninstalls.
void InstallDecisionWindow(QMdiSubWindow* window);
// The decision window's child window, nullptr while there is none.
QMdiSubWindow* DecisionWindow();

// Its outer geometry in twips, 0 while there is none.
struct DecisionGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
DecisionGeometry DecisionWindowGeometry();

// Activates the decision window and gives it the focus; nothing while there is none.
void FocusDecisionWindow();

}  // namespace talvair::views
