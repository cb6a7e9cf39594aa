// How the host's own accessible interfaces reach Qt: a widget the host marks gets ours, all
// others keep Qt's.
#ifndef FRELANE_PLATFORM_QT_ACCESSIBLE_FACTORY_H_
#define FRELANE_PLATFORM_QT_ACCESSIBLE_FACTORY_H_

#include <QAccessible>
#include <QObject>
#include <QString>

namespace qtbind {

// Marks widget (of Qt class kClassName) with the property kMarker and installs, once per
// interface, the factory that makes an Accessible for each widget so marked; from then on
// the widget's interface is an Accessible.
template <class Accessible, class Widget, const char* kClassName, const char* kMarker>
void UseAccessible(Widget& widget) {
  static const bool installed = [] {
    // Qt asks the factories installed last first, so this one comes before Qt's own.
    QAccessible::installFactory(
        [](const QString& class_name, QObject* object) -> QAccessibleInterface* {
          if (class_name != QLatin1String(kClassName) || !object->property(kMarker).toBool()) {
            return nullptr;
          }
          return new Accessible(static_cast<Widget*>(object));
        });
    return true;
  }();
  (void)installed;
  widget.setProperty(kMarker, true);
  // With a screen reader on, Qt makes and keeps an interface of its own for the widget
  // while it is built (setting a model tells the reader): drop it, so the next query makes
  // ours, which is what the host's code behind the interface expects to find.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget);
  if (made != nullptr && dynamic_cast<Accessible*>(made) == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  }
}

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_ACCESSIBLE_FACTORY_H_
