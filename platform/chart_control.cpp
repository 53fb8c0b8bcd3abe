#include "platform/chart_control.h"

#include <qcustomplot.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QRegion>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/work_crew.h"

namespace talvair::platform {

namespace {

// QCustomPlot draws its layers' parts, and tells where each may draw, only from inside its
// own replot; these reach the same steps.
struct PartAccess : QCPLayerable {
  static QRect Clip(const QCPLayerable& part) { return (part.*&PartAccess::clipRect)(); }
  // As a layer draws each of its parts; within the painter's clip, when it has one.
  static void Draw(QCPLayerable& part, QCPPainter& painter) {
    if (!part.realVisibility()) return;
    painter.save();
    painter.setClipRect(Clip(part).translated(0, -1), Qt::IntersectClip);
    (part.*&PartAccess::applyDefaultAntialiasingHint)(&painter);
    (part.*&PartAccess::draw)(&painter);
    painter.restore();
  }
};

// The value axis's tick labels, formatted once for each value: formatting a number for the
// locale costs more than the rest of laying out the axis, and the same values come back
// quarter after quarter.
class ValueAxisTicker : public QCPAxisTicker {
 protected:
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                       int precision) override {
    if (locale != locale_ || labels_.size() > kMaxLabels) {
      labels_.clear();
      locale_ = locale;
    }
    // By its bits: -0 and 0 may be written differently.
    const Key key{std::bit_cast<std::uint64_t>(tick), formatChar, precision};
    auto it = labels_.find(key);
    if (it == labels_.end()) {
      it = labels_.emplace(key, QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision))
               .first;
    }
    return it->second;
  }

 private:
  static constexpr std::size_t kMaxLabels = 256;
  using Key = std::tuple<std::uint64_t, QChar, int>;
  std::map<Key, QString> labels_;
  QLocale locale_;
};

// QCustomPlot's paint buffer held as an image, so that the composed chart can be laid over
// the background in place.
class ImageBuffer : public QCPAbstractPaintBuffer {
 public:
  ImageBuffer(QSize size, double pixelRatio) : QCPAbstractPaintBuffer(size, pixelRatio) {
    ImageBuffer::reallocateBuffer();
  }

  QCPPainter* startPainting() override { return new QCPPainter(&image_); }
  void draw(QCPPainter* painter) const override {
    if (painter != nullptr && painter->isActive()) painter->drawImage(0, 0, image_);
  }
  void clear(const QColor& colour) override { image_.fill(colour); }
  const QImage& Image() const { return image_; }

  // Lays `area` (in device-independent pixels) over opaque white: what a paint of the buffer
  // over QCustomPlot's white background gives. Per channel of a premultiplied pixel that is
  // the channel plus the white let through, 255 less the pixel's alpha, exactly, so a paint
  // can then copy the buffer instead of filling and blending.
  void LayOverWhite(const QRect& area) {
    const QRect pixels =
        QRectF(QPointF(area.topLeft()) * mDevicePixelRatio, QSizeF(area.size()) * mDevicePixelRatio)
            .toAlignedRect()
            .intersected(image_.rect());
    const qsizetype stride = image_.bytesPerLine();
    uchar* const bits = image_.bits();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
      auto* pixel = reinterpret_cast<std::uint32_t*>(bits + y * stride) + pixels.left();
      auto* const end = pixel + pixels.width();
#ifdef __SSE2__
      // Four at a time: the white let through, put in every channel, added byte by byte.
      const __m128i ones = _mm_set1_epi32(-1);
      for (; end - pixel >= 4; pixel += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel));
        __m128i white = _mm_srli_epi32(_mm_xor_si128(four, ones), 24);
        white = _mm_or_si128(white, _mm_slli_epi32(white, 8));
        white = _mm_or_si128(white, _mm_slli_epi32(white, 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixel), _mm_add_epi8(four, white));
      }
#endif
      for (; pixel != end; ++pixel) *pixel += (255 - (*pixel >> 24)) * 0x01010101u;
    }
  }

 protected:
  void reallocateBuffer() override {
    setInvalidated();
    image_ = QImage(mSize * mDevicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(mDevicePixelRatio);
  }

 private:
  QImage image_;
};

}  // namespace

