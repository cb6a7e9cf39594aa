// Tens of thousands of damaged ShipmentRecords through the exported rating calls: valid
// shipments of the test tariff and of the sample data set with digits, blanks, NULs,
// garbage bytes and counts thrown in. Each call must come back with either a rated record
// or the four-digit number of a known error, and leave the bytes it never writes alone.
// Run under the sanitizer build this is where overruns show.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "testkit/driver/shipment_request.h"
#include "testkit/driver/test_tariff.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"

namespace {

using testkit::LaneRequest;
using Record = std::array<std::uint8_t, TOLV32_SHIPMENT_RECORD_SIZE>;

std::string Text(const Record& r, std::size_t at, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(r.data() + at), n);
}

bool AllDigits(const std::string& s) {
  return s.find_first_not_of("0123456789") == std::string::npos;
}

// The kinds of damage a record meets: one byte made a digit, a blank, a NUL or anything;
// a header field or detail slot overwritten with digits or garbage; the detail count set
// to any two characters; whole runs of the record scrambled.
class Damager {
 public:
  explicit Damager(std::mt19937& random) : random_(random) {}

  void Damage(Record& r) {
    const int hits = 1 + static_cast<int>(random_() % 6);
    for (int i = 0; i < hits; ++i) Hit(r);
  }

 private:
  std::size_t Below(std::size_t n) { return random_() % n; }
  std::uint8_t AnyByte() { return static_cast<std::uint8_t>(random_()); }
  std::uint8_t Digit() { return static_cast<std::uint8_t>('0' + Below(10)); }
  std::uint8_t Mixed() {
    static constexpr char kChars[] = "0123456789  -+.%DIYNRC*\0";
    const std::size_t i = Below(sizeof kChars);
    return i == sizeof kChars - 1 ? AnyByte() : static_cast<std::uint8_t>(kChars[i]);
  }
  // Mostly the request's parts: the header, the details and the discount blocks.
  std::size_t Offset() { return Below(4) == 0 ? Below(kRecordSize) : 1 + Below(972); }
  void Run(Record& r, std::size_t at, std::size_t n, std::uint8_t (Damager::*next)()) {
    for (std::size_t i = at; i < at + n && i < r.size(); ++i) r[i] = (this->*next)();
  }

  void Hit(Record& r) {
    static constexpr std::size_t kFields[][2] = {
        {10, 1}, {11, 8}, {20, 10}, {30, 6}, {36, 19}, {55, 6}, {61, 19}, {80, 2},
        {161, 16}, {177, 1}, {194, 1}, {214, 1}, {215, 4}, {236, 5}, {865, 54}, {919, 54}};
    switch (Below(9)) {
      case 0: r[Offset()] = Digit(); break;
      case 1: r[Offset()] = ' '; break;
      case 2: r[Offset()] = 0; break;
      case 3: r[Offset()] = AnyByte(); break;
      case 4: {
        const auto& f = kFields[Below(std::size(kFields))];
        Run(r, f[0], f[1], Below(2) ? &Damager::Digit : &Damager::Mixed);
        break;
      }
      case 5: r[80] = Mixed(); r[81] = Mixed(); break;  // the detail count
      case 6: {  // one detail slot: its code, class or weight
        const std::size_t slot = 265 + 30 * Below(20);
        Run(r, slot + Below(11), 1 + Below(6), &Damager::Mixed);
        break;
      }
      case 7: Run(r, Offset(), 1 + Below(64), &Damager::AnyByte); break;
      default: Run(r, 1, 264, Below(2) ? &Damager::Mixed : &Damager::AnyByte); break;
    }
  }

  static constexpr std::size_t kRecordSize = TOLV32_SHIPMENT_RECORD_SIZE;
  std::mt19937& random_;
};

// Empty when the answer is sound, else what is wrong with it.
std::string CheckAnswer(const Record& sent, const Record& back) {
  const std::string status = Text(back, 3, 4);
  if (status != "    ") {
    if (!AllDigits(status)) return "status \"" + status + "\" is no number";
    char error[TOLV32_ERROR_STRING_RECORD_SIZE] = {};
    std::memcpy(error, status.data(), 4);
    if (Tolv_GetErrorString(error) == nullptr || error[4] == '\0') {
      return "status " + status + " is not in the error table";
    }
  } else {
    // A rated record carries its figures as the formats print them.
    if (!AllDigits(Text(back, 101, 6)) || !AllDigits(Text(back, 107, 6))) return "weights";
    const std::string charges = Text(back, 142, 9);
    if (!AllDigits(charges.substr(0, 6)) || charges[6] != '.') return "charges " + charges;
  }
  // Bytes the engine never writes: the lead byte, the discount blocks, the gaps, the tail.
  for (auto [at, n] : {std::pair{0, 1}, {865, 111}, {1910, 2}, {2156, 4}}) {
    if (std::memcmp(sent.data() + at, back.data() + at, n) != 0) {
      return "bytes from " + std::to_string(at) + " changed";
    }
  }
  return "";
}

std::string Hex(const Record& r) {
  std::string out;
  char b[4];
  for (std::size_t i = 0; i < 300; ++i) {
    std::snprintf(b, sizeof b, "%02x", r[i]);
    out += b;
  }
  return out;
}

