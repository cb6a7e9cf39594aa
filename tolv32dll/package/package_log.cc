#include "tolv32dll/package/package_log.h"

#include <algorithm>
#include <string_view>

#include "tolv32dll/engine/text_log.h"
#include "tolv32dll/logs/text_log_sections.h"
#include "tolv32dll/package/package_records.h"
#include "tolv32dll/tariff/text_helpers.h"

namespace tolv {
namespace {

namespace rq = package_request;
namespace rs = package_response;

std::string_view Chars(std::span<const std::uint8_t> record, std::size_t offset,
                       std::size_t width) {
  if (offset >= record.size()) return {};
  width = std::min(width, record.size() - offset);
  return std::string_view(reinterpret_cast<const char*>(record.data()) + offset, width);
}

std::string_view Chars(std::span<const std::uint8_t> record, const os::Field& f) {
  return Chars(record, f.offset, f.width);
}

// The packages the log shows: the request's NumberPackages, kept to the 99 the request
// holds; a count that is no number shows none.
std::size_t LoggedPackages(std::span<const std::uint8_t> request) {
  const std::int32_t n = Util_AtoiN(Chars(request, rq::kNumberPackages), rq::kNumberPackages.width);
  return static_cast<std::size_t>(std::clamp<std::int32_t>(n, 0, rq::kMaxPackages));
}

}  // namespace

void LogPackageRequest(const RatingEngine& engine, std::span<const std::uint8_t> request) {
  if (engine.debug_flag != 'Y') return;
  PackageRequestLogFields f;
  f.request = Chars(request, 0, rq::kSize);
  f.residential = Chars(request, rq::kResidential);
  f.dropoff_code = Chars(request, rq::kDropoffCode);
  f.packaging_code = Chars(request, rq::kPackagingCode);
  f.surcharge_type = Chars(request, rq::kSurchargeType);
  f.surcharge = Chars(request, rq::kSurcharge);
  f.service_code = Chars(request, rq::kServiceCode);
  f.tier = Chars(request, rq::kTier);
  f.number_packages = Chars(request, rq::kNumberPackages);
  // The last package's weight is cut short by the end of the request.
  for (std::size_t k = 0; k < LoggedPackages(request); ++k) {
    f.weights.push_back(Chars(request.first(rq::kSize), rq::kWeight.Nth(k)));
  }
  WriteTextLog(engine, PackageRequestLogSection(f));
}

void LogPackageResponse(const RatingEngine& engine, std::span<const std::uint8_t> request,
                        std::span<const std::uint8_t> response) {
  if (engine.debug_flag != 'Y') return;
  PackageResponseLogFields f;
  f.request = Chars(request, 0, rq::kSize);
  f.segment_code = Chars(response, rs::kSegmentCode);
  f.status = Chars(response, rs::kStatus);
  f.tier_used = Chars(response, rs::kTierUsed);
  f.zone = Chars(response, rs::kZone);
  f.cwt_charges = Chars(response, rs::kCwtCharges);
  f.no_packages = Chars(response, rs::kNoPackages);
  for (std::size_t k = 0; k < LoggedPackages(request); ++k) {
    f.charges.push_back(Chars(response, rs::kCharge.Nth(k)));
  }
  WriteTextLog(engine, PackageResponseLogSection(f));
}

}  // namespace tolv
