#include "tolv32dll/lanes/text_lane_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "tolv32dll/errors/error_numbers.h"

namespace tolv {
namespace {

// Lane files are small tables; anything larger is not one.
constexpr std::int64_t kMaxTextLaneFile = 8 << 20;
constexpr std::size_t kMaxLine = 72;
constexpr std::size_t kZipWidth = 5, kCodesAt = 10, kCodeWidth = 3;
constexpr std::size_t kHitWidth = 12;

struct Line {
  std::int64_t position = 0;
  std::string text;
};

std::vector<Line> SplitLines(std::span<const std::uint8_t> bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\n') ++end;
    std::string text(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                     bytes.begin() + static_cast<std::ptrdiff_t>(end));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.size() > kMaxLine) text.resize(kMaxLine);
    lines.push_back({static_cast<std::int64_t>(start), std::move(text)});
    start = end + 1;
  }
  while (!lines.empty() && lines.back().text.find_first_not_of(' ') == std::string::npos) {
    lines.pop_back();
  }
  return lines;
}

// The index of the line that opens the hit section, or -1.
std::ptrdiff_t HitSectionLine(const std::vector<Line>& lines) {
  const std::string& last = lines.back().text;
  const std::ptrdiff_t trailer = static_cast<std::ptrdiff_t>(lines.size()) - 1;
  if (last.compare(0, 3, "999") == 0) {
    const std::string digits = last.substr(3);
    if (digits.empty() || digits.find_first_not_of("0123456789 ") != std::string::npos) return -1;
    const std::int64_t position = std::strtoll(digits.c_str(), nullptr, 10);
    for (std::ptrdiff_t i = 0; i < trailer; ++i) {
      if (lines[static_cast<std::size_t>(i)].position == position) {
        return lines[static_cast<std::size_t>(i)].text.starts_with("*") ? i : -1;
      }
    }
    return -1;
  }
  for (std::ptrdiff_t i = trailer - 1; i >= 0; --i) {
    if (lines[static_cast<std::size_t>(i)].text.starts_with("*")) return i;
  }
  return -1;
}

TextLaneArea AreaOf(const std::string& text) {
  TextLaneArea area;
  std::string padded = text;
  if (padded.size() < kCodesAt) padded.resize(kCodesAt, ' ');
  area.low = padded.substr(0, kZipWidth);
  area.high = padded.substr(kZipWidth, kZipWidth);
  for (std::size_t at = kCodesAt; at + kCodeWidth <= padded.size(); at += kCodeWidth) {
    std::string code = padded.substr(at, kCodeWidth);
    if (code == "   ") continue;
    if (area.codes.size() < 20) area.codes.push_back(code);
  }
  return area;
}

}  // namespace

bool ReadTextLaneBytes(const FileView& file, std::vector<std::uint8_t>& bytes) {
  const std::int64_t size = file.Size();
  if (size <= 0 || size > kMaxTextLaneFile) return false;
  bytes.resize(static_cast<std::size_t>(size));
  return ReadExact(file, 0, os::MutableByteSpan(bytes.data(), bytes.size()));
}

Result<TextLaneFile> ParseTextLaneFile(const FileView& file) {
  std::vector<std::uint8_t> bytes;
  if (!ReadTextLaneBytes(file, bytes)) return Result<TextLaneFile>::Error(kErrBadlal);
  return ParseTextLaneBytes(bytes);
}

Result<TextLaneFile> ParseTextLaneBytes(std::span<const std::uint8_t> bytes) {
  const std::vector<Line> lines = SplitLines(bytes);
  if (lines.empty()) return Result<TextLaneFile>::Error(kErrBadlal);
  const std::ptrdiff_t section = HitSectionLine(lines);
  if (section < 0) return Result<TextLaneFile>::Error(kErrBadlal);

  TextLaneFile out;
  std::ptrdiff_t i = 0;
  while (i < section && out.option_lines.size() < 2 &&
         lines[static_cast<std::size_t>(i)].text.starts_with("*")) {
    out.option_lines.push_back(lines[static_cast<std::size_t>(i)].text);
    ++i;
  }
  for (; i < section; ++i) {
    const std::string& text = lines[static_cast<std::size_t>(i)].text;
    if (text.starts_with("*") || text.size() < kCodesAt) continue;
    out.areas.push_back(AreaOf(text));
  }
  const std::size_t trailer = lines.size() - 1;
  for (std::size_t h = static_cast<std::size_t>(section) + 1; h < trailer; ++h) {
    const std::string& text = lines[h].text;
    if (text.size() < kHitWidth) continue;
    out.hits.push_back({text.substr(0, 6), text.substr(6, 4), text[10], text[11]});
  }
  return out;
}

const TextLaneArea* FindTextLaneArea(const TextLaneFile& file, const std::string& zip) {
  std::array<char, kZipWidth> padded;
  padded.fill(' ');
  std::copy_n(zip.data(), std::min(zip.size(), padded.size()), padded.data());
  const std::string_view key(padded.data(), padded.size());
  for (const TextLaneArea& area : file.areas) {
    if (std::string_view(area.low) <= key && key <= std::string_view(area.high)) return &area;
  }
  return nullptr;
}

}  // namespace tolv