// The plot draws a stale chart before it paints: it has come into view, or a picture is
// being taken of it.
//
// It draws into its one paint buffer as a replot does, part by part in the order of the
// layers, but keeps what lies beneath the curves (background, grid) and what lies above them
// (axes, tick labels), all but the value axis and its grid lines, as two pictures made once
// for each plot area and key axis. A draw copies the first into the buffer, draws the value
// grid and the curves over it, lays the second over them and draws the value axis, in that
// buffer: the pixels a replot gives, since what lies above the curves is opaque wherever it
// meets them, and meets only empty pixels where it is partly transparent (smoothed text
// outside the plot area). While the layout stays, only the area the curves draw in changes,
// so only that area is composed again and repainted.
//
// The composed area is then laid over the white background in the buffer itself, so that a
// paint copies it.
class ChartPlot : public QCustomPlot {
 public:
  ChartPlot(ChartControl* owner) : QCustomPlot(owner), owner_(owner) {}

  // A draw comes in three steps, so that charts drawn together compose side by side. First
  // what only the GUI thread may do (QCustomPlot's own replot, a new paint buffer), laid out
  // later when the caller changed an axis's range or labels, or the size changed since the
  // last layout; false when the replot drew the chart already.
  bool PrepareRedraw(bool keyAxisChanged, bool valueAxisChanged) {
    area_ = {};
    curves_ = layer(QStringLiteral("main"));
    // One shared buffer, and the value axis's parts drawn last beneath and above the curves,
    // is what the pictures stand for; anything else draws as QCustomPlot does.
    if (curves_ == nullptr || !AllLayersShareOneBuffer() ||
        (updateLayerIndices(), !ValueAxisDrawnLast(*curves_))) {
      replot(rpQueuedRefresh);
      return false;
    }
    if (keyAxisChanged) keyAxisPictures_.made = false;
    relayout_ = keyAxisChanged || valueAxisChanged || viewport() != laidOut_;
    if (Buffer() == nullptr) {
      mPaintBuffers.clear();
      mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(
          new ImageBuffer(viewport().size(), mBufferDevicePixelRatio)));
    }
    if (Buffer()->size() != viewport().size() ||
        Buffer()->devicePixelRatio() != mBufferDevicePixelRatio || composedLayout_ == -1) {
      setupPaintBuffers();
      composedLayout_ = -1;
    }
    return true;
  }

  // Lays out and composes. Touches nothing but this plot, its pictures and its buffer, so it
  // may run on any thread.
  void Compose() {
    if (relayout_) updateLayout();
    // The rest of the buffer still holds what the last draw on this layout put there.
    const bool whole = composedLayout_ != layouts_;
    const QRect area = whole ? QRect(QPoint(0, 0), viewport().size()) : CurveArea(*curves_);
    KeepKeyAxisPictures(*curves_);
    ImageBuffer& buffer = *Buffer();
    QCPPainter* painter = buffer.startPainting();
    if (painter->isActive()) {
      painter->setClipRect(area);
      painter->setCompositionMode(QPainter::CompositionMode_Source);
      keyAxisPictures_.beneath->draw(painter);
      painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
      PartAccess::Draw(*yAxis->grid(), *painter);
      for (QCPLayerable* part : curves_->children()) PartAccess::Draw(*part, *painter);
      keyAxisPictures_.above->draw(painter);
      PartAccess::Draw(*yAxis, *painter);
    }
    delete painter;
    buffer.donePainting();
    buffer.setInvalidated(false);
    overWhite_ = PlainWhiteBackground();
    if (overWhite_) buffer.LayOverWhite(area);
    composedLayout_ = layouts_;
    area_ = area;
  }

  // Asks for the composed area to be repainted.
  void Present() {
    if (!area_.isEmpty()) update(area_.translated(viewport().topLeft()));
  }

  // Times the plot was laid out.
  int Layouts() const { return layouts_; }

 protected:
  void paintEvent(QPaintEvent* event) override {
    owner_->EnsureDrawn();
    // A buffer laid over the background by the last draw, on the layout it was drawn on,
    // is what QCustomPlot's paint would show.
    if (!overWhite_ || composedLayout_ != layouts_ || Buffer() == nullptr || viewport() != rect() ||
        !PlainWhiteBackground() || !qFuzzyCompare(mBufferDevicePixelRatio, devicePixelRatioF())) {
      QCustomPlot::paintEvent(event);
      return;
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // One rectangle at a time: within a rectangle the copy is a plain one, where a region of
    // several (a chart partly covered) would split it among Qt's painting threads.
    for (const QRect& part : event->region()) {
      painter.setClipRect(part);
      painter.drawImage(viewport().topLeft(), Buffer()->Image());
    }
  }

  // Also reached from QCustomPlot's own replot, as after a resize, which draws the buffer
  // anew, and as it draws to a picture of another size.
  void updateLayout() override {
    QCustomPlot::updateLayout();
    laidOut_ = viewport();
    ++layouts_;
  }

 private:
  struct Pictures {
    std::unique_ptr<QCPPaintBufferPixmap> beneath;
    std::unique_ptr<QCPPaintBufferPixmap> above;
    bool made = false;
  };

  ImageBuffer* Buffer() const {
    return mPaintBuffers.size() == 1 ? dynamic_cast<ImageBuffer*>(mPaintBuffers.first().data())
                                     : nullptr;
  }

  bool PlainWhiteBackground() const {
    return mBackgroundPixmap.isNull() && mBackgroundBrush.style() == Qt::SolidPattern &&
           mBackgroundBrush.color() == QColor(Qt::white);
  }

  bool AllLayersShareOneBuffer() const {
    return std::all_of(mLayers.begin(), mLayers.end(),
                       [](const QCPLayer* l) { return l->mode() == QCPLayer::lmLogical; });
  }

  // Parts that draw nothing: hidden ones, the layouts, an idle selection rectangle.
  static bool DrawsNothing(const QCPLayerable& part) {
    if (!part.realVisibility() || qobject_cast<const QCPLayout*>(&part) != nullptr) return true;
    const auto* selection = qobject_cast<const QCPSelectionRect*>(&part);
    return selection != nullptr && !selection->isActive();
  }

  // Where the curves may draw: each is clipped to its axis rectangle, moved up a pixel.
  static QRect CurveArea(const QCPLayer& curves) {
    QRect area;
    for (const QCPLayerable* part : curves.children()) {
      if (!DrawsNothing(*part)) area |= PartAccess::Clip(*part).translated(0, -1);
    }
    return area;
  }

  // The parts beneath and above the curves, in drawing order.
  std::pair<QList<QCPLayerable*>, QList<QCPLayerable*>> Parts(const QCPLayer& curves) const {
    std::pair<QList<QCPLayerable*>, QList<QCPLayerable*>> parts;
    for (const QCPLayer* each : mLayers) {
      if (each == &curves) continue;
      (each->index() < curves.index() ? parts.first : parts.second).append(each->children());
    }
    return parts;
  }

  // Whether `last` is the last of `parts` that draws.
  static bool DrawnLast(const QList<QCPLayerable*>& parts, const QCPLayerable* last) {
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
      if (!DrawsNothing(**it)) return *it == last;
    }
    return false;
  }

  // Draws `parts` but `left` into a cleared picture, as a replot clears its buffer.
  static void Paint(QCPPaintBufferPixmap& picture, const QList<QCPLayerable*>& parts,
                    const QCPLayerable* left) {
    // Also gives a new picture its transparency.
    picture.clear(Qt::transparent);
    QCPPainter* painter = picture.startPainting();
    if (painter->isActive()) {
      for (QCPLayerable* part : parts) {
        if (part != left) PartAccess::Draw(*part, *painter);
      }
    }
    delete painter;
    picture.donePainting();
  }

  // The value axis and its grid can be left out of the pictures: each is the last part of
  // its picture that draws.
  bool ValueAxisDrawnLast(const QCPLayer& curves) const {
    const auto [beneath, above] = Parts(curves);
    return DrawnLast(beneath, yAxis->grid()) && DrawnLast(above, yAxis);
  }

  // Makes the key axis's pictures unless they stand for this plot area already.
  void KeepKeyAxisPictures(const QCPLayer& curves) {
    const QSize size = viewport().size();
    const QRect keyAxisPlace(axisRect()->rect());
    if (keyAxisPictures_.made && keyAxisPlace_ == keyAxisPlace &&
        keyAxisPictures_.beneath->size() == size &&
        keyAxisPictures_.beneath->devicePixelRatio() == mBufferDevicePixelRatio) {
      return;
    }
    const auto [beneath, above] = Parts(curves);
    for (auto* picture : {&keyAxisPictures_.beneath, &keyAxisPictures_.above}) {
      if (*picture == nullptr) {
        *picture = std::make_unique<QCPPaintBufferPixmap>(size, mBufferDevicePixelRatio);
      } else {
        (*picture)->setDevicePixelRatio(mBufferDevicePixelRatio);
        (*picture)->setSize(size);
      }
    }
    Paint(*keyAxisPictures_.beneath, beneath, yAxis->grid());
    Paint(*keyAxisPictures_.above, above, yAxis);
    keyAxisPictures_.made = true;
    keyAxisPlace_ = keyAxisPlace;
  }

  ChartControl* owner_;
  // Set by PrepareRedraw for Compose, and by Compose for Present.
  QCPLayer* curves_ = nullptr;
  bool relayout_ = false;
  QRect area_;
  // The last draw laid the buffer over the white background.
  bool overWhite_ = false;
  QRect laidOut_;
  int layouts_ = 0;
  // The layout the buffer was last composed on.
  int composedLayout_ = -1;
  // All but the value axis and its grid, and the plot area they were made for.
  Pictures keyAxisPictures_;
  QRect keyAxisPlace_;
};

