#include "tolv32dll/tariff/record_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace tolv {
namespace {

// A file in memory that counts its reads.
struct MemorySource {
  std::vector<std::uint8_t> bytes;
  mutable int reads = 0;
  std::int64_t Size() const { return static_cast<std::int64_t>(bytes.size()); }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const {
    ++reads;
    if (offset < 0 || offset >= Size()) return 0;
    std::size_t n = std::min<std::size_t>(out.size(), bytes.size() - offset);
    std::copy_n(bytes.begin() + offset, n, out.begin());
    return static_cast<std::int64_t>(n);
  }
};

// Records of `length` bytes whose first 5 bytes are a decimal key and whose sixth byte is
// the record's own position, so a result can be checked against the data.
MemorySource KeyedFile(const std::vector<int>& keys, std::size_t length) {
  MemorySource file;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    char text[8];
    std::snprintf(text, sizeof text, "%05d", keys[i]);
    std::vector<std::uint8_t> record(length, ' ');
    std::copy_n(text, 5, record.begin());
    record[5] = static_cast<std::uint8_t>(i);
    file.bytes.insert(file.bytes.end(), record.begin(), record.end());
  }
  return file;
}

std::vector<std::uint8_t> Key(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%05d", value);
  return std::vector<std::uint8_t>(text, text + 5);
}

