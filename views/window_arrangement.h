// The Window menu's arrangements: graphs cascaded or tiled, and tables cascaded, each beside
// the decision window. Positions and sizes are in twips within the main window's client
// area.
//
// Each command moves its windows one after another and lets the player see every step, so
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

// True while one of the commands runs.
bool Arranging();

}  // namespace talvair::views
