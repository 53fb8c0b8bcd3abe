// The view protocol: what every output window offers the window manager and the copy
// command, without either knowing the window's class.
#pragma once

#include <QString>

namespace talvair::platform {
class GridControl;
}

namespace talvair::views {

// What VIEW_TYPE returns, by kind of window.
inline const QString kViewTypeReport = QStringLiteral("report");
inline const QString kViewTypeTables = QStringLiteral("tables");
inline const QString kViewTypeGraph = QStringLiteral("graph");

// The Tag of report and data-table windows; a graph window's Tag is its window key.
inline const QString kTagReport = QStringLiteral("report");
inline const QString kTagTable = QStringLiteral("table");

// Every output window. Implemented by the window's content widget, which the window
// manager hosts in a child window of the main window's MDI area. Graph windows offer only
// this much: the graph registry refreshes them, never the manager.
class View {
 public:
  virtual ~View() = default;
  virtual QString VIEW_TYPE() const = 0;
  // Tells the copy command what kind of window is active; empty for none.
  virtual QString Tag() const = 0;
};

// Report and data-table windows, which the manager refreshes after each run-control command.
class UpdatableView : public View {
 public:
  virtual void Update() = 0;
  virtual void Reset() = 0;
};

// A data-table window.
class TableView : public UpdatableView {
 public:
  // Builds the table of that number from the first period up to the current one and shows
  // the window.
  virtual void Create(int tableNumber) = 0;
  // The grid control, whose cells the copy command puts on the clipboard as text.
  virtual platform::GridControl* FlxGrid() = 0;
};

}  // namespace talvair::views
