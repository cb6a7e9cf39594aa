#include "tolv32dll/driver/rate_driver.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "tolv32dll/charges/charge_compute.h"
#include "tolv32dll/determination/tariff_determination.h"
#include "tolv32dll/driver/engine_rating_files.h"
#include "tolv32dll/driver/request_parse.h"
#include "tolv32dll/driver/response_format.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/ratebasis/dispatch.h"
#include "tolv32dll/rates/class_totals.h"
#include "tolv32dll/sidetables/service_letters.h"
#include "tolv32dll/tariff/tariff_state.h"

namespace tolv {
namespace {

namespace h = shipment_header;
namespace sr = shipment_record;

// A ZIP field is Mexican when its first character is no letter and its sixth is 'M'.
bool IsMexican(const std::string& zip) {
  if (zip.size() < 6) return false;
  const unsigned char first = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(zip[0])));
  return !std::isalpha(first) && std::toupper(static_cast<unsigned char>(zip[5])) == 'M';
}

std::string NameText(const TariffNameText& name) {
  std::string s(name.data(), name.size());
  for (char& c : s) {
    if (c == '\0') c = ' ';
  }
  return s;
}

int DateKey(const CurrentTariff& t) {
  return ((t.century * 100 + t.year) * 100 + t.month) * 100 + t.day;
}

class Drive {
 public:
  Drive(RatingEngine& engine, ShipmentRecord& record) : engine_(engine), record_(record) {}
  ErrorNumber Run();
  const ChargeResult& charges() const { return charges_; }

 private:
  ErrorNumber ChooseTariff();
  ErrorNumber Rate();

  RatingEngine& engine_;
  ShipmentRecord& record_;
  ParsedRequest request_;
  ListRequest list_;
  ServiceChoice service_;
  RateBasisState basis_;
  ClassRateTables tables_;
  ChargeResult charges_;
  ShipmentTotals totals_;
  bool use_request_name_ = false;
};

ErrorNumber Drive::ChooseTariff() {
  DeterminationRequest d;
  d.origin_zip = request_.origin_zip;
  d.destination_zip = request_.destination_zip;
  d.tariff_name = request_.tariff_name;
  d.ship_date = request_.ship_date;
  d.intrastate_flag = request_.intrastate;
  d.mexican_origin = IsMexican(request_.origin_zip);
  d.mexican_destination = IsMexican(request_.destination_zip);
  d.canadian = request_.canadian;
  if (d.mexican_origin && d.mexican_destination) return kErrMxntra;

  DeterminationContext context{engine_.td, engine_.effective_path, engine_.effective,
                               engine_.current_tariff, nullptr, {}};
  context.list_request = &list_;
  engine_.determination = DeterminationState{};
  TOLV_RETURN_IF_ERROR(DetermineTariff(1, d, context, &engine_.determination));
  use_request_name_ = engine_.current_tariff.point_type == 'Y';
  if (use_request_name_) {
    TOLV_RETURN_IF_ERROR(DetermineTariff(2, d, context, &engine_.determination));
  }
  const CurrentTariff& t = engine_.current_tariff;
  if (t.tariff_kind == 'P') return kErrIvdmod;
  // Mexican lanes need a Mexican or cross-border tariff, and a Mexican tariff a Mexican
  // point. The border crossing's second leg is not rated by this engine yet.
  if (t.jurisdiction == 'M' && !d.mexican()) return kErrMxnzip;
  if (d.mexican()) {
    if (t.jurisdiction != 'M' && t.jurisdiction != 'C') return kErrMxntrf;
    return kErrMxbcp;
  }
  return kOk;
}

