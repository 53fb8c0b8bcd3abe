// What a grid's cell draws: each text its painter hands to the paint engine, with its font and
// where its ink begins and ends, so a test can tell a whole figure from a cut one. A text that
// a later fill paints over is dropped.
#pragma once

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTextItem>
#include <algorithm>
#include <span>
#include <vector>

namespace talvair::testing {

struct DrawnText {
  QString text;  // without the blanks around it
  QFont font;
  double left, right, baseline;
  double shownMiddle;  // the middle of what lies within the clip
};

class TextRecorder : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine_; }

  // Draws the cell at `index` of `view` as the view would, where the view would.
  std::vector<DrawnText> Cell(const QAbstractItemView& view, const QModelIndex& index) {
    engine_.texts.clear();
    QStyleOptionViewItem option;
    option.initFrom(view.viewport());
    option.rect = view.visualRect(index);
    QPainter painter(this);
    view.itemDelegate()->paint(&painter, option, index);
    return engine_.texts;
  }

 protected:
  // An image's resolution, which the cells measure their texts in.
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return QImage(1, 1, QImage::Format_ARGB32).logicalDpiX();
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      case PdmDepth:
        return 32;
      default:
        return metric == PdmWidth || metric == PdmHeight ? 4000 : 1;
    }
  }

 private:
  // The painter is never transformed here, so its coordinates are the device's.
  struct Engine : QPaintEngine {
    Engine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF* rects, int count) override {
      if (painter()->brush().style() == Qt::NoBrush) return;
      for (const QRectF& rect : std::span(rects, static_cast<std::size_t>(count))) {
        std::erase_if(texts, [&](const DrawnText& text) {
          return rect.contains(QPointF(text.shownMiddle, text.baseline - 1));
        });
      }
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
      const QString text = item.text();
      const QString ink = text.trimmed();
      if (ink.isEmpty()) return;
      const QFontMetricsF metrics(item.font(), painter()->device());
      const double left = p.x() + metrics.horizontalAdvance(text.left(text.indexOf(ink)));
      const double right = left + metrics.horizontalAdvance(ink);
      const QRectF clip = painter()->hasClipping() ? painter()->clipBoundingRect()
                                                   : QRectF(left, 0, right - left, 1);
      const double middle = (std::max(left, clip.left()) + std::min(right, clip.right())) / 2;
      texts.push_back({ink, item.font(), left, right, p.y(), middle});
    }
    std::vector<DrawnText> texts;
  };

  mutable Engine engine_;
};

}  // namespace talvair::testing
