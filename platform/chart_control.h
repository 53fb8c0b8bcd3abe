// The chart control of the graph windows. Callers fill it through numbered properties:
// select a series and a point, write the point's value and whether it holds one, label
// points of the x axis, name the series; nothing shows until ChartDraw. Points that hold no
// value are neither drawn nor counted in the value axis's range.
//
// ChartDraw only marks the chart stale: it is drawn once, whatever the number of ChartDraws
// before, at the next pass of the event loop or at DrawAndFlush, and only while it can be
// seen. A chart that cannot be seen (covered, in a minimised or hidden window) stays stale
// until it comes into view or a picture is taken of it.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <span>
#include <utility>
#include <vector>

class QLabel;

namespace talvair::platform {

class ChartPlot;

namespace chart {
// 3 redraws the chart from the properties, at once.
inline constexpr int kChartDraw = 21;
// The value of the current point of the current series.
inline constexpr int kChartValue = 41;
// 4: the x axis shows the point labels (otherwise the point numbers).
inline constexpr int kAxisLabelMode = 53;
// The x-axis label of the current point.
inline constexpr int kChartPointLabel = 56;
// 2: a legend row under the plot.
inline constexpr int kLegendStyle = 59;
inline constexpr int kChartPointCount = 66;
inline constexpr int kChartSeriesCount = 67;
// Accepted and ignored: this control needs no such step.
inline constexpr int kPointWritten = 100;
inline constexpr int kChartCurrentPoint = 101;
inline constexpr int kChartCurrentSeries = 102;
// Indexed by a point count; accepted, no effect here.
inline constexpr int kPointCountHint = 158;
// Indexed by point, on the current series: 1 the point holds no value, 0 it holds one.
inline constexpr int kNoValue = 164;
// Indexed by series: the series' legend text; an empty text leaves it out of the legend.
inline constexpr int kChartLegend = 169;

inline constexpr int kDrawNow = 3;
inline constexpr int kAxisLabelsFromPoints = 4;
inline constexpr int kLegendBelow = 2;
}  // namespace chart

class ChartControl : public QWidget {
  Q_OBJECT

 public:
  explicit ChartControl(QWidget* parent = nullptr);
  ~ChartControl() override;

  // Text that the control's container keeps for it.
  const QString& Tag() const { return tag_; }
  void SetTag(const QString& tag) { tag_ = tag; }

  // Numbered properties. Unknown numbers, values that do not convert and indexes out of
  // range are ignored. Numbers go through the typed overloads; texts (labels, legends)
  // through the variant ones.
  void Set(int id, double value);
  void Set(int id, int index, double value);
  void Set(int id, const QVariant& value);
  void Set(int id, int index, const QVariant& value);
  // ChartPointCount, ChartSeriesCount, ChartCurrentSeries, ChartCurrentPoint; an invalid
  // variant for the others.
  QVariant Get(int id) const;

  // What the properties hold (series and points from 1; out of range gives 0, true, "").
  double Value(int series, int point) const;
  bool HasValue(int series, int point) const;
  QString PointLabel(int point) const;
  QString Legend(int series) const;

  // ChartDraws asked for.
  int Draws() const { return draws_; }
  // Times the chart was really drawn, and whether it waits to be.
  int Renders() const { return renders_; }
  bool Stale() const { return stale_; }
  // Times the plot was laid out: on its first draw, and again only when a range, a label or
  // its size changed.
  int Layouts() const;
  // Whether any of the chart shows on the screen: not hidden, not minimised, not wholly
  // covered by the windows above it.
  bool CanBeSeen() const;
  // Draws a stale chart that can be seen; true when it did.
  bool DrawIfSeen();
  // Draws a stale chart whether it can be seen or not (before a picture is taken of it).
  void EnsureDrawn();

  // What the last ChartDraw shows once drawn (drawn first when stale).
  // Points of the series on the plot (the ones holding a finite value).
  int DrawnPoints(int series) const;
  std::pair<double, double> ValueAxisRange() const;
  // The x-axis labels by point, as drawn.
  std::vector<std::pair<int, QString>> AxisLabels() const;
  // Legend texts as drawn, in series order; empty when the legend is off.
  QStringList LegendEntries() const;

 private:
  struct Series {
    std::vector<double> values;
    std::vector<bool> noValue;
    QString legend;
  };

  friend class ChartPlot;
  friend void DrawAndFlush(std::span<ChartControl* const> charts);

  void Resize(int pointCount, int seriesCount);
  Series* CurrentSeries();
  void SetText(int id, const QString& text);
  void SetText(int id, int index, const QString& text);
  void MarkStale();
  void Draw();
  // The part of a draw that must run on the GUI thread; true when the plot is left to
  // compose.
  bool PrepareDraw();
  // Puts the x-axis labels on the axis; true when they changed.
  bool ShowAxisLabels();
  void ShowLegend(const QStringList& texts, const std::vector<QColor>& colours);

  ChartPlot* plot_;
  QLabel* legendRow_;
  QStringList legendTexts_;
  QString tag_;
  int pointCount_ = 1;
  int currentSeries_ = 1;
  int currentPoint_ = 1;
  int axisLabelMode_ = 0;
  bool legendOn_ = false;
  int draws_ = 0;
  int renders_ = 0;
  bool stale_ = false;
  bool drawQueued_ = false;
  // The plot has been laid out once; later draws lay it out again only when a range or
  // label changed.
  bool axesDrawn_ = false;
  std::vector<Series> series_;
  std::vector<QString> pointLabels_;
  std::vector<std::pair<int, QString>> axisLabels_;
};

// Draws every stale chart of `charts` that can be seen, composed side by side on several
// threads, then brings each window that shows one of them up to date on the screen at once:
// one flush however many charts changed.
void DrawAndFlush(std::span<ChartControl* const> charts);

}  // namespace talvair::platform
