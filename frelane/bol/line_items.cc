#include "frelane/bol/line_items.h"

#include <cmath>

#include "frelane/bol/bol_records.h"
#include "frelane/core/field_helpers.h"
#include "platform/runtime/format.h"

namespace frelane::bol {
namespace {

std::string RightAligned(std::int32_t n, std::size_t width) {
  std::string text = std::to_string(n);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string DetailLine(os::ConstRecordView v) {
  std::string line = RightAligned(v.I32(item::kHandlingUnits), 4);
  line += "  ";
  line += v.Raw(item::kHandlingUnitType);
  line += "    ";
  line += RightAligned(v.I32(item::kPackages), 4);
  line += "  ";
  line += v.Raw(item::kPackageType);
  line += "  ";
  const os::Field& shown =
      modMain::Trim(v.Text(item::kProductName)).empty() ? item::kDescription : item::kProductName;
  line += v.Raw(shown);
  // Stored bytes are Windows-1252 with NULs read as blanks.
  for (char& c : line) {
    if (c == '\0') c = ' ';
  }
  return os::Cp1252ToUtf8(line);
}

std::string CubeText(double cube) {
  if (!std::isfinite(cube) || cube == 0) return "";
  return modMain::Trim(runtime::Format(cube, "#.######"));
}

std::int32_t WholeNumberOf(std::string_view text) {
  if (modMain::Trim(text).empty()) return 0;
  double v = std::nearbyint(modMain::SafeValue(text));
  if (v > 2147483647.0) return 2147483647;
  if (v < -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}

std::optional<std::int64_t> PackagesWeight(double packages, std::int32_t weight_per_package) {
  double weight = std::nearbyint(packages) * static_cast<double>(weight_per_package);
  if (!std::isfinite(weight) || std::fabs(weight) > static_cast<double>(kMaxItemWeight)) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(weight);
}

}  // namespace frelane::bol
