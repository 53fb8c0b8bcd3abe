#include "shell/timeline_box.h"

#include <QPainter>
#include <cmath>

namespace talvair::shell {

TimelineBox::TimelineBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

void TimelineBox::SetProgress(const QString& label, int percent) {
  label_ = label;
  percent_ = percent;
  update();
}

int TimelineBox::BarWidth() const {
  // The default rounding mode rounds halves to even, as the percentage does.
  return static_cast<int>(std::nearbyint(percent_ / 100.0 * contentsRect().width()));
}

void TimelineBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const QRect inner = contentsRect();
  QPainter painter(this);
  painter.translate(inner.topLeft());
  painter.fillRect(QRect(0, 0, inner.width(), inner.height()), palette().color(QPalette::Base));

  const QFontMetrics metrics(font());
  const QPoint textTopLeft((inner.width() - metrics.horizontalAdvance(label_)) / 2,
                           (inner.height() - metrics.height()) / 2);
  const QPoint baseline = textTopLeft + QPoint(0, metrics.ascent());
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(baseline, label_);

  // The bar covers the label; where it does, the label shows in the bar's contrast colour.
  const QRect bar(0, 0, BarWidth(), inner.height());
  painter.fillRect(bar, palette().color(QPalette::Highlight));
  painter.setClipRect(bar);
  painter.setPen(palette().color(QPalette::HighlightedText));
  painter.drawText(baseline, label_);
}

}  // namespace talvair::shell
