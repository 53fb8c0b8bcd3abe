// The timeline of the main window's toolbar: the current period's label centred, and a
// progress bar from the left edge that inverts the label where it covers it.
#pragma once

#include <QFrame>
#include <QString>

namespace talvair::shell {

class TimelineBox : public QFrame {
 public:
  explicit TimelineBox(QWidget* parent = nullptr);

  // Shows the label with a bar of percent / 100 of the inner width (not bounded by 100).
  void SetProgress(const QString& label, int percent);
  const QString& Label() const { return label_; }
  int Percent() const { return percent_; }
  // The bar's width in pixels, rounded half to even.
  int BarWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString label_;
  int percent_ = 0;
};

}  // namespace talvair::shell
