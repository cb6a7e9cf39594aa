#include "testkit/points/memory_rating_files.h"

namespace testkit {

void MemoryRatingFiles::Set(const std::string& suffix, std::vector<std::uint8_t> bytes) {
  files_.insert_or_assign(suffix, tolv::MemoryFile(std::move(bytes)));
}

const tolv::FileView* MemoryRatingFiles::Find(const std::string& suffix) const {
  auto it = files_.find(suffix);
  return it == files_.end() ? nullptr : &it->second;
}

tolv::Result<const tolv::FileView*> MemoryRatingFiles::Optional(const std::string& suffix) const {
  return Find(suffix);
}

tolv::Result<const tolv::FileView*> MemoryRatingFiles::Required(const std::string& suffix,
                                                                tolv::ErrorNumber error) const {
  const tolv::FileView* file = Find(suffix);
  if (file == nullptr) return tolv::Result<const tolv::FileView*>::Error(error);
  return file;
}

tolv::Result<tolv::PointFiles> MemoryRatingFiles::Points(char side, bool alternate) {
  last_side_ = side;
  std::string suffix = ".P";
  if (point_file_mode_ == 'M' && side == 'D') suffix = ".Q";
  if (alternate && Find(".Y") != nullptr) suffix = ".Y";
  const tolv::FileView* first = Find(suffix);
  if (first == nullptr) return tolv::Result<tolv::PointFiles>::Error(206);
  if (point_file_mode_ == 'S') {
    const tolv::FileView* second = Find(".Q");
    if (second == nullptr) return tolv::Result<tolv::PointFiles>::Error(206);
    return tolv::PointFiles{first, second};
  }
  return tolv::PointFiles{first, first};
}

}  // namespace testkit
