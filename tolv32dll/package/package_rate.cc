#include "tolv32dll/package/package_rate.h"

#include <cassert>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/bytes.h"
#include "tolv32dll/driver/engine_rating_files.h"
#include "tolv32dll/driver/request_parse.h"
#include "tolv32dll/effective/tariff_tables.h"
#include "tolv32dll/package/package_info.h"
#include "tolv32dll/package/package_options.h"
#include "tolv32dll/package/package_pricing.h"
#include "tolv32dll/package/package_records.h"
#include "tolv32dll/package/package_text.h"
#include "tolv32dll/points/point_lookup.h"
#include "tolv32dll/ratebasis/kind_table.h"
#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/sidetables/service_letters.h"
#include "tolv32dll/tariff/text_helpers.h"

namespace tolv {
namespace {

namespace rq = package_request;
namespace rs = package_response;
namespace pe = package_entries;

// Factor-file blocks of a package tariff.
constexpr std::int16_t kServiceBlock = 1;
constexpr std::int16_t kExpressBreaksBlock = 2;
constexpr std::int16_t kGroundBreaksBlock = 3;

class PackageRating {
 public:
  PackageRating(RatingEngine& engine, std::span<std::uint8_t> request)
      : engine_(engine),
        request_(request),
        files_(engine.tariff.files, engine.current_tariff, engine.work.points) {}

  ErrorNumber Run();
  void WriteResponse(std::span<std::uint8_t> response) const;

 private:
  std::string_view Text(const os::Field& f) const {
    return std::string_view(reinterpret_cast<const char*>(request_.data() + f.offset), f.width);
  }
  // The text of package k's weight (0-based); the last field is cut short by the record.
  std::string_view WeightText(std::size_t k) const {
    const os::Field f = rq::kWeight.Nth(k);
    const std::size_t width = f.end() <= rq::kSize ? f.width : rq::kSize - f.offset;
    return std::string_view(reinterpret_cast<const char*>(request_.data() + f.offset), width);
  }
  void Default(const os::Field& f, const char* code) {
    if (request_[f.offset] == ' ') os::StoreText(request_.data() + f.offset, f.width, code);
  }

  ErrorNumber SelectTariff();
  ErrorNumber ReadHeader();
  ErrorNumber ReadFactorBlock(std::int16_t block);
  ErrorNumber ChooseService();
  ErrorNumber ReadWeights();
  ErrorNumber FindZone();
  Result<PackageRateRecord> ReadRecord(std::int64_t number);

