#include "platform/qt/qt_fonts.h"

#include <cmath>

namespace qtbind {
namespace {

QFont Liberation(const std::string& name) {
  QFont font(LiberationFamilyFor(name));
  font.setStyleHint(print::FamilyOf(name) == print::Family::kMono ? QFont::Monospace
                    : print::FamilyOf(name) == print::Family::kSerif ? QFont::Serif
                                                                     : QFont::SansSerif);
  font.setKerning(false);
  return font;
}

}  // namespace

QString LiberationFamilyFor(const std::string& name) {
  const std::string_view family = print::LiberationFamily(print::FamilyOf(name));
  return QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
}

QFont PrinterFont(const print::Font& font) {
  QFont qfont = Liberation(font.name);
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 20.0f))));
  qfont.setHintingPreference(QFont::PreferNoHinting);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  return qfont;
}

QFont WindowFont(const std::string& name, double points, bool bold) {
  QFont qfont = Liberation(name);
  qfont.setPointSizeF(points > 0 ? points : 8.25);
  qfont.setBold(bold);
  return qfont;
}

}  // namespace qtbind
