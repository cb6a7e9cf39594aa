#include "tolv32dll/effective/effective_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <span>

#include "platform/os/bytes.h"
#include "platform/os/file_lookup.h"
#include "platform/os/read_only_file.h"
#include "platform/os/regular_file.h"
#include "tolv32dll/effective/effective_record.h"
#include "tolv32dll/effective/rating_version.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {

struct EffectiveTable::Image {
  std::string path;  // as ReadImage found it
  // The file as the cache served it: its image, or a descriptor of a file too large to image.
  os::FileImagePtr served;
  // What was read of it: served itself, or the head read through the descriptor.
  os::FileImagePtr file;
  // The part that is read: more lines than the table can hold are never looked at.
  std::span<const std::uint8_t> bytes;

  void Take(os::FileImagePtr from, os::FileImagePtr read) {
    served = std::move(from);
    file = std::move(read);
    bytes =
        file->bytes().first(std::min(file->size(), kMaxEffectiveEntries * effective_record::kSize));
  }
};

// One access to the file: holds the mutex for its lifetime when it got it. The engine
// goes on after a time-out as after success.
class EffectiveTable::Access {
 public:
  explicit Access(EffectiveTable& table) : table_(table) {
    if (table_.mutex_) {
      os::NamedMutex::WaitResult r = table_.mutex_->Wait(table_.mutex_wait_);
      held_ =
          r == os::NamedMutex::WaitResult::kAcquired || r == os::NamedMutex::WaitResult::kAbandoned;
    }
  }
  ~Access() {
    if (held_) table_.mutex_->Release();
  }
  Access(const Access&) = delete;
  Access& operator=(const Access&) = delete;

 private:
  EffectiveTable& table_;
  bool held_ = false;
};

EffectiveTable::EffectiveTable(std::string mutex_name, std::chrono::milliseconds mutex_wait)
    : mutex_name_(std::move(mutex_name)),
      mutex_wait_(mutex_wait),
      mutex_(os::NamedMutex::Open(mutex_name_)) {}

EffectiveTable::~EffectiveTable() { ReleaseAll(); }

ErrorNumber EffectiveTable::ReadImage(Image* image) {
  std::optional<std::string> path = os::FindFileNoCase(directory_, kEffectiveFileName);
  if (!path) return kErrEfcopn;
  image->path = *path;
  // As the file is now, not as the rating in hand first saw it: a writer holding the mutex
  // may have been halfway through it then.
  os::FileImagePtr served = os::ReadKeptFileNow(*path);
  if (served && served->imaged()) {
    LogBinaryOpenedFile(*path);
    image->Take(served, served);
    return kOk;
  }
  // Too large to image (or not to be had from the cache): its head, read from the file.
  const os::ReadOnlyFile file =
      served ? os::ReadOnlyFile(served) : os::ReadOnlyFile(os::OpenRegularFile(*path));
  struct stat st;
  if (!file.is_open() || ::fstat(file.descriptor(), &st) != 0) return kErrEfcopn;
  LogBinaryOpenedFile(*path);
  const std::size_t limit = kMaxEffectiveEntries * effective_record::kSize;
  os::ReadBytes bytes{std::unique_ptr<std::uint8_t[]>(new std::uint8_t[limit]), 0};
  const std::int64_t got = file.ReadAt(0, os::MutableByteSpan(bytes.data.get(), limit));
  if (got < 0) return kErrEfcred;
  bytes.size = static_cast<std::size_t>(got);
  image->Take(served, std::make_shared<const os::FileImage>(std::move(bytes), os::StampOf(st)));
  return kOk;
}

