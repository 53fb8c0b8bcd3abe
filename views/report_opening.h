// Opening a report from the Reports menu: an open report is only brought forward; a new one
// is built, registered and shown with its opening picture, which is then wiped away in
// horizontal blinds.
#pragma once

#include <QString>
#include <functional>

namespace talvair::views {

class ReportWindow;
class WindowManager;

// The resource path of a report's opening picture, by window key; empty for another key.
QString OpeningPicturePath(const QString& key);

// Paints the window white in `blinds` passes, each whitening every blinds-th pixel row
// (pass p the rows p, p + blinds, ...), pausing `delayMs` after each. No event is processed.
void WipeBlinds(int blinds, int delayMs, ReportWindow& window);
// A second's pause, the wipe, then the pending events.
void ShowOpeningWipe(ReportWindow& window);

// Makes a new report window (not yet hosted); the caller's window manager takes it.
using ReportFactory = std::function<ReportWindow*()>;

// The opening steps of a Reports menu item, under the hourglass. The new window is held
// through a guarded pointer across the wipe's final event processing: a report closed then
// ends the opening without being touched again.
void OpenReport(WindowManager& views, const QString& key, const ReportFactory& make);

}  // namespace talvair::views
