// The lane adjustments of one shipment: loading the hits of its lane by the tariff's
// lane-adjustment kind, and applying them to the rate matrix and the minimum-charge
// brackets inside the charge computation.
#ifndef TOLV32DLL_LANES_LANE_ADJUSTMENTS_H_
#define TOLV32DLL_LANES_LANE_ADJUSTMENTS_H_

#include <array>
#include <cstdint>
#include <string>

#include "tolv32dll/charges/charge_compute.h"
#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/lanes/lane_files.h"
#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/points/point_state.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

// What the lane adjustments read of the shipment and its tariff.
struct LaneTerms {
  char kind_letter = ' ';       // the tariff's lane-adjustment kind letter
  char method_letter = ' ';     // the rate-method letter
  char rate_kind_letter = ' ';  // byte 9 of the rate record
  std::string origin_zip;       // the working codes of both ends
  std::string destination_zip;
  std::int16_t origin_point = 0;  // point numbers of the rate basis
  std::int16_t destination_point = 0;
  int effective_year = 0;        // century x 100 + year of the tariff's effective date
  int date_number = 0;           // century x 10000 + year x 100 + month
  std::string rate_text;         // bytes 3-9 of the rate record (the rate basis text)
  std::string lane_adj_file_no;  // "U..." also searches the E base after kind G
  // Point type 'N': the rate basis names up to three E records itself (-1 = none).
  bool lane_points = false;
  std::array<std::int32_t, 3> lane_point_records{-1, -1, -1};
};

// The terms of a shipment whose rate basis was found.
LaneTerms LaneTermsOf(const CurrentTariff& tariff, char method_letter, const RateRecord& record,
                      const PointState& points);
// The same with the E records that the rate basis of point type 'N' names.
LaneTerms LaneTermsOf(const CurrentTariff& tariff, char method_letter, const RateBasisState& basis,
                      const PointState& points);

// Fills state for the lane; 0, or 230, 231, 232, 235, 278 (and the side tables' errors). Loading
// twice for one shipment does nothing the second time. The text lane file's option lines
// set the break lists of options.
ErrorNumber LaneAdj_Load(LaneFiles& files, const LaneTerms& terms, FactorOptions& options,
                         LaneState& state);

// Applies the loaded hits with the given break list. Without hits or without an ".A" file
// nothing changes.
void LaneAdj_Apply(LaneFiles& files, const LaneTerms& terms, const FactorOptions& options,
                   const BreakCodeList& breaks_list, LaneState& state, ChargeResult& result,
                   int rows, int breaks);

// The lane adjustments of one shipment for the charge computation, over these; every
// reference must outlive it.
class ShipmentLaneAdjustments final : public LaneAdjustments {
 public:
  ShipmentLaneAdjustments(LaneFiles& files, const LaneTerms& terms, FactorOptions& options,
                          LaneState& state)
      : files_(files), terms_(terms), options_(options), state_(state) {}
  ErrorNumber Load() override;
  void Apply(ChargeResult& result, int rows, int breaks) override;
  void ApplySecond(ChargeResult& result, int rows, int breaks) override;
  bool BeforeClassFactors() const override;
  std::string_view FirstHitCode() const override;
  const std::vector<ERecordBytes>& ERecords() const override;

 private:
  LaneFiles& files_;
  const LaneTerms& terms_;
  FactorOptions& options_;
  LaneState& state_;
};

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_ADJUSTMENTS_H_
