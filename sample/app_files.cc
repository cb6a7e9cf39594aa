#include "sample/app_files.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sample/table_lines.h"
#include "testkit/app/picture_writer.h"
#include "testkit/app/settings_file_writer.h"

namespace sample {

namespace {

using testkit::SettingsFileWriter;

std::string Trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// The settings keys of sample/app/settings.txt and what each sets.
using Setter = std::function<void(SettingsFileWriter&, const std::string&)>;

Setter TextAt(std::size_t offset, std::size_t width) {
  return [=](SettingsFileWriter& w, const std::string& v) { w.Text(offset, width, v); };
}
Setter SwitchAt(std::size_t offset) {
  return [=](SettingsFileWriter& w, const std::string& v) { w.Switch(offset, v == "on"); };
}
Setter I16At(std::size_t offset) {
  return [=](SettingsFileWriter& w, const std::string& v) {
    w.I16(offset, static_cast<std::int16_t>(std::atoi(v.c_str())));
  };
}
Setter I32At(std::size_t offset) {
  return [=](SettingsFileWriter& w, const std::string& v) {
    w.I32(offset, static_cast<std::int32_t>(std::atol(v.c_str())));
  };
}
Setter F64At(std::size_t offset) {
  return [=](SettingsFileWriter& w, const std::string& v) { w.F64(offset, std::atof(v.c_str())); };
}

const std::map<std::string, Setter>& SettingsKeys() {
  static const std::map<std::string, Setter> keys = {
      {"company name", TextAt(0, 50)},
      {"about text 1", TextAt(347, 30)},
      {"effective date text", TextAt(377, 30)},
      {"about text 2", TextAt(407, 30)},
      {"about text 3", TextAt(437, 50)},
      {"about text 4", TextAt(487, 30)},
      {"rating date", TextAt(517, 10)},
      {"about text 5", TextAt(527, 10)},
      {"accessorial prompt offered", SwitchAt(537)},
      {"accessorial prompt default", SwitchAt(539)},
      {"bill of lading shown", SwitchAt(541)},
      {"city lookup shown", SwitchAt(543)},
      {"fak in use", SwitchAt(545)},
      {"floor matrix in use", SwitchAt(547)},
      {"mc floor discount shown", SwitchAt(549)},
      {"terminal service guide", SwitchAt(551)},
      {"price per unit offered", SwitchAt(553)},
      {"price per unit default", SwitchAt(555)},
      {"rate sheet shown", SwitchAt(557)},
      {"rate sheet text export", SwitchAt(559)},
      {"rules shown", SwitchAt(561)},
      {"default origin", TextAt(563, 6)},
      {"default destination", TextAt(571, 6)},
      {"default class", TextAt(579, 3)},
      {"default weight", I32At(584)},
      {"ltl fuel surcharge", F64At(590)},
      {"tl fuel surcharge", F64At(600)},
      {"rate adjustment factor", F64At(610)},
      {"canadian exchange factor", F64At(620)},
      {"discounts fixed", SwitchAt(630)},
      {"discount count", I16At(632)},
      {"us discount mc", F64At(634)},
      {"us discount ltl", F64At(642)},
      {"us discount tl", F64At(650)},
      {"us discount mc floor", F64At(658)},
      {"discount on charges", SwitchAt(666)},
      {"show miles", SwitchAt(668)},
      {"widen short postal codes", SwitchAt(670)},
      {"icon file name", TextAt(932, 12)},
      {"spot quote weight limit", I32At(944)},
      {"map shown", SwitchAt(948)},
      {"hidden rate adjustment factor", F64At(950)},
      {"ltl fuel floor", F64At(958)},
      {"tl fuel floor", F64At(966)},
      {"tl discount hidden", SwitchAt(974)},
      {"web address", TextAt(976, 100)},
      {"intrastate discount mc", F64At(1076)},
      {"intrastate discount ltl", F64At(1084)},
      {"intrastate discount tl", F64At(1092)},
      {"intrastate discount mc floor", F64At(1100)},
      {"intrastate discounts", SwitchAt(1108)},
      {"canada discount mc", F64At(1110)},
      {"canada discount ltl", F64At(1118)},
      {"canada discount tl", F64At(1126)},
      {"canada discount mc floor", F64At(1134)},
      {"canada discounts", SwitchAt(1142)},
      {"fuel surcharge weight threshold", I32At(1144)},
      {"zip discounts offered", SwitchAt(1148)},
      {"zip discounts used", SwitchAt(1150)},
      {"never ask single shipment", SwitchAt(1152)},
      {"toolbar shown", SwitchAt(1154)},
      {"unserved lane message", TextAt(1156, 50)},
  };
  return keys;
}

// The shared table reader with every line trimmed first, so indented comments and
// whitespace-only lines are skipped too.
bool ForEachLine(const std::filesystem::path& path,
                 const std::function<bool(const std::string&)>& line_fn) {
  return ForEachTableLine(path, [&](const std::string& raw) {
    std::string line = Trim(raw);
    return line.empty() || line[0] == '#' || line_fn(line);
  });
}

bool BuildSettings(const std::filesystem::path& source, const std::filesystem::path& target) {
  SettingsFileWriter writer;
  bool ok = ForEachLine(source / "settings.txt", [&](const std::string& line) {
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    auto key = SettingsKeys().find(Trim(line.substr(0, eq)));
    if (key == SettingsKeys().end()) return false;
    key->second(writer, Trim(line.substr(eq + 1)));
    return true;
  });
  return ok && Write(target / "variable.dat", writer.Bytes());
}

bool BuildFak(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::vector<std::int16_t> entries;
  bool ok = ForEachLine(source / "fak.txt", [&](const std::string& line) {
    std::size_t arrow = line.find("->");
    if (arrow == std::string::npos) return false;
    entries.push_back(static_cast<std::int16_t>(std::atoi(line.c_str() + arrow + 2)));
    return true;
  });
  if (ok && entries.size() != 18) {
    std::fprintf(stderr, "fak.txt: 18 classes expected, %zu found\n", entries.size());
    ok = false;
  }
  return ok && Write(target / "fak.dat", testkit::FakFileBytes(entries));
}

constexpr testkit::Rgb kNavy{16, 42, 84};
constexpr testkit::Rgb kSky{120, 170, 220};
constexpr testkit::Rgb kWhite{250, 250, 250};
constexpr testkit::Rgb kAmber{240, 170, 40};
constexpr testkit::Rgb kRoad{60, 60, 66};
constexpr testkit::Rgb kTyre{24, 24, 24};

// A tractor-trailer seen from the side, its trailer's left end at (x, y).
void DrawTruck(testkit::Canvas& c, int x, int y) {
  c.FillRect(x, y, 300, 110, kWhite);                // trailer
  c.FillRect(x, y + 104, 300, 6, kAmber);            // its stripe
  c.FillRect(x + 306, y + 30, 80, 80, kAmber);       // cab
  c.FillRect(x + 346, y + 40, 32, 28, kSky);         // window
  c.FillRect(x, y + 110, 386, 10, kRoad);            // chassis
  for (int wheel : {40, 80, 250, 290, 340}) {
    c.FillCircle(x + wheel, y + 128, 16, kTyre);
    c.FillCircle(x + wheel, y + 128, 6, kWhite);
  }
}

testkit::Canvas SplashPicture(const char* headline, const char* footer, testkit::Rgb sky) {
  // The inside of a window of the standard size.
  constexpr int kWidth = 632;
  constexpr int kHeight = 452;
  testkit::Canvas c(kWidth, kHeight, sky);
  c.FillRect(0, 320, kWidth, kHeight - 320, kRoad);
  c.FillRect(0, 372, kWidth, 6, kAmber);
  DrawTruck(c, 106, 186);
  auto centred = [&](std::string_view text, int scale) {
    return (kWidth - testkit::Canvas::TextWidth(text, scale)) / 2;
  };
  c.DrawText(centred("QUILLMOOR", 8), 34, "QUILLMOOR", 8, kWhite);
  c.DrawText(centred(headline, 4), 112, headline, 4, kWhite);
  c.DrawText(centred(footer, 3), 400, footer, 3, kWhite);
  return c;
}

bool BuildPictures(const std::filesystem::path& target) {
  testkit::Canvas intro = SplashPicture("FREIGHT LINES", "LTL RATES", kNavy);
  testkit::Canvas introd = SplashPicture("FREIGHT LINES", "RATES EFFECTIVE 12-01-2026", kNavy);
  testkit::Canvas icon(32, 32, kNavy);
  icon.FillRect(4, 10, 16, 12, kWhite);
  icon.FillRect(21, 14, 7, 8, kAmber);
  icon.FillCircle(9, 24, 3, kTyre);
  icon.FillCircle(24, 24, 3, kTyre);
  return Write(target / "intro.bmp", testkit::BmpBytes(intro)) &&
         Write(target / "Introd.bmp", testkit::BmpBytes(introd)) &&
         Write(target / "frelane.ico", testkit::IcoBytes(icon));
}

}  // namespace

bool BuildAppFiles(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::filesystem::path app = source / "app";
  return BuildSettings(app, target) && BuildFak(app, target) && BuildPictures(target);
}

}  // namespace sample
