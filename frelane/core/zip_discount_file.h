// ZipDisc.dat as the discount editor keeps it: read whole, kept in key order, and written
// whole through a temporary file, so that no interrupted save can leave the table half
// sorted or cut short. The overlap rule that keeps at most one live entry per lane lives
// here too. Record layout: zip_discount_record.h.
#ifndef FRELANE_CORE_ZIP_DISCOUNT_FILE_H_
#define FRELANE_CORE_ZIP_DISCOUNT_FILE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "frelane/core/zip_discount_record.h"

namespace frelane::zipdisc {

using Record = std::array<std::uint8_t, kRecordSize>;

// The name the editor creates the file under; readers match it without regard to case.
inline constexpr char kCreatedFileName[] = "ZipDisc.dat";

struct Table {
  // Records 1..n in file order, deleted ones included.
  std::vector<Record> records;
  // Bytes after the last whole record (a file whose length is not a multiple of 64):
  // kept as they stand until a new record is appended over them.
  std::string tail;
};

// A new entry: blank codes, numbers 0, live, reserved bytes 0.
Record BlankRecord();
bool IsDeleted(const Record& record);

// Reads the whole file. A missing file is an empty table (nothing is created). Returns
// false, with a message for the user, when the file exists but cannot be read.
[[nodiscard]] bool ReadTable(const std::string& path, Table* table, std::string* error);

// Ascending by the 20-byte key of the four range fields as stored (binary comparison);
// records with equal keys keep their relative order.
void SortTable(Table* table);

// Replaces the file with the table's bytes; on failure the old file is untouched.
[[nodiscard]] bool WriteTable(const std::string& path, const Table& table, std::string* error);

// Puts `record` at record number `number` (1-based; one past the last appends it), sorts
// and writes the table, in one replacement of the file.
[[nodiscard]] bool StoreRecord(const std::string& path, const Record& record, int number,
                               std::string* error);
// The same on `table`, the file as just read: on success it holds the table as written.
[[nodiscard]] bool StoreRecord(const std::string& path, Table* table, const Record& record,
                               int number, std::string* error);

// True when a live record other than record `number` has an origin range and a
// destination range that both intersect those of `edited`. A deleted `edited` overlaps
// nothing.
bool Overlaps(const Table& table, const Record& edited, int number);

}  // namespace frelane::zipdisc

#endif  // FRELANE_CORE_ZIP_DISCOUNT_FILE_H_