namespace {

// Far above anything the program draws; keeps a stray count from eating memory.
constexpr int kMaxPoints = 4096;
constexpr int kMaxSeries = 64;

const QColor kSeriesColours[] = {QColor(0, 0, 192), QColor(192, 0, 0), QColor(0, 128, 0),
                                 QColor(160, 0, 160)};

std::optional<int> WholeNumber(double number) {
  if (!std::isfinite(number) || std::abs(number) > 1e9) return std::nullopt;
  return static_cast<int>(std::nearbyint(number));
}

// Whether a widget hides what lies beneath it.
bool Opaque(const QWidget& widget) {
  return widget.autoFillBackground() || widget.testAttribute(Qt::WA_OpaquePaintEvent) ||
         qobject_cast<const QMdiSubWindow*>(&widget) != nullptr;
}

QFont SmallFont() {
  QFont font;
  font.setPointSize(7);
  return font;
}

}  // namespace

ChartControl::ChartControl(QWidget* parent)
    : QWidget(parent), plot_(new ChartPlot(this)), legendRow_(new QLabel(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(plot_, 1);
  // The plot paints every pixel of itself, so a redraw never has to paint what lies beneath
  // (other windows, the background picture).
  plot_->setAttribute(Qt::WA_OpaquePaintEvent);
  // A replot that repainted at once would paint a stale chart from inside itself, where the
  // draw that the paint asks for cannot replot, and leave it so.
  plot_->setPlottingHint(QCP::phImmediateRefresh, false);

  for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
    axis->setTickLabelFont(SmallFont());
  }
  // The top and right axes stay hidden; with ticks they would still be worked out, and
  // their labels written, at every layout.
  for (QCPAxis* axis : {plot_->xAxis2, plot_->yAxis2}) {
    axis->setTicks(false);
    axis->setTickLabels(false);
  }
  plot_->legend->setVisible(false);
  // The plot's own legend stays hidden; entries in it would still be measured at every
  // layout.
  plot_->setAutoAddPlottableToLegend(false);
  // The overlay (a selection rectangle, never shown here) shares the one buffer rather than
  // clearing and laying a buffer of its own over the plot at every draw.
  plot_->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
  legendRow_->setAutoFillBackground(true);
  legendRow_->setPalette(QPalette(Qt::white));
  legendRow_->setVisible(false);
  legendRow_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  legendRow_->setFont(SmallFont());
  legendRow_->setContentsMargins(6, 0, 6, 2);
  legendRow_->setTextFormat(Qt::RichText);
  // Entries that do not fit the chart's width go on to a further line.
  legendRow_->setWordWrap(true);
  layout->addWidget(legendRow_);
  plot_->xAxis->setTicker(QSharedPointer<QCPAxisTickerText>::create());
  auto valueTicker = QSharedPointer<ValueAxisTicker>::create();
  valueTicker->setTickCount(4);
  plot_->yAxis->setTicker(valueTicker);
  Resize(1, 1);
}

