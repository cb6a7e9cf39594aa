#include "platform/qt/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "platform/qt/accessible_factory.h"

namespace qtbind {
namespace {

constexpr char kClassName[] = "QComboBox";
constexpr char kMarker[] = "frelaneAccessibleCombo";

class AccessibleComboBox : public QAccessibleWidget {
 public:
  explicit AccessibleComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      return Combo()->isEditable() ? Combo()->lineEdit()->text() : Combo()->currentText();
    }
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Combo()->view()->isVisible();
    state.editable = Combo()->isEditable();
    return state;
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == showMenuAction()) {
      Combo()->showPopup();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

  // The children are Qt's own, in the order of Qt's own combo interface: the drop-down list
  // (which lives in a popup window of its own, so no widget child finds it), then the edit
  // field of an editable box. The list's own interface names the combo as its parent.
  int childCount() const override { return Combo()->isEditable() ? 2 : 1; }

  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Combo()->view());
    if (index == 1 && Combo()->isEditable()) {
      return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
    }
    return nullptr;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    if (child->object() == Combo()->view()) return 0;
    if (Combo()->isEditable() && child->object() == Combo()->lineEdit()) return 1;
    return -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at(x, y);
    QAbstractItemView* list = Combo()->view();
    if (list->isVisible() && QRect(list->mapToGlobal(QPoint()), list->size()).contains(at)) {
      return child(0);
    }
    QLineEdit* edit = Combo()->lineEdit();
    if (edit != nullptr && QRect(edit->mapToGlobal(QPoint()), edit->size()).contains(at)) {
      return child(1);
    }
    return nullptr;
  }

  // An editable box hands its focus to nothing Qt can see, yet its edit field is where the
  // caret is.
  QAccessibleInterface* focusChild() const override {
    if (Combo()->view()->isVisible()) return child(0);
    return Combo()->isEditable() ? child(1) : nullptr;
  }

 private:
  QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

}  // namespace

void UseAccessibleComboBox(QComboBox& combo) {
  UseAccessible<AccessibleComboBox, QComboBox, kClassName, kMarker>(combo);
}

}  // namespace qtbind
