#include "frelane/ratesheet/rate_sheet_group.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace rec = tolv::shipment_record;

bool RateSheetGroup::IsEmpty() const { return runtime::Trim(PrefixText).empty(); }

void RateSheetGroup::Clear() { *this = RateSheetGroup{}; }

bool RateSheetGroup::SameResults(const RateSheetGroup& other) const {
  return Rates == other.Rates && Shape == other.Shape && BracketCount == other.BracketCount &&
         BracketFlags == other.BracketFlags && BracketCharges == other.BracketCharges &&
         BracketWeights == other.BracketWeights && RateBasis == other.RateBasis;
}

std::optional<std::int32_t> RateSheetGroup::RateFor(std::string_view class_code,
                                                    std::int32_t weight) const {
  const std::string code = runtime::Trim(class_code);
  int row = -1;
  for (int r = 0; r < Shape.class_count; ++r) {
    if (Shape.class_codes[r] == code) {
      row = r;
      break;
    }
  }
  int column = -1;
  for (int k = 0; k < Shape.weight_break_count; ++k) {
    if (Shape.weight_breaks[k] == weight) {
      column = k;
      break;
    }
  }
  if (row < 0 || column < 0) return std::nullopt;
  return Rates[row * Shape.weight_break_count + column];
}

TableShape ShapeFromRecord(const tolv::ShipmentRecord& record) {
  os::ConstRecordView v = record.view();
  TableShape shape;
  shape.class_count = std::clamp<int>(v.I16(rec::kClassCount), 0, kMaxClasses);
  shape.weight_break_count = std::clamp<int>(v.I16(rec::kWeightBreakCount), 0, kMaxWeightBreaks);
  for (int r = 0; r < shape.class_count; ++r) {
    shape.class_codes[r] = runtime::Trim(v.Text(rec::kClassCode.Nth(r)));
  }
  for (int k = 0; k < shape.weight_break_count; ++k) {
    shape.weight_breaks[k] = v.I32(rec::kWeightBreak.Nth(k));
  }
  return shape;
}

RateSheetGroup CandidateFromRecord(const tolv::ShipmentRecord& record, double floor_cents) {
  os::ConstRecordView v = record.view();
  RateSheetGroup g;
  g.Shape = ShapeFromRecord(record);
  // Only the cells of the lane's own table carry results.
  const int cells = g.Shape.class_count * g.Shape.weight_break_count;
  for (int i = 0; i < cells; ++i) g.Rates[i] = v.I32(rec::kRateMatrix.Nth(i));
  g.RateBasis = record.header().Raw(tolv::shipment_header::kRateBasisNumber);
  g.BracketFlags = v.Raw(rec::kBracketKinds);
  g.BracketCount = v.I16(rec::kBracketCount);
  const double floor = std::round(floor_cents);
  for (int j = 0; j < kBrackets; ++j) {
    const std::int32_t charge = v.I32(rec::kBracketCharge.Nth(j));
    g.BracketCharges[j] = (charge > 0 && charge < floor_cents)
                              ? static_cast<std::int32_t>(std::min(floor, 2147483647.0))
                              : charge;
    g.BracketWeights[j] = v.I32(rec::kBracketWeight.Nth(j));
  }
  return g;
}

}  // namespace frelane::ratesheet
