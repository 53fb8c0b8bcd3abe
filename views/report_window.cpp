#include "views/report_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "model/game.h"
#include "numtext/number_text.h"
#include "platform/grid_control.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "views/copy_menu.h"

namespace talvair::views {

bool CascadingReports = false;

double Single(double value) {
  if (!std::isfinite(value)) return value;
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::copysign(std::numeric_limits<double>::infinity(), value);
  }
  const float single = static_cast<float>(value);
  std::array<char, 64> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), single);
  double shown = single;
  std::from_chars(text.data(), written.ptr, shown);
  return shown;
}

QString FormatValue(double value, const char* pattern) {
  return QString::fromStdString(numtext::FormatNumber(value, pattern));
}

namespace {
// The reports were laid out for narrow fonts; where those are missing a condensed face keeps
// the labels within their columns.
QFont ReportFont(const QString& family) {
  QFont font;
  font.setFamilies({family, QStringLiteral("DejaVu Sans Condensed")});
  font.setPointSizeF(8.25);
  font.setBold(true);
  return font;
}
}  // namespace

QFont ReportWindowFont() { return ReportFont(QStringLiteral("MS Sans Serif")); }
QFont ReportGridFont() { return ReportFont(QStringLiteral("Tahoma")); }

int TextWidthTwips(const QFont& font, const QString& text) {
  return platform::PixelsToTwips(QFontMetrics(font).horizontalAdvance(text));
}

ReportWindow::ReportWindow(game& model, QWidget* parent) : QWidget(parent), model_(model) {
  setFont(ReportWindowFont());
  setAutoFillBackground(true);
  SetBackColor(Qt::white);
  setMouseTracking(true);
  installEventFilter(this);
}

ReportWindow::~ReportWindow() = default;

int ReportWindow::Left() const { return subWindow_ ? platform::WindowLeft(*subWindow_) : 0; }
int ReportWindow::Top() const { return subWindow_ ? platform::WindowTop(*subWindow_) : 0; }

int ReportWindow::Width() const {
  return placed_ ? platform::WindowWidth(*subWindow_) : static_cast<int>(windowWidth_);
}

int ReportWindow::Height() const {
  return placed_ ? platform::WindowHeight(*subWindow_) : static_cast<int>(windowHeight_);
}

void ReportWindow::Move(double left, double top) {
  if (subWindow_) platform::MoveWindow(*subWindow_, left, top);
}

int ReportWindow::ScaleWidth() const { return platform::PixelsToTwips(width()); }
int ReportWindow::ScaleHeight() const { return platform::PixelsToTwips(height()); }

bool ReportWindow::IsNormalState() const {
  return !subWindow_ || !(subWindow_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

void ReportWindow::SetWindowSize(double width, double height) {
  windowWidth_ = width;
  windowHeight_ = height;
  if (placed_) platform::ResizeWindow(*subWindow_, width, height);
}

void ReportWindow::PositionWindow() {
  const double screenWidth = platform::ScreenWidth();
  // Kept in single precision: the left edge stands at 31 % of the screen's width.
  const auto left = static_cast<float>(screenWidth - (screenWidth / 3) * 2.07);
  Move(left, HomeTop());
}

QColor ReportWindow::BackColor() const { return palette().color(QPalette::Window); }

void ReportWindow::SetBackColor(const QColor& colour) {
  QPalette background = palette();
  background.setColor(QPalette::Window, colour);
  setPalette(background);
}

void ReportWindow::SetBackgroundPicture(const QPixmap& picture) {
  canvas_ = QImage(size(), QImage::Format_RGB32);
  canvas_.fill(BackColor());
  if (!picture.isNull()) {
    // Windows differ in size with the language and the fonts; the picture fills the window.
    const QPixmap filled =
        picture.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QPainter painter(&canvas_);
    painter.drawPixmap((width() - filled.width()) / 2, (height() - filled.height()) / 2, filled);
  }
  repaint();
}

void ReportWindow::RemoveBackgroundPicture() {
  canvas_ = QImage();
  update();
}

void ReportWindow::WhitenRows(const std::vector<int>& rows, int width) {
  if (canvas_.isNull()) return;
  QPainter painter(&canvas_);
  for (int y : rows) painter.fillRect(0, y, width, 1, Qt::white);
  painter.end();
  // Nothing else runs during the wipe: each pass must reach the screen now.
  repaint();
}

void ReportWindow::WatchGrid(platform::GridControl* grid) {
  connect(grid, &platform::GridControl::GotFocus, this, [this] { FlxGrid_GotFocus(); });
  connect(grid, &platform::GridControl::LostFocus, this, [this] { FocusLeft(); });
  connect(grid, &platform::GridControl::Click, this, [this] { FlxGrid_Click(); });
}

void ReportWindow::EnableCopyInNormalState() {
  if (IsNormalState()) EnableCopyMenu();
}

void ReportWindow::Form_Activate() {
  if (IsNormalState() && CascadingReports) PositionWindow();
}

void ReportWindow::Form_GotFocus() { EnableCopyInNormalState(); }
void ReportWindow::FlxGrid_GotFocus() { EnableCopyInNormalState(); }
void ReportWindow::Form_LostFocus() { ResetCopyMenu(); }

void ReportWindow::Form_MouseDown(int button, int /*shift*/, int /*x*/, int /*y*/) {
  if (button == platform::kButtonRight) setFocus(Qt::MouseFocusReason);
}

void ReportWindow::Form_MouseMove() { unsetCursor(); }

void ReportWindow::Form_Unload() { ResetCopyMenu(); }

bool ReportWindow::FocusInside(const QWidget* widget) const {
  return widget != nullptr && (widget == this || isAncestorOf(widget));
}

void ReportWindow::FocusLeft() {
  if (!FocusInside(QApplication::focusWidget())) Form_LostFocus();
}

bool ReportWindow::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange && subWindow_ == nullptr) {
    if (auto* host = qobject_cast<QMdiSubWindow*>(parentWidget())) Hosted(host);
  }
  return QWidget::event(event);
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    const auto& focus = *static_cast<QFocusEvent*>(event);
    if (platform::FocusChangeCounts(*this, focus)) {
      if (event->type() == QEvent::FocusIn) {
        Form_GotFocus();
      } else {
        FocusLeft();
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ReportWindow::Hosted(QMdiSubWindow* subWindow) {
  subWindow_ = subWindow;
  connect(subWindow, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates before, Qt::WindowStates now) {
            if (!(before & Qt::WindowActive) && (now & Qt::WindowActive)) Form_Activate();
          });
}

void ReportWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The MDI area sizes a child it takes in; the window takes its own place when first shown.
  if (subWindow_ != nullptr && !placed_) {
    placed_ = true;
    platform::ResizeWindow(*subWindow_, windowWidth_, windowHeight_);
    PositionWindow();
  }
}

void ReportWindow::closeEvent(QCloseEvent* event) {
  if (refuseWhileLoading_ && !complete_) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void ReportWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Form_MouseDown(platform::MouseButtonCode(event->button()),
                 platform::ShiftCode(event->modifiers()), platform::PixelsToTwips(at.x()),
                 platform::PixelsToTwips(at.y()));
}

void ReportWindow::mouseMoveEvent(QMouseEvent* /*event*/) { Form_MouseMove(); }

void ReportWindow::paintEvent(QPaintEvent* event) {
  if (canvas_.isNull()) {
    QWidget::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_);
}

}  // namespace talvair::views
