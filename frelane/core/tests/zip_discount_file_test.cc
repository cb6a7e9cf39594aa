// ZipDisc.dat as the editor reads, sorts and rewrites it, on records built byte by byte:
// the overlap rule, the stable key order, deleted records and cut-off tails, and a save
// that fails halfway.
#include "frelane/core/zip_discount_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "testkit/file_size_limit.h"
#include "testkit/app/zip_discount_writer.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane::zipdisc {
namespace {

using testkit::HandBuiltZipDiscount;

Table TableOf(std::vector<Record> records) { return Table{std::move(records), ""}; }

// The file as a save always left it: the record written at its number (one past the end
// appends, covering a cut-off tail), then passes over the file that exchange the first two
// neighbours out of key order and start again, until a pass exchanges nothing.
std::string SavedTheOldWay(std::string file, const Record& record, int number) {
  const std::size_t at = static_cast<std::size_t>(number - 1) * kRecordSize;
  if (file.size() < at + kRecordSize) file.resize(at + kRecordSize);
  std::memcpy(file.data() + at, record.data(), kRecordSize);
  const std::size_t n = file.size() / kRecordSize;
  auto key = [&file](std::size_t i) { return file.substr(i * kRecordSize, kSortKey.width); };
  for (bool exchanged = true; exchanged;) {
    exchanged = false;
    for (std::size_t i = 1; i < n && !exchanged; ++i) {
      if (key(i) < key(i - 1)) {
        std::swap_ranges(file.begin() + static_cast<long>((i - 1) * kRecordSize),
                         file.begin() + static_cast<long>(i * kRecordSize),
                         file.begin() + static_cast<long>(i * kRecordSize));
        exchanged = true;
      }
    }
  }
  return file;
}

TEST(ZipDiscountFile, ASaveLeavesTheSameBytesAsTheOneRecordAtATimeSortDid) {
  testkit::TempDir dir;
  std::mt19937 random(20261210);
  // Few distinct codes, so that equal keys (whose order must not change) are common.
  const char* codes[] = {"00000", "10000", "10000", "30301", "99999", "K1A0B", "K9Z9Z"};
  auto code = [&] { return codes[random() % std::size(codes)]; };
  auto entry = [&] {
    Record r = HandBuiltZipDiscount(code(), code(), code(), code(), random() % 100,
                                    random() % 100, random() % 100, random() % 1000,
                                    random() % 4 == 0);
    for (std::size_t i = 54; i < kRecordSize; ++i) r[i] = static_cast<std::uint8_t>(random());
    return r;
  };
  for (int trial = 0; trial < 60; ++trial) {
    SCOPED_TRACE(trial);
    std::vector<Record> records(random() % 40);
    for (Record& r : records) r = entry();
    // Sorted as a save leaves it, or not (a table written by hand), with or without a tail.
    Table table = TableOf(records);
    if (random() % 2 == 0) SortTable(&table);
    const std::string tail = random() % 3 == 0 ? std::string(random() % 63 + 1, 'T') : "";
    std::string before;
    for (const Record& r : table.records) before.append(r.begin(), r.end());
    before += tail;
    dir.Write("ZipDisc.dat", before);
    const int number = static_cast<int>(random() % (table.records.size() + 1)) + 1;
    const Record edited = entry();
    std::string error;
    ASSERT_TRUE(StoreRecord(dir.File("ZipDisc.dat"), edited, number, &error)) << error;
    EXPECT_EQ(testkit::ReadFile(dir.File("ZipDisc.dat")), SavedTheOldWay(before, edited, number));
  }
}

TEST(ZipDiscountFile, ReadsWholeRecordsAndKeepsACutOffTail) {
  testkit::TempDir dir;
  Record a = HandBuiltZipDiscount("10000", "19999", "20000", "29999", 10, 20, 30, 45.5);
  dir.Write("ZipDisc.dat", testkit::HandBuiltZipDiscountFile({a}, "partial"));
  Table table;
  std::string error;
  ASSERT_TRUE(ReadTable(dir.File("ZipDisc.dat"), &table, &error)) << error;
  ASSERT_EQ(table.records.size(), 1u);
  EXPECT_EQ(table.records[0], a);
  EXPECT_EQ(table.tail, "partial");
  EXPECT_FALSE(IsDeleted(a));
  EXPECT_TRUE(IsDeleted(HandBuiltZipDiscount("1", "2", "3", "4", 0, 0, 0, 0, true)));

  // Writing back unchanged reproduces the file; a missing file reads as empty and is not
  // created by reading.
  ASSERT_TRUE(WriteTable(dir.File("ZipDisc.dat"), table, &error)) << error;
  EXPECT_EQ(testkit::ReadFile(dir.File("ZipDisc.dat")), testkit::HandBuiltZipDiscountFile({a}, "partial"));
  ASSERT_TRUE(ReadTable(dir.File("none.dat"), &table, &error));
  EXPECT_TRUE(table.records.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.dat")));
}

TEST(ZipDiscountFile, UnreadableFileIsReportedNotTakenAsEmpty) {
  testkit::TempDir dir;
  std::filesystem::create_directory(dir.File("ZipDisc.dat"));
  Table table;
  std::string error;
  EXPECT_FALSE(ReadTable(dir.File("ZipDisc.dat"), &table, &error));
  EXPECT_NE(error.find("ZipDisc.dat"), std::string::npos);
}

TEST(ZipDiscountFile, SortIsByTheStoredKeyAndStable) {
  // Equal keys keep their order (told apart by their discount); padding takes part in the
  // key, so "1234 " sorts before "12345"; deleted records are sorted with the rest.
  Table t = TableOf({HandBuiltZipDiscount("50000", "59999", "00000", "99999", 1),
                     HandBuiltZipDiscount("10000", "19999", "00000", "99999", 2),
                     HandBuiltZipDiscount("50000", "59999", "00000", "99999", 3, 0, 0, 0, true),
                     HandBuiltZipDiscount("12345", "12345", "A", "B", 4), HandBuiltZipDiscount("1234", "1234", "A", "B", 5),
                     HandBuiltZipDiscount("K1A0B", "K9Z9Z", "00000", "99999", 6)});
  SortTable(&t);
  std::vector<double> order;
  for (const Record& r : t.records) {
    double mc;
    std::memcpy(&mc, r.data() + 20, 8);
    order.push_back(mc);
  }
  EXPECT_EQ(order, (std::vector<double>{2, 5, 4, 1, 3, 6}));
}

TEST(ZipDiscountFile, OverlapNeedsBothRangesToIntersect) {
  Table t = TableOf({HandBuiltZipDiscount("10000", "19999", "30000", "39999"),
                     HandBuiltZipDiscount("K1A0B", "K9Z9Z", "M1A0A", "M9Z9Z"),
                     HandBuiltZipDiscount("50000", "59999", "50000", "59999", 0, 0, 0, 0, true)});
  struct Case {
    const char* name;
    Record edited;
    int number;
    bool overlaps;
  };
  const Case cases[] = {
      {"same origins, disjoint destinations", HandBuiltZipDiscount("10000", "19999", "40000", "49999"), 4,
       false},
      {"inside both", HandBuiltZipDiscount("12000", "12999", "35000", "35000"), 4, true},
      {"touching at a bound", HandBuiltZipDiscount("19999", "25000", "20000", "30000"), 4, true},
      {"spanning the other", HandBuiltZipDiscount("00000", "99999", "00000", "99999"), 4, true},
      {"the record itself is skipped", HandBuiltZipDiscount("10000", "19999", "30000", "39999"), 1, false},
      {"deleted records are skipped", HandBuiltZipDiscount("50000", "50000", "50000", "50000"), 4, false},
      {"Canadian ranges", HandBuiltZipDiscount("K5A0A", "K5Z9Z", "M2A0A", "M2A0A"), 4, true},
      {"Canadian beside US", HandBuiltZipDiscount("K5A0A", "K5Z9Z", "30000", "39999"), 4, false},
      // "00000" to a Canadian code spans every US code: it meets the US entry.
      {"00000 up to a Canadian code", HandBuiltZipDiscount("00000", "K0A0A", "30000", "30000"), 4, true},
      {"a deleted edit overlaps nothing",
       HandBuiltZipDiscount("10000", "19999", "30000", "39999", 0, 0, 0, 0, true), 4, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Overlaps(t, c.edited, c.number), c.overlaps) << c.name;
  }
}

TEST(ZipDiscountFile, StoringAppendsOrReplacesThenSorts) {
  testkit::TempDir dir;
  const std::string path = dir.File("ZipDisc.dat");
  Record deleted = HandBuiltZipDiscount("60000", "69999", "00000", "99999", 1, 0, 0, 0, true);
  Record live = HandBuiltZipDiscount("70000", "79999", "00000", "99999", 2);
  dir.Write("ZipDisc.dat", testkit::HandBuiltZipDiscountFile({deleted, live}, "cut"));
  std::string error;

  // A new record goes in at number 3 over the cut-off tail and sorts first; the deleted
  // record stays.
  Record added = HandBuiltZipDiscount("10000", "19999", "00000", "99999", 3);
  ASSERT_TRUE(StoreRecord(path, added, 3, &error)) << error;
  EXPECT_EQ(testkit::ReadFile(path), testkit::HandBuiltZipDiscountFile({added, deleted, live}));

  // Replacing record 3 (live) moves it back in order.
  Record moved = HandBuiltZipDiscount("05000", "05999", "00000", "99999", 4);
  ASSERT_TRUE(StoreRecord(path, moved, 3, &error)) << error;
  EXPECT_EQ(testkit::ReadFile(path), testkit::HandBuiltZipDiscountFile({moved, added, deleted}));

  // A number beyond the next free one is refused and nothing changes.
  EXPECT_FALSE(StoreRecord(path, live, 9, &error));
  EXPECT_EQ(testkit::ReadFile(path), testkit::HandBuiltZipDiscountFile({moved, added, deleted}));

  // A missing file is created by the first store.
  ASSERT_TRUE(StoreRecord(dir.File("new.dat"), live, 1, &error)) << error;
  EXPECT_EQ(testkit::ReadFile(dir.File("new.dat")), testkit::HandBuiltZipDiscountFile({live}));
}

TEST(ZipDiscountFile, ASaveThatFailsHalfwayLeavesTheOldFileByteForByte) {
  testkit::TempDir dir;
  const std::string path = dir.File("ZipDisc.dat");
  std::vector<Record> records;
  for (int i = 9; i >= 1; --i) {
    std::string lo = std::to_string(i) + "0000";
    std::string hi = std::to_string(i) + "9999";
    records.push_back(HandBuiltZipDiscount(lo.c_str(), hi.c_str(), "00000", "99999", i));
  }
  const std::string before = testkit::HandBuiltZipDiscountFile(records);  // out of order: a save would sort it
  dir.Write("ZipDisc.dat", before);
  std::string error;
  {
    testkit::FileSizeLimit limit(5 * 64 + 10);
    EXPECT_FALSE(StoreRecord(path, HandBuiltZipDiscount("00000", "00001", "00000", "00001"), 10, &error));
  }
  EXPECT_NE(error.find("could not be written"), std::string::npos) << error;
  EXPECT_EQ(testkit::ReadFile(path), before);
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1) << "the temporary file was left behind";
}

}  // namespace
}  // namespace frelane::zipdisc
