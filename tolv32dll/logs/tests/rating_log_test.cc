// The logs of whole ratings on the small test tariff: the text log compared with a golden
// file, the size rule between ratings, and the binary records of the rating worker.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/os/thread_id.h"
#include "testkit/driver/shipment_request.h"
#include "testkit/driver/test_tariff.h"
#include "testkit/logs/binary_log_reader.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/initialize.h"
#include "tolv32dll/engine/tests/engine_test_env.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

// An engine on the test tariff, with kqDll.ini in the current directory (the engine's
// fallback when none sits beside the library), where the binary log goes too.
class RatingLogTest : public EngineTestEnv {
 protected:
  void SetUp() override {
    EngineTestEnv::SetUp();
    testkit::WriteTestTariff(data_);
  }
  void TearDown() override {
    SetThreadBinaryDebug('N');
    EngineTestEnv::TearDown();
  }
  void Initialize(std::string_view settings) {
    WriteSettings(settings);
    ASSERT_EQ(InitializeEngine(engine_, data_.path().c_str()), kOk);
  }
  std::array<std::uint8_t, 2160> Rate(const testkit::ShipmentRequest& q) {
    std::array<std::uint8_t, 2160> r = testkit::ShipmentRequestBytes(q);
    RateShipmentRecord(engine_, r.data());
    return r;
  }
  static testkit::ShipmentRequest TwoLines() {
    testkit::ShipmentRequest q;
    q.tariff_name = "TESTTR01";
    q.lines = {{"100", "300"}, {"50", "150"}};
    return q;
  }
  std::string TextLog() const { return testkit::ReadFile(data_.File("tolv.dbg")); }

  RatingEngine engine_;
};

TEST_F(RatingLogTest, TextLogOfOneRatingMatchesGolden) {
  Initialize("[Debug]\nDebugFlag=Y\n");
  ASSERT_EQ(::unlink(data_.File("tolv.dbg").c_str()), 0) << "initialisation wrote its section";
  auto r = Rate(TwoLines());
  ASSERT_EQ(std::string(reinterpret_cast<const char*>(r.data()) + 3, 4), "    ");
  const std::string golden = testkit::ReadFile(LOGS_GOLDEN_DIR "/rating_tolv.dbg");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(TextLog(), golden);
  EXPECT_TRUE(testkit::ReadFile(work_.File("kqdebug.dbr")).empty()) << "BinaryDebug is off";
}

TEST_F(RatingLogTest, FullLogStartsAnewAtTheNextRating) {
  Initialize("[Debug]\nDebugFlag=Y\nMBLogSize=1\n");
  data_.Write("tolv.dbg", std::string(1048576, 'x'));
  Rate(TwoLines());
  const std::string log = TextLog();
  EXPECT_EQ(log.substr(0, 15), "\r\nBeforeHeader=");
  const std::size_t after = log.find("\r\nAfterHeader=");
  ASSERT_NE(after, std::string::npos) << "the answer follows its request in the new log";
  EXPECT_EQ(log.find("\r\nAfterDetail=", after + 1) != std::string::npos, true);
  EXPECT_EQ(log.find('x'), std::string::npos);
}

TEST_F(RatingLogTest, BinaryLogFramesEachRating) {
  Initialize("[Debug]\nBinaryDebug=Y\n");
  Rate(TwoLines());
  testkit::ShipmentRequest bad = TwoLines();
  bad.tariff_name = "TE";  // fails at the header: still framed
  Rate(bad);
  EXPECT_TRUE(TextLog().empty()) << "DebugFlag is off";

  testkit::BinaryLog log = testkit::ParseBinaryLog(testkit::ReadFile(work_.File("kqdebug.dbr")));
  ASSERT_FALSE(log.truncated);
  // Each rating: time, header, version first; time last.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < log.entries.size(); ++i) {
    if (log.entries[i].kind == 0) starts.push_back(i);
    EXPECT_EQ(log.entries[i].thread_id, os::CurrentThreadId());
  }
  ASSERT_EQ(starts.size(), 2u);
  for (std::size_t s : starts) {
    ASSERT_GE(log.entries.size(), s + 4);
    EXPECT_EQ(log.entries[s + 1].kind, 14);
    EXPECT_EQ(log.entries[s + 1].data.substr(0, 2), "01");
    EXPECT_EQ(log.entries[s + 1].data.size(), 264u);
    EXPECT_EQ(log.entries[s + 2].kind, 17);
    EXPECT_EQ(log.entries[s + 2].data.size(), 105u);
  }
  EXPECT_EQ(log.entries[starts[1] - 1].kind, 1);
  EXPECT_EQ(log.entries.back().kind, 1);
  EXPECT_LE(testkit::DataI32(log.entries[starts[0]], 0), testkit::DataI32(log.entries.back(), 0));
  // Files opened are named in 260 bytes: EFCREC.TBL at initialisation, the tariff's files
  // during the rating.
  auto opened = [&log](std::size_t from, std::size_t to, const std::string& name) {
    for (std::size_t i = from; i < to; ++i) {
      const auto& e = log.entries[i];
      if (e.kind == 15 && e.data.size() == 260 && e.data.substr(0, e.data.find('\0')) == name) {
        return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(opened(0, starts[0], data_.File("EFCREC.TBL")));
  EXPECT_TRUE(opened(starts[0], starts[1], data_.File("TESTTR01.R01")));

  // The engine switched off: nothing more.
  engine_.binary_debug = 'N';
  const std::size_t size = testkit::ReadFile(work_.File("kqdebug.dbr")).size();
  Rate(TwoLines());
  EXPECT_EQ(testkit::ReadFile(work_.File("kqdebug.dbr")).size(), size);
}

TEST_F(RatingLogTest, OpenedDescriptorsAreNamedStreamsAreNot) {
  // By ZIP code: TDV.SEQ is read as a stream, then TDZ.BIN opened (empty: 114).
  data_.Write("TDV.SEQ", "0120240101\r\n");
  data_.Write("TDZ.BIN", "");
  Initialize("[Debug]\nBinaryDebug=Y\n");
  Rate(TwoLines());
  testkit::ShipmentRequest by_zip = TwoLines();
  by_zip.tariff_name = "";
  const std::array<std::uint8_t, 2160> r = Rate(by_zip);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.data()) + 3, 4), "0114");

  testkit::BinaryLog log = testkit::ParseBinaryLog(testkit::ReadFile(work_.File("kqdebug.dbr")));
  std::vector<std::string> names;
  for (const auto& e : log.entries) {
    if (e.kind == 15) names.push_back(e.data.substr(0, e.data.find('\0')));
  }
  auto named = [&names](const std::string& path) {
    return std::find(names.begin(), names.end(), path) != names.end();
  };
  EXPECT_TRUE(named(data_.File("TESTTR01.R01")));
  EXPECT_TRUE(named(data_.File("TDZ.BIN")));
  EXPECT_FALSE(named(data_.File("TESTTR01.F01"))) << "the factor file is a stream";
  EXPECT_FALSE(named(data_.File("TDV.SEQ")));
  EXPECT_FALSE(named(data_.File("TDS.SEQ")));
}

}  // namespace
}  // namespace tolv
