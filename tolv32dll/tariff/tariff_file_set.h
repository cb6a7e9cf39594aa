// The files of the selected tariff. A tariff is a set of files sharing its 8-character
// name and differing by a suffix and a 2-character file number:
//   <tariff data directory><name><suffix><file number>      e.g. ABCD0001.P03
// A file-number field whose first character is a letter takes the tariff's DefaultFileNo.
// Files are opened lazily by the step that first needs them, read-only and shared, found
// without regard to case; an open file is not opened again. Each opener returns 0 when its
// file is open (or already was) and otherwise the file's error number.
//
// Names are refused (as files that cannot be opened) when the tariff name or file number
// would leave the directory or the path would not fit 259 characters.
//
// A file the file cache serves on a watch mark (its image, or a descriptor of a large one)
// is handed out again, without building its name or looking it up, while the keeping rule
// says it stands (see platform/os/kept_files.h; asked once a rating, so that a rating sees
// one state of the files). So is a name's lookup that found no file, when the cache keeps
// that answer on a mark; otherwise the name is looked up again (the cache recalls the
// answer).
//
// Thread safety: one set belongs to one engine, that is to one thread.
#ifndef TOLV32DLL_TARIFF_TARIFF_FILE_SET_H_
#define TOLV32DLL_TARIFF_TARIFF_FILE_SET_H_

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/bytes.h"
#include "platform/os/file_cache.h"
#include "platform/os/kept_files.h"
#include "platform/os/record_layout.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/file_io.h"

namespace tolv {

// The longest path the engine builds, its terminator not counted.
inline constexpr std::size_t kMaxPathLength = 259;
// The longest tariff file name: an 8-character tariff name, a 2-character suffix and a
// 2-character file number.
inline constexpr std::size_t kLongestTariffFileName = 12;
// The rate file's control block as the rate-basis step receives it: rows of a segment code
// and the segment's byte offset in the file, the last row's code "***".
namespace rate_control_row {
inline constexpr os::Field kCode = os::TextField(0, 3);
inline constexpr os::Field kOffset = os::I32Field(3);
inline constexpr std::size_t kSize = 7;
static_assert(os::FieldsTile({kCode, kOffset}, kSize));
}  // namespace rate_control_row
namespace rate_control_block {
inline constexpr os::Field kRows = os::RawField(0, rate_control_row::kSize, 100);
inline constexpr std::size_t kSize = 700;
static_assert(os::FieldsTile({kRows}, kSize));
}  // namespace rate_control_block
inline constexpr std::size_t kRateControlBlockSize = rate_control_block::kSize;

// The single-handle kinds opened by the generic opener. The special kinds (rate index,
// points, .D, .R, .O/.H companion, .X, .N and the streams) have their own openers.
enum class TariffFileKind {
  kLiteBase,       // .B  PointFileNo   221
  kLiteMatrix,     // .K  PointFileNo   222
  kExp,            // .E  ExpFileNo     220
  kLaneAdjBinary,  // .L  LaneAdjFileNo 230 (record form)
  kLaneAdjA,       // .A  LaneAdjFileNo 231
  kMin,            // .M  RateFileNo    225
  kRbnoAddons,     // .H  PointFileNo   260
  kClassFactors,   // .C  FactorFileNo  270
  kZipRbn,         // .Z  RateFileNo    205
  kEBase,          // .Q  FactorFileNo  273
  kEMatrix,        // .J  FactorFileNo  274
  kLaneBaseU,      // .U  FactorFileNo  278
  kLaneBaseV,      // .V  FactorFileNo  278
  kCount
};

class TariffFileSet {
 public:
  TariffFileSet() = default;
  TariffFileSet(const TariffFileSet&) = delete;
  TariffFileSet& operator=(const TariffFileSet&) = delete;

  // The directory of the tariff files, ending in "/". Changing it closes every open file,
  // so no file of the old directory is read afterwards; the same directory again changes
  // nothing. The directory is claimed (see os::DirectoryClaim) while it is set.
  void SetTariffDataDirectory(std::string directory);
  const std::string& tariff_data_directory() const { return tariff_data_directory_; }
  // The request's own tariff name (8 characters; blanks and NULs end it).
  void SetRequestTariffName(std::string_view name);

  // The name rule: the full path, or nullopt when the name is refused.
  std::optional<std::string> TariffFileName(const CurrentTariff& tariff, std::string_view suffix,
                                            const FileNo& file_no, bool use_request_name) const;
  // Opens a tariff file by the name rule (".D" tries "99" as file number when its own
  // number fails). Not open on failure.
  TariffFile TariffFile_Open(const CurrentTariff& tariff, std::string_view suffix,
                             const FileNo& file_no, bool use_request_name) const;
  TariffStream TariffFile_FOpen(const CurrentTariff& tariff, std::string_view suffix,
                                const FileNo& file_no, const char* mode) const;

