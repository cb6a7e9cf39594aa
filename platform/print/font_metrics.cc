#include "platform/print/font_metrics.h"

#include <cctype>
#include <cmath>
#include <string>

#include "platform/os/cp1252.h"
#include "platform/print/font_metrics_tables.h"

namespace print {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool Contains(const std::string& s, std::string_view part) {
  return s.find(part) != std::string::npos;
}

const internal::FaceMetrics& FaceOf(const Font& font) {
  return internal::Face(FamilyOf(font.name), font.bold, font.italic);
}

// Font units to twips at the font's size: a point is 20 twips.
int ToTwips(const internal::FaceMetrics& face, const Font& font, int units) {
  return static_cast<int>(
      std::lround(static_cast<double>(units) * font.size * 20.0 / face.units_per_em));
}

}  // namespace

Family FamilyOf(std::string_view font_name) {
  const std::string name = Upper(font_name);
  if (Contains(name, "COURIER") || Contains(name, "MONO") || name == "FIXEDSYS" ||
      Contains(name, "CONSOL") || Contains(name, "LUCIDA CONSOLE")) {
    return Family::kMono;
  }
  if (name.starts_with("TIMES") || (Contains(name, "SERIF") && !Contains(name, "SANS"))) {
    return Family::kSerif;
  }
  return Family::kSans;
}

std::string_view LiberationFamily(Family family) {
  switch (family) {
    case Family::kSerif:
      return "Liberation Serif";
    case Family::kMono:
      return "Liberation Mono";
    case Family::kSans:
      break;
  }
  return "Liberation Sans";
}

int TextWidthTwips(const Font& font, std::string_view text) {
  const internal::FaceMetrics& face = FaceOf(font);
  int width = 0;
  for (const char c : os::Utf8ToCp1252(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) continue;
    width += ToTwips(face, font, face.advance[byte - 0x20]);
  }
  return width;
}

int TextHeightTwips(const Font& font) {
  const internal::FaceMetrics& face = FaceOf(font);
  return ToTwips(face, font, face.ascent + face.descent + face.external_leading);
}

int AscentTwips(const Font& font) {
  const internal::FaceMetrics& face = FaceOf(font);
  return ToTwips(face, font, face.ascent);
}

}  // namespace print