ChartControl::~ChartControl() = default;

void ChartControl::Resize(int pointCount, int seriesCount) {
  pointCount_ = pointCount;
  series_.resize(static_cast<std::size_t>(seriesCount));
  // A new point holds no value until one is written.
  for (Series& series : series_) {
    series.values.resize(static_cast<std::size_t>(pointCount), 0.0);
    series.noValue.resize(static_cast<std::size_t>(pointCount), true);
  }
  pointLabels_.resize(static_cast<std::size_t>(pointCount));
  currentSeries_ = std::min(currentSeries_, seriesCount);
  currentPoint_ = std::min(currentPoint_, pointCount);
}

ChartControl::Series* ChartControl::CurrentSeries() {
  return &series_[static_cast<std::size_t>(currentSeries_ - 1)];
}

void ChartControl::Set(int id, double value) {
  const std::optional<int> number = WholeNumber(value);
  switch (id) {
    case chart::kChartPointCount:
      if (number && *number >= 1 && *number <= kMaxPoints) {
        Resize(*number, static_cast<int>(series_.size()));
      }
      break;
    case chart::kChartSeriesCount:
      if (number && *number >= 1 && *number <= kMaxSeries) Resize(pointCount_, *number);
      break;
    case chart::kChartCurrentSeries:
      if (number && *number >= 1 && *number <= static_cast<int>(series_.size())) {
        currentSeries_ = *number;
      }
      break;
    case chart::kChartCurrentPoint:
      if (number && *number >= 1 && *number <= pointCount_) currentPoint_ = *number;
      break;
    case chart::kChartValue:
      CurrentSeries()->values[static_cast<std::size_t>(currentPoint_ - 1)] = value;
      break;
    case chart::kChartPointLabel:
      SetText(id, QString::number(value));
      break;
    case chart::kAxisLabelMode:
      if (number) axisLabelMode_ = *number;
      break;
    case chart::kLegendStyle:
      if (number) legendOn_ = *number == chart::kLegendBelow;
      break;
    case chart::kChartDraw:
      if (number == chart::kDrawNow) MarkStale();
      break;
    default:
      break;
  }
}

