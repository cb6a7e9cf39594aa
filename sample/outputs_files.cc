#include "sample/outputs_files.h"

#include <string>
#include <vector>

#include "sample/house_colours.h"
#include "sample/table_lines.h"
#include "testkit/app/picture_writer.h"
#include "testkit/geo/screen_files.h"
#include "testkit/outputs/web_links_file.h"

namespace sample {

namespace {

using Path = std::filesystem::path;

constexpr testkit::Rgb kLand{226, 232, 210};
constexpr testkit::Rgb kWater{170, 200, 230};

bool BuildWebLinks(const Path& outputs, const Path& target) {
  std::vector<testkit::WebLinkLine> links;
  auto add = [&links](const std::string& line) {
    std::size_t bar = line.find('|');
    if (bar == std::string::npos) return false;
    links.push_back({line.substr(0, bar), line.substr(bar + 1)});
    return true;
  };
  return ForEachTableLine(outputs / "web_links.txt", add) &&
         WriteText(target / "weblinks.dat", testkit::WebLinksFile(links));
}

bool BuildPrintDisclaimer(const Path& outputs, const Path& target) {
  std::vector<std::string> paragraphs;
  if (!ReadTableLines(outputs / "print_disclaimer.txt", &paragraphs)) return false;
  std::string text;
  for (const std::string& p : paragraphs) text += (text.empty() ? "" : "\r\n") + p;
  return WriteText(target / "PrintDisclaimer.dat", testkit::DisclaimerFile({text}));
}

// A service map of the fictional carrier: a coast, its four terminals and the lanes between.
testkit::Canvas ServiceMap() {
  testkit::Canvas map(480, 300, kLand);
  map.FillRect(400, 0, 80, 300, kWater);
  map.FillRect(0, 0, 480, 40, kNavy);
  map.DrawText(12, 12, "QUILLMOOR SERVICE MAP", 2, kWhite);
  struct Terminal {
    int x, y;
    const char* code;
  } terminals[] = {{330, 90, "TOR"}, {250, 130, "CHI"}, {330, 220, "ATL"}, {180, 240, "DAL"}};
  for (const Terminal& a : terminals) {
    for (const Terminal& b : terminals) {
      if (a.x >= b.x) continue;
      for (int i = 0; i <= 100; ++i) {
        map.FillRect(a.x + (b.x - a.x) * i / 100, a.y + (b.y - a.y) * i / 100, 2, 2, kAmber);
      }
    }
  }
  for (const Terminal& t : terminals) {
    map.FillCircle(t.x, t.y, 8, kNavy);
    map.DrawText(t.x - 14, t.y + 12, t.code, 2, kNavy);
  }
  return map;
}

testkit::Canvas PrintHeading() {
  testkit::Canvas heading(400, 40, kWhite);
  heading.FillRect(0, 34, 400, 4, kAmber);
  heading.DrawText((400 - testkit::Canvas::TextWidth("QUILLMOOR FREIGHT LINES", 2)) / 2, 10,
                   "QUILLMOOR FREIGHT LINES", 2, kNavy);
  return heading;
}

}  // namespace

bool BuildOutputsFiles(const Path& source, const Path& target) {
  Path outputs = source / "outputs";
  return BuildWebLinks(outputs, target) && BuildPrintDisclaimer(outputs, target) &&
         Write(target / "map.bmp", testkit::BmpBytes(ServiceMap())) &&
         Write(target / "PrintHdr.bmp", testkit::BmpBytes(PrintHeading()));
}

}  // namespace sample
