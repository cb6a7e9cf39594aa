#include "testkit/ratesheet/rate_sheet_files.h"

#include "testkit/points/point_files.h"

namespace testkit {

namespace {

void Append(RateSheetBytes& out, const std::string& text, std::size_t width) {
  AppendText(out, text, width);
}

}  // namespace

RateSheetBytes ZipcodesFile(const std::vector<StatePrefixRanges>& states) {
  RateSheetBytes out;
  for (const StatePrefixRanges& s : states) {
    Append(out, s.state, 2);
    out.push_back(static_cast<std::uint8_t>('0' + s.ranges.size()));
    for (std::size_t r = 0; r < s.ranges.size(); ++r) {
      if (r > 0) out.push_back(' ');
      Append(out, s.ranges[r].first, 3);
      out.push_back('-');
      Append(out, s.ranges[r].second, 3);
    }
    out.push_back('\r');
    out.push_back('\n');
  }
  return out;
}

RateSheetBytes ZipBlockFile(const std::vector<ZipBlock>& blocks) {
  RateSheetBytes out;
  for (const ZipBlock& b : blocks) {
    Append(out, b.low, 5);
    Append(out, b.high, 5);
    Append(out, "", 2);
  }
  return out;
}

}  // namespace testkit
