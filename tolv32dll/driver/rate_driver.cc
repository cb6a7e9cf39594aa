#include "tolv32dll/driver/rate_driver.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/os/file_cache.h"
#include "tolv32dll/driver/engine_rating_files.h"
#include "tolv32dll/driver/mexican_legs.h"
#include "tolv32dll/driver/response_format.h"
#include "tolv32dll/driver/shipment_drive.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/text_log.h"
#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/servguide/service_guide_query.h"
#include "tolv32dll/sidetables/service_letters.h"

namespace tolv {

std::string NameText(const TariffNameText& name) {
  std::string s(name.data(), name.size());
  for (char& c : s) {
    if (c == '\0') c = ' ';
  }
  return s;
}

namespace h = shipment_header;
namespace sr = shipment_record;

namespace {

// NULs read as blanks; memchr passes quickly over a record that holds none.
void BlankNuls(std::span<std::uint8_t> bytes) {
  std::uint8_t* p = bytes.data();
  std::uint8_t* const end = p + bytes.size();
  while ((p = static_cast<std::uint8_t*>(std::memchr(p, 0, static_cast<std::size_t>(end - p))))) {
    *p++ = ' ';
  }
}

}  // namespace

DeterminationContext ShipmentDrive::Context() {
  return DeterminationContext{engine_.td, engine_.effective_path, engine_.effective,
                              engine_.current_tariff, &list_};
}

// Determination, the bureau tariff's type and second pass, and the lane-point twin.
ErrorNumber ShipmentDrive::ChooseTariff() {
  TOLV_RETURN_IF_ERROR(engine_.effective.Refresh());
  DeterminationContext context = Context();
  engine_.determination.Reset();
  TOLV_RETURN_IF_ERROR(DetermineTariff(1, determination_, context, &engine_.determination));
  use_request_name_ = engine_.current_tariff.point_type == 'Y';
  if (use_request_name_) {
    Result<TypeFactors> type = SelectTariffType(engine_, list_);
    if (!type.ok()) return type.error();
    type_ = *type;
    TOLV_RETURN_IF_ERROR(DetermineTariff(2, determination_, context, &engine_.determination));
  }
  if (engine_.current_tariff.tariff_kind == 'P') return kErrIvdmod;
  if (engine_.current_tariff.point_type == 'N') {
    TOLV_RETURN_IF_ERROR(ReselectLanePointTariff(engine_, request_.ship_date));
  }
  return kOk;
}

ErrorNumber ShipmentDrive::Run() {
  os::RecordView hd = record_.header();
  BlankNuls(hd.bytes());
  engine_.service_guide_status = {' ', ' ', ' ', ' '};
  LogBinary(BinaryLogKind::kRequestHeader, hd.bytes());
  LogBinaryEngineVersion();

  TOLV_RETURN_IF_ERROR(ParseHeader(record_, request_));
  engine_.tariff.files.SetRequestTariffName(request_.tariff_name);
  list_.origin_zip = request_.origin_zip;
  list_.origin_city = request_.origin_city;
  list_.destination_zip = request_.destination_zip;
  list_.destination_city = request_.destination_city;
  list_.tariff_name = hd.Text(h::kTariffName);
  list_.list_mode = OneCharText(hd, h::kListMode);
  list_.list_kind = OneCharText(hd, h::kListKind);
  list_.candidate_list = candidate_list_;

  determination_.origin_zip = request_.origin_zip;
  determination_.destination_zip = request_.destination_zip;
  determination_.tariff_name = request_.tariff_name;
  determination_.ship_date = request_.ship_date;
  determination_.intrastate_flag = request_.intrastate;
  determination_.canadian = request_.canadian;
  determination_.mexican_origin = IsMexicanZip(request_.origin_zip);
  determination_.mexican_destination = IsMexicanZip(request_.destination_zip);
  if (determination_.mexican_origin && determination_.mexican_destination) return kErrMxntra;
  mexican_ = determination_.mexican();
  ResetPoints(request_.origin_zip, request_.origin_city, request_.destination_zip,
              request_.destination_city);

  TOLV_RETURN_IF_ERROR(ChooseTariff());
  list_.tariff_kind = engine_.current_tariff.tariff_kind;
  TOLV_RETURN_IF_ERROR(ParseDetails(record_, request_));
  ParseDiscounts(record_, request_);

  EngineRatingFiles files(engine_.tariff.files, engine_.current_tariff, engine_.work.points);
  ServiceRequest service{request_.origin_zip,
                         request_.destination_zip,
                         OneCharText(hd, h::kOriginService),
                         OneCharText(hd, h::kDestinationService),
                         request_.block_a,
                         request_.block_b};
  Result<ServiceChoice> letters = FindServiceLetters(files, service);
  if (!letters.ok()) return letters.error();
  service_ = *letters;
  engine_.service_guide_status =
      ServiceGuide_Query(engine_.service_guide, engine_.service_guide_flag, hd, service, service_);
  ParseFactor(record_, request_);
  basis_.Clear();

  TOLV_RETURN_IF_ERROR(CrossBorder());
  ResetPoints(request_.origin_zip, request_.origin_city, request_.destination_zip,
              request_.destination_city);
  const bool rate = request_.process_mode != '0';
  if (rate) TOLV_RETURN_IF_ERROR(Rate());

  // The request's name or the tariff's, NULs as blanks.
  static_assert(h::kTariffName.width == std::tuple_size_v<TariffNameText>);
  const char* used = use_request_name_ ? reinterpret_cast<const char*>(hd.at(h::kTariffName))
                                       : engine_.current_tariff.tariff_name.data();
  std::array<char, h::kTariffName.width> tariff_used;
  std::transform(used, used + tariff_used.size(), tariff_used.begin(),
                 [](char c) { return c == '\0' ? ' ' : c; });
  ResponseTerms response;
  response.tariff_used = std::string_view(tariff_used.data(), tariff_used.size());
  response.rate_basis_text = basis_.printed_number;
  response.tariff = &engine_.current_tariff;
  response.origin_service = service_.origin;
  response.destination_service = service_.destination;
  response.discount_on = request_.discount_on;
  response.discount_kind = request_.discount_kind;
  response.discount_marker = service_.effective.marker;
  response.discount_values = service_.effective.values;
  response.charges_computed = rate;
  if (rate) {
    response.rated_breaks =
        std::span<const std::int32_t>(tables_.weight_breaks.data(), tables_.weight_breaks.size());
  }
  *hd.at(h::kListKind) = list_.list_kind ? list_.list_kind : ' ';
  TOLV_RETURN_IF_ERROR(
      WriteResponse(response, totals_, request_.lines, engine_.tariff.tables, charges_, record_));
  ServiceGuide_WriteStatus(engine_.service_guide_status, hd);
  return kOk;
}

ErrorNumber DriveShipment(RatingEngine& engine, ShipmentRecord& record,
                          std::uint8_t* candidate_list) {
  // One rating sees every file as it first finds it; changes show from the next rating.
  os::SnapshotScope snapshot;
  ShipmentDrive drive(engine, record, candidate_list);
  const ErrorNumber e = RunCatchingErrors([&] { return drive.Run(); });
  if (e != kOk) {
    engine.last_error = e;
    WriteError(e, &drive.charges(), record);
  }
  return e;
}

void RateShipmentRecord(RatingEngine& engine, std::uint8_t* caller,
                        std::uint8_t* candidate_list) {
  SetThreadBinaryDebug(engine.binary_debug);
  LogBinaryTime(BinaryLogKind::kTimeBeforeRating);
  // The caller's record is rated in a copy and copied back whole.
  ShipmentRecord work = ShipmentRecord::FromBytes(caller);
  LogRatingRequest(engine, work);
  if (EngineGlobals::Get().use_critical_section() != 0) {
    std::lock_guard<std::recursive_mutex> lock(EngineGlobals::Get().rating_lock());
    DriveShipment(engine, work, candidate_list);
  } else {
    DriveShipment(engine, work, candidate_list);
  }
  work.CopyTo(caller);
  LogRatingResponse(engine, work);
  LogBinaryTime(BinaryLogKind::kTimeAfterRating);
}

void MarkNoEngine(std::uint8_t* record) {
  char status[8];
  std::snprintf(status, sizeof status, "%04d", static_cast<int>(kErrEfcopn));
  std::memcpy(record + sr::kHeader.offset + h::kStatus.offset, status, h::kStatus.width);
}

}  // namespace tolv
