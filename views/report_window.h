// The report-window family: the seven windows that each show a handful of model variables
// for the current quarter. This is what they share: the view protocol, how a report places
// itself, switches the main window's Edit > Copy item as the focus comes and goes, refuses to
// close while it is being built, and carries its opening picture during the wipe.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

#include "views/view.h"

class QMdiSubWindow;

namespace talvair {
class game;
}

namespace talvair::platform {
class GridControl;
}

namespace talvair::views {

// True only while the report windows are being cascaded; a report activated meanwhile in its
// normal state first moves home.
extern bool CascadingReports;

// A value held in single precision, as its shortest decimal text reads back: the figure a
// report shows has about seven significant digits. Values beyond single precision become
// infinite.
double Single(double value);
// A value in a number pattern ("#,##0.00") with the current locale's signs.
QString FormatValue(double value, const char* pattern);

// The family's window font (used to measure label columns) and the grids' font.
QFont ReportWindowFont();
QFont ReportGridFont();
// A text's width in a font, in whole twips.
int TextWidthTwips(const QFont& font, const QString& text);

class ReportWindow : public QWidget, public UpdatableView {
  Q_OBJECT

 public:
  ~ReportWindow() override;

  QString VIEW_TYPE() const override { return kViewTypeReport; }
  QString Tag() const override { return kTagReport; }
  // For a report, rebuilding is refreshing.
  void Reset() override { Update(); }

  // False while the window is being built. Only windows that list it consult it.
  bool Complete() const { return complete_; }
  void Complete(bool complete) { complete_ = complete; }

  // The MDI child the window manager hosts this window in; nullptr before.
  QMdiSubWindow* SubWindow() const { return subWindow_; }
  // The window's outer place and size in twips: the MDI child's, within the main window's
  // client area. Until first shown, the size it will take.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void Move(double left, double top);
  // The inner size in twips.
  int ScaleWidth() const;
  int ScaleHeight() const;
  // Neither minimised nor maximised.
  bool IsNormalState() const;

  // The home position, where the window goes when loaded and, during a cascade of reports,
  // when activated.
  virtual void PositionWindow();
  // The grids, which the opener hides while the opening picture shows.
  virtual std::vector<platform::GridControl*> Grids() const = 0;

  // The background picture of the opening, drawn over the background colour to fill the
  // window and kept as the window's own drawing, which the wipe then paints white row by row.
  void SetBackgroundPicture(const QPixmap& picture);
  void RemoveBackgroundPicture();
  bool HasBackgroundPicture() const { return !canvas_.isNull(); }
  // Paints white pixel rows over the drawing (clipped to it) and shows the result at once.
  void WhitenRows(const std::vector<int>& rows, int width);
  const QImage& Canvas() const { return canvas_; }

  QColor BackColor() const;
  void SetBackColor(const QColor& colour);

 protected:
  explicit ReportWindow(game& model, QWidget* parent = nullptr);

  game& Model() const { return model_; }
  // The size the window takes when hosted, in twips.
  void SetWindowSize(double width, double height);
  // The home Top; the family's Left is 31 % of the screen's width.
  virtual int HomeTop() const { return 0; }
  // Connects a grid's focus, click and mouse events to the handlers below.
  void WatchGrid(platform::GridControl* grid);

  // Window events, as the family answers them; reports override where they depart.
  virtual void Form_Activate();
  virtual void Form_GotFocus();
  virtual void FlxGrid_GotFocus();
  virtual void FlxGrid_Click() {}
  virtual void Form_LostFocus();
  // Button and shift as the grid control reports them; position in twips.
  virtual void Form_MouseDown(int button, int shift, int x, int y);
  virtual void Form_MouseMove();
  virtual void Form_Unload();

  // For the reports that refuse every close request while Complete is False.
  void RefuseCloseWhileLoading() { refuseWhileLoading_ = true; }
  void EnableCopyInNormalState();

  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Hosted(QMdiSubWindow* subWindow);
  bool FocusInside(const QWidget* widget) const;
  void FocusLeft();

  game& model_;
  QMdiSubWindow* subWindow_ = nullptr;
  double windowWidth_ = 0;
  double windowHeight_ = 0;
  bool complete_ = false;
  bool refuseWhileLoading_ = false;
  bool placed_ = false;
  QImage canvas_;
};

}  // namespace talvair::views
