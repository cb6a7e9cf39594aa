// The effective-date table of one engine: the entries of EFCREC.TBL, their listing, the
// selection of one entry as the current tariff, and the named mutex that guards the file
// across processes. Every access to the file waits for the mutex, reads the file as it is
// then, and reloads the entries when it is not the state last read (os::SameFileState). A
// look that finds the file still standing by the keeping rule, or served as last read, uses
// that reading without waiting: a writer that holds the mutex while it rewrites the file is
// waited for only once the file shows a change.
//
// Thread safety: one object per engine, so per thread. The mutex serialises the engines
// of all threads and processes.
#ifndef TOLV32DLL_EFFECTIVE_EFFECTIVE_TABLE_H_
#define TOLV32DLL_EFFECTIVE_EFFECTIVE_TABLE_H_

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/os/file_cache.h"
#include "platform/os/kept_files.h"
#include "platform/os/named_mutex.h"
#include "platform/os/record_layout.h"
#include "tolv32dll/effective/effective_entry.h"
#include "tolv32dll/effective/effective_listing.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/tariff/current_tariff.h"

namespace tolv {

inline constexpr char kEffectiveMutexName[] = "TolvEffectiveMutexObject";
inline constexpr char kEffectiveFileName[] = "EFCREC.TBL";
inline constexpr std::chrono::milliseconds kEffectiveMutexWait{3'600'000};

// NotifyMessage: 512 bytes, zero-filled, with the reason code (i32) at 0 and the value 1
// (i16) at 4. Code 0 follows a reload during a selection, 6 one during a listing.
namespace notify_message {
inline constexpr os::Field kCode = os::I32Field(0);
inline constexpr os::Field kOne = os::I16Field(4);
inline constexpr os::Field kZeros = os::RawField(6, 506);
inline constexpr std::size_t kSize = 512;
static_assert(os::FieldsTile({kCode, kOne, kZeros}, kSize));
}  // namespace notify_message
inline constexpr std::int32_t kNotifyReloadOnSelect = 0;
inline constexpr std::int32_t kNotifyReloadOnListing = 6;

// The caller's callback, called with its user value and the message on the thread that
// found the change.
using NotifyCallback = void (*)(std::intptr_t user_value, std::uint8_t* message);

class EffectiveTable {
 public:
  // Opens the named mutex; mutex_wait is how long each access waits for it.
  explicit EffectiveTable(std::string mutex_name = kEffectiveMutexName,
                          std::chrono::milliseconds mutex_wait = kEffectiveMutexWait);
  ~EffectiveTable();
  EffectiveTable(const EffectiveTable&) = delete;
  EffectiveTable& operator=(const EffectiveTable&) = delete;

  // The directory EFCREC.TBL is read from, ending in a separator (or empty).
  // The directory is claimed (see os::DirectoryClaim) while the table reads from it.
  void set_directory(std::string directory) {
    if (directory == directory_) return;
    claim_ = os::DirectoryClaim(directory);
    directory_ = std::move(directory);
  }
  const std::string& directory() const { return directory_; }

  // Loads the entries when there are none: 0, 203 (no file) or 209 (no full first line).
  ErrorNumber Load();
  // Forgets the entries (the next Load reads the file again).
  void Clear();

  // Rebuilds the listing, reloading first when the file changed (and then notifying with
  // code 6): the row count, or 203 / 209 when the file cannot be read.
  Result<int> ListingSize();
  // Row index of the listing last built; null when index is out of range.
  const EffectiveTableRow* ListingRow(int index) const;

  // Reloads the entries, under the mutex, when the file changed since it was last read
  // there (and then notifies with code 0): 0, 203 or 209. A rating runs it before it
  // chooses among the entries, so that it chooses on the file a writer left.
  ErrorNumber Refresh();

