// Reader of the binary debug log kqdebug.dbr for tests: records of a 12-byte head (data
// length, kind, thread id, little-endian i32 each) and the data, one after another.
#ifndef TESTKIT_LOGS_BINARY_LOG_READER_H_
#define TESTKIT_LOGS_BINARY_LOG_READER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

struct BinaryLogEntry {
  std::int32_t kind = 0;
  std::int32_t thread_id = 0;
  std::string data;
};

struct BinaryLog {
  std::vector<BinaryLogEntry> entries;
  // Set when the bytes end inside a record (a head or data cut short, or a negative
  // length); entries holds the whole records before it.
  bool truncated = false;
};

BinaryLog ParseBinaryLog(const std::string& bytes);

// The i32 at offset at of an entry's data.
std::int32_t DataI32(const BinaryLogEntry& entry, std::size_t at);

}  // namespace testkit

#endif  // TESTKIT_LOGS_BINARY_LOG_READER_H_
