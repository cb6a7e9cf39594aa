#include "frelane/ratesheet/zip_block_file.h"

#include "frelane/core/main_module.h"
#include "frelane/ratesheet/zip_prefix.h"
#include "frelane/rating/tariff_selection.h"
#include "platform/os/file_lookup.h"
#include "platform/runtime/error.h"

namespace frelane::ratesheet {

namespace {

// Characters 4-5 of a code, or `outside` when its prefix is not `prefix`.
std::string SuffixWithin(std::string_view code, std::string_view prefix,
                         const std::string& outside) {
  if (code.substr(0, 3) != prefix || code.size() < 5) return outside;
  return std::string(code.substr(3, 2));
}

}  // namespace

std::string ZipBlockFileName(std::string_view tariff_name_field) {
  std::string name(tariff_name_field);
  name.resize(8, ' ');
  return name + ".b";
}

ZipBlockFile::ZipBlockFile(const std::string& directory_path, std::string_view tariff_name_field,
                           std::string_view prefix)
    : prefix_(prefix) {
  const std::string name = ZipBlockFileName(tariff_name_field);
  if (!modMain::IsPlainTariffName(tariff_name_field)) {
    throw runtime::RuntimeError(runtime::kErrBadFileName,
                                "The tariff name \"" + std::string(tariff_name_field) +
                                    "\" cannot name a zip block file.");
  }
  const std::string path = os::FindFileNoCase(directory_path, name).value_or(directory_path + name);
  if (!file_.OpenForReading(path, zip_block::kRecordSize)) {
    throw runtime::RuntimeError(runtime::kErrFileNotFound,
                                "The zip block file \"" + name + "\" is missing or cannot be read.");
  }
  count_ = file_.RecordCount();
  next_ = FirstTouching();
}

ZipBlockFile::Bounds ZipBlockFile::Read(std::int64_t record) {
  file_.Get(record, record_);
  const os::ConstRecordView v{std::span<const std::uint8_t>(record_)};
  return {v.Raw(zip_block::kLowZip).substr(0, 3), v.Raw(zip_block::kHighZip).substr(0, 3)};
}

std::int64_t ZipBlockFile::FirstTouching() {
  if (count_ == 0) return 1;  // nothing to read: Next finds no block
  // Binary search with lo < mid < hi over records 1 .. count; it stops at a touching record
  // or when no record between lo and hi is left.
  std::int64_t lo = 0, hi = count_ + 1, mid = 0;
  while (true) {
    mid = (lo + hi) / 2;
    const Bounds b = Read(mid);
    if (Touches(b)) break;
    if (b.low < prefix_) {
      lo = mid;
    } else {
      hi = mid;
    }
    if (hi - lo <= 1) break;
  }
  // Blocks of one prefix are consecutive: step back to the first of them.
  while (mid != 1) {
    if (!Touches(Read(mid - 1))) break;
    --mid;
  }
  return mid;
}

bool ZipBlockFile::Next(SuffixRange& block) {
  if (next_ > count_) return false;
  file_.Get(next_, record_);
  const os::ConstRecordView v{std::span<const std::uint8_t>(record_)};
  const std::string low = v.Raw(zip_block::kLowZip), high = v.Raw(zip_block::kHighZip);
  if (!Touches({low.substr(0, 3), high.substr(0, 3)})) return false;
  block = {SuffixWithin(low, prefix_, FirstSuffix(prefix_)),
           SuffixWithin(high, prefix_, LastSuffix(prefix_))};
  ++next_;
  return true;
}

std::vector<SuffixRange> ZipBlockFile::Blocks() {
  std::vector<SuffixRange> blocks;
  SuffixRange block;
  while (Next(block)) blocks.push_back(block);
  return blocks;
}

}  // namespace frelane::ratesheet
