#include "tolv32dll/tariff/tariff_file_set.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/os/file_cache.h"
#include "platform/os/file_lookup.h"
#include "platform/os/kept_files.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

struct KindInfo {
  const char* suffix;
  FileNo CurrentTariff::*file_no;
  ErrorNumber error;
};

// Indexed by TariffFileKind.
constexpr KindInfo kKinds[] = {
    {".B", &CurrentTariff::point_file_no, kErrEbsopn},
    {".K", &CurrentTariff::point_file_no, kErrEmtopn},
    {".E", &CurrentTariff::exp_file_no, kErrExpopn},
    {".L", &CurrentTariff::lane_adj_file_no, kErrLalopn},
    {".A", &CurrentTariff::lane_adj_file_no, kErrLadopn},
    {".M", &CurrentTariff::rate_file_no, kErrMinopn},
    {".H", &CurrentTariff::point_file_no, kErrTrbopn},
    {".C", &CurrentTariff::factor_file_no, kErrCfacopn},
    {".Z", &CurrentTariff::rate_file_no, kErrZrmopn},
    {".Q", &CurrentTariff::factor_file_no, kErrPbasopn},
    {".J", &CurrentTariff::factor_file_no, kErrPmatopn},
    {".U", &CurrentTariff::factor_file_no, kErrGblLaOrgBase},
    {".V", &CurrentTariff::factor_file_no, kErrGblLaOrgBase},
};
static_assert(std::size(kKinds) == static_cast<std::size_t>(TariffFileKind::kCount));

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The stored name up to its first blank or NUL.
std::string_view NameOf(std::string_view stored) {
  std::size_t end = stored.find_first_of(std::string_view(" \0", 2));
  return stored.substr(0, end == std::string_view::npos ? stored.size() : end);
}

// The stored name without its trailing blanks and NULs (a NUL also ends it).
std::string_view TrimmedName(std::string_view stored) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < stored.size() && stored[i] != '\0'; ++i) {
    if (stored[i] != ' ') end = i + 1;
  }
  return stored.substr(0, end);
}

constexpr FileNo kFallbackD = {'9', '9'};

// a == b, settled by the bytes when they are all equal (the rating version compares so
// unless it is NaN, which equals nothing): a steady run of ratings selects the same tariff
// each time. Any byte apart, padding included, leaves it to the fields.
bool SameSelection(const CurrentTariff& a, const CurrentTariff& b) {
  if (std::memcmp(&a, &b, sizeof(CurrentTariff)) == 0 && !std::isnan(a.rating_version)) {
    return true;
  }
  return a == b;
}

}  // namespace

bool DestinationBelowOrigin(std::string_view origin, std::string_view destination) {
  for (std::size_t i = 0; i < 5; ++i) {
    auto o = static_cast<unsigned char>(i < origin.size() ? origin[i] : '\0');
    auto d = static_cast<unsigned char>(i < destination.size() ? destination[i] : '\0');
    if (d != o) return d < o;
  }
  return false;
}

void TariffFileSet::SetTariffDataDirectory(std::string directory) {
  if (directory == tariff_data_directory_) return;
  CloseEverything();
  claim_ = os::DirectoryClaim(directory);
  tariff_data_directory_ = std::move(directory);
}

void TariffFileSet::SetRequestTariffName(std::string_view name) {
  request_tariff_name_ = std::string(NameOf(name.substr(0, std::min<std::size_t>(8, name.size()))));
  request_name_key_.fill('\0');
  std::copy(request_tariff_name_.begin(), request_tariff_name_.end(), request_name_key_.begin());
}

std::optional<std::string> TariffFileSet::TariffFileName(const CurrentTariff& tariff,
                                                         std::string_view suffix,
                                                         const FileNo& file_no,
                                                         bool use_request_name) const {
  bool found = false;
  return FindTariffFile(tariff, suffix, file_no, use_request_name, &found);
}

TariffFileSet::ShortName TariffFileSet::FileNameOf(const CurrentTariff& tariff,
                                                   std::string_view suffix,
                                                   const FileNo& file_no,
                                                   bool use_request_name) const {
  const std::string_view tariff_name = use_request_name
                                           ? std::string_view(request_tariff_name_)
                                           : TrimmedName(TextOf(tariff.tariff_name));
  const FileNo& number = IsLetter(file_no[0]) ? tariff.default_file_no : file_no;
  ShortName name;
  if (tariff_name.empty()) return name;
  const std::size_t size = tariff_name.size() + suffix.size() + number.size();
  if (size > name.text.size() || tariff_data_directory_.size() + size > kMaxPathLength) {
    return name;
  }
  char* out = std::copy(tariff_name.begin(), tariff_name.end(), name.text.begin());
  out = std::copy(suffix.begin(), suffix.end(), out);
  std::copy(number.begin(), number.end(), out);
  name.size = size;
  return name;
}