  // Makes entry index the current tariff: 0, 203, 209, 397 (version below 4.0 or not a
  // version) or 398 (newer than the library). The entry is taken from the table as it
  // stands; when the file changed it is found again by number, date and name in the
  // reloaded table (209 when it is gone), so a selection never reads a stale line.
  ErrorNumber Select(int index, CurrentTariff* current);

  const std::vector<EffectiveEntry>& entries() const { return entries_; }

  void SetNotifyCallback(std::intptr_t user_value, NotifyCallback callback) {
    notify_user_ = user_value;
    notify_ = callback;
  }

  // The caller's own hold on the mutex. Lock is true when the mutex was obtained (also
  // after its owner died holding it); Unlock is the result of giving it back.
  bool Lock();
  bool Unlock();
  // Gives back every hold this engine has on the mutex.
  void ReleaseAll();

 private:
  struct Image;
  class Access;
  // The file's bytes, read under the mutex; 203 when it cannot be read.
  ErrorNumber ReadImage(Image* image);
  // True, with the image, when the file is still the one last read under the mutex.
  bool Unchanged(Image* image);
  // True when image is not the file last read under the mutex.
  bool Changed(const Image& image) const;
  // Unless the file is still the one last read under the mutex, takes the mutex into
  // *access, reads the file into *image and reloads the entries when it changed (notifying
  // with code 0); *reloaded tells whether they were.
  ErrorNumber CatchUpWithFile(Image* image, std::optional<Access>* access, bool* reloaded);
  ErrorNumber Reload(const Image& image);
  // True when the file last read under the mutex stands for this rating by the keeping
  // rule, without asking the cache again.
  bool SeenStandsForThisScope();
  // The first entry of the tariff of entries_[index]: index or just before it.
  std::size_t FirstOfSameTariff(std::size_t index) const;
  // What selecting an entry gives: 0 and the tariff of its line, or 397 / 398.
  struct Selection {
    ErrorNumber status = kOk;
    CurrentTariff tariff;
  };
  // The selection of a line whose rating version has been determined.
  static Selection SelectionOf(std::span<const std::uint8_t> line);
  // The selection kept for the tariff of entries_[index] when the file it was made of
  // stands for this rating (the opened-file record logged as reading it would); nullptr
  // when the full path must decide.
  const Selection* StandingSelection(std::size_t index);
  std::size_t Position(const EffectiveEntry* entry) const {
    return static_cast<std::size_t>(entry - entries_.data());
  }
  // Notes what was read from path (served by the cache, read of it) as the file the entries
  // are from, standing while kept does.
  void Seen(const std::string& path, os::FileImagePtr served, os::FileImagePtr read,
            const os::KeptWhileUnchanged& kept);
  void Unseen();
  void Notify(std::int32_t code);

  std::string mutex_name_;
  std::chrono::milliseconds mutex_wait_;
  std::unique_ptr<os::NamedMutex> mutex_;
  std::string directory_;
  os::DirectoryClaim claim_;
  std::vector<EffectiveEntry> entries_;
  std::vector<EffectiveTableRow> listing_;
  // The image the entries were made of, and the selection of each entry selected since.
  os::FileImagePtr entries_image_;
  std::vector<std::optional<Selection>> selections_;
  // The file last seen, while the entries are those read from it: as the cache served it,
  // what was read of it, and its path; none at construction, so the first look after
  // initialisation always finds a change.
  os::FileImagePtr seen_served_;
  os::FileImagePtr seen_image_;
  std::string seen_path_;
  // Whether they still stand, by the keeping rule (see platform/os/kept_files.h): within one
  // rating, the entries first read are kept.
  os::KeptWhileUnchanged seen_kept_;
  std::intptr_t notify_user_ = 0;
  NotifyCallback notify_ = nullptr;
};

// Fills the current tariff from a line of EFCREC.TBL whose version has been determined.
// REQUIRES: line holds at least effective_record::kMinBlock bytes.
void FillCurrentTariff(std::span<const std::uint8_t> line, CurrentTariff* current);

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_EFFECTIVE_TABLE_H_