  // Generic single-handle kinds.
  ErrorNumber Open(TariffFileKind kind, const CurrentTariff& tariff);
  void Close(TariffFileKind kind);
  const TariffFile& file(TariffFileKind kind) const {
    return files_[static_cast<std::size_t>(kind)];
  }

  // .I, or .J when the point-file mode is 'Y' and the destination code sorts below the
  // origin's over 5 characters. A different suffix closes the open index first. 207.
  ErrorNumber TariffFile_OpenRateIndex(const CurrentTariff& tariff, std::string_view origin,
                                       std::string_view destination);
  void CloseRateIndex();
  const TariffFile& rate_index() const { return rate_index_; }
  // The suffix of the open rate index ('I' or 'J'), or ' ' when none is open; a lookup that
  // caches values of the index compares it to see the file change.
  char rate_index_suffix() const { return rate_index_suffix_; }

  // The point files (206): with mode 'S' .P (origin) and .Q (destination; point type 'N'
  // uses .P for both); otherwise one file: .Y for point type '6' and alternate, .Q for
  // mode 'Y' with the destination below the origin or mode 'M' with side 'D', else .P.
  ErrorNumber TariffFile_OpenPoints(const CurrentTariff& tariff, std::string_view origin,
                                    std::string_view destination, char side, bool alternate);
  void ClosePoints();
  const TariffFile& points_origin() const { return points_first_; }
  const TariffFile& points_destination() const {
    return points_shared_ ? points_first_ : points_second_;
  }
  // The suffix of the one point file, or of the origin's in mode 'S'; ' ' when closed.
  char points_suffix() const { return points_suffix_; }

  // .O rate-basis areas (250) and its .H companion (-1 when it does not exist, else 250)
  // share one slot: each opener closes whatever is open there first.
  ErrorNumber TariffFile_OpenRba(const CurrentTariff& tariff);
  ErrorNumber TariffFile_OpenRbaCompanion(const CurrentTariff& tariff);
  void CloseRba();
  const TariffFile& rba() const { return rba_; }

  // .D direct and indirect service, under its own number and then "99"; named after the
  // request's tariff for point type 'Y'. Never an error: a missing file leaves the slot
  // empty and the default service letter blank. The first 7 bytes are the file's header;
  // the 7th is the default service letter.
  ErrorNumber TariffFile_OpenD(const CurrentTariff& tariff);
  void CloseD();
  const TariffFile& direct_indirect() const { return direct_indirect_; }
  char default_service_letter() const { return default_service_letter_; }

  // .R rates (208); fills the control block: "000" at 0-2, "***" at 7-9, the file size
  // (int32 little-endian) at 10-13, zeros elsewhere.
  ErrorNumber TariffFile_OpenRates(const CurrentTariff& tariff);
  void CloseRates();
  const TariffFile& rates() const { return rates_; }
  const std::array<std::uint8_t, kRateControlBlockSize>& rate_control_block() const {
    return rate_control_block_;
  }

  // .X exceptions: 1 when the file cannot be opened (a tariff without exceptions).
  ErrorNumber TariffFile_OpenExceptions(const CurrentTariff& tariff);
  void CloseExceptions();
  const TariffFile& exceptions() const { return exceptions_; }

  // .N border-crossing points: 271, which the caller raises.
  ErrorNumber TariffFile_OpenBorderPoints(const CurrentTariff& tariff);
  void CloseBorderPoints();
  const TariffFile& border_points() const { return border_points_; }

  // .F factor file as a stream (204); rewound when already open.
  ErrorNumber TariffFile_OpenFactors(const CurrentTariff& tariff);
  void CloseFactors() { factors_.Close(); }
  const TariffStream& factors() const { return factors_; }
  // .T weight types as a stream (219).
  ErrorNumber TariffFile_OpenWeightTypes(const CurrentTariff& tariff);
  void CloseWeightTypes() { weight_types_.Close(); }
  const TariffStream& weight_types() const { return weight_types_; }

  // Closes every file of the tariff whose files are open: those kept while one tariff stays
  // selected and any that its user, which closes it after use, still holds. A slot is not
  // checked for its tariff when asked again, so none may outlive the selection.
  void CloseTariffFiles();
  // Closes the tariff files when the selection differs from the tariff whose files are
  // open, or when they may have changed since they were opened (checked once a rating, so
  // that a rating reads one state of them), and remembers the selection.
  void TariffFiles_CloseAll(const CurrentTariff& selected);
  // Takes the selection as the tariff whose files are open, closing nothing: a switch to
  // another tariff that keeps reading the files already open.
  void TariffFiles_MarkOpen(const CurrentTariff& selected) { open_tariff_ = selected; }
  // Closes every file and forgets the selection (end of use, directory change).
  void CloseEverything();

