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
  namespace r = rate_control_row;
  const os::ConstRecordView view(block);
  std::vector<RateSegment> rows;
  for (std::size_t i = 0; i < rate_control_block::kRows.count && (i + 1) * r::kSize <= block.size();
       ++i) {
    const os::ConstRecordView p = view.Sub(rate_control_block::kRows.Nth(i));
    RateSegment row;
    std::memcpy(row.code.data(), p.at(r::kCode), r::kCode.width);
    row.offset = p.I32(r::kOffset);
    rows.push_back(row);
    if (p.RawView(r::kCode) == "***") return rows;
  }
  return {RateSegment{{'0', '0', '0'}, 0}, RateSegment{{'*', '*', '*'}, file_size}};
}

}  // namespace tolv
