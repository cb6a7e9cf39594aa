#include "tolv32dll/logs/binary_log.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/os/thread_id.h"
#include "testkit/logs/binary_log_reader.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace tolv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Runs in a fresh current directory, where kqdebug.dbr is written; the thread's switch is
// off at the start and the end.
class BinaryLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[PATH_MAX];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    old_cwd_ = cwd;
    ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
    SetThreadBinaryDebug('N');
  }
  void TearDown() override {
    SetThreadBinaryDebug('N');
    ASSERT_EQ(::chdir(old_cwd_.c_str()), 0);
  }
  testkit::BinaryLog Log() const {
    return testkit::ParseBinaryLog(testkit::ReadFile(dir_.File(kBinaryLogName)));
  }

  testkit::TempDir dir_;
  std::string old_cwd_;
};

TEST_F(BinaryLogTest, RecordIsHeadThenData) {
  // Kind 13, thread 0x01020304, rate-basis number 42: built by hand from the layout.
  const Bytes expected = {4, 0, 0, 0, 13, 0, 0, 0, 4, 3, 2, 1, 42, 0, 0, 0};
  const Bytes data = {42, 0, 0, 0};
  EXPECT_EQ(EncodeBinaryLogRecord(BinaryLogKind::kRateBasisNumber, 0x01020304, data), expected);

  // The test reader takes the same bytes apart, and stops at a record cut short.
  std::string file(expected.begin(), expected.end());
  testkit::BinaryLog log = testkit::ParseBinaryLog(file + file.substr(0, 14));
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_TRUE(log.truncated);
  EXPECT_EQ(log.entries[0].kind, 13);
  EXPECT_EQ(log.entries[0].thread_id, 0x01020304);
  EXPECT_EQ(testkit::DataI32(log.entries[0], 0), 42);
}

TEST_F(BinaryLogTest, EachKindTakesItsOwnLength) {
  const std::vector<std::pair<BinaryLogKind, std::size_t>> fixed = {
      {BinaryLogKind::kTimeBeforeRating, 4},   {BinaryLogKind::kTimeAfterRating, 4},
      {BinaryLogKind::kChargeBlock, 700},      {BinaryLogKind::kLaneAdjustmentRows, 780},
      {BinaryLogKind::kRateBasisArea, 4},      {BinaryLogKind::kOriginPoint, 16},
      {BinaryLogKind::kDestinationPoint, 16},  {BinaryLogKind::kAddOnSum, 2},
      {BinaryLogKind::kLaneAdjustmentResult, 105},
      {BinaryLogKind::kLaneAdjustmentResultSecond, 105},
      {BinaryLogKind::kRateBasisNumber, 4},    {BinaryLogKind::kRequestHeader, 264},
      {BinaryLogKind::kOpenedFile, 260},       {BinaryLogKind::kBracketBlock, 276},
      {BinaryLogKind::kEngineVersion, 105},    {BinaryLogKind::kLiteCodeTable, 2500},
      {BinaryLogKind::kAddOnLookup, 12},       {BinaryLogKind::kAddOnLookupSecond, 12},
      {BinaryLogKind::kAddOnPoint, 12}};
  for (auto [kind, n] : fixed) {
    EXPECT_TRUE(BinaryLogLengthFits(kind, n)) << static_cast<int>(kind);
    EXPECT_FALSE(BinaryLogLengthFits(kind, n + 1)) << static_cast<int>(kind);
    EXPECT_FALSE(BinaryLogLengthFits(kind, 0)) << static_cast<int>(kind);
  }
  EXPECT_TRUE(BinaryLogLengthFits(BinaryLogKind::kRateBasisValue, 2));
  EXPECT_TRUE(BinaryLogLengthFits(BinaryLogKind::kRateBasisValue, 4));
  EXPECT_FALSE(BinaryLogLengthFits(BinaryLogKind::kRateBasisValue, 3));
  EXPECT_TRUE(BinaryLogLengthFits(BinaryLogKind::kRateBasisText, 61));
  EXPECT_TRUE(BinaryLogLengthFits(BinaryLogKind::kRateRecord, 0));
  EXPECT_FALSE(BinaryLogLengthFits(static_cast<BinaryLogKind>(22), 4));
  EXPECT_FALSE(BinaryLogLengthFits(static_cast<BinaryLogKind>(-1), 4));

  // A record of the wrong length, or a log that cannot be opened, writes nothing.
  const Bytes three(3, 0);
  EXPECT_FALSE(AppendBinaryLogRecord(kBinaryLogName, BinaryLogKind::kRateBasisNumber, 1, three));
  EXPECT_TRUE(testkit::ReadFile(dir_.File(kBinaryLogName)).empty());
  EXPECT_FALSE(AppendBinaryLogRecord(dir_.File("no/such/dir/x.dbr"),
                                     BinaryLogKind::kRateRecord, 1, three));
}

