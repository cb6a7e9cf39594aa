#include "platform/qt/page_fit.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "platform/print/font_metrics.h"

namespace qtbind {
namespace {

// Half a pen of `dots` hangs below a line drawn at its y.
double HalfPen(int dots) {
  return std::max(1, dots) * static_cast<double>(print::kTwipsPerInch) / print::kDotsPerInch / 2;
}

// Where an operation starts (the part that moves with the spacing) and how far it reaches
// below that point at every factor (the part that keeps its size).
struct Reach {
  double top = 0;
  double below = 0;
  bool inked = true;
};

Reach ReachOf(const print::op::Text& text) {
  return {static_cast<double>(text.y), static_cast<double>(print::TextHeightTwips(text.font)),
          !text.text.empty()};
}
Reach ReachOf(const print::op::Line& line) {
  return {static_cast<double>(std::max(line.y1, line.y2)), HalfPen(line.draw_width)};
}
Reach ReachOf(const print::op::Box& box) {
  return {static_cast<double>(std::max(box.y1, box.y2)),
          box.filled ? 0.0 : HalfPen(box.draw_width)};
}
Reach ReachOf(const print::op::DrawPicture& picture) {
  return {static_cast<double>(picture.y), static_cast<double>(picture.height),
          picture.height > 0};
}

int Scaled(int y, double factor) { return static_cast<int>(std::floor(y * factor)); }

void Space(print::op::Text& text, double factor) { text.y = Scaled(text.y, factor); }
void Space(print::op::Line& line, double factor) {
  line.y1 = Scaled(line.y1, factor);
  line.y2 = Scaled(line.y2, factor);
}
void Space(print::op::Box& box, double factor) {
  box.y1 = Scaled(box.y1, factor);
  box.y2 = Scaled(box.y2, factor);
}
void Space(print::op::DrawPicture& picture, double factor) {
  picture.y = Scaled(picture.y, factor);
}

}  // namespace

double VerticalFit(const print::Page& page, int height) {
  double factor = 1.0;
  for (const print::PrintOp& op : page.ops) {
    const Reach reach = std::visit([](const auto& o) { return ReachOf(o); }, op);
    if (!reach.inked || reach.top + reach.below <= height) continue;
    const double room = height - reach.below;
    if (reach.top <= 0 || room <= 0) continue;
    factor = std::min(factor, room / reach.top);
  }
  return factor;
}

print::Page SpacedVertically(const print::Page& page, double factor) {
  print::Page spaced = page;
  for (print::PrintOp& op : spaced.ops) {
    std::visit([factor](auto& o) { Space(o, factor); }, op);
  }
  return spaced;
}

}  // namespace qtbind
