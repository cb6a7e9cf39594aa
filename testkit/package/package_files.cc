#include "testkit/package/package_files.h"

#include "testkit/points/point_files.h"

namespace testkit {
namespace {

void Set(std::vector<std::uint32_t>& values, std::size_t i, std::uint32_t v) {
  if (values.size() <= i) values.resize(i + 1, 0);
  values[i] = v;
}

void SetRun(std::vector<std::uint32_t>& values, std::size_t from,
            const std::vector<std::uint32_t>& run) {
  for (std::size_t i = 0; i < run.size(); ++i) Set(values, from + i, run[i]);
}

}  // namespace

Bytes PackageRecordFile(const std::vector<PackageRow>& rows) {
  Bytes out;
  for (const PackageRow& row : rows) {
    AppendText(out, std::string(1, row.type), 1);
    AppendText(out, row.code, 3);
    AppendText(out, "", 1);
    AppendText(out, row.tiers, 30);
    AppendText(out, "", 3);
  }
  return out;
}

RateRow PackageHeaderRow(const PackageHeader& header, const std::string& number) {
  return RateRow{
      1, number, {header.scheme, header.max_weight, header.default_tier, header.version}};
}

RateRow PackageZoneRow(const PackageZone& zone, const std::string& number) {
  RateRow row{1, number, {}};
  Set(row.values, 0, zone.price_base);
  Set(row.values, 1, zone.residential);
  Set(row.values, 2, zone.on_call);
  Set(row.values, 3, zone.delivery_area);
  Set(row.values, 5, zone.least_cwt_weight);
  Set(row.values, 8, zone.least_e_minimum);
  Set(row.values, 9, zone.e_minimum_weight);
  Set(row.values, 10, zone.letter_limit);
  Set(row.values, 11, zone.delivery_area_other);
  SetRun(row.values, zone.price_base, zone.prices);
  return row;
}

RateRow PackageHundredweightRow(const PackageHundredweight& cwt, const std::string& number) {
  RateRow row{1, number, {}};
  Set(row.values, 0, cwt.tier_base);
  Set(row.values, 1, cwt.residential);
  Set(row.values, 2, cwt.on_call);
  Set(row.values, 4, cwt.delivery_area);
  Set(row.values, 7, cwt.minimum_weight);
  Set(row.values, 8, cwt.least_e_minimum);
  Set(row.values, 12, cwt.delivery_area_other);
  Set(row.values, 13, cwt.residential_v2);
  SetRun(row.values, cwt.tier_base, cwt.tier_rows);
  return row;
}

}  // namespace testkit
