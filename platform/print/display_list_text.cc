#include "platform/print/display_list_text.h"

#include <cstdio>
#include <type_traits>

#include "platform/print/font_metrics.h"

namespace print {
namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Number(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  return buffer;
}

std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::string Describe(const op::Text& text) {
  std::string out = "text " + Point(text.x, text.y) + " " + Quoted(text.font.name) + " " +
                    Number(text.font.size);
  if (text.font.bold) out += " bold";
  if (text.font.italic) out += " italic";
  if (text.font.underline) out += " underline";
  return out + " " + Quoted(text.text);
}

std::string Describe(const op::Line& line) {
  return "line " + Point(line.x1, line.y1) + " " + Point(line.x2, line.y2) + " w" +
         std::to_string(line.draw_width);
}

std::string Describe(const op::Box& box) {
  return "box " + Point(box.x1, box.y1) + " " + Point(box.x2, box.y2) + " w" +
         std::to_string(box.draw_width) + (box.filled ? " filled" : "");
}

std::string Describe(const op::DrawPicture& draw) {
  std::string source;
  if (!draw.picture.path.empty()) {
    source = Quoted(draw.picture.path);
  } else if (draw.picture.pixels != nullptr) {
    source = "pixels " + std::to_string(draw.picture.pixels->width) + "x" +
             std::to_string(draw.picture.pixels->height);
  }
  return "picture " + Point(draw.x, draw.y) + " " + std::to_string(draw.width) + "x" +
         std::to_string(draw.height) + " " + source;
}

}  // namespace

std::string OperationListing(const Page& page) {
  std::string out;
  for (const PrintOp& op : page.ops) {
    out += std::visit([](const auto& o) { return Describe(o); }, op);
    out += '\n';
  }
  return out;
}

std::string OperationListing(const Document& document) {
  std::string out;
  for (std::size_t i = 0; i < document.pages.size(); ++i) {
    out += "page " + std::to_string(i + 1) + "\n" + OperationListing(document.pages[i]);
  }
  return out;
}

std::vector<std::string> PageLines(const Page& page, bool mark_bold) {
  std::vector<std::string> lines;
  bool open = false;
  int line_y = 0;
  int line_end = 0;
  for (const PrintOp& op : page.ops) {
    const auto* text = std::get_if<op::Text>(&op);
    if (text == nullptr) continue;
    if (!open || text->y != line_y || text->x < line_end) {
      lines.emplace_back();
      open = true;
      line_y = text->y;
    }
    const bool bold = mark_bold && text->font.bold && !text->text.empty();
    if (bold) lines.back() += "<b>";
    lines.back() += text->text;
    if (bold) lines.back() += "</b>";
    line_end = text->x + TextWidthTwips(text->font, text->text);
  }
  return lines;
}

}  // namespace print