// Valid shipments of each data set: plain, several lines, discounts on, a factor.
std::vector<Record> Seeds(bool sample) {
  std::vector<testkit::ShipmentRequest> q;
  if (sample) {
    q.push_back(LaneRequest("", "15010", "60601", {{"100", "1200"}, {"70", "450"}, {"250", "80"}}));
    q.push_back(LaneRequest("NORTHW01", "80202", "10001", {{"50", "9000"}}));
    q.push_back(LaneRequest("QFLC0001", "44120", "M5V2T6", {{"85", "700"}, {"125", "300"}}));
    q.push_back(LaneRequest("", "30301", "75001", {{"85", "700"}, {"125", "300"}}));
    q.push_back(LaneRequest("", "15021", "44190", {{"92", "150"}}));
    q.back().destination_city = "BRINDLE";
    q.push_back(LaneRequest("ZIPRNG01", "35010", "60601", {{"100", "600"}, {"70", "400"}}));
    for (auto& request : q) request.ship_date = "12/05/2026";
  } else {
    q.push_back(LaneRequest("TESTTR01", "15000", "25000", {{"100", "600"}}));
    q.push_back(LaneRequest("TESTTR01", "15000", "25000", {{"100", "300"}, {"50", "150"}}));
    q.push_back(
        LaneRequest("TESTTR01", "25000", "15000", {{"200", "2000"}, {"50", "40"}, {"100", "1"}}));
  }
  for (std::size_t i = 0; i < q.size(); i += 2) {
    q[i].discount_switch = 'Y';
    q[i].discount_kind = i % 4 == 0 ? 'C' : 'R';
    q[i].block_a = {"0500 ", "1000 ", "2500 ", " 9999", "3000 "};
    q[i].adjustment_factor = "12500";
  }
  std::vector<Record> out;
  for (const auto& request : q) out.push_back(testkit::ShipmentRequestBytes(request));
  return out;
}

class RobustnessTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      // A private copy: a damaged request asking for a list rebuild writes nowhere shared.
      data_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    } else {
      testkit::WriteTestTariff(data_);
    }
    ASSERT_EQ(0, Tolv_InitializeTolv(data_.path().c_str()));
  }
  void TearDown() override { Tolv_EndTolv(); }
  testkit::TempDir data_;
};

TEST_P(RobustnessTest, DamagedRecordsGiveARatingOrAnError) {
  const std::vector<Record> seeds = Seeds(GetParam());
  // The unharmed seeds rate: otherwise the damage below would test nothing.
  for (const Record& seed : seeds) {
    Record r = seed;
    Tolv_RateShipment(reinterpret_cast<char*>(r.data()));
    ASSERT_EQ("    ", Text(r, 3, 4)) << Text(r, 0, 100);
  }

  std::mt19937 random(GetParam() ? 1733 : 4177);
  Damager damager(random);
  int rated = 0, failed = 0;
  constexpr int kRounds = 15000;
  for (int round = 0; round < kRounds; ++round) {
    Record sent = seeds[random() % seeds.size()];
    damager.Damage(sent);
    Record back = sent;
    char* record = reinterpret_cast<char*>(back.data());
    if (round % 3 == 0) {
      // A candidate list of a random small capacity, exactly as long as it says: its
      // 16-byte head, then the capacity.
      const std::int32_t capacity = static_cast<std::int32_t>(random() % 200);
      std::vector<char> list(16 + static_cast<std::size_t>(capacity), '\x5a');
      std::memcpy(list.data(), &capacity, 4);
      Tolv_RateShipment2(record, list.data());
      std::int32_t count;
      std::memcpy(&count, list.data() + 4, 4);
      ASSERT_GE(count, -1) << "round " << round;
    } else {
      Tolv_RateShipment(record);
    }
    const std::string fault = CheckAnswer(sent, back);
    ASSERT_EQ("", fault) << "round " << round << " sent " << Hex(sent);
    (Text(back, 3, 4) == "    " ? rated : failed)++;
  }
  // Light damage must still leave some records rateable, heavy damage some refused.
  EXPECT_GT(rated, kRounds / 20);
  EXPECT_GT(failed, kRounds / 4);
}

TEST(ShortFieldsTest, ShortShipDatesAreRefused) {
  testkit::TempDir data;
  testkit::WriteTestTariff(data);
  ASSERT_EQ(0, Tolv_InitializeTolv(data.path().c_str()));
  for (const char* date : {"6/1", "12/05", "1"}) {
    testkit::ShipmentRequest q = LaneRequest("TESTTR01", "15000", "25000", {{"100", "600"}});
    q.ship_date = date;
    Record r = testkit::ShipmentRequestBytes(q);
    Tolv_RateShipment(reinterpret_cast<char*>(r.data()));
    EXPECT_EQ("0396", Text(r, 3, 4)) << date;
  }
  // A record the fuzzer found: the header's first 32 bytes replaced, the date all 0xFF.
  Record sent =
      testkit::ShipmentRequestBytes(LaneRequest("TESTTR01", "15000", "25000", {{"100", "600"}}));
  const std::uint8_t head[32] = {0,    0,    0,    0,    0,    0,    0,    0,
                                 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
                                 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
                                 0,    0,    0,    0,    0,    0,    0x7e, 0x80};
  std::memcpy(sent.data() + 1, head, sizeof head);
  Record back = sent;
  Tolv_RateShipment(reinterpret_cast<char*>(back.data()));
  EXPECT_EQ("", CheckAnswer(sent, back));
  Tolv_EndTolv();
}

INSTANTIATE_TEST_SUITE_P(DataSets, RobustnessTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Sample" : "TestTariff"; });

}  // namespace