ErrorNumber Drive::Rate() {
  TariffState& tariff = engine_.tariff;
  const CurrentTariff& current = engine_.current_tariff;
  tariff.files.TariffFiles_CloseAll(current);
  TOLV_RETURN_IF_ERROR(Tariff_LoadForRating(tariff, current));

  EngineRatingFiles files(tariff.files, current, engine_.work.points);
  RateBasisTerms terms;
  terms.tariff = current;
  const std::string stepping = record_.header().Raw(h::kCallerArea160);
  terms.stepped = stepping[0] == '+';
  terms.step_increment = static_cast<int>(DecimalValue(stepping.substr(1, 4)));
  terms.no_rbn_addon = tariff.options.no_rbn_addon;
  TOLV_RETURN_IF_ERROR(FindRateBasis(files, terms, engine_.work.points, list_, basis_));

  tables_ = ClassRateTables::FromTariff(tariff.tables, tariff.weight_types.table,
                                        current.weight_type_digit);
  if (tables_.weight_breaks.empty()) return kErrFacred;

  ChargeTerms charge;
  charge.cell.method_letter = current.point_type == 'N' ? current.alt_point_type : current.point_type;
  charge.cell.point_kind_letter = current.point_file_mode;
  charge.cell.tariff_number = current.tariff_number;
  charge.cell.unfactored_lane_rates = current.lane_adj_kind == 'G' || tariff.options.brk2.count > 0;
  charge.second_break_list = tariff.options.brk2.count > 0;
  charge.tariff_factor = tariff.options.radjf;
  charge.request_factor = request_.adjustment_factor;
  charge.discount_on = request_.discount_on;
  charge.discount_kind = request_.discount_kind;
  charge.discounts = service_.effective;
  charge.minimum.min_file = [&files] { return files.Min(); };
  charge.minimum.key_width =
      charge.cell.method_letter == 'A' && current.point_file_mode == 'M' ? 5 : 10;
  charge.minimum.tariff_date_key = DateKey(current);
  charge.minimum.tariff_name = NameText(current.tariff_name);
  charge.minimum.first_factor_set = tariff.tables.block_count > 0 ? tariff.tables.block_numbers[0] : 0;
  charge.minimum.break_factor = [this](int row, int column) {
    return ClassRateTables::Factor(tables_.break_factors, row, column);
  };
  TOLV_RETURN_IF_ERROR(ComputeCharges(tables_, basis_.record, charge, charges_));

  const CellRuleInputs in{tables_, charges_.matrix, basis_.record, charge.cell};
  TOLV_RETURN_IF_ERROR(ValidateClasses(in, request_.lines));

  TotalsTerms totals;
  totals.cell = charge.cell;
  totals.usable_breaks = request_.usable_breaks;
  totals.discount_on = request_.discount_on;
  totals.discount_kind = request_.discount_kind;
  totals.discount_marker = service_.effective.marker;
  totals.discount_values = service_.effective.values;
  totals.tariff_name = NameText(current.tariff_name);
  totals.point_type = current.point_type;
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

ErrorNumber Drive::Run() {
  ++engine_.rating_calls;
  engine_.mexican_shipment = false;
  RecordView hd = record_.header();
  for (std::uint8_t& byte : hd.bytes()) {
    if (byte == 0) byte = ' ';
  }
  engine_.service_guide_status = {' ', ' ', ' ', ' '};

  TOLV_RETURN_IF_ERROR(ParseHeader(record_, request_));
  engine_.requested_tariff_name = request_.tariff_name;
  engine_.tariff.files.SetRequestTariffName(request_.tariff_name);
  list_.origin_zip = request_.origin_zip;
  list_.origin_city = request_.origin_city;
  list_.destination_zip = request_.destination_zip;
  list_.destination_city = request_.destination_city;
  list_.tariff_name = hd.Text(h::kTariffName);
  list_.list_mode = hd.Text(h::kListMode)[0];
  list_.list_kind = hd.Text(h::kListKind)[0];
  list_.candidate_list = static_cast<std::uint8_t*>(engine_.candidate_list);

  TOLV_RETURN_IF_ERROR(ChooseTariff());
  list_.tariff_kind = engine_.current_tariff.tariff_kind;
  TOLV_RETURN_IF_ERROR(ParseDetails(record_, request_));
  ParseDiscounts(record_, request_);
  engine_.work.points.Reset(request_.origin_zip, request_.origin_city, request_.destination_zip,
                            request_.destination_city);

  EngineRatingFiles files(engine_.tariff.files, engine_.current_tariff, engine_.work.points);
  ServiceRequest service{request_.origin_zip,
                         request_.destination_zip,
                         hd.Text(h::kOriginService)[0],
                         hd.Text(h::kDestinationService)[0],
                         request_.block_a,
                         request_.block_b};
  Result<ServiceChoice> letters = FindServiceLetters(files, service);
  // The .D file is read for this shipment only: left open it would answer for the next
  // shipment's tariff too.
  engine_.tariff.files.CloseD();
  if (!letters.ok()) return letters.error();
  service_ = *letters;
  ParseFactor(record_, request_);
  engine_.request_factor = request_.adjustment_factor;

  const bool rate = request_.process_mode != '0';
  if (rate) TOLV_RETURN_IF_ERROR(Rate());

  ResponseTerms response;
  response.tariff_used =
      use_request_name_ ? hd.Text(h::kTariffName) : NameText(engine_.current_tariff.tariff_name);
  response.rate_basis_text = basis_.printed_number;
  response.tariff = &engine_.current_tariff;
  response.origin_service = service_.origin;
  response.destination_service = service_.destination;
  response.discount_on = request_.discount_on;
  response.discount_kind = request_.discount_kind;
  response.discount_marker = service_.effective.marker;
  response.discount_values = service_.effective.values;
  response.charges_computed = rate;
  hd.SetText(h::kListKind, std::string(1, list_.list_kind ? list_.list_kind : ' '));
  return WriteResponse(response, totals_, request_.lines, engine_.tariff.tables, charges_,
                       record_);
}

}  // namespace

ErrorNumber DriveShipment(RatingEngine& engine, ShipmentRecord& record) {
  Drive drive(engine, record);
  ErrorNumber e = drive.Run();
  if (e != kOk) {
    engine.last_error = e;
    WriteError(e, &drive.charges(), record);
  }
  return e;
}

void RateShipmentRecord(RatingEngine& engine, std::uint8_t* caller) {
  engine.request = ShipmentRecord::FromBytes(caller);
  ShipmentRecord work = engine.request;
  if (EngineGlobals::Get().use_critical_section() != 0) {
    std::lock_guard<std::recursive_mutex> lock(EngineGlobals::Get().rating_lock());
    DriveShipment(engine, work);
  } else {
    DriveShipment(engine, work);
  }
  work.CopyTo(caller);
}

void MarkNoEngine(std::uint8_t* record) {
  char status[8];
  std::snprintf(status, sizeof status, "%04d", static_cast<int>(kErrEfcopn));
  std::memcpy(record + sr::kHeader.offset + h::kStatus.offset, status, h::kStatus.width);
}

}  // namespace tolv