bool TariffFileSet::KeyOf(const CurrentTariff& tariff, std::string_view suffix,
                          const FileNo& file_no, bool use_request_name, NameKey* key) const {
  if (suffix.size() != key->suffix.size()) return false;
  key->tariff = use_request_name ? request_name_key_ : tariff.tariff_name;
  std::copy(suffix.begin(), suffix.end(), key->suffix.begin());
  key->number = IsLetter(file_no[0]) ? tariff.default_file_no : file_no;
  return true;
}

std::optional<std::string> TariffFileSet::FindTariffFile(const CurrentTariff& tariff,
                                                         std::string_view suffix,
                                                         const FileNo& file_no,
                                                         bool use_request_name, bool* found) const {
  *found = false;
  const ShortName name = FileNameOf(tariff, suffix, file_no, use_request_name);
  if (name.empty()) return std::nullopt;
  // Found without regard to case (a name found is a safe one); a name that matches nothing
  // keeps its spelling.
  std::optional<std::string> path = os::FindFileNoCase(tariff_data_directory_, name.view());
  *found = path.has_value();
  if (!path && os::IsSafeFileName(name.view())) {
    path = os::JoinPath(tariff_data_directory_, name.view());
  }
  return path;
}

TariffFile TariffFileSet::OpenPath(const std::string& path) const {
  if (path.size() > kMaxPathLength) return TariffFile();
  return File_OpenShared(path);
}

void TariffFileSet::KeepAfresh() const {
  kept_.clear();
  kept_set_.Start();
  open_files_unkept_ = true;
}

const TariffFileSet::KeptFile* TariffFileSet::Kept(const NameKey& key) const {
  if (!KeptStands()) return nullptr;
  // A key is kept once at most. A rating opens its files in the order they were first
  // kept, so the scan starts after the last one found and mostly finds the next at once.
  const std::size_t count = kept_.size();
  std::size_t i = next_kept_ < count ? next_kept_ : 0;
  for (std::size_t looked = 0; looked < count; ++looked) {
    if (kept_[i].key == key) {
      next_kept_ = i + 1;
      return &kept_[i];
    }
    if (++i == count) i = 0;
  }
  return nullptr;
}

void TariffFileSet::Opened(const NameKey* key, const std::string& path,
                           const os::FileImagePtr& file) const {
  // A file not to be kept leaves the set standing for the rating in hand only.
  if (kept_set_.Include(path, file) && key != nullptr) {
    kept_.push_back({*key, path, os::KeptWhileUnchanged::OwnHolder(path, file)});
  }
}

void TariffFileSet::FoundMissing(const NameKey& key, const ShortName& name) const {
  if (kept_set_.IncludeLookup(tariff_data_directory_, name.view(), std::nullopt)) {
    kept_.push_back({key, std::string(), nullptr});
  }
}

TariffFile TariffFileSet::OpenNamed(const CurrentTariff& tariff, std::string_view suffix,
                                    const FileNo& file_no, bool use_request_name,
                                    Lookup* lookup) const {
  Lookup ignored;
  if (lookup == nullptr) lookup = &ignored;
  *lookup = Lookup::kRefused;
  NameKey key;
  const bool keyed = KeyOf(tariff, suffix, file_no, use_request_name, &key);
  if (const KeptFile* kept = keyed ? Kept(key) : nullptr) {
    if (!kept->file) {
      *lookup = Lookup::kMissing;
      return TariffFile();
    }
    *lookup = Lookup::kFound;
    LogBinaryOpenedFile(kept->path);
    return TariffFile(kept->file);
  }
  const ShortName name = FileNameOf(tariff, suffix, file_no, use_request_name);
  if (name.empty()) return TariffFile();
  const std::optional<std::string> path = os::FindFileNoCase(tariff_data_directory_, name.view());
  if (!path) {
    // Only safe names are looked up, and so only they can be known to be missing.
    if (os::IsSafeFileName(name.view())) {
      *lookup = Lookup::kMissing;
      if (keyed) FoundMissing(key, name);
    }
    return TariffFile();
  }
  *lookup = Lookup::kFound;
  TariffFile file = OpenPath(*path);
  if (file.is_open()) Opened(keyed ? &key : nullptr, *path, file.kept());
  return file;
}

