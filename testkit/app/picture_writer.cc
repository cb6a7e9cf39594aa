#include "testkit/app/picture_writer.h"

#include <array>
#include <cstdlib>

namespace testkit {

namespace {

// One glyph: 7 rows of 5 dots, the high bit of each row's 5 the leftmost dot.
struct Glyph {
  char c;
  std::array<std::uint8_t, 7> rows;
};

constexpr Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
};

const Glyph* FindGlyph(char c) {
  for (const Glyph& g : kFont) {
    if (g.c == c) return &g;
  }
  return nullptr;
}

void Put16(std::vector<std::uint8_t>* out, std::uint32_t v) {
  out->push_back(static_cast<std::uint8_t>(v));
  out->push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>* out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER of an uncompressed image; `stored_height` is doubled inside icons.
void PutInfoHeader(std::vector<std::uint8_t>* out, int width, int stored_height, int bits,
                   std::uint32_t image_size) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(stored_height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bits));
  Put32(out, 0);  // no compression
  Put32(out, image_size);
  Put32(out, 3780);  // 96 dpi in pixels per metre
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
}

}  // namespace

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), background) {}

void Canvas::FillRect(int x, int y, int w, int h, Rgb color) {
  for (int yy = y < 0 ? 0 : y; yy < y + h && yy < height_; ++yy) {
    for (int xx = x < 0 ? 0 : x; xx < x + w && xx < width_; ++xx) pixels_[yy * width_ + xx] = color;
  }
}

void Canvas::FillCircle(int cx, int cy, int radius, Rgb color) {
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      if (dx * dx + dy * dy <= radius * radius) FillRect(cx + dx, cy + dy, 1, 1, color);
    }
  }
}

int Canvas::TextWidth(std::string_view text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

void Canvas::DrawText(int x, int y, std::string_view text, int scale, Rgb color) {
  for (char c : text) {
    if (const Glyph* g = FindGlyph(c)) {
      for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 5; ++col) {
          if (g->rows[row] & (0x10 >> col)) {
            FillRect(x + col * scale, y + row * scale, scale, scale, color);
          }
        }
      }
    }
    x += 6 * scale;
  }
}

std::vector<std::uint8_t> BmpBytes(const Canvas& canvas) {
  int row_size = (canvas.width() * 3 + 3) / 4 * 4;
  std::uint32_t image_size = static_cast<std::uint32_t>(row_size * canvas.height());
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(&out, 14 + 40 + image_size);
  Put32(&out, 0);
  Put32(&out, 14 + 40);
  PutInfoHeader(&out, canvas.width(), canvas.height(), 24, image_size);
  for (int y = canvas.height() - 1; y >= 0; --y) {  // bottom row first
    std::size_t start = out.size();
    for (int x = 0; x < canvas.width(); ++x) {
      Rgb p = canvas.At(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    out.resize(start + static_cast<std::size_t>(row_size), 0);
  }
  return out;
}

std::vector<std::uint8_t> IcoBytes(const Canvas& canvas) {
  if (canvas.width() > 256 || canvas.height() > 256) std::abort();
  int mask_row = (canvas.width() + 31) / 32 * 4;
  std::uint32_t pixels = static_cast<std::uint32_t>(canvas.width() * canvas.height() * 4);
  std::uint32_t mask = static_cast<std::uint32_t>(mask_row * canvas.height());
  std::uint32_t image_size = 40 + pixels + mask;
  std::vector<std::uint8_t> out;
  Put16(&out, 0);
  Put16(&out, 1);  // an icon
  Put16(&out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(canvas.width() & 0xFF));  // 0 means 256
  out.push_back(static_cast<std::uint8_t>(canvas.height() & 0xFF));
  out.push_back(0);  // no palette
  out.push_back(0);
  Put16(&out, 1);   // planes
  Put16(&out, 32);  // bits per pixel
  Put32(&out, image_size);
  Put32(&out, 6 + 16);
  PutInfoHeader(&out, canvas.width(), 2 * canvas.height(), 32, pixels + mask);
  for (int y = canvas.height() - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.width(); ++x) {
      Rgb p = canvas.At(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
      out.push_back(0xFF);
    }
  }
  out.resize(out.size() + mask, 0);  // every pixel opaque
  return out;
}

}  // namespace testkit
