// The files of the bill-of-lading subsystem in the data directory: one file per bill in the
// folder BOLData, and BOLDef.dat with the defaults. Whole files are replaced through a
// temporary file in the same folder and a rename, so a failed write leaves the old file as
// it was. They are read and written only as regular files of the data directory: every
// read, write and delete goes through the rule of bill_places.h.
#ifndef FRELANE_BOL_BILL_FILES_H_
#define FRELANE_BOL_BILL_FILES_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "frelane/bol/bill_places.h"
#include "frelane/bol/bol_records.h"
#include "platform/os/file_stamp.h"

namespace frelane::bol {

// True when the name is a regular file of BOLData itself, not a link or anything else, and
// BOLData is no link: a bill the folder's listing may offer.
bool IsOwnBillFile(std::string_view file_name);
// Creates the folder when it is missing; false with a message naming it on failure.
bool EnsureBillFolder(std::string* error);

// The file name of a bill: the first 8 characters of its trimmed number and ".BOL".
std::string BillFileName(std::string_view bol_number);
// The name part of a file name: what stands before ".BOL".
std::string BillNamePart(std::string_view file_name);
// True when the first 8 characters of the trimmed bill number can name a file in BOLData:
// no path separator, ":", "*", "?", quote, "<", ">", "|" or control character, and not "."
// or "..", nor holding ".." anywhere.
bool IsUsableBillName(std::string_view bol_number);

// True when two file names are the same without regard to ASCII case.
bool SameNameNoCase(std::string_view a, std::string_view b);

// The full path of the existing bill file of that name (matched without regard to case).
std::optional<std::string> ExistingBillFile(std::string_view file_name);

// One version of a bill file on disk (none when it does not exist): a save by another
// program gives the file a new identity (it is replaced through a rename) or at least a new
// time or length.
using BillStamp = std::optional<os::FileStamp>;
// The version of the bill file of that name as it stands now.
BillStamp StampOfBillFile(std::string_view file_name);

// Removes what a crash in the middle of a save left in BOLData (unless it is a link) and
// beside BOLDef.dat.
void RemoveStaleTemporaries();

// kRefused: BOLData or the name is a link (see bill_places.h).
enum class BillRead { kOk, kMissing, kShort, kUnreadable, kRefused };
// Reads record 1 of the bill file into *out and clamps what a damaged file could hold out
// of range (see SanitizeBill). On anything but kOk, *out is not touched.
BillRead ReadBillFile(std::string_view file_name, BOLRecord* out, std::string* error);
// Replaces (or creates) the bill file with the record.
bool WriteBillFile(std::string_view file_name, const BOLRecord& record, std::string* error);
// True when the file is gone (or was never there); a link is refused and left.
bool DeleteBillFile(std::string_view file_name, std::string* error);

// Brings a record read from a file into the ranges the editor relies on: at most 20 items,
// the payer 0 to 3, the Yes/No answers 0 or 1, the check boxes 0 or 1, amounts finite.
// True when something had to change.
bool SanitizeBill(BOLRecord& record);

// BOLDef.dat: a missing, short or unreadable file reads as no defaults; reading creates no
// file. nullopt, *error saying why, when a link stands at its name: what the link leads to
// is neither read nor, by WriteDefaultsFile, written.
std::optional<BOLDefaults> ReadDefaultsFile(std::string* error);
bool WriteDefaultsFile(const BOLDefaults& defaults, std::string* error);

// Replaces (or creates) a whole file of the data directory through the routine below.
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string* error);

// The routine whole files are written with: os::WriteFileAtomically, replaceable by tests
// that make a write fail. Pass nullptr to restore it.
using FileWriter =
    std::function<bool(const std::string& path, std::span<const std::uint8_t>, std::string*)>;
void SetFileWriterForTesting(FileWriter writer);

}  // namespace frelane::bol

#endif  // FRELANE_BOL_BILL_FILES_H_
