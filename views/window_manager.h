// The window manager: the open output windows in two keyed collections, found by key,
// refreshed, rebuilt and closed by kind after the run-control commands.
#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "views/view.h"

class QMdiArea;
class QMdiSubWindow;
class QObject;
class QWidget;

namespace talvair::views {

// Window keys. Numbers are written in decimal without sign, leading zeros or blanks.
inline const QString kReportBreakevenKey = QStringLiteral("report_breakeven");
inline const QString kReportCapacityKey = QStringLiteral("report_capacity");
inline const QString kReportEmployeesKey = QStringLiteral("report_employees");
inline const QString kReportFinanceKey = QStringLiteral("report_finance");
inline const QString kReportMktResearchKey = QStringLiteral("report_MktResearch");
inline const QString kReportStockKey = QStringLiteral("report_stock");
inline const QString kReportSummaryKey = QStringLiteral("report_summary");
QString TableKey(int tableNumber);
QString FixedGraphKey(int fixedNumber);
QString CustomGraphKey(int varNumber);

// Open windows under their keys, in the order they were added. Entries go when their window
// closes or is destroyed, so a walk works on a copy (Entries) and skips what has gone.
template <class V>
class ViewCollection {
 public:
  struct Entry {
    QString key;
    QMdiSubWindow* window;  // the MDI child
    V* view;                // its content
  };

  int Count() const { return static_cast<int>(items_.size()); }
  bool Contains(const QString& key) const { return Find(key).has_value(); }
  std::optional<Entry> Find(const QString& key) const {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const Item& item) { return item.entry.key == key; });
    if (it == items_.end()) return std::nullopt;
    return it->entry;
  }
  std::vector<Entry> Entries() const {
    std::vector<Entry> entries;
    entries.reserve(items_.size());
    for (const Item& item : items_) entries.push_back(item.entry);
    return entries;
  }
  // True while the window is still held (under whatever key).
  bool Holds(const QMdiSubWindow* window) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const Item& item) { return item.entry.window == window; });
  }

 private:
  friend class WindowManager;
  struct Item {
    Entry entry;
    const QObject* content;  // the view as a widget, to notice its own destruction
  };
  void Add(Entry entry, const QObject* content) { items_.push_back({std::move(entry), content}); }
  // Drops the entry whose window or content is `object`.
  void Remove(const QObject* object) {
    std::erase_if(items_, [&](const Item& item) {
      return static_cast<const QObject*>(item.entry.window) == object || item.content == object;
    });
  }

  std::vector<Item> items_;
};

// Qt places a new child window where it overlaps the others least, which may be partly past
// the area's right or bottom edge; this pulls it back in as far as its size allows. A minimised
// or maximised window keeps its state: its normal place is pulled in.
void KeepInsideArea(QMdiSubWindow& window);

// Hosts `content` in a new child window of the area, deleted when it closes. Closed while
// active, it hands the activation on to the topmost other child, as the platform does; the
// area alone would leave whatever child the focus happens to fall into, or none.
QMdiSubWindow* AddChildWindow(QMdiArea& area, QWidget* content);

// The MDI child hosting an output window's content; nullptr for any other window.
View* ViewOf(const QMdiSubWindow* window);

class WindowManager {
 public:
  // Makes a new data-table window: a widget implementing TableView, owned by the caller.
  using TableWindowFactory = std::function<TableView*()>;

  // The area belongs to the main window and must outlive the manager.
  explicit WindowManager(QMdiArea* area);
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // Registering a window: `view` must be a widget not yet in a child window. The manager
  // hosts it in a new, hidden MDI child (its parentWidget) that deletes itself when closed,
  // and drops the entry as soon as a close is accepted or either is destroyed. Returns the
  // child window, or nullptr when the key is taken or the view is not such a widget; the
  // view then stays the caller's.
  QMdiSubWindow* AddOpenView(const QString& key, UpdatableView* view);
  QMdiSubWindow* AddGraphWindow(const QString& key, View* view);

  const ViewCollection<UpdatableView>& OpenViews() const { return openViews_; }
  const ViewCollection<View>& GraphWindows() const { return graphWindows_; }

  // An empty view type means every window. Errors raised by the windows pass through.
  void UpdateViews(const QString& viewType);
  void ResetViews(const QString& viewType);
  void CloseViews(const QString& viewType);

  // Looks in OpenViews only; ignores every error.
  void CloseView(const QString& viewKey);
  // Gives the focus to the window OpenViews holds under the key; false when there is none or
  // it did not take the focus. Never throws.
  bool ActivateView(const QString& viewKey);
  // Shows the window GraphWindows holds under the key and gives it the focus, without
  // rebuilding it; false when there is none.
  bool ShowGraphWindow(const QString& viewKey);

  void SetTableWindowFactory(TableWindowFactory factory);
  // Brings the table's open window forward, or makes, registers and builds a new one.
  void ShowTable(int tableNumber);
  void ShowSummaryTable();

 private:
  QMdiSubWindow* Host(QWidget* content);
  void Forget(const QObject* object);

  QMdiArea* area_;
  // Context of the connections to the windows, so none outlives the manager.
  std::unique_ptr<QObject> guard_;
  ViewCollection<UpdatableView> openViews_;
  ViewCollection<View> graphWindows_;
  TableWindowFactory tableWindowFactory_;
};

}  // namespace talvair::views
