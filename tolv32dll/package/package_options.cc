#include "tolv32dll/package/package_options.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/os/bytes.h"
#include "tolv32dll/package/package_info.h"
#include "tolv32dll/package/package_records.h"
#include "tolv32dll/tariff/text_helpers.h"

namespace tolv {
namespace {

namespace req = package_info_request;
namespace resp = package_info_response;
namespace row = package_row;

// The row limit asked for: up to 31 rows come back, and the area has room for all.
constexpr char kRowLimit[] = "30";

}  // namespace

ErrorNumber CheckOptionRows(std::span<const std::uint8_t> info_response,
                            const PackageOptions& options) {
  const auto* text = reinterpret_cast<const char*>(info_response.data());
  const int count =
      Util_AtoiN(std::string_view(text + resp::kRowCount.offset, resp::kRowCount.width),
                 resp::kRowCount.width);
  if (count <= 0) return kErrInvpkc;
  bool packaging = false, dropoff = false, tier = false;
  const int rows =
      count < static_cast<int>(resp::kMaxRows) ? count : static_cast<int>(resp::kMaxRows);
  for (int i = 0; i < rows; ++i) {
    const char* r = text + resp::kRow.Nth(static_cast<std::size_t>(i)).offset;
    const std::string_view code(r + row::kCode.offset, row::kCode.width);
    const std::string_view tiers(r + row::kTiers.offset, row::kTiers.width);
    switch (r[row::kType.offset]) {
      case '1':
        packaging = packaging || code == options.packaging_code;
        break;
      case '2':
        dropoff = dropoff || code == options.dropoff_code;
        break;
      case '3':
        tier = tier || options.tier == 'N' || tiers.find(options.tier) != std::string_view::npos;
        break;
      default:
        break;
    }
  }
  if (!packaging) return kErrInvpkc;
  if (!dropoff) return kErrInvdpc;
  if (!tier) return kErrInvtier;
  return kOk;
}

ErrorNumber CheckPackageOptions(RatingEngine& engine, std::string_view tariff_name,
                                std::string_view date, const PackageOptions& options) {
  // The name goes as the request gives it, so that it matches the effective entries' names
  // whatever its length.
  std::array<std::uint8_t, req::kSize> request{};
  std::memcpy(request.data() + req::kTariffName.offset, tariff_name.data(),
              std::min(tariff_name.size(), req::kTariffName.width));
  std::memcpy(request.data() + req::kDate.offset, date.data(),
              std::min(date.size(), req::kDate.width));
  std::memcpy(request.data() + req::kRowLimit.offset, kRowLimit, req::kRowLimit.width);
  std::array<std::uint8_t, resp::kSize> response{};
  (void)PackageInfo(engine, request, response);
  return CheckOptionRows(response, options);
}

}  // namespace tolv
