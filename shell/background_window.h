// frmBackground: the child window that fills the main window's client area with the
// background picture, behind every other child. It takes neither clicks nor the focus.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>

class QMdiArea;

namespace talvair::shell {

class StretchedPicture;

class frmBackground : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit frmBackground(QWidget* parent = nullptr);

  // Adds the window to the area over its whole client area, disabled, and keeps it there
  // and at the back from then on, with the minimised children's bars in sight.
  void Load(QMdiArea* area);
  // Sizes the picture box and the picture to the window.
  void Paint();

  QWidget* PicBackground() const { return picBackground_; }
  StretchedPicture* imgBackgroundFull() const { return imgBackgroundFull_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitClientArea();
  // Watches a sibling's stacking and state.
  void Follow(QObject* child);
  // Puts the background at the back and the minimised children's bars over the normal ones.
  void Restack();

  // The area's viewport rather than the area: the siblings' last events come while the area
  // is being destroyed, when it is no longer a QMdiArea.
  QPointer<QWidget> viewport_;
  QWidget* form_ = nullptr;
  QWidget* picBackground_ = nullptr;
  StretchedPicture* imgBackgroundFull_ = nullptr;
  bool restacking_ = false;
};

// Loads the background window into the area and shows it; the main window's load calls it.
QMdiSubWindow* CreateBackgroundWindow(QMdiArea* area);

}  // namespace talvair::shell
