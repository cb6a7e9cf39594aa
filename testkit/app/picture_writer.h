// Pictures for tests and the sample data set: a small RGB canvas with a few drawing
// operations, written as a Windows bitmap (.bmp) or icon (.ico) file.
#ifndef TESTKIT_APP_PICTURE_WRITER_H_
#define TESTKIT_APP_PICTURE_WRITER_H_

#include <cstdint>
#include <string_view>
#include <vector>

namespace testkit {

struct Rgb {
  std::uint8_t r, g, b;
};

class Canvas {
 public:
  Canvas(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[y * width_ + x]; }

  // Drawing clips at the canvas edges.
  void FillRect(int x, int y, int w, int h, Rgb color);
  void FillCircle(int cx, int cy, int radius, Rgb color);
  // Upper-case letters, digits, blank and "-" in a 5 x 7 block font, each dot `scale`
  // pixels wide; other characters are left out as blanks.
  void DrawText(int x, int y, std::string_view text, int scale, Rgb color);
  // Width in pixels that DrawText takes for `text`.
  static int TextWidth(std::string_view text, int scale);

 private:
  int width_, height_;
  std::vector<Rgb> pixels_;
};

// A 24-bit uncompressed bitmap file.
std::vector<std::uint8_t> BmpBytes(const Canvas& canvas);
// An icon file holding one 32-bit image of the canvas (at most 256 x 256).
std::vector<std::uint8_t> IcoBytes(const Canvas& canvas);

}  // namespace testkit

#endif  // TESTKIT_APP_PICTURE_WRITER_H_
