#include "testkit/quote/quote_files.h"

#include <array>
#include <cstdio>

#include "frelane/rating/accessorial_record.h"
#include "frelane/rating/floor_charge.h"
#include "frelane/rating/zip_adjustment_record.h"

namespace testkit {

namespace {

template <std::size_t N, typename Fill>
void AppendRecord(std::string& out, Fill fill) {
  std::array<std::uint8_t, N> bytes{};
  fill(os::RecordView(bytes));
  out.append(reinterpret_cast<const char*>(bytes.data()), N);
}

}  // namespace

std::string FloorRangesFile(const std::vector<std::pair<std::string, std::string>>& ranges) {
  namespace f = frelane::floors;
  std::string out;
  for (const auto& range : ranges) {
    AppendRecord<f::kRangeRecordSize>(out, [&](os::RecordView r) {
      r.SetText(f::kLowZip, range.first);
      r.SetText(f::kHighZip, range.second);
    });
  }
  return out;
}

std::string FloorAmountsFile(const std::vector<std::int32_t>& cents) {
  namespace f = frelane::floors;
  std::string out;
  for (std::int32_t c : cents) {
    AppendRecord<f::kAmountRecordSize>(out, [&](os::RecordView r) { r.SetI32(f::kAmountCents, c); });
  }
  return out;
}

std::string FloorMatrixFile(
    int rows, int columns,
    const std::vector<std::pair<std::pair<int, int>, std::uint8_t>>& cells) {
  std::string out(static_cast<std::size_t>(rows * columns), ' ');
  for (const auto& [at, index] : cells) {
    out[static_cast<std::size_t>((at.first - 1) * columns + at.second - 1)] =
        static_cast<char>(index);
  }
  return out;
}

std::string FloorAddLine(const std::string& origin_low, const std::string& origin_high,
                         const std::string& destination_low,
                         const std::string& destination_high, int cents) {
  char line[64];
  std::snprintf(line, sizeof line, "%-5.5s%-5.5s%-5.5s%-5.5s%06d", origin_low.c_str(),
                origin_high.c_str(), destination_low.c_str(), destination_high.c_str(), cents);
  return line;
}

std::string AccessorialChargesFile(const std::vector<AccessorialCharge>& charges) {
  namespace a = frelane::accchg;
  std::string out;
  for (const AccessorialCharge& c : charges) {
    AppendRecord<a::kRecordSize>(out, [&](os::RecordView r) {
      r.SetText(a::kDescription, c.description);
      r.SetI16(a::kKind, static_cast<std::int16_t>(c.kind));
      r.SetF64(a::kRate, c.rate);
      r.SetF64(a::kMinimum, c.minimum);
      r.SetF64(a::kMaximum, c.maximum);
      r.SetText(a::kUnit, c.unit);
      r.SetText(a::kReserved, "");
    });
  }
  return out;
}

std::string ZipAdjustmentsFile(const std::vector<ZipAdjustment>& adjustments) {
  namespace z = frelane::zipadj;
  std::string out;
  for (const ZipAdjustment& a : adjustments) {
    AppendRecord<z::kRecordSize>(out, [&](os::RecordView r) {
      r.SetText(z::kLowZip, a.low);
      r.SetText(z::kHighZip, a.high);
      r.SetI32(z::kFromWeight, a.from_weight);
      r.SetI32(z::kToWeight, a.to_weight);
      r.SetF64(z::kAmount, a.amount);
      r.SetText(z::kRulesItem, a.rules_item);
    });
  }
  return out;
}

}  // namespace testkit
