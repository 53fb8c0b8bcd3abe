#include "views/graph_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <memory>

#include "platform/chart_control.h"
#include "platform/twips.h"
#include "views/copy_menu.h"
#include "views/window_manager.h"

namespace talvair::views {

namespace {

using platform::PixelsToTwips;
using platform::TwipsToPixels;

constexpr int kWidth = 4500;
constexpr int kHeight = 2500;
// The chart leaves the caption bar and frame of the window's height...
constexpr int kFrameHeight = 450;
// ...and keeps its height once the window is this low or lower.
constexpr int kLowestResizedHeight = 500;

}  // namespace

frmGraph::frmGraph(GraphRegistry& registry, QWidget* parent)
    : QWidget(parent),
      registry_(registry),
      picGraph_(new QWidget(this)),
      gphGraph_(new platform::ChartControl(this)) {
  setObjectName(QStringLiteral("frmGraph"));
  picGraph_->setObjectName(QStringLiteral("picGraph"));
  gphGraph_->setObjectName(QStringLiteral("gphGraph"));
  picGraph_->move(0, 0);
  gphGraph_->move(0, 0);
  resize(TwipsToPixels(kWidth), TwipsToPixels(kHeight));
}

void frmGraph::HostedIn(QMdiSubWindow* window) {
  window_ = window;
  window->resize(TwipsToPixels(kWidth), TwipsToPixels(kHeight));
  FollowWindowSize();
  connect(window, &QMdiSubWindow::windowStateChanged, this,
          [](Qt::WindowStates before, Qt::WindowStates now) {
            const bool was = before.testFlag(Qt::WindowActive);
            const bool is = now.testFlag(Qt::WindowActive);
            if (is && !was) EnableCopyMenu(kCopyGraphCaption);
            if (was && !is) ResetCopyMenu();
          });
}

void frmGraph::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FollowWindowSize();
}

void frmGraph::FollowWindowSize() {
  // The rule is in the window's outer size; the chart spans the width inside the frame.
  const QSize outer = window_ != nullptr ? window_->size() : size();
  picGraph_->resize(outer);
  int height = gphGraph_->height();
  if (PixelsToTwips(outer.height()) > kLowestResizedHeight) {
    height = outer.height() - TwipsToPixels(kFrameHeight);
  }
  gphGraph_->resize(width(), height);
}

void frmGraph::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  // By the number it was given, whatever the chart's Tag says by now.
  registry_.UncreateGraph(id_);
  id_ = kNoGraph;
}

void frmGraph::Show(WindowManager& views, GraphRegistry& graphs, Kind kind, int32_t number) {
  const QString key = kind == Kind::Fixed ? FixedGraphKey(number) : CustomGraphKey(number);
  if (views.ShowGraphWindow(key)) return;

  auto window = std::make_unique<frmGraph>(graphs);
  platform::ChartControl& chart = *window->gphGraph();
  const GraphId id = kind == Kind::Fixed ? graphs.CreateFixedGraph(chart, number)
                                         : graphs.CreateCustomGraph(chart, number);
  if (id == kNoGraph) return;
  window->id_ = id;
  window->tag_ = key;
  QMdiSubWindow* host = views.AddGraphWindow(key, window.get());
  if (host == nullptr) {
    graphs.UncreateGraph(id);
    return;
  }
  frmGraph* view = window.release();  // the child window owns it now
  view->HostedIn(host);
  host->setWindowTitle(graphs.GraphTitle(id));
  graphs.UpdateGraph(id);
  views.ShowGraphWindow(key);
  KeepInsideArea(*host);
}

void ShowFixedGraph(WindowManager& views, GraphRegistry& graphs, int fixedNumber) {
  frmGraph::Show(views, graphs, frmGraph::Kind::Fixed, fixedNumber);
}

void ShowCustomGraph(WindowManager& views, GraphRegistry& graphs, int32_t varNumber) {
  frmGraph::Show(views, graphs, frmGraph::Kind::Custom, varNumber);
}

}  // namespace talvair::views
