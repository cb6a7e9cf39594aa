#include <string>

#include "platform/os/ascii_text.h"
#include "tolv32dll/charges/charge_compute.h"
#include "tolv32dll/driver/engine_rating_files.h"
#include "tolv32dll/driver/mexican_legs.h"
#include "tolv32dll/driver/shipment_drive.h"
#include "tolv32dll/lanes/engine_lane_files.h"
#include "tolv32dll/lanes/lane_adjustments.h"
#include "tolv32dll/ratebasis/dispatch.h"
#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/tariff/tariff_state.h"
#include "tolv32dll/ziptables/zip_rating.h"

namespace tolv {
namespace {

namespace h = shipment_header;

int DateKey(const CurrentTariff& t) {
  return ((t.century * 100 + t.year) * 100 + t.month) * 100 + t.day;
}

}  // namespace

// A Mexican lane needs a Mexican or cross-border tariff, and a Mexican tariff a Mexican
// point; the first leg then ends at the border crossing.
ErrorNumber ShipmentDrive::CrossBorder() {
  const CurrentTariff& t = engine_.current_tariff;
  if (t.jurisdiction == 'M' && !mexican_) return kErrMxnzip;
  if (!mexican_) return kOk;
  if (t.jurisdiction != 'M' && t.jurisdiction != 'C') return kErrMxntrf;
  const bool from_mexico = determination_.mexican_origin;
  std::string& mexican = from_mexico ? request_.origin_zip : request_.destination_zip;
  const std::string& other = from_mexico ? request_.destination_zip : request_.origin_zip;
  TOLV_RETURN_IF_ERROR(engine_.tariff.files.TariffFile_OpenBorderPoints(t));
  TariffFileView border(engine_.tariff.files.border_points());
  Result<std::string> crossing = FindBorderCrossing(border, other, mexican);
  // Read for this lane only: left open, it would answer for the next tariff's lanes.
  engine_.tariff.files.CloseBorderPoints();
  if (!crossing.ok()) return crossing.error();
  mexican_zip_ = mexican;
  crossing_zip_ = *crossing + " ";
  mexican = crossing_zip_;
  return kOk;
}

// Load, rate basis and charges of the tariff selected, between the points in hand.
ErrorNumber ShipmentDrive::RateLeg() {
  TariffState& tariff = engine_.tariff;
  const CurrentTariff& current = engine_.current_tariff;
  tariff.files.TariffFiles_CloseAll(current);
  basis_.Clear();
  TOLV_RETURN_IF_ERROR(Tariff_LoadForRating(tariff, current));

  EngineRatingFiles files(tariff.files, current, engine_.work.points);
  RateBasisTerms terms;
  terms.tariff = current;
  const std::string_view stepping = record_.header().RawView(h::kCallerArea160);
  terms.stepped = stepping[0] == '+';
  terms.step_increment = static_cast<int>(DecimalValue(stepping.substr(1, 4)));
  terms.no_rbn_addon = tariff.options.no_rbn_addon;
  terms.reload_factor_set = [this](int factor_set) {
    return Tariff_ReloadWithFactorSet(engine_, factor_set);
  };
  ZipRating zip(tariff, current, engine_.lite_table);
  // The Lite steps may go on in the companion tariff: the terms follow the selection.
  zip.Attach(terms, [this, &terms]() -> Result<std::size_t> {
    const CompanionRequest companion{request_.ship_date, request_.canadian, request_.tariff_name};
    Result<std::size_t> length = Tariff_SwitchToCompanion(engine_, "2A", companion);
    terms.tariff = engine_.current_tariff;
    return length;
  });
  TOLV_RETURN_IF_ERROR(FindRateBasis(files, terms, engine_.work.points, list_, basis_));

  tables_.Load(tariff.tables, tariff.weight_types.table, current.weight_type_digit);
  if (tables_.weight_breaks.empty()) return kErrFacred;

  ChargeTerms charge;
  charge.cell.method_letter =
      current.point_type == 'N' ? current.alt_point_type : current.point_type;
  charge.cell.point_kind_letter = current.point_file_mode;
  charge.cell.tariff_number = current.tariff_number;
  charge.cell.unfactored_lane_rates = current.lane_adj_kind == 'G' || tariff.options.brk2.count > 0;
  charge.second_break_list = tariff.options.brk2.count > 0;
  charge.tariff_factor = tariff.options.radjf;
  charge.request_factor = request_.adjustment_factor;
  charge.type_factors_set = type_.set;
  charge.type_factors = type_.factors;
  charge.discount_on = request_.discount_on;
  charge.discount_kind = request_.discount_kind;
  charge.discounts = service_.effective;
  charge.minimum.min_file = [&files] { return files.Min(); };
  charge.minimum.key_width =
      charge.cell.method_letter == 'A' && current.point_file_mode == 'M' ? 5 : 10;
  charge.minimum.tariff_date_key = DateKey(current);
  charge.minimum.tariff_name = NameText(current.tariff_name);
  charge.minimum.first_factor_set =
      tariff.tables.block_count > 0 ? tariff.tables.block_numbers[0] : 0;
  charge.minimum.break_factor = [this](int row, int column) {
    return ClassRateTables::Factor(tables_.break_factors, row, column);
  };
  charge.minimum.pin_mc = tariff.options.pin_mc;
  charge.minimum.origin_addon_factor = engine_.work.points.origin_record.addon_factor;
  charge.minimum.destination_addon_factor = engine_.work.points.destination_record.addon_factor;
  auto lettered = [](const std::string& zip) { return !zip.empty() && os::IsAsciiAlpha(zip[0]); };
  charge.minimum.lettered_point =
      lettered(request_.origin_zip) || lettered(request_.destination_zip);
  charge.minimum.band_block = [this, &files]() -> Result<const MinimumBandBlock*> {
    if (!basis_.minimum_block_read) {
      const ErrorNumber read = ReadMinimumBlock(files, basis_);
      if (read != kOk) return Result<const MinimumBandBlock*>::Error(read);
    }
    return &basis_.minimum_block;
  };
  charge.la_pct = tariff.options.la_pct;
  if (std::optional<ZipPairCharges> pair = zip.ZipPair(engine_.work.points, basis_.record)) {
    charge.minimum.zip_pair =
        ZipPairMinimum{pair->method, pair->bracket_count, pair->mode, pair->values};
  }
  charge.class_range_factor = [&zip, this] { return zip.ClassRangeFactor(engine_.work.points); };
  charge.addon_c_amounts = TypeCAmounts(zip.work());
  cell_ = charge.cell;
  EngineLaneFiles lane_files(tariff.files, current, files);
  const LaneTerms lane_terms =
      LaneTermsOf(current, charge.cell.method_letter, basis_, engine_.work.points);
  LaneState lanes;
  ShipmentLaneAdjustments lane_adjustments(lane_files, lane_terms, tariff.options, lanes);
  charge.lanes = &lane_adjustments;
  return ComputeCharges(tables_, basis_.record, charge, charges_);
}

// The leg from the border crossing to the Mexican point on the tariff's second entry.
ErrorNumber ShipmentDrive::RateSecondLeg() {
  const ChargeResult first = charges_;
  DeterminationContext context = Context();
  TOLV_RETURN_IF_ERROR(DetermineTariff(2, determination_, context, &engine_.determination));
  if (determination_.mexican_origin) {
    ResetPoints(mexican_zip_, request_.origin_city, crossing_zip_, "");
  } else {
    ResetPoints(crossing_zip_, "", mexican_zip_, request_.destination_city);
  }
  TOLV_RETURN_IF_ERROR(RateLeg());
  if (request_.process_mode == 'S') return kOk;
  Result<ChargeResult> both = CombineLegs(first, charges_);
  if (!both.ok()) return both.error();
  charges_ = *both;
  return kOk;
}

ErrorNumber ShipmentDrive::Rate() {
  TOLV_RETURN_IF_ERROR(RateLeg());
  if (mexican_ && request_.process_mode != 'P') {
    TOLV_RETURN_IF_ERROR(RateSecondLeg());
  }
  const CellRuleInputs in{tables_, charges_.matrix, basis_.record, cell_};
  TOLV_RETURN_IF_ERROR(ValidateClasses(in, request_.lines));
  // Mode "2" asks for the rate matrix and the brackets without the line totals.
  if (request_.process_mode == '2') return kOk;

  TotalsTerms totals;
  totals.cell = cell_;
  totals.usable_breaks = request_.usable_breaks;
  totals.discount_on = request_.discount_on;
  totals.discount_kind = request_.discount_kind;
  totals.discount_marker = service_.effective.marker;
  totals.discount_values = service_.effective.values;
  totals.tariff_name = NameText(engine_.current_tariff.tariff_name);
  totals.point_type = engine_.current_tariff.point_type;
  const bool single = request_.single_shipment;
  totals.minimum_charge = [this, single](std::int32_t weight) {
    return MinimumChargeFor(charges_.brackets, weight, single);
  };
  TOLV_RETURN_IF_ERROR(
      RunClassTotals(tables_, charges_.matrix, basis_.record, totals, request_.lines, totals_));
  // The block's first cell carries the minimum charge the bracket rule chose.
  charges_.minimum_charge = totals_.minimum_charge;
  return kOk;
}

}  // namespace tolv
