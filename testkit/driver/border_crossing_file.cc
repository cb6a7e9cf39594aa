#include "testkit/driver/border_crossing_file.h"

namespace testkit {
namespace {

void PutZip(Bytes& r, std::size_t at, const std::string& zip) {
  for (std::size_t i = 0; i < 5; ++i) {
    r[at + i] = static_cast<std::uint8_t>(i < zip.size() ? zip[i] : ' ');
  }
}

}  // namespace

Bytes BorderCrossingFile(const std::vector<BorderCrossingRow>& rows) {
  Bytes out;
  for (const BorderCrossingRow& row : rows) {
    Bytes r(37, ' ');
    PutZip(r, 0, row.other_low);
    PutZip(r, 6, row.other_high);
    PutZip(r, 12, row.mexican_low);
    PutZip(r, 18, row.mexican_high);
    PutZip(r, 24, row.crossing);
    r[35] = '\r';
    r[36] = '\n';
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

}  // namespace testkit
