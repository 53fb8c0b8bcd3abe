// frmGraph: the window of one graph, a predefined one from the Graphs menu or the custom
// graph of one variable. It only holds and sizes the chart; the graph registry names,
// fills and refreshes it.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>

#include "views/graph_registry.h"
#include "views/view.h"

class QMdiSubWindow;

namespace talvair::platform {
class ChartControl;
}

namespace talvair::views {

class WindowManager;

// What Edit > Copy says while a graph window is active, in every language.
inline const QString kCopyGraphCaption = QStringLiteral("Copy graph to clipboard");

class frmGraph : public QWidget, public View {
  Q_OBJECT

 public:
  // The registry must outlive the window's close.
  explicit frmGraph(GraphRegistry& registry, QWidget* parent = nullptr);

  QString VIEW_TYPE() const override { return kViewTypeGraph; }
  // The window key.
  QString Tag() const override { return tag_; }
  QString ViewId() const { return tag_; }

  platform::ChartControl* gphGraph() const { return gphGraph_; }
  QWidget* picGraph() const { return picGraph_; }
  // The registry's number for the chart; kNoGraph once released.
  GraphId Id() const { return id_; }

  // Opens the window of a graph (a FixedNumber or a VarNumber by kind), or brings its open
  // window forward.
  enum class Kind { Fixed, Custom };
  static void Show(WindowManager& views, GraphRegistry& graphs, Kind kind, int32_t number);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Sizes the child window it was put in and follows its activation.
  void HostedIn(QMdiSubWindow* window);
  void FollowWindowSize();

  GraphRegistry& registry_;
  QWidget* picGraph_;
  platform::ChartControl* gphGraph_;
  QMdiSubWindow* window_ = nullptr;
  QString tag_ = kViewTypeGraph;
  GraphId id_ = kNoGraph;
};

// Open the window of a predefined graph or of one variable's graph, or bring its open
// window forward (no new number, no refresh). A number without a graph opens nothing.
void ShowFixedGraph(WindowManager& views, GraphRegistry& graphs, int fixedNumber);
void ShowCustomGraph(WindowManager& views, GraphRegistry& graphs, int32_t varNumber);

}  // namespace talvair::views
