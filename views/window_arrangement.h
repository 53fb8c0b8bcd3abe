// The Window menu's arrangements: graphs cascaded or tiled, and tables cascaded, each beside
// the decision window. Positions and sizes are in twips within the main window's client
// area.
//
// Minimised windows are passed over: they keep their bars and the places they are restored
// to. Each command moves its windows one after another and lets the player see every step, so
// windows may close meanwhile: those are skipped. A command started while another runs is
// ignored.
#pragma once

namespace talvair::views {

class WindowManager;

// As many graph windows as fit on the screen, 350 down and across each, to the right of the
// decision window; the player is told how many when not all fit.
void CascadeGraphs(WindowManager& views);
// The graph windows made 3500 by 1900 and laid out in rows to the right of the decision
// window, as many as fit.
void TileGraphs(WindowManager& views);
// Every table window, 360 down and 350 across each, below and right of the decision window;
// they may reach past the main window.
void CascadeTables(WindowManager& views);

// Every report window, 350 down and across each from below the decision window, moved there
// in steps of at most 700; a report that would pass the screen's right edge starts a second
// cascade right of the decision window. Run it inside a CascadingReportsScope, so each report
// first goes home when it is activated.
void CascadeReports(WindowManager& views);

// True while one of the commands runs.
bool Arranging();

// Sets CascadingReports for its lifetime, however the cascade ends, and then gives it back
// the value it had.
class CascadingReportsScope {
 public:
  CascadingReportsScope();
  ~CascadingReportsScope();
  CascadingReportsScope(const CascadingReportsScope&) = delete;
  CascadingReportsScope& operator=(const CascadingReportsScope&) = delete;

 private:
  bool previous_;
};

}  // namespace talvair::views