TariffFile TariffFileSet::TariffFile_Open(const CurrentTariff& tariff, std::string_view suffix,
                                          const FileNo& file_no, bool use_request_name) const {
  TariffFile file = OpenNamed(tariff, suffix, file_no, use_request_name);
  if (!file.is_open() && suffix == ".D") {
    file = OpenNamed(tariff, suffix, kFallbackD, use_request_name);
  }
  return file;
}

TariffStream TariffFileSet::TariffFile_FOpen(const CurrentTariff& tariff, std::string_view suffix,
                                             const FileNo& file_no, const char* mode) const {
  bool found = false;
  auto path = FindTariffFile(tariff, suffix, file_no, false, &found);
  if (!found) return TariffStream();
  TariffStream stream = File_FOpenShared(*path, mode);
  if (stream.is_open()) Opened(nullptr, *path, stream.image());
  return stream;
}

ErrorNumber TariffFileSet::OpenSlot(TariffFile& slot, const CurrentTariff& tariff,
                                    std::string_view suffix, const FileNo& file_no,
                                    ErrorNumber error, bool use_request_name) {
  if (slot.is_open()) return kOk;
  slot = TariffFile_Open(tariff, suffix, file_no, use_request_name);
  return slot.is_open() ? kOk : error;
}

ErrorNumber TariffFileSet::OpenStream(TariffStream& slot, const CurrentTariff& tariff,
                                      std::string_view suffix, const FileNo& file_no,
                                      const char* mode, ErrorNumber error) {
  if (slot.is_open()) return kOk;
  slot = TariffFile_FOpen(tariff, suffix, file_no, mode);
  return slot.is_open() ? kOk : error;
}

ErrorNumber TariffFileSet::Open(TariffFileKind kind, const CurrentTariff& tariff) {
  const KindInfo& info = kKinds[static_cast<std::size_t>(kind)];
  return OpenSlot(files_[static_cast<std::size_t>(kind)], tariff, info.suffix, tariff.*info.file_no,
                  info.error);
}

void TariffFileSet::Close(TariffFileKind kind) { files_[static_cast<std::size_t>(kind)].Close(); }

ErrorNumber TariffFileSet::TariffFile_OpenRateIndex(const CurrentTariff& tariff,
                                                    std::string_view origin,
                                                    std::string_view destination) {
  char suffix =
      tariff.point_file_mode == 'Y' && DestinationBelowOrigin(origin, destination) ? 'J' : 'I';
  if (rate_index_.is_open() && rate_index_suffix_ == suffix) return kOk;
  CloseRateIndex();
  const char name[] = {'.', suffix, '\0'};
  rate_index_ = TariffFile_Open(tariff, name, tariff.index_file_no, false);
  if (!rate_index_.is_open()) return kErrIdxopn;
  rate_index_suffix_ = suffix;
  return kOk;
}

void TariffFileSet::CloseRateIndex() {
  rate_index_.Close();
  rate_index_suffix_ = ' ';
}

ErrorNumber TariffFileSet::TariffFile_OpenPoints(const CurrentTariff& tariff,
                                                 std::string_view origin,
                                                 std::string_view destination, char side,
                                                 bool alternate) {
  ClosePoints();
  if (tariff.point_file_mode == 'S') {
    points_first_ = TariffFile_Open(tariff, ".P", tariff.point_file_no, false);
    if (!points_first_.is_open()) return kErrPntopn;
    if (tariff.point_type == 'N') {
      points_shared_ = true;
    } else {
      points_second_ = TariffFile_Open(tariff, ".Q", tariff.point_file_no, false);
      if (!points_second_.is_open()) {
        ClosePoints();
        return kErrPntopn;
      }
    }
    points_suffix_ = 'P';
    return kOk;
  }
  char suffix = 'P';
  if (tariff.point_type == '6' && alternate) {
    suffix = 'Y';
  } else if ((tariff.point_file_mode == 'Y' && DestinationBelowOrigin(origin, destination)) ||
             (tariff.point_file_mode == 'M' && side == 'D')) {
    suffix = 'Q';
  }
  const char name[] = {'.', suffix, '\0'};
  points_first_ = TariffFile_Open(tariff, name, tariff.point_file_no, false);
  if (!points_first_.is_open()) return kErrPntopn;
  points_shared_ = true;
  points_suffix_ = suffix;
  return kOk;
}

void TariffFileSet::ClosePoints() {
  // With one point file both handles are the one descriptor: it is closed once.
  points_first_.Close();
  points_second_.Close();
  points_shared_ = false;
  points_suffix_ = ' ';
}

