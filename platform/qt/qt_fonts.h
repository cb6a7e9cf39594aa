// Printer and window fonts in Qt: the face names the program sets, drawn in the Liberation
// family with the same metrics, so text lands where the printer model measured it.
#ifndef FRELANE_PLATFORM_QT_QT_FONTS_H_
#define FRELANE_PLATFORM_QT_QT_FONTS_H_

#include <QFont>
#include <QString>

#include "platform/print/font.h"

namespace qtbind {

// The installed family that draws `name` ("Arial" -> "Liberation Sans", ...).
QString LiberationFamilyFor(const std::string& name);

// The font for painting in twips (one painter unit = one twip): its pixel size is the
// point size times 20. Kerning and hinting are off, as the printer model measures without them.
QFont PrinterFont(const print::Font& font);

// A window font at a point size.
QFont WindowFont(const std::string& name, double points, bool bold = false);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_QT_FONTS_H_
