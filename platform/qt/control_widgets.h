// One Qt widget per control kind, placed from the control's twips (15 twips to a pixel), and
// the mirror of the model's state onto it. The widgets never change themselves: every input
// goes to the model first (qt_host.cc), and what the model then holds is copied back here.
#ifndef FRELANE_PLATFORM_QT_CONTROL_WIDGETS_H_
#define FRELANE_PLATFORM_QT_CONTROL_WIDGETS_H_

#include <QRect>
#include <QString>
#include <QWidget>

#include "platform/forms/control.h"
#include "platform/forms/types.h"

namespace qtbind {

// Twips to pixels and back, at 96 dots to the inch.
QRect ToPixels(const forms::Rect& twips);
int ToTwips(int pixels);

// "&Save" as Qt shows a caption with its access key; `keep_mnemonic` false drops the marks.
QString CaptionText(const std::string& caption, bool keep_mnemonic);

// A new widget for a control, child of `parent`; nullptr for kinds without one (timers, menus).
QWidget* CreateControlWidget(forms::Control& control, QWidget* parent);

// Copies the control's whole state (value, caption, list, selection, geometry, visibility,
// enabled, font, colours, picture) onto its widget. Widget signals are blocked meanwhile.
void SyncControlWidget(forms::Control& control, QWidget& widget);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_CONTROL_WIDGETS_H_
