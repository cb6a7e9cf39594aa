// The ZIP-keyed files of one tariff held in memory, keyed by suffix (".Z", ".C", ".H",
// ".B", ".K"). A missing file answers its error number, as the file set does.
#ifndef TESTKIT_ZIPTABLES_MEMORY_ZIP_TABLE_FILES_H_
#define TESTKIT_ZIPTABLES_MEMORY_ZIP_TABLE_FILES_H_

#include <map>
#include <string>
#include <vector>

#include "tolv32dll/ziptables/zip_table_files.h"

namespace testkit {

class MemoryZipTableFiles : public tolv::ZipTableFiles {
 public:
  void Set(const std::string& suffix, std::vector<std::uint8_t> bytes);
  void SetSegments(std::vector<tolv::RateSegment> segments) { segments_ = std::move(segments); }
  int lite_closes() const { return lite_closes_; }

  tolv::Result<const tolv::FileView*> ZipPairs() override { return Required(".Z", 205); }
  tolv::Result<const tolv::FileView*> ClassRanges() override { return Required(".C", 270); }
  tolv::Result<const tolv::FileView*> RbnoAddons() override { return Required(".H", 260); }
  tolv::Result<const tolv::FileView*> LiteBase() override { return Required(".B", 221); }
  tolv::Result<const tolv::FileView*> LiteMatrix() override { return Required(".K", 222); }
  void CloseLite() override { ++lite_closes_; }
  void CloseZipFiles() override {}
  // One segment over the whole rate file unless set.
  std::vector<tolv::RateSegment> RateSegments() override;

 private:
  tolv::Result<const tolv::FileView*> Required(const std::string& suffix,
                                               tolv::ErrorNumber error) const;

  std::map<std::string, tolv::MemoryFile> files_;
  std::vector<tolv::RateSegment> segments_;
  int lite_closes_ = 0;
};

}  // namespace testkit

#endif  // TESTKIT_ZIPTABLES_MEMORY_ZIP_TABLE_FILES_H_