void ChartControl::Set(int id, int index, double value) {
  switch (id) {
    case chart::kNoValue:
      if (index >= 1 && index <= pointCount_) {
        if (const std::optional<int> number = WholeNumber(value)) {
          CurrentSeries()->noValue[static_cast<std::size_t>(index - 1)] = *number != 0;
        }
      }
      break;
    case chart::kChartLegend:
      SetText(id, index, QString::number(value));
      break;
    default:
      break;
  }
}

void ChartControl::SetText(int id, const QString& text) {
  if (id == chart::kChartPointLabel) {
    pointLabels_[static_cast<std::size_t>(currentPoint_ - 1)] = text;
  }
}

void ChartControl::SetText(int id, int index, const QString& text) {
  if (id == chart::kChartLegend && index >= 1 && index <= static_cast<int>(series_.size())) {
    series_[static_cast<std::size_t>(index - 1)].legend = text;
  }
}

void ChartControl::Set(int id, const QVariant& value) {
  if (id == chart::kChartPointLabel) {
    SetText(id, value.toString());
    return;
  }
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (ok) Set(id, number);
}

void ChartControl::Set(int id, int index, const QVariant& value) {
  if (id == chart::kChartLegend) {
    SetText(id, index, value.toString());
    return;
  }
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (ok) Set(id, index, number);
}

QVariant ChartControl::Get(int id) const {
  switch (id) {
    case chart::kChartPointCount:
      return pointCount_;
    case chart::kChartSeriesCount:
      return static_cast<int>(series_.size());
    case chart::kChartCurrentSeries:
      return currentSeries_;
    case chart::kChartCurrentPoint:
      return currentPoint_;
    default:
      return {};
  }
}

double ChartControl::Value(int series, int point) const {
  if (series < 1 || series > static_cast<int>(series_.size()) || point < 1 || point > pointCount_) {
    return 0.0;
  }
  return series_[static_cast<std::size_t>(series - 1)].values[static_cast<std::size_t>(point - 1)];
}

bool ChartControl::HasValue(int series, int point) const {
  if (series < 1 || series > static_cast<int>(series_.size()) || point < 1 || point > pointCount_) {
    return false;
  }
  return !series_[static_cast<std::size_t>(series - 1)]
              .noValue[static_cast<std::size_t>(point - 1)];
}

QString ChartControl::PointLabel(int point) const {
  if (point < 1 || point > pointCount_) return {};
  return pointLabels_[static_cast<std::size_t>(point - 1)];
}

QString ChartControl::Legend(int series) const {
  if (series < 1 || series > static_cast<int>(series_.size())) return {};
  return series_[static_cast<std::size_t>(series - 1)].legend;
}

