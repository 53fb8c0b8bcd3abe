#include "views/report_opening.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPointer>
#include <cmath>
#include <vector>

#include "platform/grid_control.h"
#include "platform/pause.h"
#include "platform/twips.h"
#include "platform/wait_cursor.h"
#include "views/report_window.h"
#include "views/window_manager.h"

namespace talvair::views {

namespace {

constexpr int kBlinds = 12;
constexpr int kBlindDelayMs = 1;
constexpr int kPictureShowsMs = 1000;

// The pointer goes back to the default however the opening ends.
class HourglassScope {
 public:
  HourglassScope() { platform::ShowHourglass(); }
  ~HourglassScope() { platform::ResetMousePointer(); }
  HourglassScope(const HourglassScope&) = delete;
  HourglassScope& operator=(const HourglassScope&) = delete;
};

void SetGridsVisible(const ReportWindow& report, bool visible) {
  for (platform::GridControl* grid : report.Grids()) grid->setVisible(visible);
}

// A new report's focus goes to its first grid. Hiding the grids for the picture moved the
// window's own focus child along to the last of them, which says nothing of the player.
void GiveFocus(WindowManager& views, const QString& key, ReportWindow& report) {
  const std::vector<platform::GridControl*> grids = report.Grids();
  if (!grids.empty()) grids.front()->setFocus(Qt::OtherFocusReason);
  views.ActivateView(key);
}

}  // namespace

QString OpeningPicturePath(const QString& key) {
  static const QString kKeys[] = {kReportBreakevenKey, kReportCapacityKey,    kReportEmployeesKey,
                                  kReportFinanceKey,   kReportMktResearchKey, kReportStockKey,
                                  kReportSummaryKey};
  for (const QString& known : kKeys) {
    if (known == key) return QStringLiteral(":/images/%1.png").arg(key.toLower());
  }
  return {};
}

void WipeBlinds(int blinds, int delayMs, ReportWindow& window) {
  if (blinds <= 0) return;
  const double pixelHeight = static_cast<double>(window.ScaleHeight()) / platform::kTwipsPerPixel;
  const int rowsPerBlind = static_cast<int>(std::floor(pixelHeight / blinds + 0.5));
  // Twips, so wider than the window in pixels: the painting is clipped to the window.
  const int width = window.ScaleWidth();
  std::vector<int> rows;
  for (int pass = 0; pass < blinds; ++pass) {
    rows.clear();
    for (int j = 0; j < rowsPerBlind; ++j) rows.push_back(j * blinds + pass);
    window.WhitenRows(rows, width);
    platform::Pause(delayMs);
  }
}

void ShowOpeningWipe(ReportWindow& window) {
  platform::Pause(kPictureShowsMs);
  WipeBlinds(kBlinds, kBlindDelayMs, window);
  QCoreApplication::processEvents();
}

void OpenReport(WindowManager& views, const QString& key, const ReportFactory& make) {
  const HourglassScope hourglass;
  if (views.ActivateView(key)) return;
  // Held but unable to take the focus: still open, never registered twice.
  if (views.OpenViews().Contains(key)) return;

  ReportWindow* made = make ? make() : nullptr;
  if (made == nullptr) return;
  QMdiSubWindow* window = views.AddOpenView(key, made);
  if (window == nullptr) {
    delete made;
    return;
  }
  const QPointer<QMdiSubWindow> host(window);
  const QPointer<ReportWindow> report(made);

  window->show();
  SetGridsVisible(*report, false);
  report->SetBackgroundPicture(QPixmap(OpeningPicturePath(key)));
  // The whole main window is painted now, where the closed menu stood too, with paint events
  // only: no other event runs until the wipe is over.
  window->window()->repaint();
  ShowOpeningWipe(*report);
  if (!host || !report || !views.OpenViews().Holds(host)) return;

  report->RemoveBackgroundPicture();
  SetGridsVisible(*report, true);
  GiveFocus(views, key, *report);
}

}  // namespace talvair::views