TEST_F(BinaryLogTest, FileNameAndBracketData) {
  auto name = BinaryLogFileName("/data/TESTTR01.R");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(name.data()), 16), "/data/TESTTR01.R");
  EXPECT_EQ(name[16], 0);
  EXPECT_EQ(name[259], 0);
  auto long_name = BinaryLogFileName(std::string(300, 'n'));
  EXPECT_EQ(long_name[258], 'n');
  EXPECT_EQ(long_name[259], 0) << "a long name is cut, never unterminated";

  const std::int32_t weights[] = {0, 500};
  const std::int32_t charges[] = {9500, 0x01020304};
  auto b = BinaryLogBrackets("10", weights, charges, 2, 2);
  Bytes expected(276, 0);
  expected[0] = '1';
  expected[1] = '0';
  for (int i = 2; i < 30; ++i) expected[i] = ' ';
  expected[36] = 0xF4;  // weight 2 = 500 at 32 + 4
  expected[37] = 0x01;
  expected[152] = 0x1C;  // charge 1 = 9500 at 152
  expected[153] = 0x25;
  expected[156] = 4;  // charge 2
  expected[157] = 3;
  expected[158] = 2;
  expected[159] = 1;
  expected[272] = 2;  // method
  expected[274] = 2;  // count
  EXPECT_EQ(Bytes(b.begin(), b.end()), expected);
}

TEST_F(BinaryLogTest, ThreadSwitchDecides) {
  EXPECT_FALSE(LogBinaryI32(BinaryLogKind::kRateBasisNumber, 7));
  EXPECT_TRUE(testkit::ReadFile(dir_.File(kBinaryLogName)).empty()) << "off: no file at all";

  SetThreadBinaryDebug('Y');
  EXPECT_TRUE(LogBinaryI32(BinaryLogKind::kRateBasisNumber, 7));
  EXPECT_TRUE(LogBinaryI16(BinaryLogKind::kAddOnSum, -2));
  EXPECT_TRUE(LogBinaryText(BinaryLogKind::kRateBasisText, "RR# = Base RR#"));
  EXPECT_TRUE(LogBinaryOpenedFile("/data/EFCREC.TBL"));
  EXPECT_TRUE(LogBinaryI32s(BinaryLogKind::kChargeBlock, std::vector<std::int32_t>(175, 9999999)));
  EXPECT_FALSE(LogBinaryI32s(BinaryLogKind::kChargeBlock, std::vector<std::int32_t>(174, 0)));
  // Another thread's switch is its own.
  std::thread([] { EXPECT_FALSE(LogBinaryI32(BinaryLogKind::kRateBasisNumber, 8)); }).join();

  testkit::BinaryLog log = Log();
  ASSERT_FALSE(log.truncated);
  ASSERT_EQ(log.entries.size(), 5u);
  for (const auto& e : log.entries) EXPECT_EQ(e.thread_id, os::CurrentThreadId());
  EXPECT_EQ(testkit::DataI32(log.entries[0], 0), 7);
  EXPECT_EQ(log.entries[1].data, std::string("\xFE\xFF", 2));
  EXPECT_EQ(log.entries[2].data, "RR# = Base RR#");
  EXPECT_EQ(log.entries[3].kind, 15);
  EXPECT_EQ(log.entries[3].data.size(), 260u);
  EXPECT_EQ(testkit::DataI32(log.entries[4], 696), 9999999);
}

TEST_F(BinaryLogTest, EightThreadsLeaveEveryRecordWhole) {
  constexpr int kThreads = 8;
  constexpr int kRecords = 300;
  std::vector<std::int32_t> ids(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &ids] {
      SetThreadBinaryDebug('Y');
      ids[t] = os::CurrentThreadId();
      for (int i = 0; i < kRecords; ++i) {
        // Long and short records by turns; every byte names its thread and its turn.
        const std::size_t n = i % 2 ? 2500 : 12;
        const BinaryLogKind kind = i % 2 ? BinaryLogKind::kLiteCodeTable : BinaryLogKind::kAddOnPoint;
        Bytes data(n, static_cast<std::uint8_t>(t * 31 + i));
        data[0] = static_cast<std::uint8_t>(t);
        data[1] = static_cast<std::uint8_t>(i >> 8);
        data[2] = static_cast<std::uint8_t>(i);
        EXPECT_TRUE(LogBinary(kind, data));
      }
    });
  }
  for (auto& th : threads) th.join();

  testkit::BinaryLog log = Log();
  ASSERT_FALSE(log.truncated);
  ASSERT_EQ(log.entries.size(), static_cast<std::size_t>(kThreads * kRecords));
  std::vector<int> next(kThreads, 0);
  for (const auto& e : log.entries) {
    const auto* d = reinterpret_cast<const std::uint8_t*>(e.data.data());
    const int t = d[0];
    ASSERT_LT(t, kThreads);
    const int i = d[1] << 8 | d[2];
    EXPECT_EQ(i, next[t]++) << "each thread's records in its own order";
    EXPECT_EQ(e.thread_id, ids[t]);
    EXPECT_EQ(e.kind, i % 2 ? 18 : 21);
    ASSERT_EQ(e.data.size(), i % 2 ? 2500u : 12u);
    const auto fill = static_cast<std::uint8_t>(t * 31 + i);
    for (std::size_t k = 3; k < e.data.size(); ++k) ASSERT_EQ(d[k], fill) << "record " << i;
  }
}

}  // namespace
}  // namespace tolv
