#include "testkit/rating/lane_lookup_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <numeric>

#include "frelane/core/zip_discount_record.h"
#include "frelane/rating/lane_records.h"
#include "testkit/padded_text.h"

namespace testkit {

namespace {

template <std::size_t kSize>
struct Record {
  std::array<std::uint8_t, kSize> bytes{};
  os::RecordView view() { return os::RecordView(bytes); }
  void AppendTo(std::string& out) const { out.append(bytes.begin(), bytes.end()); }
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string TariffListFile(const std::vector<TariffListLine>& lines) {
  std::string out;
  for (const TariffListLine& line : lines) {
    out += Padded(line.code, 2) + Padded(line.name, 8) + (line.ask ? "Y" : " ") + line.description +
           "\r\n";
  }
  return out;
}

std::string TariffOverrideFile(const std::vector<TariffOverrideLine>& lines) {
  std::string out;
  for (const TariffOverrideLine& line : lines) {
    out += Padded(line.origin_low, 5) + Padded(line.origin_high, 5) +
           Padded(line.destination_low, 5) + Padded(line.destination_high, 5) + line.name + "\r\n";
  }
  return out;
}

std::string ServedLaneFile(const std::vector<ServedLane>& lanes) {
  namespace r = frelane::served_lane_record;
  std::string out;
  for (const ServedLane& lane : lanes) {
    Record<r::kSize> record;
    record.view().SetText(r::kOriginLow, lane.origin_low);
    record.view().SetText(r::kOriginHigh, lane.origin_high);
    record.view().SetText(r::kDestinationLow, lane.destination_low);
    record.view().SetText(r::kDestinationHigh, lane.destination_high);
    record.AppendTo(out);
  }
  return out;
}

std::string ZipRangeFile(const std::vector<ZipRange>& ranges) {
  namespace r = frelane::zip_range_record;
  std::string out;
  for (const ZipRange& range : ranges) {
    Record<r::kSize> record;
    record.view().SetRaw(r::kLow, Padded(range.low, r::kLow.width));
    record.view().SetRaw(r::kHigh, Padded(range.high, r::kHigh.width));
    record.AppendTo(out);
  }
  return out;
}

std::string ServiceMatrixFile(const std::vector<std::vector<int>>& rows) {
  std::string out;
  for (const std::vector<int>& row : rows) {
    for (int cell : row) {
      out.push_back(cell == 0 ? static_cast<char>(frelane::service_cell_record::kEmpty)
                              : static_cast<char>(cell));
    }
  }
  return out;
}

std::string ServiceDaysFile(const std::vector<ServiceDays>& days) {
  namespace r = frelane::service_days_record;
  std::string out;
  for (const ServiceDays& d : days) {
    Record<r::kSize> record;
    record.view().SetI16(r::kMinDays, d.min_days);
    record.view().SetI16(r::kMaxDays, d.max_days);
    record.AppendTo(out);
  }
  return out;
}

std::string ZipDiscountFile(const std::vector<ZipDiscount>& records) {
  namespace z = frelane::zipdisc;
  std::string out;
  for (const ZipDiscount& d : records) {
    Record<z::kRecordSize> record;
    os::RecordView v = record.view();
    v.SetText(z::kOriginLow, d.origin_low);
    v.SetText(z::kOriginHigh, d.origin_high);
    v.SetText(z::kDestinationLow, d.destination_low);
    v.SetText(z::kDestinationHigh, d.destination_high);
    v.SetF64(z::kMcDiscount, d.mc);
    v.SetF64(z::kLtlDiscount, d.ltl);
    v.SetF64(z::kTlDiscount, d.tl);
    v.SetF64(z::kMcFloor, d.mc_floor);
    v.SetI16(z::kDeleted, d.deleted ? -1 : 0);
    v.Fill(z::kReserved, ' ');
    record.AppendTo(out);
  }
  return out;
}

CityFiles CityFilesOf(std::vector<City> cities) {
  namespace c = frelane::city_zip_record;
  namespace i = frelane::zip_city_record;
  std::stable_sort(cities.begin(), cities.end(), [](const City& a, const City& b) {
    std::string ka = Upper(a.city), kb = Upper(b.city);
    return ka != kb ? ka < kb : a.zip < b.zip;
  });
  CityFiles files;
  for (const City& city : cities) {
    Record<c::kSize> record;
    record.view().SetText(c::kCity, city.city);
    record.view().SetText(c::kState, city.state);
    record.view().SetText(c::kZip, city.zip);
    record.AppendTo(files.cityzip);
  }
  std::vector<std::int32_t> order(cities.size());
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
    return Upper(cities[static_cast<std::size_t>(a - 1)].zip) <
           Upper(cities[static_cast<std::size_t>(b - 1)].zip);
  });
  for (std::int32_t n : order) {
    Record<i::kSize> record;
    record.view().SetI32(i::kCityRecord, n);
    record.AppendTo(files.zipcity);
  }
  return files;
}

}  // namespace testkit
