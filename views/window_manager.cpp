#include "views/window_manager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "platform/screen.h"

namespace talvair::views {

namespace internal {

// The child that takes over when the active one closes, as on the platform: the topmost other
// that can be activated; nullptr when there is none.
QMdiSubWindow* NextChild(const QMdiArea& area, const QMdiSubWindow* closing) {
  const QList<QMdiSubWindow*> stack = area.subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
    QMdiSubWindow* next = *it;
    if (next != closing && next->isVisible() && next->isEnabled()) return next;
  }
  return nullptr;
}

// The MDI child of a registered window. It reports an accepted close at once, so the entry
// is gone before close() returns rather than when the deferred deletion runs.
class ViewHost : public QMdiSubWindow {
  Q_OBJECT

 public:
  using QMdiSubWindow::QMdiSubWindow;

 signals:
  void Unloaded(QObject* window);

 protected:
  void closeEvent(QCloseEvent* event) override {
    QMdiArea* area = mdiArea();
    // Chosen before the area picks a window of its own.
    QMdiSubWindow* next =
        area != nullptr && area->activeSubWindow() == this ? NextChild(*area, this) : nullptr;
    // The base asks the content first, which may refuse.
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    next_ = next;
    emit Unloaded(this);
  }
  // The area has dealt with the closed window by now, so the choice is not undone.
  void hideEvent(QHideEvent* event) override {
    QMdiSubWindow::hideEvent(event);
    const QPointer<QMdiSubWindow> next = std::exchange(next_, nullptr);
    QMdiArea* area = mdiArea();
    if (next && area != nullptr && next->isVisible()) platform::ActivateSubWindow(*area, *next);
  }

 private:
  QPointer<QMdiSubWindow> next_;
};

// A child window holding `content`, gone once closed; not yet in an area.
ViewHost* NewHost(QWidget* content) {
  auto* host = new ViewHost;
  host->setWidget(content);
  host->setAttribute(Qt::WA_DeleteOnClose);
  return host;
}

}  // namespace internal

