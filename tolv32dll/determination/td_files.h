// The TD files every determination reads: the version lines of TDV.SEQ, the ZIP ranges of
// TDZ.BIN and the area values of TDT.BIN. They are found and opened at most once a rating,
// and kept from one rating to the next while the file cache's watches vouch that none of
// them changed, so a steady run of ratings looks none of them up again.
//
// Thread safety: one object per engine, so per thread.
#ifndef TOLV32DLL_DETERMINATION_TD_FILES_H_
#define TOLV32DLL_DETERMINATION_TD_FILES_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KMLIB/td_text_files.h"
#include "KMLIB/tdt_file.h"
#include "KMLIB/tdz_file.h"
#include "platform/os/file_cache.h"
#include "platform/os/kept_files.h"

namespace tolv {

// The version lines of TDV.SEQ, newest ship date first (file order among equal dates), or
// the status of a read that failed. They depend only on the file's bytes.
struct TdVersions {
  std::vector<kmlib::TdVersionRow> rows;
  kmlib::TdStatus status = kmlib::TdStatus::kOk;
};

class TdFiles {
 public:
  // The version lines of dir's TDV.SEQ, valid until the next call.
  const TdVersions& Versions(std::string_view dir);
  // The files a determination looks its two points up in, found under one check so that
  // both points are looked up in the same files.
  struct PointFiles {
    const kmlib::ZipRangeFile* zip_ranges = nullptr;  // null when it cannot be opened
    // TDT.BIN, of records for the group count: area_values, or AreaValuesFile::Open's
    // status. Not looked for when TDZ.BIN cannot be opened.
    kmlib::TdStatus area_status = kmlib::TdStatus::kCannotOpen;
    const kmlib::AreaValuesFile* area_values = nullptr;
  };
  PointFiles ForPoints(std::string_view dir, int group_count);

 private:
  // Forgets what may no longer stand: once a scope (see os::SnapshotScope), so that a
  // rating keeps to the files it first found, and at every call outside one.
  void Check(std::string_view dir);

  std::string dir_;
  os::KeptWhileUnchanged kept_;
  std::shared_ptr<const TdVersions> versions_;
  std::optional<kmlib::ZipRangeFile> zip_ranges_;
  std::optional<kmlib::AreaValuesFile> area_values_;
  int area_group_count_ = 0;
};

// The version lines of the TDV.SEQ at path, made afresh or as kept among the parsed files
// for its image; *image is the image they are of (null when the file was not imaged).
std::shared_ptr<const TdVersions> ReadTdVersions(const std::string& path,
                                                 os::FileImagePtr* image);

}  // namespace tolv

#endif  // TOLV32DLL_DETERMINATION_TD_FILES_H_
