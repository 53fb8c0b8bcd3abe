// What a grid's cells draw: each text a painter hands to its paint engine, with its font and
// the horizontal extent of its ink, so a test can tell a whole figure from a cut one.
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
  QString text;  // blanks around it left out
  QFont font;
  double left, right, baseline;
  double shownLeft, shownRight;  // within the clip
};

class TextRecorder : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine_; }

  // Draws the cell at `index` of `view` as the view would, at its place in the view.
  std::vector<DrawnText> Cell(const QAbstractItemView& view, const QModelIndex& index) {
    engine_.texts.clear();
    QStyleOptionViewItem option;
    option.initFrom(view.viewport());
    option.rect = view.visualRect(index);
    QPainter painter(this);
    painter.setFont(view.font());
    view.itemDelegate()->paint(&painter, option, index);
    painter.end();
    return engine_.texts;
  }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
      case PdmHeight:
        return 4000;
      case PdmDpiX:
      case PdmPhysicalDpiX:
        return probe_.logicalDpiX();
      case PdmDpiY:
      case PdmPhysicalDpiY:
        return probe_.logicalDpiY();
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return metric == PdmDepth ? 32 : 1;
    }
  }

 private:
  struct Engine : QPaintEngine {
    Engine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    // A fill paints over what was drawn beneath it.
    void drawRects(const QRectF* rects, int count) override {
      if (painter()->brush().style() == Qt::NoBrush) return;
      for (const QRectF& rect : std::span(rects, static_cast<std::size_t>(count))) {
        const QRectF filled = painter()->transform().mapRect(rect);
        std::erase_if(texts, [&](const DrawnText& text) {
          return filled.contains(
              QPointF((text.shownLeft + text.shownRight) / 2, text.baseline - 1));
        });
      }
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
      const QString text = item.text();
      const QFontMetricsF metrics(item.font(), painter()->device());
      qsizetype lead = 0;
      while (lead < text.size() && text.at(lead).isSpace()) ++lead;
      const QString ink = text.mid(lead).trimmed();
      if (ink.isEmpty()) return;
      const QPointF at = painter()->transform().map(p);
      const double left = at.x() + metrics.horizontalAdvance(text.left(lead));
      const double right = left + metrics.horizontalAdvance(ink);
      const QRectF clip = painter()->hasClipping()
                              ? painter()->transform().mapRect(painter()->clipBoundingRect())
                              : QRectF(left, 0, right - left, 1);
      texts.push_back({ink, item.font(), left, right, at.y(), std::max(left, clip.left()),
                       std::min(right, clip.right())});
    }
    std::vector<DrawnText> texts;
  };

  QImage probe_{1, 1, QImage::Format_ARGB32};
  mutable Engine engine_;
};

}  // namespace talvair::testing