int CompareFive(os::ByteSpan key, os::ByteSpan record) {
  int order = std::memcmp(key.data(), record.data(), 5);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// The same file held in memory: searches probe its records in place.
struct HeldSource : MemorySource {
  os::ByteSpan HeldBytes() const { return {bytes.data(), bytes.size()}; }
};

// Both paths of each search, probing in place and reading each probe, against a model of
// sorted keys; the walk-back search of both paths also agree with each other.
TEST(RecordSearch, AgreesWithLowerBoundOnRandomFilesReadOrHeld) {
  std::mt19937 random(20261208);
  auto not_above = [](os::ByteSpan key, os::ByteSpan record) {
    return CompareFive(key, record) > 0 ? 1 : 0;
  };
  for (int round = 0; round < 200; ++round) {
    std::vector<int> keys(random() % 40);
    for (int& k : keys) k = static_cast<int>(random() % 30);
    std::sort(keys.begin(), keys.end());
    std::size_t length = 6 + random() % 100;  // also records longer than 80 bytes
    const MemorySource read = KeyedFile(keys, length);
    HeldSource held;
    held.bytes = read.bytes;
    const auto last = static_cast<std::int64_t>(keys.size()) - 1;
    for (int probe = -1; probe <= 31; ++probe) {
      auto it = std::lower_bound(keys.begin(), keys.end(), probe);
      std::int64_t expected = (it != keys.end() && *it == probe) ? it - keys.begin() : -1;
      ASSERT_EQ(RecordFile_Search(Key(probe), read, length, CompareFive), expected)
          << "round " << round << " key " << probe;
      ASSERT_EQ(RecordFile_Search(Key(probe), held, length, CompareFive), expected)
          << "held, round " << round << " key " << probe;
      ASSERT_EQ(FileSearch_Binary(Key(probe), read, length, CompareFive, 'R', 0, last), expected);
      ASSERT_EQ(FileSearch_Binary(Key(probe), held, length, CompareFive, 'R', 0, last), expected)
          << "held, round " << round << " key " << probe;
      ASSERT_EQ(FileSearch_BinaryFirst(Key(probe), read, length, not_above, 'R', 0, last),
                FileSearch_BinaryFirst(Key(probe), held, length, not_above, 'R', 0, last))
          << "round " << round << " key " << probe;
    }
  }
  HeldSource held;
  held.bytes = KeyedFile({1, 2, 3, 4, 5, 6, 7}, 12).bytes;
  ASSERT_EQ(RecordFile_Search(Key(6), held, 12, CompareFive), 5);
  EXPECT_EQ(0, held.reads) << "a held file is probed in place, never read";
}

TEST(RecordSearch, OneRecordWithoutMatchReadsOnce) {
  MemorySource file = KeyedFile({5}, 12);
  EXPECT_EQ(RecordFile_Search(Key(7), file, 12, CompareFive), -1);
  EXPECT_EQ(file.reads, 1);
}

TEST(RecordSearch, EqualKeysGiveTheFirst) {
  MemorySource file = KeyedFile({1, 3, 3, 3, 3, 3, 3, 9}, 12);
  EXPECT_EQ(RecordFile_Search(Key(3), file, 12, CompareFive), 1);
}

TEST(RecordSearch, EmptyTruncatedOrUnreadableFilesFindNothing) {
  MemorySource empty;
  EXPECT_EQ(RecordFile_Search(Key(1), empty, 12, CompareFive), -1);
  MemorySource partial = KeyedFile({1}, 12);
  partial.bytes.resize(11);
  EXPECT_EQ(RecordFile_Search(Key(1), partial, 12, CompareFive), -1);
  // A region that reaches past the end of the file is cut to the file.
  MemorySource file = KeyedFile({1, 2, 3}, 12);
  EXPECT_EQ(FileSearch_Binary(Key(3), file, 12, CompareFive, 'R', 0, 1000), 2);
  EXPECT_EQ(RecordFile_Search(Key(1), file, 0, CompareFive), -1);
}

TEST(RecordSearch, OnlySignOfCompareCounts) {
  MemorySource file = KeyedFile({1, 2, 3, 4}, 12);
  auto wide = [](os::ByteSpan key, os::ByteSpan record) {
    return CompareFive(key, record) * 65536;
  };
  EXPECT_EQ(RecordFile_Search(Key(3), file, 12, wide), 2);
  EXPECT_EQ(RecordFile_Search(Key(5), file, 12, wide), -1);
}

TEST(RecordSearchCtx, CompareSeesContext) {
  MemorySource file = KeyedFile({1, 2, 3, 4}, 12);
  int offset = 1;
  auto shifted = [](os::ByteSpan key, os::ByteSpan record, const void* context) {
    int want = std::stoi(std::string(key.begin(), key.end())) + *static_cast<const int*>(context);
    int have = std::stoi(std::string(record.begin(), record.begin() + 5));
    return want < have ? -1 : (want > have ? 1 : 0);
  };
  EXPECT_EQ(RecordFile_SearchCtx(Key(2), file, 12, shifted, &offset), 2);
}

TEST(FileSearchBinary, MatchMustAgreeOnFirstThreeBytes) {
  MemorySource file = KeyedFile({100, 200, 300}, 12);
  // A compare that matches on other fields: record 1 matches but its key starts "002".
  auto by_position = [](os::ByteSpan, os::ByteSpan record) {
    return record[5] < 1 ? 1 : (record[5] > 1 ? -1 : 0);
  };
  EXPECT_EQ(FileSearch_Binary(Key(999), file, 12, by_position, 'R', 0, 2), -1);
  EXPECT_EQ(FileSearch_Binary(Key(299), file, 12, by_position, 'R', 0, 2), 1);
}

TEST(FileSearchBinary, ByteBoundsBecomeRecordIndexesAndLowIsRespected) {
  // Two 12-byte head records that would match the key, then the sorted data.
  MemorySource file = KeyedFile({7, 7, 1, 7, 7, 9}, 12);
  EXPECT_EQ(FileSearch_Binary(Key(7), file, 12, CompareFive, 'B', 24, 72), 3);
  EXPECT_EQ(FileSearch_Binary(Key(7), file, 12, CompareFive, 'R', 2, 5), 3);
  EXPECT_EQ(FileSearch_Binary(Key(1), file, 12, CompareFive, 'B', 36, 72), -1);
}

TEST(FileSearchBinaryFirst, WalksBackToTheRecordAtOrBelowTheKey) {
  // Ranges by their low key: a key matches every record at or above it (compare <= 0
  // counts as a match when the key is not above the record), the walk then settles on the
  // record whose low end is the key or the one after the last record below it.
  MemorySource file = KeyedFile({100, 200, 300, 400, 500}, 12);
  auto not_above = [](os::ByteSpan key, os::ByteSpan record) {
    return CompareFive(key, record) > 0 ? 1 : 0;
  };
  EXPECT_EQ(FileSearch_BinaryFirst(Key(300), file, 12, not_above, 'R', 0, 4), 2);
  EXPECT_EQ(FileSearch_BinaryFirst(Key(250), file, 12, not_above, 'R', 0, 4), 2);
  EXPECT_EQ(FileSearch_BinaryFirst(Key(600), file, 12, not_above, 'R', 0, 4), -1);
  // At the low bound the record must agree with the key over 3 bytes.
  EXPECT_EQ(FileSearch_BinaryFirst(Key(100), file, 12, not_above, 'R', 0, 4), 0);
  EXPECT_EQ(FileSearch_BinaryFirst(Key(50), file, 12, not_above, 'R', 0, 4), -1);
  EXPECT_EQ(FileSearch_BinaryFirst(Key(250), file, 12, not_above, 'R', 2, 4), -1);
}

TEST(FileSearchLinear, CountsRecordsBeforeTheFirstAtOrAboveTheKey) {
  MemorySource file = KeyedFile({1, 4, 6, 9}, 100);  // longer than 80 bytes
  EXPECT_EQ(FileSearch_Linear(Key(5), file, 100, CompareFive, 'R', 0, 4), 2);
  EXPECT_EQ(FileSearch_Linear(Key(5), file, 100, CompareFive, 'R', 1, 4), 1);
  EXPECT_EQ(FileSearch_Linear(Key(5), file, 100, CompareFive, 'B', 100, 300), 1);
  EXPECT_EQ(FileSearch_Linear(Key(10), file, 100, CompareFive, 'R', 0, 4), -1);
  EXPECT_EQ(FileSearch_Linear(Key(10), file, 100, CompareFive, 'R', 0, 9), -1) << "short read";
  EXPECT_EQ(FileSearch_Linear(Key(9), file, 100, CompareFive, 'R', 0, 3), -1) << "limit";
}

TEST(CompareRange10, InclusiveRangeOfTenCharacterKeys) {
  std::string record = "AAA0000100AAA0000199X";
  os::ByteSpan r(reinterpret_cast<const std::uint8_t*>(record.data()), 23 - 2);
  auto key = [](const char* k) {
    return os::ByteSpan(reinterpret_cast<const std::uint8_t*>(k), 10);
  };
  EXPECT_EQ(Compare_Range10(key("AAA0000099"), r), -1);
  EXPECT_EQ(Compare_Range10(key("AAA0000100"), r), 0);
  EXPECT_EQ(Compare_Range10(key("AAA0000150"), r), 0);
  EXPECT_EQ(Compare_Range10(key("AAA0000199"), r), 0);
  EXPECT_EQ(Compare_Range10(key("AAA0000200"), r), 1);
}

}  // namespace
}  // namespace tolv
