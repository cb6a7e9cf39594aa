// The printer font: a face name as the program sets it, its size in points and its style.
// Names are the ones the program's forms and reports set ("Arial", "Courier New",
// "Times New Roman"); each maps to the Liberation family with the same metrics, so layout
// does not depend on what happens to be installed.
#ifndef FRELANE_PLATFORM_PRINT_FONT_H_
#define FRELANE_PLATFORM_PRINT_FONT_H_

#include <string>
#include <string_view>

namespace print {

struct Font {
  std::string name = "Arial";
  float size = 10.0f;  // points; single precision, as the printer object keeps it
  bool bold = false;
  bool italic = false;
  bool underline = false;

  bool operator==(const Font&) const = default;
};

// The metric families of the Liberation fonts.
enum class Family { kSans = 0, kSerif = 1, kMono = 2 };

// Courier, Courier New, Fixedsys and the other fixed-pitch names are kMono; Times and Times
// New Roman (and every name containing "Serif" but not "Sans") are kSerif; everything else,
// Arial among them, is kSans. Case does not matter.
Family FamilyOf(std::string_view font_name);

// The installed family that draws a family: "Liberation Sans", "Liberation Serif",
// "Liberation Mono" (Debian's fonts-liberation2).
std::string_view LiberationFamily(Family family);

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_FONT_H_