bool EffectiveTable::Unchanged(Image* image) {
  if (!seen_image_) return false;
  // Read already in this rating, or standing since by the keeping rule: the rest of the
  // rating keeps to it, whatever is taken in meanwhile.
  if (!seen_kept_.StandsForThisScope()) {
    // Not vouched for: the cache may still serve the file last read, without the mutex.
    os::KeptWhileUnchanged kept;
    kept.Start();
    std::optional<std::string> path = os::FindFileNoCase(directory_, kEffectiveFileName);
    if (!path) return false;
    os::FileImagePtr served = os::ReadKeptFile(*path);
    if (!served || served != seen_served_) return false;
    kept.Include(*path, served);
    Seen(*path, served, seen_image_, kept);
  }
  LogBinaryOpenedFile(seen_path_);
  image->Take(seen_served_, seen_image_);
  return true;
}

void EffectiveTable::Seen(const std::string& path, os::FileImagePtr served, os::FileImagePtr read,
                          const os::KeptWhileUnchanged& kept) {
  seen_path_ = path;
  seen_served_ = std::move(served);
  seen_image_ = std::move(read);
  seen_kept_ = kept;
}

void EffectiveTable::Unseen() {
  seen_served_.reset();
  seen_image_.reset();
  seen_kept_.Forget();
}

bool EffectiveTable::SeenStandsForThisScope() {
  return seen_image_ && seen_kept_.StandsForThisScope();
}

std::size_t EffectiveTable::FirstOfSameTariff(std::size_t index) const {
  // Entries of the same tariff sort together (by number, date and name).
  std::size_t first = index;
  while (first > 0 && entries_[first - 1].SameTariff(entries_[index])) --first;
  return first;
}

const EffectiveTable::Selection* EffectiveTable::StandingSelection(std::size_t index) {
  if (!seen_image_ || seen_image_ != entries_image_) return nullptr;
  const std::optional<Selection>& selection = selections_[FirstOfSameTariff(index)];
  if (!selection || !SeenStandsForThisScope()) return nullptr;
  LogBinaryOpenedFile(seen_path_);
  return &*selection;
}

bool EffectiveTable::Changed(const Image& image) const {
  return !os::SameFileState(image.file, seen_image_);
}

ErrorNumber EffectiveTable::CatchUpWithFile(Image* image, std::optional<Access>* access,
                                            bool* reloaded) {
  *reloaded = false;
  if (Unchanged(image)) return kOk;
  access->emplace(*this);
  os::KeptWhileUnchanged kept;
  kept.Start();
  if (const ErrorNumber error = ReadImage(image); error != kOk) {
    seen_kept_.Forget();
    return error;
  }
  if (Changed(*image)) {
    Unseen();
    TOLV_RETURN_IF_ERROR(Reload(*image));
    *reloaded = true;
    Notify(kNotifyReloadOnSelect);
  }
  kept.Include(image->path, image->served);
  Seen(image->path, image->served, image->file, kept);
  return kOk;
}

ErrorNumber EffectiveTable::Refresh() {
  // Standing as last read, the file needs neither the mutex nor its image taken.
  if (SeenStandsForThisScope()) {
    LogBinaryOpenedFile(seen_path_);
    return kOk;
  }
  Image image;
  std::optional<Access> access;
  bool reloaded;
  return CatchUpWithFile(&image, &access, &reloaded);
}

ErrorNumber EffectiveTable::Reload(const Image& image) {
  entries_.clear();
  listing_.clear();
  selections_.clear();
  entries_image_.reset();
  Result<std::vector<EffectiveEntry>> parsed = ParseEffectiveFile(image.bytes);
  if (!parsed.ok()) return parsed.error();
  entries_ = std::move(parsed).value();
  listing_ = BuildEffectiveListing(entries_);
  selections_.assign(entries_.size(), std::nullopt);
  entries_image_ = image.file;
  return kOk;
}

void EffectiveTable::Notify(std::int32_t code) {
  if (notify_ == nullptr) return;
  std::array<std::uint8_t, notify_message::kSize> message{};
  const os::RecordView v(message);
  v.SetI32(notify_message::kCode, code);
  v.SetI16(notify_message::kOne, 1);
  notify_(notify_user_, message.data());
}

