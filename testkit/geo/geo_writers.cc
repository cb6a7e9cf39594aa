#include "testkit/geo/geo_writers.h"

#include <cassert>

#include "platform/os/bytes.h"

namespace testkit {

namespace {

void PutText(GeoBytes& out, std::size_t at, std::size_t width, const std::string& text) {
  os::StoreText(out.data() + at, width, text);
}

}  // namespace

GeoBytes StateFile(const std::map<int, std::string>& state_of_prefix) {
  int last = state_of_prefix.empty() ? 0 : state_of_prefix.rbegin()->first;
  GeoBytes out(static_cast<std::size_t>(last) * 3, ' ');
  for (const auto& [prefix, state] : state_of_prefix) {
    PutText(out, static_cast<std::size_t>(prefix - 1) * 3, 2, state);
  }
  return out;
}

GeoBytes ServiceZipFile(const std::vector<ServiceZipRange>& ranges) {
  GeoBytes out(ranges.size() * 23);
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    const ServiceZipRange& r = ranges[i];
    std::uint8_t* p = out.data() + i * 23;
    p[0] = static_cast<std::uint8_t>(r.kind);
    os::StoreText(p + 1, 6, r.low);
    os::StoreText(p + 7, 6, r.high);
    os::StoreI32Le(p + 13, r.terminal);
    p[17] = static_cast<std::uint8_t>(r.origin_code);
    p[18] = static_cast<std::uint8_t>(r.destination_code);
    os::StoreI16Le(p + 19, r.origin_days);
    os::StoreI16Le(p + 21, r.destination_days);
  }
  return out;
}

GeoBytes TerminalFile(const std::vector<Terminal>& terminals) {
  GeoBytes out(terminals.size() * 433);
  for (std::size_t i = 0; i < terminals.size(); ++i) {
    const Terminal& t = terminals[i];
    std::size_t base = i * 433;
    PutText(out, base + 0, 50, t.name);
    PutText(out, base + 50, 5, t.code);
    PutText(out, base + 55, 50, t.address1);
    PutText(out, base + 105, 50, t.address2);
    PutText(out, base + 155, 30, t.city);
    PutText(out, base + 185, 2, t.state);
    PutText(out, base + 187, 10, t.postal_code);
    PutText(out, base + 197, 12, t.phone);
    PutText(out, base + 209, 12, t.toll_free);
    PutText(out, base + 221, 12, t.fax);
    PutText(out, base + 233, 100, t.email);
    PutText(out, base + 333, 50, t.contact_name);
    PutText(out, base + 383, 50, t.contact_title);
  }
  return out;
}

GeoBytes TransitMatrixFile(const std::vector<std::vector<std::int16_t>>& days) {
  std::size_t n = days.size();
  GeoBytes out(n * n * 2);
  for (std::size_t o = 0; o < n; ++o) {
    assert(days[o].size() == n);
    for (std::size_t d = 0; d < n; ++d) os::StoreI16Le(out.data() + (o * n + d) * 2, days[o][d]);
  }
  return out;
}

}  // namespace testkit