 private:
  ErrorNumber OpenSlot(TariffFile& slot, const CurrentTariff& tariff, std::string_view suffix,
                       const FileNo& file_no, ErrorNumber error, bool use_request_name = false);
  ErrorNumber OpenStream(TariffStream& slot, const CurrentTariff& tariff, std::string_view suffix,
                         const FileNo& file_no, const char* mode, ErrorNumber error);
  TariffFile OpenPath(const std::string& path) const;
  // What the lookup of a name came to.
  enum class Lookup { kRefused, kMissing, kFound };
  // TariffFile_Open without the ".D" fallback.
  TariffFile OpenNamed(const CurrentTariff& tariff, std::string_view suffix, const FileNo& file_no,
                       bool use_request_name, Lookup* lookup = nullptr) const;
  // A file name the name rule gives, held in place: every one is short.
  struct ShortName {
    std::array<char, 16> text{};
    std::size_t size = 0;
    std::string_view view() const { return {text.data(), size}; }
    bool empty() const { return size == 0; }
  };
  // The file name the name rule gives, before the lookup; empty when refused.
  ShortName FileNameOf(const CurrentTariff& tariff, std::string_view suffix,
                         const FileNo& file_no, bool use_request_name) const;
  // The name rule; *found tells whether the lookup found the file.
  std::optional<std::string> FindTariffFile(const CurrentTariff& tariff, std::string_view suffix,
                                            const FileNo& file_no, bool use_request_name,
                                            bool* found) const;

  // What the name rule builds a name from: the stored tariff name (or the request's,
  // NUL-padded), the suffix and the file number in force. Equal keys give equal names, so a
  // kept file is found by its key without building the name.
  struct NameKey {
    TariffNameText tariff{};
    std::array<char, 2> suffix{};
    FileNo number{};
    bool operator==(const NameKey& other) const {
      // The whole key at a fixed size: compared in place, without a library call.
      return std::memcmp(this, &other, sizeof(NameKey)) == 0;
    }
  };
  static_assert(sizeof(NameKey) == 12, "a key holds its bytes only");
  // False for a suffix of another length (such names are not kept).
  bool KeyOf(const CurrentTariff& tariff, std::string_view suffix, const FileNo& file_no,
             bool use_request_name, NameKey* key) const;
  // A file handed out again by the key of its name (see the file comment); no file when
  // the name is known to find none.
  struct KeptFile {
    NameKey key;
    std::string path;
    os::FileImagePtr file;
  };
  const KeptFile* Kept(const NameKey& key) const;
  // True while what kept_ holds and the files opened since the last close stand (one set,
  // asked once a rating). When not, kept_ starts afresh and the open files count as changed.
  bool KeptStands() const {
    if (kept_set_.StandsForThisScope()) return true;
    KeepAfresh();
    return false;
  }
  void KeepAfresh() const;
  // Counts in a file just opened from path: kept under key, when given, if the rule allows.
  void Opened(const NameKey* key, const std::string& path, const os::FileImagePtr& file) const;
  // Keeps under key that name finds no file, if the cache keeps that answer on a mark.
  void FoundMissing(const NameKey& key, const ShortName& name) const;

  std::string tariff_data_directory_;
  os::DirectoryClaim claim_;  // of the tariff data directory
  std::string request_tariff_name_;
  TariffNameText request_name_key_{};  // request_tariff_name_ NUL-padded, as NameKey holds it
  mutable std::vector<KeptFile> kept_;
  mutable std::size_t next_kept_ = 0;  // where Kept starts looking
  mutable os::KeptWhileUnchanged kept_set_;
  // Set when a file opened since the last close was opened under a set that has ended.
  mutable bool open_files_unkept_ = false;
  std::optional<CurrentTariff> open_tariff_;

  std::array<TariffFile, static_cast<std::size_t>(TariffFileKind::kCount)> files_;
  TariffFile rate_index_;
  char rate_index_suffix_ = ' ';
  TariffFile points_first_;
  TariffFile points_second_;
  bool points_shared_ = false;
  char points_suffix_ = ' ';
  TariffFile rba_;
  TariffFile direct_indirect_;
  char default_service_letter_ = ' ';
  std::array<std::uint8_t, 7> direct_indirect_header_ = {};
  TariffFile rates_;
  std::array<std::uint8_t, kRateControlBlockSize> rate_control_block_ = {};
  TariffFile exceptions_;
  TariffFile border_points_;
  TariffStream factors_;
  TariffStream weight_types_;
};

// True when the destination code sorts below the origin code over 5 characters, byte-wise
// unsigned (missing characters count as NUL): the reverse direction of a 'Y' tariff.
bool DestinationBelowOrigin(std::string_view origin, std::string_view destination);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_TARIFF_FILE_SET_H_