  RatingEngine& engine_;
  std::span<std::uint8_t> request_;
  EngineRatingFiles files_;
  KindRow kind_{};
  std::int64_t scheme_ = 0, max_weight_ = 0, default_tier_ = 0, version_ = 0;
  std::int64_t service_position_ = -1;
  std::int64_t package_count_ = 0;
  std::int64_t tier_ = 0;
  std::int64_t zone_record_ = 0;
  PackageTerms terms_;
  PackageRateRecord zone_;
  char zone_byte_ = ' ';
  PackagePrices prices_;
};

ErrorNumber PackageRating::SelectTariff() {
  // The date is checked and written back first, so the option check sees it rewritten.
  std::optional<TariffDate> date = ParseTablesDate(Text(rq::kShipDate));
  if (!date) return kErrIvddte;
  char rewritten[16];
  std::snprintf(rewritten, sizeof rewritten, "%02d-%02d-%04d", date->month % 100, date->day % 100,
                (date->century * 100 + date->year) % 10000);
  std::memcpy(request_.data() + rq::kShipDate.offset, rewritten, rq::kShipDate.width);
  Result<int> entry = SelectPackageTariff(engine_, Text(rq::kTariffName), Text(rq::kShipDate),
                                          /*packages_only=*/true);
  if (!entry.ok()) return entry.error();
  engine_.tariff.files.SetRequestTariffName(Text(rq::kTariffName));
  return kOk;
}

Result<PackageRateRecord> PackageRating::ReadRecord(std::int64_t number) {
  RateBasisState state;
  ListRequest list;
  ErrorNumber e = ReadRateRecord(files_, engine_.current_tariff, number,
                                 static_cast<std::size_t>(kind_.record_length), engine_.work.points,
                                 list, state);
  if (e != kOk) return Result<PackageRateRecord>::Error(e);
  zone_byte_ = PackageRateRecord(state.record.bytes()).ZoneByte();
  return PackageRateRecord(std::move(state.record.mutable_bytes()));
}

ErrorNumber PackageRating::ReadHeader() {
  std::optional<KindRow> kind = FindKindRow(engine_.current_tariff.point_type);
  if (!kind) return kErrTyptar;
  kind_ = *kind;
  Result<PackageRateRecord> header = ReadRecord(0);
  engine_.tariff.files.CloseRates();
  if (!header.ok()) return header.error();
  Result<std::int64_t> values[] = {header->Entry16(pe::kScheme), header->Entry16(pe::kMaxWeight),
                                   header->Entry16(pe::kDefaultTier),
                                   header->Entry16(pe::kVersion)};
  for (const Result<std::int64_t>& v : values) {
    if (!v.ok()) return v.error();
  }
  scheme_ = *values[0];
  max_weight_ = *values[1];
  default_tier_ = *values[2];
  version_ = *values[3];
  if (version_ > 2) return kErrPkgver;
  return kOk;
}

ErrorNumber PackageRating::ReadFactorBlock(std::int16_t block) {
  TariffState& tariff = engine_.tariff;
  tariff.tables = FactorTables{};
  if (tariff.files.TariffFile_OpenFactors(engine_.current_tariff) != kOk) return kErrFacopn;
  FactorFileRequest request = FactorRequestFor(engine_.current_tariff);
  request.block_number = block;
  ErrorNumber e =
      Parm_LoadFactorFile(tariff.files.factors().get(), request, tariff.options, tariff.tables);
  tariff.files.CloseFactors();
  return e == kErrHcy2big ? kOk : e;
}

ErrorNumber PackageRating::ChooseService() {
  TOLV_RETURN_IF_ERROR(ReadFactorBlock(kServiceBlock));
  const FactorTables& block = engine_.tariff.tables;
  const std::string_view service = Text(rq::kServiceCode);
  for (int i = 0; i < block.class_count; ++i) {
    if (block.ClassCodeText(i) == service) service_position_ = i;  // the last match wins
  }
  if (service_position_ < 0) return kErrPkgcde;
  terms_.service_code = std::string(service);
  const bool ground = service[0] == 'G';
  if (ground && Text(rq::kPackagingCode) == "ELT") return kErrPkgpsc;
  if (ground && Text(rq::kDropoffCode) == "OCA") return kErrPkgsdc;

  // The request's tier when block 1 offers it, else the tariff's default.
  bool offered = false;
  for (int i = 0; i < block.break_count; ++i) {
    offered = offered || static_cast<std::int16_t>(block.weight_breaks[i]) == tier_;
  }
  if (!offered) tier_ = default_tier_;
  // A tier below 1 would index the row before the tier rows.
  if (tier_ < 1) return kErrInvtier;
  terms_.tier_index = tier_ - 1;

  if (service[0] != 'E' && !ground) return kErrPkgcde;
  TOLV_RETURN_IF_ERROR(ReadFactorBlock(ground ? kGroundBreaksBlock : kExpressBreaksBlock));
  const FactorTables& breaks = engine_.tariff.tables;
  terms_.weight_breaks.assign(breaks.weight_breaks.begin(),
                              breaks.weight_breaks.begin() + breaks.break_count);
  return kOk;
}

ErrorNumber PackageRating::ReadWeights() {
  if (package_count_ > static_cast<std::int64_t>(rq::kMaxPackages) || package_count_ < 1) {
    return kErrPkgno;
  }
  double sum = 0;
  for (std::size_t k = 0; k < static_cast<std::size_t>(package_count_); ++k) {
    const double x = DecimalValue(WeightText(k));
    // A negative weight is no weight either.
    if (x <= 0) return kErrWgtzero;
    const std::int64_t w = WholePounds(x);
    if (w > max_weight_) return kErrPkg150;
    terms_.exact_weights.push_back(x);
    terms_.whole_weights.push_back(w);
    sum += x;
  }
  terms_.total_weight = WholePounds(sum);
  return kOk;
}

ErrorNumber PackageRating::FindZone() {
  TariffFileSet& set = engine_.tariff.files;
  const CurrentTariff& tariff = engine_.current_tariff;
  Result<std::int32_t> basis =
      LookupPoints(files_, PointLookupMode{tariff.point_file_mode}, engine_.work.points);
  set.ClosePoints();
  if (!basis.ok()) return basis.error();
  Result<std::int32_t> index = FetchRateIndex(files_, tariff, kind_.index_bits, *basis);
  set.CloseRateIndex();
  if (!index.ok()) return index.error();
  zone_record_ = pe::kZoneRecordsPerService * service_position_ + *index;
  Result<PackageRateRecord> zone = ReadRecord(zone_record_);
  if (!zone.ok()) return zone.error();
  zone_ = std::move(*zone);
  return kOk;
}

ErrorNumber PackageRating::Run() {
  // Nothing of an earlier shipment stays: points, factor tables, package values.
  engine_.work.points.Reset("", "", "", "");
  engine_.tariff.tables = FactorTables{};

  TOLV_RETURN_IF_ERROR(SelectTariff());
  TOLV_RETURN_IF_ERROR(ReadHeader());
  Default(rq::kServiceCode, "GND");
  Default(rq::kPackagingCode, "OUR");
  Default(rq::kDropoffCode, "DPS");
  const char tier_char = Text(rq::kTier)[0];
  TOLV_RETURN_IF_ERROR(CheckPackageOptions(
      engine_, Text(rq::kTariffName), Text(rq::kShipDate),
      PackageOptions{Text(rq::kPackagingCode), Text(rq::kDropoffCode), tier_char}));

  package_count_ = Util_AtoiN(Text(rq::kNumberPackages), rq::kNumberPackages.width);
  const std::string origin(Text(rq::kOriginZip));
  const std::string destination(Text(rq::kDestinationZip));
  engine_.work.points.Reset(origin + " ", "", destination + " ", "");
  terms_.surcharge = Util_AtoiN(Text(rq::kSurcharge), rq::kSurcharge.width);
  terms_.surcharge_is_amount = Text(rq::kSurchargeType)[0] == '1';
  tier_ = tier_char >= '0' && tier_char <= '9' ? tier_char - '0' : 0;

  Result<ServiceChoice> letters =
      FindServiceLetters(files_, ServiceRequest{origin, destination, ' ', ' ', {}, {}});
  if (!letters.ok()) return letters.error();
  terms_.destination_letter = letters->destination;

  TOLV_RETURN_IF_ERROR(ChooseService());
  TOLV_RETURN_IF_ERROR(ReadWeights());
  TOLV_RETURN_IF_ERROR(FindZone());

  terms_.scheme = scheme_;
  terms_.version = version_;
  terms_.envelope = Text(rq::kPackagingCode) == "ELT";
  terms_.dropoff_code = std::string(Text(rq::kDropoffCode));
  terms_.residential = Text(rq::kResidential)[0] == 'Y';
  Result<PackagePrices> prices = PricePackages(terms_, zone_, [this]() {
    Result<PackageRateRecord> record = ReadRecord(zone_record_ + 1);
    engine_.tariff.files.CloseRates();
    return record;
  });
  if (!prices.ok()) return prices.error();
  prices_ = std::move(*prices);
  return kOk;
}

void PackageRating::WriteResponse(std::span<std::uint8_t> response) const {
  std::uint8_t* out = response.data();
  out[rs::kZone.offset] = static_cast<std::uint8_t>(zone_byte_);
  std::memcpy(out + rs::kNoPackages.offset, request_.data() + rq::kNumberPackages.offset,
              rs::kNoPackages.width);
  for (std::size_t k = 0; k < prices_.packages.size(); ++k) {
    StoreFormatted(out, rs::kCharge.Nth(k), "%07lld", prices_.packages[k]);
  }
  StoreFormatted(out, rs::kCwtCharges, "%07lld", prices_.hundredweight);
  if (prices_.hundredweight == 0) {
    out[rs::kTierUsed.offset] = 'N';
  } else {
    StoreFormatted(out, rs::kTierUsed, "%01lld", terms_.tier_index + 1);
  }
}

}  // namespace

ErrorNumber PackageRate(RatingEngine& engine, std::span<std::uint8_t> request,
                        std::span<std::uint8_t> response) {
  assert(request.size() >= rq::kSize && response.size() >= rs::kStatus.end());
  os::StoreText(response.data() + rs::kSegmentCode.offset, rs::kSegmentCode.width, rs::kSegment);
  StoreStatus(response.data(), rs::kStatus, kOk);
  PackageRating rating(engine, request);
  const ErrorNumber e = RunCatchingErrors([&] { return rating.Run(); });
  if (e != kOk) {
    engine.last_error = e;
    StoreStatus(response.data(), rs::kStatus, e);
    return e;
  }
  rating.WriteResponse(response);
  return kOk;
}

}  // namespace tolv
