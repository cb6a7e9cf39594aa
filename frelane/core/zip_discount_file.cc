#include "frelane/core/zip_discount_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>

#include "platform/os/atomic_file.h"
#include "platform/os/regular_file.h"

namespace frelane::zipdisc {

namespace {

static_assert(sizeof(Record) == kRecordSize, "records lie in a table without gaps");

// Far beyond the largest table (32767 records of 64 bytes); a larger file is no table.
constexpr std::size_t kLargestReadFile = std::size_t{1} << 30;

// A full table is two megabytes: its records are read straight into place, then whatever
// follows them (the piece of a record cut short, or records added since the file's size
// was taken) to the end of the file.
bool ReadOpenTable(int fd, std::size_t size, Table* table) {
  const std::size_t whole = size / kRecordSize;
  table->records.resize(whole);
  auto* into = reinterpret_cast<std::uint8_t*>(table->records.data());
  if (whole > 0 && !os::ReadFully(fd, into, whole * kRecordSize, 0)) return false;
  if (::lseek(fd, static_cast<off_t>(whole * kRecordSize), SEEK_SET) < 0) return false;
  std::optional<os::ReadBytes> rest =
      os::ReadToEnd(fd, size - whole * kRecordSize, kLargestReadFile);
  if (!rest) return false;
  const std::uint8_t* from = rest->data.get();
  std::size_t left = rest->size;
  for (; left >= kRecordSize; left -= kRecordSize, from += kRecordSize) {
    std::memcpy(table->records.emplace_back().data(), from, kRecordSize);
  }
  table->tail.assign(reinterpret_cast<const char*>(from), left);
  return true;
}

std::string_view FieldBytes(const Record& r, const os::Field& f) {
  return std::string_view(reinterpret_cast<const char*>(r.data()) + f.offset, f.width);
}

// lo <= x <= hi, comparing the stored bytes.
bool Within(std::string_view x, std::string_view lo, std::string_view hi) {
  return lo <= x && x <= hi;
}

bool RangesIntersect(const Record& e, const Record& t, const os::Field& low,
                     const os::Field& high) {
  std::string_view e_lo = FieldBytes(e, low), e_hi = FieldBytes(e, high);
  std::string_view t_lo = FieldBytes(t, low), t_hi = FieldBytes(t, high);
  return Within(t_hi, e_lo, e_hi) || Within(e_lo, t_lo, t_hi) || Within(e_hi, t_lo, t_hi) ||
         Within(t_lo, e_lo, e_hi);
}

}  // namespace

Record BlankRecord() {
  Record r{};
  std::memset(r.data(), ' ', kSortKey.width);
  return r;
}

bool IsDeleted(const Record& record) {
  return os::ConstRecordView(std::span<const std::uint8_t>(record)).I16(kDeleted) != 0;
}

bool ReadTable(const std::string& path, Table* table, std::string* error) {
  *table = Table{};
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  struct stat st;
  const int fd = os::OpenRegularFile(path, &st);
  const bool read = fd >= 0 && ReadOpenTable(fd, static_cast<std::size_t>(st.st_size), table);
  if (fd >= 0) ::close(fd);
  if (!read) {
    *table = Table{};
    *error = "The discount file " + path + " could not be read.";
    return false;
  }
  return true;
}

void SortTable(Table* table) {
  std::stable_sort(table->records.begin(), table->records.end(),
                   [](const Record& a, const Record& b) {
                     return FieldBytes(a, kSortKey) < FieldBytes(b, kSortKey);
                   });
}

bool WriteTable(const std::string& path, const Table& table, std::string* error) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(table.records.size() * kRecordSize + table.tail.size());
  for (const Record& r : table.records) bytes.insert(bytes.end(), r.begin(), r.end());
  bytes.insert(bytes.end(), table.tail.begin(), table.tail.end());
  std::string why;
  if (!os::WriteFileAtomically(path, bytes, &why)) {
    *error = "The discount file " + path + " could not be written: " + why;
    return false;
  }
  return true;
}

bool StoreRecord(const std::string& path, const Record& record, int number,
                 std::string* error) {
  Table table;
  if (!ReadTable(path, &table, error)) return false;
  return StoreRecord(path, &table, record, number, error);
}

bool StoreRecord(const std::string& path, Table* table, const Record& record, int number,
                 std::string* error) {
  const std::size_t count = table->records.size();
  if (number < 1 || static_cast<std::size_t>(number) > count + 1) {
    *error = "The discount file " + path + " changed while it was being edited.";
    return false;
  }
  if (static_cast<std::size_t>(number) == count + 1) {
    if (count >= static_cast<std::size_t>(kMaxRecords)) {
      *error = "The discount file " + path + " is full.";
      return false;
    }
    table->records.push_back(record);
    table->tail.clear();  // the new record covers what was left of a cut-off one
  } else {
    table->records[static_cast<std::size_t>(number) - 1] = record;
  }
  SortTable(table);
  return WriteTable(path, *table, error);
}

bool Overlaps(const Table& table, const Record& edited, int number) {
  if (IsDeleted(edited)) return false;
  for (std::size_t i = 0; i < table.records.size(); ++i) {
    const Record& t = table.records[i];
    if (static_cast<int>(i) + 1 == number || IsDeleted(t)) continue;
    if (RangesIntersect(edited, t, kOriginLow, kOriginHigh) &&
        RangesIntersect(edited, t, kDestinationLow, kDestinationHigh)) {
      return true;
    }
  }
  return false;
}

}  // namespace frelane::zipdisc
