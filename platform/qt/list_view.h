// The host's list boxes: a view over the control's own items that asks for the lines it
// paints and no others, so a list of tens of thousands of lines is shown, refilled and
// read out as quickly as a short one.
#ifndef FRELANE_PLATFORM_QT_LIST_VIEW_H_
#define FRELANE_PLATFORM_QT_LIST_VIEW_H_

#include <cstdint>
#include <utility>

#include <QAbstractListModel>
#include <QListView>

#include "platform/forms/host.h"
#include "platform/forms/list_controls.h"

namespace qtbind {

// The items of a list control, read on demand.
class ListItemsModel : public QAbstractListModel {
 public:
  ListItemsModel(forms::ListControl& list, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Tells the views, as one reset, when the items changed since the last call; true then.
  bool Refresh();

 private:
  forms::ListControl& list_;
  std::uint64_t revision_;
  int rows_;
};

class ListView : public QListView {
 public:
  ListView(forms::ListControl& list, QWidget* parent);

  // Shows the control's items and its ListIndex.
  void Sync();
  // The first row in view and how many rows are in view, whole or in part.
  std::pair<int, int> RowsInView() const;
  // The rows in view whole, the page Page Down and Page Up step by.
  forms::ListRows WholeRowsInView() const;

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected,
                        const QItemSelection& deselected) override;
  void scrollContentsBy(int dx, int dy) override;
  // Laid out anew or resized: the rows in view may be others.
  void updateGeometries() override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // Tells a screen reader when the rows in view are other than those it was told of;
  // `refilled`, whichever they are.
  void RowsInViewMayHaveChanged(bool refilled);
  // The current row is the model's ListIndex, selected, or none.
  void ShowListIndex();

  forms::ListControl& list_;
  ListItemsModel* model_;  // a child of the view, as a QListWidget's own model is
  std::pair<int, int> rows_told_{0, 0};
};

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_LIST_VIEW_H_
