// A picture as the form model knows it: where it came from and its size in twips.
// Hosts draw it; the model and the printer model only place it.
#ifndef FRELANE_PLATFORM_FORMS_PICTURE_H_
#define FRELANE_PLATFORM_FORMS_PICTURE_H_

#include <optional>
#include <string>

namespace forms {

struct Picture {
  std::string path;  // empty for no picture
  int width = 0;     // twips
  int height = 0;    // twips

  bool empty() const { return path.empty(); }
  friend bool operator==(const Picture&, const Picture&) = default;
};

// Reads the pixel size of a .bmp, .gif, .png, .jpg or .ico file from its header (no decoding)
// and gives it in twips at 96 dpi. nullopt when the file is missing or not one of these.
std::optional<Picture> ReadPictureHeader(const std::string& path);

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_PICTURE_H_
