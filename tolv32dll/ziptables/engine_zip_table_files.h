// The ZIP-keyed files of the selected tariff over the engine's tariff file set: each file
// is opened by the set when first asked for and read in place.
#ifndef TOLV32DLL_ZIPTABLES_ENGINE_ZIP_TABLE_FILES_H_
#define TOLV32DLL_ZIPTABLES_ENGINE_ZIP_TABLE_FILES_H_

#include "tolv32dll/points/tariff_file_view.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/tariff_file_set.h"
#include "tolv32dll/ziptables/zip_table_files.h"

namespace tolv {

class EngineZipTableFiles : public ZipTableFiles {
 public:
  // The tariff is read when a file is opened, so a companion switch is seen.
  EngineZipTableFiles(TariffFileSet& set, const CurrentTariff& tariff);

  Result<const FileView*> ZipPairs() override;
  Result<const FileView*> ClassRanges() override;
  Result<const FileView*> RbnoAddons() override;
  Result<const FileView*> LiteBase() override;
  Result<const FileView*> LiteMatrix() override;
  void CloseLite() override;
  void CloseZipFiles() override;
  std::vector<RateSegment> RateSegments() override;

 private:
  using SlotView = TariffFileView;

  Result<const FileView*> Open(TariffFileKind kind, const SlotView& view);

  TariffFileSet& set_;
  const CurrentTariff& tariff_;
  SlotView zip_pairs_, class_ranges_, rbno_addons_, lite_base_, lite_matrix_;
};

// The rows of a rate file's control block: 7-byte rows of a 3-character code and an i32
// little-endian offset, read up to and including the row "***" (at most 100 rows). A block
// without a "***" row gives the one segment [0, file size).
std::vector<RateSegment> RateSegmentsOf(os::ByteSpan block, std::int64_t file_size);

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ENGINE_ZIP_TABLE_FILES_H_
