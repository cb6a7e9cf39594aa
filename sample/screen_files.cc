#include "sample/screen_files.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "sample/house_colours.h"
#include "sample/table_lines.h"
#include "testkit/app/picture_writer.h"
#include "testkit/geo/screen_files.h"

namespace sample {

namespace {

using Path = std::filesystem::path;

constexpr testkit::Rgb kPaper{250, 246, 232};

bool BuildDisclaimer(const Path& screen, const char* source, const Path& target) {
  std::vector<std::string> lines;
  return ReadTableLines(screen / source, &lines, BlankLines::kKeep) &&
         WriteText(target, testkit::DisclaimerFile(lines));
}

bool BuildZipRanges(const Path& screen, const Path& target) {
  std::vector<std::pair<std::string, std::string>> ranges;
  auto add = [&ranges](const std::string& line) {
    std::istringstream in(line);
    std::string low, high;
    if (!(in >> low >> high)) return false;
    ranges.emplace_back(low, high);
    return true;
  };
  return ForEachTableLine(screen / "zip_disclaimer_zips.txt", add, BlankLines::kKeep) &&
         WriteText(target / "ZipDisclaimerZips.dat", testkit::ZipDisclaimerZipsFile(ranges));
}

// A banner of the window's width in pixels (twips / 15) with centred text.
testkit::Canvas Banner(int width, int height, std::string_view text, int scale,
                       testkit::Rgb background, testkit::Rgb ink) {
  testkit::Canvas canvas(width, height, background);
  int x = (width - testkit::Canvas::TextWidth(text, scale)) / 2;
  canvas.DrawText(x, (height - 7 * scale) / 2, text, scale, ink);
  return canvas;
}

bool BuildPictures(const Path& target) {
  testkit::Canvas headline = Banner(368, 36, "QUILLMOOR FREIGHT LINES", 2, kNavy, kWhite);
  headline.FillRect(0, 32, 368, 4, kAmber);
  testkit::Canvas subhead = Banner(246, 36, "LTL RATE QUOTE", 2, kPaper, kNavy);
  testkit::Canvas zip_headline = Banner(214, 16, "DELIVERY NOTICE", 1, kAmber, kNavy);
  return Write(target / "headline.bmp", testkit::BmpBytes(headline)) &&
         Write(target / "subhead.bmp", testkit::BmpBytes(subhead)) &&
         Write(target / "ZipHeadline.bmp", testkit::BmpBytes(zip_headline));
}

}  // namespace

bool BuildScreenFiles(const Path& source, const Path& target) {
  Path screen = source / "screen";
  return BuildDisclaimer(screen, "service_disclaimer.txt", target / "ServiceDisclaimer.dat") &&
         BuildDisclaimer(screen, "charge_disclaimer.txt", target / "ChargeDisclaimer.dat") &&
         BuildDisclaimer(screen, "zip_disclaimer.txt", target / "ZipDisclaimer.dat") &&
         BuildZipRanges(screen, target) && BuildPictures(target);
}

}  // namespace sample
