#include "tolv32dll/package/package_info.h"

#include <array>
#include <cassert>
#include <cstring>
#include <optional>

#include "platform/os/bytes.h"
#include "tolv32dll/effective/tariff_tables.h"
#include "tolv32dll/package/package_records.h"
#include "tolv32dll/package/package_text.h"
#include "tolv32dll/tariff/text_helpers.h"

namespace tolv {
namespace {

namespace req = package_info_request;
namespace resp = package_info_response;
namespace rec = package_record;

std::string_view TextAt(std::span<const std::uint8_t> bytes, const os::Field& field) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data() + field.offset), field.width);
}

// Copies the tariff's package records into the response rows; the row count.
Result<int> ReadRows(TariffFileSet& files, const CurrentTariff& tariff, int row_limit,
                     std::span<std::uint8_t> response) {
  files.CloseWeightTypes();
  if (files.TariffFile_OpenWeightTypes(tariff) != kOk) return Result<int>::Error(kErrWtpopn);
  int rows = 0;
  ErrorNumber error = kOk;
  for (int i = 0; i < static_cast<int>(resp::kMaxRows); ++i) {
    // The limit is the highest row index allowed: a record beyond it is refused.
    if (i > row_limit) {
      error = kErrSdimer;
      break;
    }
    std::array<std::uint8_t, rec::kSize> record;
    // A short record at the end of the file counts as the end.
    if (File_FRead(record.data(), 1, record.size(), files.weight_types().get()) != record.size()) {
      break;
    }
    std::uint8_t* row = response.data() + resp::kRow.Nth(static_cast<std::size_t>(i)).offset;
    std::memcpy(row, record.data() + rec::kHead.offset, rec::kHead.width);
    std::memcpy(row + rec::kHead.width, record.data() + rec::kBody.offset, rec::kBody.width);
    ++rows;
  }
  files.CloseWeightTypes();
  if (error != kOk) return Result<int>::Error(error);
  return rows;
}

}  // namespace

int FindPackageEntry(const std::vector<EffectiveEntry>& entries, std::string_view name,
                     const TariffDate& date) {
  for (std::size_t i = entries.size(); i-- > 0;) {
    const EffectiveEntry& e = entries[i];
    if (e.date.Key() <= date.Key() && e.Name() == name) return static_cast<int>(i);
  }
  return -1;
}

Result<int> SelectPackageTariff(RatingEngine& engine, std::string_view name,
                                std::string_view date_text, bool packages_only) {
  std::optional<TariffDate> date = ParseTablesDate(date_text);
  if (!date) return Result<int>::Error(kErrIvddte);
  const int index = FindPackageEntry(engine.effective.entries(), name, *date);
  if (index < 0) return Result<int>::Error(kErrIvdtsd);
  if (packages_only &&
      engine.effective.entries()[static_cast<std::size_t>(index)].tariff_kind != 'P') {
    return Result<int>::Error(kErrIvdmod);
  }
  ErrorNumber selected = engine.effective.Select(index, &engine.current_tariff);
  if (selected != kOk) return Result<int>::Error(selected);
  // No file of the tariff selected before stays open under the new selection.
  engine.tariff.files.TariffFiles_CloseAll(engine.current_tariff);
  return index;
}

ErrorNumber PackageInfo(RatingEngine& engine, std::span<const std::uint8_t> request,
                        std::span<std::uint8_t> response) {
  assert(request.size() >= req::kSize && response.size() >= resp::kSize);
  os::StoreText(response.data() + resp::kSegmentCode.offset, resp::kSegmentCode.width,
                resp::kSegment);
  StoreStatus(response.data(), resp::kStatus, kOk);

  Result<int> rows = [&]() -> Result<int> {
    Result<int> entry =
        SelectPackageTariff(engine, TextAt(request, req::kTariffName), TextAt(request, req::kDate),
                            /*packages_only=*/false);
    if (!entry.ok()) return entry;
    const int limit = Util_AtoiN(TextAt(request, req::kRowLimit), req::kRowLimit.width);
    return ReadRows(engine.tariff.files, engine.current_tariff, limit, response);
  }();
  if (!rows.ok()) {
    engine.last_error = rows.error();
    StoreStatus(response.data(), resp::kStatus, rows.error());
    return rows.error();
  }
  StoreFormatted(response.data(), resp::kRowCount, "%02lld", *rows);
  return kOk;
}

}  // namespace tolv
