#include "platform/qt/print_replay.h"

#include <algorithm>
#include <variant>

#include <QImage>
#include <QPen>

#include "platform/os/cp1252.h"
#include "platform/print/font_metrics.h"
#include "platform/qt/page_fit.h"
#include "platform/qt/qt_fonts.h"

namespace qtbind {
namespace {

constexpr double kTwipsPerDot = static_cast<double>(print::kTwipsPerInch) / print::kDotsPerInch;

// What the printer model measured: the Windows-1252 characters, control characters dropped.
QString PrintableText(const std::string& text) {
  std::string bytes = os::Utf8ToCp1252(text);
  std::erase_if(bytes, [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
  return QString::fromStdString(os::Cp1252ToUtf8(bytes));
}

QPen Pen(int draw_width) {
  QPen pen(Qt::black);
  pen.setWidthF(std::max(1, draw_width) * kTwipsPerDot);
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::SquareCap);
  return pen;
}

QRectF Corners(int x1, int y1, int x2, int y2) {
  return QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
}

QImage PictureImage(const print::Picture& picture) {
  if (picture.pixels != nullptr) {
    const print::Bitmap& bitmap = *picture.pixels;
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.argb.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) {
      return {};
    }
    return QImage(reinterpret_cast<const uchar*>(bitmap.argb.data()), bitmap.width,
                  bitmap.height, bitmap.width * 4, QImage::Format_ARGB32)
        .copy();
  }
  return QImage(QString::fromStdString(picture.path));
}

}  // namespace

void Replay(QPainter& painter, const print::op::Text& text) {
  if (text.text.empty()) return;
  painter.setFont(PrinterFont(text.font));
  painter.setPen(Qt::black);
  painter.drawText(QPointF(text.x, text.y + print::AscentTwips(text.font)),
                   PrintableText(text.text));
}

void Replay(QPainter& painter, const print::op::Line& line) {
  painter.setPen(Pen(line.draw_width));
  painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
}

void Replay(QPainter& painter, const print::op::Box& box) {
  const QRectF rect = Corners(box.x1, box.y1, box.x2, box.y2);
  if (box.filled) {
    painter.fillRect(rect, Qt::black);
    return;
  }
  painter.setPen(Pen(box.draw_width));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect);
}

void Replay(QPainter& painter, const print::op::DrawPicture& picture) {
  const QImage image = PictureImage(picture.picture);
  // A picture that cannot be read is left out, like any other failed drawing.
  if (image.isNull() || picture.width <= 0 || picture.height <= 0) return;
  painter.drawImage(QRectF(picture.x, picture.y, picture.width, picture.height), image);
}

void PaintPage(QPainter& painter, const print::Page& page, const print::PageArea& area) {
  const double fit = VerticalFit(page, area.height);
  const print::Page spaced = fit < 1.0 ? SpacedVertically(page, fit) : print::Page{};
  painter.save();
  painter.setClipRect(QRectF(0, 0, area.width, area.height));
  for (const print::PrintOp& op : (fit < 1.0 ? spaced : page).ops) {
    std::visit([&painter](const auto& o) { Replay(painter, o); }, op);
  }
  painter.restore();
}

bool PaintDocument(QPagedPaintDevice& device, int dots_per_inch, const print::Document& document,
                   const print::PageArea& area) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const double scale = static_cast<double>(dots_per_inch) / print::kTwipsPerInch;
  painter.scale(scale, scale);
  for (std::size_t i = 0; i < document.pages.size(); ++i) {
    if (i > 0 && !device.newPage()) return false;
    PaintPage(painter, document.pages[i], area);
  }
  return painter.end();
}

}  // namespace qtbind