ErrorNumber TariffFileSet::TariffFile_OpenRba(const CurrentTariff& tariff) {
  rba_.Close();
  rba_ = TariffFile_Open(tariff, ".O", tariff.point_file_no, false);
  return rba_.is_open() ? kOk : kErrRbaopn;
}

ErrorNumber TariffFileSet::TariffFile_OpenRbaCompanion(const CurrentTariff& tariff) {
  rba_.Close();
  Lookup lookup;
  rba_ = OpenNamed(tariff, ".H", tariff.point_file_no, false, &lookup);
  if (lookup == Lookup::kMissing) return -1;
  return rba_.is_open() ? kOk : kErrRbaopn;
}

void TariffFileSet::CloseRba() { rba_.Close(); }

ErrorNumber TariffFileSet::TariffFile_OpenD(const CurrentTariff& tariff) {
  if (direct_indirect_.is_open()) return kOk;
  default_service_letter_ = ' ';
  direct_indirect_header_.fill(0);
  direct_indirect_ = TariffFile_Open(tariff, ".D", tariff.point_file_no, tariff.point_type == 'Y');
  if (direct_indirect_.is_open() && direct_indirect_.ReadAt(0, direct_indirect_header_) ==
                                        static_cast<std::int64_t>(direct_indirect_header_.size())) {
    default_service_letter_ = static_cast<char>(direct_indirect_header_[6]);
  }
  return kOk;
}

void TariffFileSet::CloseD() { direct_indirect_.Close(); }

ErrorNumber TariffFileSet::TariffFile_OpenRates(const CurrentTariff& tariff) {
  if (rates_.is_open()) return kOk;
  rate_control_block_.fill(0);
  rates_ = TariffFile_Open(tariff, ".R", tariff.rate_file_no, false);
  if (!rates_.is_open()) return kErrRteopn;
  std::int64_t size = std::max<std::int64_t>(rates_.Size(), 0);
  // One segment from the start of the file to its end.
  const os::RecordView block(rate_control_block_);
  const os::RecordView first = block.Sub(rate_control_block::kRows.Nth(0));
  const os::RecordView last = block.Sub(rate_control_block::kRows.Nth(1));
  first.SetText(rate_control_row::kCode, "000");
  first.SetI32(rate_control_row::kOffset, 0);
  last.SetText(rate_control_row::kCode, "***");
  last.SetI32(rate_control_row::kOffset,
              static_cast<std::int32_t>(std::min<std::int64_t>(size, INT32_MAX)));
  return kOk;
}

void TariffFileSet::CloseRates() { rates_.Close(); }

ErrorNumber TariffFileSet::TariffFile_OpenExceptions(const CurrentTariff& tariff) {
  return OpenSlot(exceptions_, tariff, ".X", tariff.point_file_no, 1);
}

void TariffFileSet::CloseExceptions() { exceptions_.Close(); }

ErrorNumber TariffFileSet::TariffFile_OpenBorderPoints(const CurrentTariff& tariff) {
  return OpenSlot(border_points_, tariff, ".N", tariff.point_file_no, kErrBcpopn);
}

void TariffFileSet::CloseBorderPoints() { border_points_.Close(); }

ErrorNumber TariffFileSet::TariffFile_OpenFactors(const CurrentTariff& tariff) {
  if (factors_.is_open()) {
    factors_.Rewind();
    return kOk;
  }
  return OpenStream(factors_, tariff, ".F", tariff.factor_file_no, "r", kErrFacopn);
}

ErrorNumber TariffFileSet::TariffFile_OpenWeightTypes(const CurrentTariff& tariff) {
  return OpenStream(weight_types_, tariff, ".T", tariff.weight_type_file_no, "rb", kErrWtpopn);
}

void TariffFileSet::CloseTariffFiles() {
  for (TariffFile& file : files_) file.Close();
  CloseFactors();
  CloseRateIndex();
  ClosePoints();
  CloseRba();
  CloseD();
  CloseRates();
  CloseExceptions();
  CloseBorderPoints();
  CloseWeightTypes();
  open_files_unkept_ = false;
}

void TariffFileSet::TariffFiles_CloseAll(const CurrentTariff& selected) {
  const bool stands = KeptStands();
  if (open_tariff_ && SameSelection(*open_tariff_, selected) && stands && !open_files_unkept_) {
    return;
  }
  CloseTariffFiles();
  open_tariff_ = selected;
}

void TariffFileSet::CloseEverything() {
  CloseTariffFiles();
  open_tariff_.reset();
  kept_.clear();
  kept_set_.Forget();
}

}  // namespace tolv