namespace {

// Calls `call` on each window of the collection whose VIEW_TYPE is `viewType`, or on every
// window for an empty type, in the order they were added. Works on a copy of the entries
// so a window may close (and leave the collection) while it is visited; one that has already
// gone is skipped.
template <class V, class Call>
void Walk(const ViewCollection<V>& collection, const QString& viewType, Call call) {
  for (const auto& entry : collection.Entries()) {
    if (!collection.Holds(entry.window)) continue;
    if (!viewType.isEmpty() && entry.view->VIEW_TYPE() != viewType) continue;
    call(entry);
  }
}

// Activating the active window changes nothing, so a window whose focus went elsewhere (Run
// takes it) gets it back here: on the control that had it, else on the window itself.
void TakeFocusBack(QMdiSubWindow& window) {
  QWidget* content = window.widget();
  if (content == nullptr) return;
  // The frame itself may hold the focus; only the content's controls count.
  const QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && content->isAncestorOf(focus)) return;
  QWidget* last = content->focusWidget();
  if (last != nullptr && content->isAncestorOf(last) && last->isVisible() && last->isEnabled()) {
    last->setFocus(Qt::OtherFocusReason);
  } else {
    content->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace

QString TableKey(int tableNumber) {
  return QStringLiteral("table_") + QString::number(tableNumber);
}

QString FixedGraphKey(int fixedNumber) {
  return QStringLiteral("fixedgraph_") + QString::number(fixedNumber);
}

QString CustomGraphKey(int varNumber) {
  return QStringLiteral("customgraph_") + QString::number(varNumber);
}

View* ViewOf(const QMdiSubWindow* window) {
  if (!window) return nullptr;
  return dynamic_cast<View*>(window->widget());
}

WindowManager::WindowManager(QMdiArea* area) : area_(area), guard_(std::make_unique<QObject>()) {}

// Deleting the guard cuts every connection to windows that may outlive the manager.
WindowManager::~WindowManager() = default;

QMdiSubWindow* AddChildWindow(QMdiArea& area, QWidget* content) {
  QMdiSubWindow* host = internal::NewHost(content);
  area.addSubWindow(host);
  return host;
}

QMdiSubWindow* WindowManager::Host(QWidget* content) {
  if (!content || !area_) return nullptr;
  if (qobject_cast<QMdiSubWindow*>(content) ||
      qobject_cast<QMdiSubWindow*>(content->parentWidget())) {
    return nullptr;
  }
  // Closing a window unloads it: the next opening makes a new one.
  internal::ViewHost* host = internal::NewHost(content);
  platform::FollowNormalGeometry(*host);
  area_->addSubWindow(host);

  const auto forget = [this](QObject* object) { Forget(object); };
  QObject::connect(host, &internal::ViewHost::Unloaded, guard_.get(), forget);
  QObject::connect(host, &QObject::destroyed, guard_.get(), forget);
  QObject::connect(content, &QObject::destroyed, guard_.get(), forget);
  return host;
}

void WindowManager::Forget(const QObject* object) {
  openViews_.Remove(object);
  graphWindows_.Remove(object);
}

QMdiSubWindow* WindowManager::AddOpenView(const QString& key, UpdatableView* view) {
  if (openViews_.Contains(key)) return nullptr;
  auto* content = dynamic_cast<QWidget*>(view);
  QMdiSubWindow* window = Host(content);
  if (!window) return nullptr;
  openViews_.Add({key, window, view}, content);
  return window;
}

QMdiSubWindow* WindowManager::AddGraphWindow(const QString& key, View* view) {
  if (graphWindows_.Contains(key)) return nullptr;
  auto* content = dynamic_cast<QWidget*>(view);
  QMdiSubWindow* window = Host(content);
  if (!window) return nullptr;
  graphWindows_.Add({key, window, view}, content);
  return window;
}

void WindowManager::UpdateViews(const QString& viewType) {
  Walk(openViews_, viewType, [](const auto& entry) { entry.view->Update(); });
}

void WindowManager::ResetViews(const QString& viewType) {
  Walk(openViews_, viewType, [](const auto& entry) { entry.view->Reset(); });
}

void WindowManager::CloseViews(const QString& viewType) {
  const auto close = [](const auto& entry) { entry.window->close(); };
  Walk(openViews_, viewType, close);
  Walk(graphWindows_, viewType, close);
}

void WindowManager::CloseView(const QString& viewKey) {
  try {
    if (const auto entry = openViews_.Find(viewKey)) entry->window->close();
  } catch (...) {
    // A window that fails to unload stays open; the caller goes on.
  }
}

bool WindowManager::ActivateView(const QString& viewKey) {
  try {
    const auto entry = openViews_.Find(viewKey);
    if (!entry) return false;
    QMdiSubWindow* window = entry->window;
    // A hidden or disabled window cannot take the focus.
    if (!window->isVisible() || !window->isEnabled()) return false;
    platform::ActivateSubWindow(*area_, *window);
    if (area_->activeSubWindow() != window) return false;
    TakeFocusBack(*window);
    return true;
  } catch (...) {
    return false;
  }
}

bool WindowManager::ShowGraphWindow(const QString& viewKey) {
  const auto entry = graphWindows_.Find(viewKey);
  if (!entry) return false;
  QMdiSubWindow* window = entry->window;
  window->show();
  platform::ActivateSubWindow(*area_, *window);
  if (QWidget* content = window->widget()) content->setFocus();
  return true;
}

void WindowManager::SetTableWindowFactory(TableWindowFactory factory) {
  tableWindowFactory_ = std::move(factory);
}

void WindowManager::ShowTable(int tableNumber) {
  const QString key = TableKey(tableNumber);
  if (ActivateView(key)) return;
  // Held but unable to take the focus: still open, so no second window under the key.
  if (openViews_.Contains(key) || !tableWindowFactory_) return;
  TableView* table = tableWindowFactory_();
  if (!table) return;
  if (!AddOpenView(key, table)) {
    delete table;
    return;
  }
  table->Create(tableNumber);
}

void WindowManager::ShowSummaryTable() { ShowTable(1); }

void KeepInsideArea(QMdiSubWindow& window) {
  const QMdiArea* area = window.mdiArea();
  if (area == nullptr) return;
  const QRect inside = area->viewport()->rect();
  QRect normal = platform::NormalGeometry(window);
  QPoint place = normal.topLeft();
  place.setX(std::max(0, std::min(place.x(), inside.right() + 1 - normal.width())));
  place.setY(std::max(0, std::min(place.y(), inside.bottom() + 1 - normal.height())));
  normal.moveTopLeft(place);
  platform::SetNormalGeometry(window, normal);
}

}  // namespace talvair::views

#include "window_manager.moc"