// The legend is a label under the plot rather than part of it: it only changes when its
// texts do, and drawing it with the plot on every refresh would cost half the time. An entry
// (its line sample and text) never breaks; lines break between entries.
void ChartControl::ShowLegend(const QStringList& texts, const std::vector<QColor>& colours) {
  if (texts == legendTexts_) return;
  legendTexts_ = texts;
  QStringList entries;
  for (int i = 0; i < texts.size(); ++i) {
    QString text = texts[i].toHtmlEscaped();
    text.replace(u' ', QStringLiteral("&nbsp;"));
    entries.append(QStringLiteral("<span style=\"color:%1\">&#x2500;&#x2500;</span>&nbsp;%2")
                       .arg(colours[static_cast<std::size_t>(i)].name(), text));
  }
  legendRow_->setText(entries.join(QStringLiteral("&nbsp;&nbsp;&nbsp; ")));
  legendRow_->setVisible(!texts.isEmpty());
}

void ChartControl::MarkStale() {
  ++draws_;
  stale_ = true;
  // Drawn once the caller has done: at the next pass of the event loop.
  if (drawQueued_) return;
  drawQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        drawQueued_ = false;
        DrawIfSeen();
      },
      Qt::QueuedConnection);
}

int ChartControl::Layouts() const { return plot_->Layouts(); }

bool ChartControl::CanBeSeen() const {
  if (!plot_->isVisible() || plot_->window()->isMinimized()) return false;
  // What is left of the plot once every ancestor has clipped it and every opaque widget
  // above it on the way up has covered it.
  QRegion left(plot_->rect());
  for (const QWidget* widget = plot_; !widget->isWindow(); widget = widget->parentWidget()) {
    const QWidget* parent = widget->parentWidget();
    left.translate(widget->pos());
    left &= parent->rect();
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
      // Most of a main window's children are its menus' actions.
      if (!siblings[i]->isWidgetType()) continue;
      const auto* above = static_cast<const QWidget*>(siblings[i]);
      if (!above->isWindow() && above->isVisible() && Opaque(*above) &&
          above->geometry().intersects(left.boundingRect())) {
        left -= above->geometry();
      }
    }
    if (left.isEmpty()) return false;
  }
  return true;
}

bool ChartControl::DrawIfSeen() {
  if (!stale_ || !CanBeSeen()) return false;
  Draw();
  return true;
}

void ChartControl::EnsureDrawn() {
  if (stale_) Draw();
}

void ChartControl::Draw() {
  if (PrepareDraw()) plot_->Compose();
  plot_->Present();
}

bool ChartControl::PrepareDraw() {
  stale_ = false;
  ++renders_;
  bool keyAxisChanged = !axesDrawn_;
  bool valueAxisChanged = !axesDrawn_;
  const int seriesCount = static_cast<int>(series_.size());
  while (plot_->graphCount() > seriesCount) plot_->removeGraph(plot_->graphCount() - 1);
  while (plot_->graphCount() < seriesCount) {
    QCPGraph* graph = plot_->addGraph();
    const QColor colour = kSeriesColours[static_cast<std::size_t>(plot_->graphCount() - 1) %
                                         std::size(kSeriesColours)];
    graph->setPen(QPen(colour, 1));
  }

  const double gap = std::numeric_limits<double>::quiet_NaN();
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  QStringList legendTexts;
  std::vector<QColor> legendColours;
  for (int s = 0; s < seriesCount; ++s) {
    const Series& series = series_[static_cast<std::size_t>(s)];
    QVector<QCPGraphData> data(pointCount_);
    int shownPoints = 0;
    for (int p = 0; p < pointCount_; ++p) {
      const double value = series.values[static_cast<std::size_t>(p)];
      const bool shown = !series.noValue[static_cast<std::size_t>(p)] && std::isfinite(value);
      data[p] = QCPGraphData(p + 1, shown ? value : gap);
      if (shown) {
        ++shownPoints;
        low = std::min(low, value);
        high = std::max(high, value);
      }
    }
    QCPGraph* graph = plot_->graph(s);
    // A lone point makes no line; a dot shows it, given alone so that no dot is worked out
    // for the empty points. Dots everywhere would double the cost of drawing.
    if (shownPoints == 1) {
      data.removeIf([](const QCPGraphData& point) { return std::isnan(point.value); });
    }
    graph->data()->set(data, true);
    const auto dots = shownPoints == 1 ? QCPScatterStyle::ssDisc : QCPScatterStyle::ssNone;
    if (graph->scatterStyle().shape() != dots) {
      graph->setScatterStyle(dots == QCPScatterStyle::ssDisc ? QCPScatterStyle(dots, 4)
                                                             : QCPScatterStyle());
    }
    if (legendOn_ && !series.legend.isEmpty()) {
      legendTexts.append(series.legend);
      legendColours.push_back(graph->pen().color());
    }
  }

  const QCPRange points(0.5, pointCount_ + 0.5);
  if (plot_->xAxis->range() != points) {
    plot_->xAxis->setRange(points);
    keyAxisChanged = true;
  }
  if (ShowAxisLabels()) keyAxisChanged = true;

  // With no value to show the value axis stays as it was: an emptied chart about to be
  // refilled keeps its layout.
  if (low <= high) {
    const double pad = low == high ? (low != 0.0 ? std::abs(low) * 0.1 : 1.0) : (high - low) * 0.05;
    const QCPRange values(low - pad, high + pad);
    if (plot_->yAxis->range() != values) {
      plot_->yAxis->setRange(values);
      valueAxisChanged = true;
    }
  }

  ShowLegend(legendTexts, legendColours);
  // Laid out again only when the axes changed. Everything is drawn into the one buffer:
  // curves drawn into a buffer of their own would blend their smoothed edges differently.
  axesDrawn_ = true;
  return plot_->PrepareRedraw(keyAxisChanged, valueAxisChanged);
}

