#include "frelane/core/zip_discount_file.h"

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
  std::optional<std::vector<std::uint8_t>> read = os::ReadRegularFile(path);
  if (!read) {
    *error = "The discount file " + path + " could not be read.";
    return false;
  }
  const std::string bytes(read->begin(), read->end());
  const std::size_t whole = bytes.size() / kRecordSize;
  table->records.resize(whole);
  for (std::size_t i = 0; i < whole; ++i) {
    std::memcpy(table->records[i].data(), bytes.data() + i * kRecordSize, kRecordSize);
  }
  table->tail = bytes.substr(whole * kRecordSize);
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
  const std::size_t count = table.records.size();
  if (number < 1 || static_cast<std::size_t>(number) > count + 1) {
    *error = "The discount file " + path + " changed while it was being edited.";
    return false;
  }
  if (static_cast<std::size_t>(number) == count + 1) {
    if (count >= static_cast<std::size_t>(kMaxRecords)) {
      *error = "The discount file " + path + " is full.";
      return false;
    }
    table.records.push_back(record);
    table.tail.clear();  // the new record covers what was left of a cut-off one
  } else {
    table.records[static_cast<std::size_t>(number) - 1] = record;
  }
  SortTable(&table);
  return WriteTable(path, table, error);
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
