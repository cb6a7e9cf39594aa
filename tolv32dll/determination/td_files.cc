#include "tolv32dll/determination/td_files.h"

#include <algorithm>

#include "platform/os/parsed_files.h"
#include "tolv32dll/determination/td_data_set.h"
#include "tolv32dll/effective/effective_entry.h"

namespace tolv {
namespace {

auto VersionDateKey(const kmlib::TdVersionRow& r) {
  return TariffDate{r.century, r.year, r.month, r.day}.Key();
}

}  // namespace

std::shared_ptr<const TdVersions> ReadTdVersions(const std::string& path,
                                                 os::FileImagePtr* image) {
  *image = os::ReadFileImage(path);
  if (auto kept = os::KeptParse<TdVersions>(*image)) return kept;
  auto versions = std::make_shared<TdVersions>();
  versions->status = kmlib::ReadTdvImage(path, *image, &versions->rows);
  std::stable_sort(versions->rows.begin(), versions->rows.end(), [](const auto& x, const auto& y) {
    return VersionDateKey(x) > VersionDateKey(y);
  });
  os::KeepParse<TdVersions>(*image, versions);
  return versions;
}

void TdFiles::Check(std::string_view dir) {
  if (dir == dir_ && kept_.StandsForThisScope()) return;
  versions_.reset();
  zip_ranges_.reset();
  area_values_.reset();
  dir_ = dir;
  kept_.Start();
}

const TdVersions& TdFiles::Versions(std::string_view dir) {
  Check(dir);
  if (!versions_) {
    const std::string path = TdFilePath(dir, kTdvFile);
    os::FileImagePtr image;
    versions_ = ReadTdVersions(path, &image);
    kept_.Include(path, image);
  }
  return *versions_;
}

TdFiles::PointFiles TdFiles::ForPoints(std::string_view dir, int group_count) {
  Check(dir);
  PointFiles files;
  if (!zip_ranges_) {
    zip_ranges_ = kmlib::ZipRangeFile::Open(TdFilePath(dir, kTdzFile));
    if (!zip_ranges_) return files;
    kept_.Include(zip_ranges_->path(), zip_ranges_->image());
  }
  files.zip_ranges = &*zip_ranges_;
  if (!area_values_ || area_group_count_ != group_count) {
    area_values_.reset();
    files.area_status =
        kmlib::AreaValuesFile::Open(TdFilePath(dir, kTdtFile), group_count, &area_values_);
    if (files.area_status != kmlib::TdStatus::kOk) return files;
    area_group_count_ = group_count;
    kept_.Include(area_values_->path(), area_values_->image());
  }
  files.area_status = kmlib::TdStatus::kOk;
  files.area_values = &*area_values_;
  return files;
}

}  // namespace tolv
