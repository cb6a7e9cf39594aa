// RateSheetGroup: one row of a rate sheet. The sub-ranges of a sideline prefix that rate
// alike share a row: its prefix text ("303-303", or "300-302" once prefixes are condensed),
// its zip list ("00-49,60-99"), the lane's rate matrix with the class codes and weight
// breaks it is laid out by, the minimum-charge brackets and the rate basis number.
//
// Values are kept as integers, so a value of any width compares and prints on its own; the
// writers format them.
#ifndef FRELANE_RATESHEET_RATE_SHEET_GROUP_H_
#define FRELANE_RATESHEET_RATE_SHEET_GROUP_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tolv32dll/records/shipment_record.h"

namespace frelane::ratesheet {

inline constexpr int kMaxClasses = 19;
inline constexpr int kMaxWeightBreaks = 9;
inline constexpr int kRateCells = kMaxClasses * kMaxWeightBreaks;
inline constexpr int kBrackets = 30;
inline constexpr std::size_t kRateBasisWidth = 11;

// The layout of a tariff's rate matrix: its class codes and weight breaks in order.
struct TableShape {
  int class_count = 0;
  int weight_break_count = 0;
  std::array<std::string, kMaxClasses> class_codes{};       // trimmed, NULs dropped
  std::array<std::int32_t, kMaxWeightBreaks> weight_breaks{};  // lbs

  bool operator==(const TableShape&) const = default;
};

struct RateSheetGroup {
  std::string PrefixText;
  std::string ZipText;
  TableShape Shape;
  // Cell (class - 1) x weight-break count + (break - 1), cents per 100 lbs; cells past the
  // shape are 0.
  std::array<std::int32_t, kRateCells> Rates{};
  std::int16_t BracketCount = 0;
  std::string BracketFlags;  // one kind digit per bracket, 30 characters
  std::array<std::int32_t, kBrackets> BracketCharges{};  // cents, raised to the MC floor
  std::array<std::int32_t, kBrackets> BracketWeights{};  // lbs
  std::string RateBasis;  // 11 characters as the engine returned them

  // True when the trimmed prefix text is empty (a held-back row with nothing in it).
  bool IsEmpty() const;
  // Back to the empty row.
  void Clear();
  // True when both carry the same results: rates, table shape, brackets and rate basis.
  bool SameResults(const RateSheetGroup& other) const;
  // The rate of a class and weight break by the lane's own table; nullopt when the lane's
  // tariff has no such class or break.
  std::optional<std::int32_t> RateFor(std::string_view class_code, std::int32_t weight) const;
};

// The candidate row of a rated sub-range: the results of the record's last rating, each
// bracket charge above 0 and below `floor_cents` raised to it. The prefix and zip texts
// stay empty.
RateSheetGroup CandidateFromRecord(const tolv::ShipmentRecord& record, double floor_cents);

// The table shape a rated record reports (counts cut to what a sheet can hold).
TableShape ShapeFromRecord(const tolv::ShipmentRecord& record);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_RATE_SHEET_GROUP_H_
