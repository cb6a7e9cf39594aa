#include "platform/qt/accessible_list_view.h"

#include <map>

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include "platform/qt/accessible_factory.h"
#include "platform/qt/list_view.h"

namespace qtbind {
namespace {

constexpr char kClassName[] = "QListView";
constexpr char kMarker[] = "frelaneAccessibleList";

// One row of the list, read from the view as it stands.
class AccessibleListRow : public QAccessibleInterface {
 public:
  AccessibleListRow(ListView* view, int row) : view_(view), row_(row) {}

  bool isValid() const override { return view_ && row_ < view_->model()->rowCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return view_ ? view_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return QString();
    return Index().data().toString();
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return QRect();
    const QRect shown = view_->visualRect(Index()).intersected(view_->viewport()->rect());
    return QRect(view_->viewport()->mapToGlobal(shown.topLeft()), shown.size());
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    const QModelIndex index = Index();
    state.selectable = true;
    state.focusable = true;
    state.selected = view_->selectionModel()->isSelected(index);
    state.focused = view_->hasFocus() && view_->currentIndex() == index;
    state.disabled = !view_->isEnabled();
    if (!view_->viewport()->rect().intersects(view_->visualRect(index))) {
      state.invisible = true;
      state.offscreen = true;
    }
    return state;
  }

 private:
  QModelIndex Index() const { return view_->model()->index(row_, 0); }

  QPointer<ListView> view_;
  int row_;
};

class AccessibleListView : public QAccessibleWidget {
 public:
  explicit AccessibleListView(ListView* view) : QAccessibleWidget(view, QAccessible::List) {}
  ~AccessibleListView() override {
    for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return View().RowsInView().second; }

  QAccessibleInterface* child(int index) const override {
    const auto [first, count] = View().RowsInView();
    if (index < 0 || index >= count) return nullptr;
    const int row = first + index;
    const auto it = rows_.find(row);
    if (it != rows_.end()) return QAccessible::accessibleInterface(it->second);
    // Rows asked for before the list scrolled, unless a screen reader said so already.
    if (rows_.size() >= static_cast<std::size_t>(4 * count)) ForgetRowsOutOfView();
    auto* made = new AccessibleListRow(&View(), row);
    rows_[row] = QAccessible::registerAccessibleInterface(made);
    return made;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto [first, count] = View().RowsInView();
    for (int i = 0; i < count; ++i) {
      const auto it = rows_.find(first + i);
      if (it != rows_.end() && QAccessible::accessibleInterface(it->second) == child) return i;
    }
    return -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const ListView& view = View();
    const QModelIndex index = view.indexAt(view.viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row() - view.RowsInView().first) : nullptr;
  }

  QAccessibleInterface* focusChild() const override {
    const ListView& view = View();
    if (!view.hasFocus() || !view.currentIndex().isValid()) return nullptr;
    return child(view.currentIndex().row() - view.RowsInView().first);
  }

  // Drops the rows no longer in view; a reader holding one finds it gone.
  void ForgetRowsOutOfView() const {
    const auto [first, count] = View().RowsInView();
    for (auto it = rows_.begin(); it != rows_.end();) {
      if (it->first >= first && it->first < first + count) {
        ++it;
        continue;
      }
      QAccessible::deleteAccessibleInterface(it->second);
      it = rows_.erase(it);
    }
  }

 private:
  ListView& View() const { return *static_cast<ListView*>(widget()); }

  mutable std::map<int, QAccessible::Id> rows_;
};

}  // namespace

void UseAccessibleListView(ListView& view) {
  UseAccessible<AccessibleListView, ListView, kClassName, kMarker>(view);
}

void AccessibleRowsMoved(ListView& view) {
  if (!QAccessible::isActive()) return;
  auto* list = dynamic_cast<AccessibleListView*>(QAccessible::queryAccessibleInterface(&view));
  if (list == nullptr) return;
  list->ForgetRowsOutOfView();
  QAccessibleTableModelChangeEvent event(&view, QAccessibleTableModelChangeEvent::ModelReset);
  QAccessible::updateAccessibility(&event);
}

}  // namespace qtbind
