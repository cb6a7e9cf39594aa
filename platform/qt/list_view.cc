#include "platform/qt/list_view.h"

#include <algorithm>

#include <QAccessible>

#include "platform/qt/accessible_list_view.h"

namespace qtbind {
namespace {

// A screen reader hears of the rows in view, numbered from the first of them (see
// accessible_list_view.h); QListView's own announcements number them from the first row.
void Announce(ListView& view, QAccessible::Event type, int row) {
  if (!QAccessible::isActive() || row < 0) return;
  const auto [first, count] = view.RowsInView();
  if (row < first || row >= first + count) return;
  QAccessibleEvent event(&view, type);
  event.setChild(row - first);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

ListItemsModel::ListItemsModel(forms::ListControl& list, QObject* parent)
    : QAbstractListModel(parent),
      list_(list),
      revision_(list.ItemsRevision()),
      rows_(static_cast<int>(list.Items().size())) {}

int ListItemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant ListItemsModel::data(const QModelIndex& index, int role) const {
  const auto& items = list_.Items();
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ ||
      static_cast<std::size_t>(index.row()) >= items.size()) {
    return QVariant();
  }
  return QString::fromStdString(items[static_cast<std::size_t>(index.row())]);
}

bool ListItemsModel::Refresh() {
  if (list_.ItemsRevision() == revision_) return false;
  beginResetModel();
  revision_ = list_.ItemsRevision();
  rows_ = static_cast<int>(list_.Items().size());
  endResetModel();
  return true;
}

ListView::ListView(forms::ListControl& list, QWidget* parent)
    : QListView(parent), list_(list), model_(new ListItemsModel(list, this)) {
  // One line of one font each: the view measures one item, not every item.
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setModel(model_);
  UseAccessibleListView(*this);
}

void ListView::Sync() {
  const bool refilled = model_->Refresh();
  ShowListIndex();
  if (refilled) RowsInViewMayHaveChanged(true);
}

void ListView::ShowListIndex() {
  const int row = list_.CurrentIndex();
  // Input never reaches the view, so its selection changes only here.
  const QModelIndex shown = row >= 0 ? model_->index(row) : QModelIndex();
  if (currentIndex() != shown || (row >= 0 && !selectionModel()->isSelected(shown))) {
    setCurrentIndex(shown);
  }
}

std::pair<int, int> ListView::RowsInView() const {
  const int rows = model_->rowCount();
  if (rows == 0) return {0, 0};
  const QModelIndex top = indexAt(QPoint(0, 0));
  if (!top.isValid()) return {0, 0};
  const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
  const int last = bottom.isValid() ? bottom.row() : rows - 1;
  return {top.row(), last - top.row() + 1};
}

forms::ListRows ListView::WholeRowsInView() const {
  const auto [first, count] = RowsInView();
  const int bottom = viewport()->rect().bottom();
  int whole = 0;
  while (whole < count && visualRect(model_->index(first + whole)).bottom() <= bottom) ++whole;
  return {first, std::max(1, whole)};
}

void ListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QAbstractItemView::currentChanged(current, previous);  // brings the row into view
  if (hasFocus()) Announce(*this, QAccessible::Focus, current.row());
}

void ListView::selectionChanged(const QItemSelection& selected,
                                const QItemSelection& deselected) {
  QAbstractItemView::selectionChanged(selected, deselected);
  if (!selected.isEmpty()) Announce(*this, QAccessible::Selection, selected.indexes()[0].row());
}

void ListView::focusInEvent(QFocusEvent* event) {
  // Taking the focus, QAbstractItemView makes the first row current when none is, which
  // draws its focus frame and tells a screen reader of it, though the row is not picked.
  // Setting the current row marks it as the program's choice, none included.
  if (!currentIndex().isValid()) setCurrentIndex(QModelIndex());
  QListView::focusInEvent(event);
  ShowListIndex();
}

void ListView::scrollContentsBy(int dx, int dy) {
  QListView::scrollContentsBy(dx, dy);
  if (dy != 0) RowsInViewMayHaveChanged(false);
}

void ListView::updateGeometries() {
  QListView::updateGeometries();
  RowsInViewMayHaveChanged(false);
}

void ListView::RowsInViewMayHaveChanged(bool refilled) {
  const std::pair<int, int> rows = RowsInView();
  if (!refilled && rows == rows_told_) return;
  rows_told_ = rows;
  AccessibleRowsMoved(*this);
}

}  // namespace qtbind