ErrorNumber EffectiveTable::Load() {
  if (!entries_.empty()) return kOk;
  Access access(*this);
  Image image;
  TOLV_RETURN_IF_ERROR(ReadImage(&image));
  return Reload(image);
}

void EffectiveTable::Clear() {
  entries_.clear();
  listing_.clear();
  selections_.clear();
  entries_image_.reset();
  Unseen();
}

Result<int> EffectiveTable::ListingSize() {
  Access access(*this);
  Image image;
  ErrorNumber error = ReadImage(&image);
  if (error != kOk) return Result<int>::Error(error);
  if (Changed(image)) {
    // A file that fails to load stays "changed", so the next look tries again.
    Unseen();
    error = Reload(image);
    if (error != kOk) return Result<int>::Error(error);
    // Not kept across ratings: the next rating looks at the file under the mutex.
    Seen(image.path, image.served, image.file, os::KeptWhileUnchanged());
    Notify(kNotifyReloadOnListing);
  }
  return static_cast<int>(listing_.size());
}

const EffectiveTableRow* EffectiveTable::ListingRow(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= listing_.size()) return nullptr;
  return &listing_[static_cast<std::size_t>(index)];
}

namespace {

bool IsCurrent(const EffectiveEntry& e, const CurrentTariff& c) {
  return e.tariff_number == c.tariff_number && e.date.century == c.century &&
         e.date.year == c.year && e.date.month == c.month && e.date.day == c.day &&
         std::memcmp(e.name.data(), c.tariff_name.data(), 8) == 0;
}

const EffectiveEntry* FindSame(const std::vector<EffectiveEntry>& entries,
                               const EffectiveEntry& wanted) {
  for (const EffectiveEntry& e : entries) {
    if (e.SameTariff(wanted)) return &e;
  }
  return nullptr;
}

}  // namespace

ErrorNumber EffectiveTable::Select(int index, CurrentTariff* current) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return kErrEfcred;
  const EffectiveEntry wanted = entries_[static_cast<std::size_t>(index)];
  if (IsCurrent(wanted, *current)) return kOk;
  if (const Selection* standing = StandingSelection(static_cast<std::size_t>(index))) {
    if (standing->status != kOk) return standing->status;
    *current = standing->tariff;
    return kOk;
  }

  Image image;
  std::optional<Access> access;  // held to the end of the selection
  bool reloaded;
  TOLV_RETURN_IF_ERROR(CatchUpWithFile(&image, &access, &reloaded));
  namespace L = effective_record;
  std::array<std::uint8_t, L::kSize> line{};
  const EffectiveEntry* entry = nullptr;
  for (int attempt = 0;; ++attempt) {
    if (reloaded) {
      entry = FindSame(entries_, wanted);
    } else {
      // The entries are those wanted was taken from.
      entry = &entries_[FirstOfSameTariff(static_cast<std::size_t>(index))];
    }
    if (entry == nullptr) return kErrEfcred;
    // The image the entries were made of holds the same line as when it was last selected.
    if (image.file == entries_image_ && selections_[Position(entry)]) break;
    std::size_t offset = static_cast<std::size_t>(entry->record_index) * L::kSize;
    if (offset + L::kMinBlock > image.bytes.size()) return kErrEfcred;
    line.fill(' ');
    std::memcpy(line.data(), image.bytes.data() + offset,
                std::min(L::kSize, image.bytes.size() - offset));
    DetermineRatingVersion(line, BuiltInRatingVersionTable());
    // The file may have been rewritten without its stamp changing: the line read must
    // still be the entry's, or the entries are rebuilt from what was read.
    if (ParseEffectiveEntry(line, entry->record_index).SameTariff(*entry)) break;
    if (attempt > 0 || reloaded) return kErrEfcred;
    TOLV_RETURN_IF_ERROR(Reload(image));
    reloaded = true;
  }

  std::optional<Selection> selection = selections_[Position(entry)];
  if (!selection) {
    selection = SelectionOf(line);
    if (image.file == entries_image_) selections_[Position(entry)] = selection;
  }
  if (selection->status != kOk) return selection->status;
  *current = selection->tariff;
  return kOk;
}