bool ChartControl::ShowAxisLabels() {
  std::vector<std::pair<int, QString>> labels;
  for (int p = 1; p <= pointCount_; ++p) {
    const QString& label = pointLabels_[static_cast<std::size_t>(p - 1)];
    if (axisLabelMode_ == chart::kAxisLabelsFromPoints) {
      if (!label.isEmpty()) labels.emplace_back(p, label);
    } else if (p == 1 || p % 10 == 0) {
      labels.emplace_back(p, QString::number(p));
    }
  }
  if (labels == axisLabels_ && axesDrawn_) return false;
  auto ticker = qSharedPointerCast<QCPAxisTickerText>(plot_->xAxis->ticker());
  ticker->clear();
  for (const auto& [point, label] : labels) ticker->addTick(point, label);
  axisLabels_ = std::move(labels);
  return true;
}

void DrawAndFlush(std::span<ChartControl* const> charts) {
  std::vector<ChartControl*> drawn;
  std::vector<ChartPlot*> toCompose;
  for (ChartControl* chart : charts) {
    if (chart == nullptr || !chart->stale_ || !chart->CanBeSeen()) continue;
    drawn.push_back(chart);
    if (chart->PrepareDraw()) toCompose.push_back(chart->plot_);
  }
  // Each chart composes only into what it owns, so they compose side by side.
  SharedCrew().ForEach(toCompose.size(), [&](std::size_t i) { toCompose[i]->Compose(); });
  std::vector<QWidget*> windows;
  for (ChartControl* chart : drawn) {
    chart->plot_->Present();
    QWidget* window = chart->window();
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
      windows.push_back(window);
    }
  }
  // The drawn charts asked for their repaint; the window's pending repaint paints them all
  // and flushes once, now rather than after the run.
  for (QWidget* window : windows) QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
}

int ChartControl::DrawnPoints(int series) const {
  const_cast<ChartControl*>(this)->EnsureDrawn();
  if (series < 1 || series > plot_->graphCount()) return 0;
  const auto data = plot_->graph(series - 1)->data();
  return static_cast<int>(std::count_if(data->constBegin(), data->constEnd(),
                                        [](const auto& d) { return !std::isnan(d.value); }));
}

std::pair<double, double> ChartControl::ValueAxisRange() const {
  const_cast<ChartControl*>(this)->EnsureDrawn();
  return {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
}

std::vector<std::pair<int, QString>> ChartControl::AxisLabels() const {
  const_cast<ChartControl*>(this)->EnsureDrawn();
  std::vector<std::pair<int, QString>> labels;
  const auto ticker = qSharedPointerCast<QCPAxisTickerText>(plot_->xAxis->ticker());
  const QMap<double, QString>& ticks = ticker->ticks();
  for (auto it = ticks.constBegin(); it != ticks.constEnd(); ++it) {
    labels.emplace_back(static_cast<int>(it.key()), it.value());
  }
  return labels;
}

QStringList ChartControl::LegendEntries() const {
  const_cast<ChartControl*>(this)->EnsureDrawn();
  return legendTexts_;
}

}  // namespace talvair::platform
