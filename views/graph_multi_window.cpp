#include "views/graph_multi_window.h"

#include <QEvent>
#include <QGridLayout>

#include "platform/chart_control.h"
#include "views/copy_menu.h"
#include "views/graph_window.h"

namespace talvair::views {

frmGraphMulti::frmGraphMulti(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmGraphMulti"));
  setWindowTitle(QStringLiteral("Skiers"));
  auto* layout = new QGridLayout(this);
  for (int i = 0; i < kCharts; ++i) {
    auto* chart = new platform::ChartControl(this);
    chart->setObjectName(QStringLiteral("gphGraph"));
    chart->setProperty("Index", i);
    layout->addWidget(chart, i / 2, i % 2);
    charts_[static_cast<std::size_t>(i)] = chart;
  }
}

platform::ChartControl* frmGraphMulti::gphGraph(int index) const {
  if (index < 0 || index >= kCharts) return nullptr;
  return charts_[static_cast<std::size_t>(index)];
}

void frmGraphMulti::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    EnableCopyMenu(kCopyGraphCaption);
  }
}

}  // namespace talvair::views
