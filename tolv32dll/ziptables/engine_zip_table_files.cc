#include "tolv32dll/ziptables/engine_zip_table_files.h"

#include <cstring>

namespace tolv {

EngineZipTableFiles::EngineZipTableFiles(TariffFileSet& set, const CurrentTariff& tariff)
    : set_(set),
      tariff_(tariff),
      zip_pairs_(set.file(TariffFileKind::kZipRbn)),
      class_ranges_(set.file(TariffFileKind::kClassFactors)),
      rbno_addons_(set.file(TariffFileKind::kRbnoAddons)),
      lite_base_(set.file(TariffFileKind::kLiteBase)),
      lite_matrix_(set.file(TariffFileKind::kLiteMatrix)) {}

Result<const FileView*> EngineZipTableFiles::Open(TariffFileKind kind, const SlotView& view) {
  const ErrorNumber e = set_.Open(kind, tariff_);
  if (e != kOk) return Result<const FileView*>::Error(e);
  return static_cast<const FileView*>(&view);
}

Result<const FileView*> EngineZipTableFiles::ZipPairs() {
  return Open(TariffFileKind::kZipRbn, zip_pairs_);
}
Result<const FileView*> EngineZipTableFiles::ClassRanges() {
  return Open(TariffFileKind::kClassFactors, class_ranges_);
}
Result<const FileView*> EngineZipTableFiles::RbnoAddons() {
  return Open(TariffFileKind::kRbnoAddons, rbno_addons_);
}
Result<const FileView*> EngineZipTableFiles::LiteBase() {
  return Open(TariffFileKind::kLiteBase, lite_base_);
}
Result<const FileView*> EngineZipTableFiles::LiteMatrix() {
  return Open(TariffFileKind::kLiteMatrix, lite_matrix_);
}

void EngineZipTableFiles::CloseLite() {
  set_.Close(TariffFileKind::kLiteBase);
  set_.Close(TariffFileKind::kLiteMatrix);
}

void EngineZipTableFiles::CloseZipFiles() {
  set_.Close(TariffFileKind::kZipRbn);
  set_.Close(TariffFileKind::kClassFactors);
  set_.Close(TariffFileKind::kRbnoAddons);
}

std::vector<RateSegment> EngineZipTableFiles::RateSegments() {
  if (set_.TariffFile_OpenRates(tariff_) != kOk) return {};
  const auto& block = set_.rate_control_block();
  return RateSegmentsOf(os::ByteSpan(block.data(), block.size()), set_.rates().Size());
}

std::vector<RateSegment> RateSegmentsOf(os::ByteSpan block, std::int64_t file_size) {
  constexpr std::size_t kRow = 7;
  constexpr std::size_t kMaxRows = 100;
  std::vector<RateSegment> rows;
  for (std::size_t i = 0; i < kMaxRows && (i + 1) * kRow <= block.size(); ++i) {
    const std::uint8_t* p = block.data() + i * kRow;
    RateSegment row;
    std::memcpy(row.code.data(), p, 3);
    row.offset = os::LoadI32Le(p + 3);
    rows.push_back(row);
    if (std::memcmp(p, "***", 3) == 0) return rows;
  }
  return {RateSegment{{'0', '0', '0'}, 0}, RateSegment{{'*', '*', '*'}, file_size}};
}

}  // namespace tolv
