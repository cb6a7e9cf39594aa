#include "platform/print/printer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/print/font_metrics.h"

namespace print {
namespace {

constexpr int kInvalidPropertyValue = 380;
constexpr float kLargestFontSize = 2048.0f;
constexpr int kPrintZoneColumns = 14;

// Splits a text at its line breaks: CR LF, a lone CR and a lone LF each end a line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

void RefuseValue(std::string_view property) {
  throw PrinterError(kInvalidPropertyValue,
                     "Invalid property value (" + std::string(property) + ")");
}

}  // namespace

Printer::Printer(PrintSystem& system, PrinterInfo device)
    : system_(&system), device_(std::move(device)) {}

void Printer::Rebind(PrintSystem& system, PrinterInfo device) {
  CloseJob();
  system_ = &system;
  device_ = std::move(device);
  font_ = Font{};
  draw_width_ = 1;
}

void Printer::SelectDevice(PrinterInfo device) { device_ = std::move(device); }

int Printer::FontCount() const {
  return static_cast<int>(system_->FontNames(device_).size());
}

std::string Printer::Fonts(int index) const {
  const std::vector<std::string> names = system_->FontNames(device_);
  if (index < 0 || index >= static_cast<int>(names.size())) return "";
  return names[static_cast<std::size_t>(index)];
}

void Printer::SetFontName(std::string name) {
  Before("FontName");
  font_.name = std::move(name);
}

void Printer::SetFontSize(float points) {
  Before("FontSize");
  if (!(points > 0.0f && points <= kLargestFontSize)) RefuseValue("FontSize");
  font_.size = points;
}

void Printer::SetFontBold(bool bold) {
  Before("FontBold");
  font_.bold = bold;
}

void Printer::SetFontItalic(bool italic) {
  Before("FontItalic");
  font_.italic = italic;
}

void Printer::SetFontUnderline(bool underline) {
  Before("FontUnderline");
  font_.underline = underline;
}

void Printer::SetCurrentX(int twips) {
  Before("CurrentX");
  x_ = twips;
}

void Printer::SetCurrentY(int twips) {
  Before("CurrentY");
  y_ = twips;
  line_has_text_ = false;
}

void Printer::SetDrawWidth(int dots) {
  Before("DrawWidth");
  if (dots < 1) RefuseValue("DrawWidth");
  draw_width_ = dots;
}

int Printer::ScaleWidth() const { return system_->PrintableArea(device_).width; }
int Printer::ScaleHeight() const { return system_->PrintableArea(device_).height; }

int Printer::Page() const {
  return open_ ? static_cast<int>(document_.pages.size()) : 1;
}

int Printer::TextWidth(std::string_view text) const {
  int widest = 0;
  for (std::string_view line : SplitLines(text)) {
    widest = std::max(widest, TextWidthTwips(font_, line));
  }
  return widest;
}

int Printer::TextHeight(std::string_view text) const {
  return static_cast<int>(SplitLines(text).size()) * TextHeightTwips(font_);
}

void Printer::Print(std::string_view text, PrintEnd end) {
  Before("Print");
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) LineEnd();
    PrintRun(lines[i]);
  }
  switch (end) {
    case PrintEnd::kNewLine:
      LineEnd();
      break;
    case PrintEnd::kStay:
      break;
    case PrintEnd::kNextZone: {
      const int zone = kPrintZoneColumns * TextWidthTwips(font_, "0");
      if (zone > 0) x_ = (x_ / zone + 1) * zone;
      break;
    }
  }
}

void Printer::PrintRun(std::string_view run) {
  if (run.empty()) return;
  CurrentPage().ops.push_back(op::Text{x_, y_, font_, std::string(run)});
  x_ += TextWidthTwips(font_, run);
  line_has_text_ = true;
}

void Printer::LineEnd() {
  // An empty line is kept on the page as an empty text, so that the page's lines read back.
  if (!line_has_text_) CurrentPage().ops.push_back(op::Text{x_, y_, font_, ""});
  x_ = 0;
  y_ += TextHeightTwips(font_);
  line_has_text_ = false;
}

void Printer::Line(int x1, int y1, int x2, int y2) {
  Before("Line");
  CurrentPage().ops.push_back(op::Line{x1, y1, x2, y2, draw_width_});
  x_ = x2;
  y_ = y2;
}

void Printer::Box(int x1, int y1, int x2, int y2, bool filled) {
  Before("Line");
  CurrentPage().ops.push_back(op::Box{x1, y1, x2, y2, draw_width_, filled});
  x_ = x2;
  y_ = y2;
}

void Printer::PaintPicture(const Picture& picture, int x, int y, std::optional<int> width,
                           std::optional<int> height) {
  Before("PaintPicture");
  if (picture.empty()) {
    throw PrinterError(kInvalidPropertyValue, "Invalid picture");
  }
  CurrentPage().ops.push_back(op::DrawPicture{picture, x, y, width.value_or(picture.width),
                                              height.value_or(picture.height)});
}

void Printer::NewPage() {
  Before("NewPage");
  CurrentPage();
  document_.pages.emplace_back();
  x_ = 0;
  y_ = 0;
  line_has_text_ = false;
}

void Printer::EndDoc() {
  Before("EndDoc");
  if (!open_) return;
  Document job = std::move(document_);
  CloseJob();
  if (device_.device_name.empty()) {
    throw PrinterError(kPrinterErrorNumber, "No printer is installed.");
  }
  system_->Submit(device_, job);
}

void Printer::KillDoc() {
  Before("KillDoc");
  CloseJob();
}

void Printer::Before(std::string_view operation) { system_->BeforeOperation(device_, operation); }

print::Page& Printer::CurrentPage() {
  if (!open_) {
    document_ = Document{};
    document_.pages.emplace_back();
    open_ = true;
  }
  return document_.pages.back();
}

void Printer::CloseJob() {
  open_ = false;
  document_ = Document{};
  x_ = 0;
  y_ = 0;
  line_has_text_ = false;
}

}  // namespace print
