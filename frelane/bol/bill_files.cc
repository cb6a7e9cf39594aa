#include "frelane/bol/bill_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "platform/os/atomic_file.h"
#include "platform/os/cp1252.h"
#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"

namespace frelane::bol {
namespace {

namespace fs = std::filesystem;

FileWriter& Writer() {
  static FileWriter writer;
  return writer;
}

bool WriteWhole(const std::string& path, std::span<const std::uint8_t> bytes,
                std::string* error) {
  if (Writer()) return Writer()(path, bytes, error);
  return os::WriteFileAtomically(path, bytes, error, os::AtPath::kRegularFileOnly);
}

// Writes the whole file; on failure *error says why, with the file named once (most reasons
// name it already).
bool WriteNamingTheFile(const std::string& path, std::span<const std::uint8_t> bytes,
                        std::string* error) {
  std::string why;
  if (WriteWhole(path, bytes, &why)) return true;
  if (error) *error = why.find(path) != std::string::npos ? why : path + ": " + why;
  return false;
}

void ClampByte(os::RecordView v, const os::Field& f, std::uint8_t max, std::uint8_t fallback,
               bool& changed) {
  if (ByteOf(v, f) > max) {
    SetByte(v, f, fallback);
    changed = true;
  }
}

void ClampDouble(os::RecordView v, const os::Field& f, bool& changed) {
  if (!std::isfinite(v.F64(f))) {
    v.SetF64(f, 0.0);
    changed = true;
  }
}

// The first 8 characters of the trimmed number as the record stores them (Windows-1252, a
// character it lacks being "?"), so that the name and the stored number agree.
std::string NamePartAsStored(std::string_view bol_number) {
  return modMain::Trim(os::Utf8ToCp1252(bol_number)).substr(0, 8);
}

}  // namespace

bool IsOwnBillFile(std::string_view file_name) {
  std::optional<std::string> path = OwnBillPath(file_name, nullptr);
  struct stat st;
  return path && ::lstat(path->c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool EnsureBillFolder(std::string* error) {
  std::string folder = BillFolderPath();
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return true;
  if (fs::create_directories(folder, ec) && !ec) return true;
  if (error) *error = folder + " cannot be created: " + ec.message();
  return false;
}

std::string BillFileName(std::string_view bol_number) {
  return os::Cp1252ToUtf8(NamePartAsStored(bol_number)) + ".BOL";
}

std::string BillNamePart(std::string_view file_name) {
  std::string name(file_name);
  if (name.size() >= 4 && SameNameNoCase(std::string_view(name).substr(name.size() - 4), ".BOL")) {
    name.resize(name.size() - 4);
  }
  return name;
}

bool IsUsableBillName(std::string_view bol_number) {
  std::string part = NamePartAsStored(bol_number);
  // ".." anywhere is refused too: no data-file name may hold it.
  if (part.empty() || part == "." || part.find("..") != std::string::npos) return false;
  for (char c : part) {
    auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) return false;
    switch (c) {
      case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

std::optional<std::string> ExistingBillFile(std::string_view file_name) {
  return os::FindFileNoCase(BillFolderPath(), file_name);
}

bool SanitizeBill(BOLRecord& record) {
  bool changed = false;
  os::RecordView v = record.View();
  ClampByte(v, bill::kItemCount, bill::kMaxItems, bill::kMaxItems, changed);
  ClampByte(v, bill::kFreightPaidBy, 3, 3, changed);
  ClampByte(v, bill::kSingleShipment, 1, 1, changed);
  ClampByte(v, bill::kSection7Signed, 1, 1, changed);
  for (const os::Field& f : {bill::kCashiersCheckOnly, bill::kConsigneeCheckOK,
                             bill::kCODFeePrepaid, bill::kCODFeeCollect,
                             bill::kRemitCODToShipper, bill::kRemitCODToThirdParty}) {
    ClampByte(v, f, 1, 1, changed);
  }
  ClampDouble(v, bill::kCODAmount, changed);
  for (int n = 1; n <= bill::kMaxItems; ++n) {
    os::RecordView line = ItemView(record, n);
    ClampByte(line, item::kHazmat, 1, 1, changed);
    ClampDouble(line, item::kCube, changed);
  }
  return changed;
}

BillRead ReadBillFile(std::string_view file_name, BOLRecord* out, std::string* error) {
  std::optional<std::string> path = OwnBillPath(file_name, error);
  if (!path) return BillRead::kRefused;
  struct stat st;
  if (::lstat(path->c_str(), &st) != 0) {
    if (error) *error = *path + " does not exist";
    return BillRead::kMissing;
  }
  // A link put there since the rule looked is refused by the open itself (errno ELOOP).
  std::optional<os::FileHead> head = os::ReadOwnRegularFileHead(*path, bill::kSize);
  if (!head) {
    if (errno == ELOOP) {
      if (error) *error = os::LinkRefusal(*path);
      return BillRead::kRefused;
    }
    if (error) *error = *path + " cannot be read";
    return BillRead::kUnreadable;
  }
  const std::vector<std::uint8_t>* bytes = &head->bytes;
  if (bytes->size() < bill::kSize) {
    if (error) *error = *path + " is not a complete bill of lading";
    return BillRead::kShort;
  }
  std::copy(bytes->begin(), bytes->end(), out->bytes.begin());
  SanitizeBill(*out);
  return BillRead::kOk;
}

BillStamp StampOfBillFile(std::string_view file_name) {
  auto path = ExistingBillFile(file_name);
  struct stat st;
  if (!path || ::stat(path->c_str(), &st) != 0) return std::nullopt;
  return os::StampOf(st);
}

void RemoveStaleTemporaries() {
  if (std::optional<std::string> folder = OwnBillFolder(nullptr)) {
    os::RemoveStaleTemporaries(*folder);
  }
  os::RemoveStaleTemporaries(modMain::DataDirectory());
}

bool WriteBillFile(std::string_view file_name, const BOLRecord& record, std::string* error) {
  std::optional<std::string> path = OwnBillPath(file_name, error);
  return path && WriteNamingTheFile(*path, record.bytes, error);
}

bool DeleteBillFile(std::string_view file_name, std::string* error) {
  std::optional<std::string> path = OwnBillPath(file_name, error);
  if (!path) return false;
  struct stat st;
  if (::lstat(path->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return true;  // no bill there
  std::error_code ec;
  if (fs::remove(*path, ec)) return true;
  if (error) *error = *path + " cannot be deleted: " + ec.message();
  return false;
}

std::optional<BOLDefaults> ReadDefaultsFile(std::string* error) {
  BOLDefaults defaults;
  std::optional<std::string> path = OwnDefaultsPath(error);
  if (!path) return std::nullopt;
  std::optional<os::FileHead> head = os::ReadOwnRegularFileHead(*path, defaults::kSize);
  if (!head && errno == ELOOP) {
    if (error) *error = os::LinkRefusal(*path);
    return std::nullopt;
  }
  if (head && head->bytes.size() == defaults::kSize) {
    std::copy(head->bytes.begin(), head->bytes.end(), defaults.bytes.begin());
  }
  return defaults;
}

bool WriteDefaultsFile(const BOLDefaults& defaults, std::string* error) {
  std::optional<std::string> path = OwnDefaultsPath(error);
  return path && WriteNamingTheFile(*path, defaults.bytes, error);
}

bool SameNameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string* error) {
  return WriteWhole(path, bytes, error);
}

void SetFileWriterForTesting(FileWriter writer) { Writer() = std::move(writer); }

}  // namespace frelane::bol