EffectiveTable::Selection EffectiveTable::SelectionOf(std::span<const std::uint8_t> line) {
  namespace L = effective_record;
  const std::string_view version_text(reinterpret_cast<const char*>(line.data() + L::kVersion.offset),
                                      L::kVersion.width);
  Selection selection;
  std::optional<int> version = RatingVersionNumber(version_text);
  if (!version || *version < 400) {
    selection.status = kErrEfcold;
  } else if (*version > LibraryRatingVersion()) {
    selection.status = kErrEfcnew;
  } else {
    FillCurrentTariff(line, &selection.tariff);
  }
  return selection;
}

bool EffectiveTable::Lock() {
  if (!mutex_) return false;
  os::NamedMutex::WaitResult r = mutex_->Wait(mutex_wait_);
  return r == os::NamedMutex::WaitResult::kAcquired || r == os::NamedMutex::WaitResult::kAbandoned;
}

bool EffectiveTable::Unlock() { return mutex_ && mutex_->Release(); }

void EffectiveTable::ReleaseAll() {
  if (!mutex_) return;
  while (mutex_->owned()) mutex_->Release();
}

void FillCurrentTariff(std::span<const std::uint8_t> line, CurrentTariff* c) {
  namespace L = effective_record;
  EffectiveRecordView view(line);
  auto file_no = [&](os::Field f) {
    return FileNo{static_cast<char>(line[f.offset]), static_cast<char>(line[f.offset + 1])};
  };
  EffectiveEntry entry = ParseEffectiveEntry(line, 0);
  CurrentTariff t;
  t.record_letter = view.Letter(L::kRecordLetter);
  t.tariff_number = entry.tariff_number;
  t.century = entry.date.century;
  t.year = entry.date.year;
  t.month = entry.date.month;
  t.day = entry.date.day;
  t.default_file_no = file_no(L::kDefaultFileNo);
  t.point_type = view.Letter(L::kPointType);
  t.alt_point_type = view.Letter(L::kAltPointType);
  t.lane_adj_kind = view.Letter(L::kLaneAdjKind);
  t.lane_adj_file_no = file_no(L::kLaneAdjFileNo);
  std::memcpy(t.tariff_name.data(), line.data() + L::kTariffName.offset, 8);
  const char* version = reinterpret_cast<const char*>(line.data() + L::kVersion.offset);
  const char* version_end = version + L::kVersion.width;
  while (version < version_end && *version == ' ') ++version;
  float value = 0.0f;
  std::from_chars(version, version_end, value);
  t.rating_version = value;
  t.index_file_no = file_no(L::kIndexFileNo);
  t.rate_file_no = file_no(L::kRateFileNo);
  t.weight_type_file_no = file_no(L::kWeightTypeFileNo);
  t.point_file_no = file_no(L::kPointFileNo);
  t.exp_file_no = file_no(L::kExpFileNo);
  t.factor_file_no = file_no(L::kFactorFileNo);
  t.letter44 = view.Letter(L::kLetter44);
  t.point_file_mode = view.Letter(L::kPointFileMode);
  t.weight_type_digit = view.Letter(L::kWeightTypeDigit);
  t.jurisdiction = view.Letter(L::kJurisdiction);
  t.tariff_kind = entry.tariff_kind;
  t.companion_point_type = view.Letter(L::kCompanionPointType);
  t.companion_code = file_no(L::kCompanionCode);
  t.addon_mode = view.Letter(L::kAddonMode);
  t.index_format = view.Letter(L::kIndexFormat);
  *c = t;
}

}  // namespace tolv
