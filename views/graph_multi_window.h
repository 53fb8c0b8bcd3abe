// frmGraphMulti: a window of five charts that the program carries but never fills or
// shows; only the hidden MULTI items of the Graphs menu load it.
#pragma once

#include <QWidget>
#include <array>

#include "views/view.h"

class QMdiSubWindow;

namespace talvair::platform {
class ChartControl;
}

namespace talvair::views {

class frmGraphMulti : public QWidget, public UpdatableView {
  Q_OBJECT

 public:
  static constexpr int kCharts = 5;

  explicit frmGraphMulti(QWidget* parent = nullptr);

  QString VIEW_TYPE() const override { return kViewTypeGraph; }
  QString Tag() const override { return kViewTypeGraph; }
  void Update() override {}
  void Reset() override { Update(); }

  platform::ChartControl* gphGraph(int index) const;

 protected:
  // Activation of the window the widget shows in enables Edit > Copy, as a graph window's.
  void changeEvent(QEvent* event) override;

 private:
  std::array<platform::ChartControl*, kCharts> charts_{};
};

}  // namespace talvair::views
