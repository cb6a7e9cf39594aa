#include "platform/qt/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace qtbind {
namespace {

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

 private:
  QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

// Qt asks the factories installed last first, so this one comes before Qt's own.
QAccessibleInterface* ComboBoxFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String("QComboBox") || !object->property(kMarker).toBool()) {
    return nullptr;
  }
  return new AccessibleComboBox(static_cast<QComboBox*>(object));
}

}  // namespace

void UseAccessibleComboBox(QComboBox& combo) {
  static const bool installed = [] {
    QAccessible::installFactory(ComboBoxFactory);
    return true;
  }();
  (void)installed;
  combo.setProperty(kMarker, true);
}

}  // namespace qtbind
