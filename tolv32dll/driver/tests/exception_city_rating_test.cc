// The city choice among the exception names of a point, through the exported rating calls:
// two tariff groups cover the lane 15000 - 25000 (group 100 rated by TESTTR01, group 200
// by TESTEE01), and TDN.IDX / TDN.IDA name a town of each group at both ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "testkit/driver/shipment_request.h"
#include "testkit/driver/test_tariff.h"
#include "testkit/effective/efcrec_writer.h"
#include "testkit/read_file.h"
#include "testkit/td/td_writers.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"

namespace {

using Record = std::array<std::uint8_t, TOLV32_SHIPMENT_RECORD_SIZE>;

std::string Text(const void* p, std::size_t n) {
  return std::string(static_cast<const char*>(p), n);
}

testkit::EfcrecLine ByZip(int number, char point_type, const std::string& name) {
  testkit::EfcrecLine line;
  line.tariff_number = number;
  line.point_type = point_type;
  line.tariff_name = name;
  line.version = "4.0";
  return line;
}

// A caller's candidate list of the given capacity.
struct CandidateList {
  explicit CandidateList(std::int32_t capacity)
      : bytes(16 + static_cast<std::size_t>(capacity), '\0') {
    std::memcpy(bytes.data(), &capacity, 4);
  }
  std::int32_t count() const {
    std::int32_t n;
    std::memcpy(&n, bytes.data() + 4, 4);
    return n;
  }
  std::int16_t kind() const {
    std::int16_t k;
    std::memcpy(&k, bytes.data() + 8, 2);
    return k;
  }
  std::string zip() const { return Text(bytes.data() + 10, 5); }
  std::string city(std::size_t i) const { return Text(bytes.data() + 16 + 20 * i, 19); }
  std::vector<char> bytes;
};

class ExceptionCityRatingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::WriteTestTariff(data_);
    data_.Write("EFCREC.TBL",
                testkit::EfcrecFile({ByZip(100, '0', "TESTTR01"), ByZip(200, 'E', "TESTEE01")}));
    data_.Write("TDV.SEQ", testkit::TdvFile({{1, 20, 24, 1, 1}}));
    data_.Write("TDS.SEQ", testkit::TdsFile({{1, 1, 2, 100, 0, 1, 99}, {2, 1, 2, 200, 0, 1, 99}}));
    data_.Write("TDA.SEQ", testkit::TdaFile({{1, "PA"}, {2, "VA"}}));
    data_.Write("TDZ.BIN", testkit::TdzFile({{"10000", "19999", 1, 99, 1, 0, 0},
                                             {"20000", "29999", 1, 99, 2, 0, 0}}));
    data_.Write("TDT.BIN", testkit::TdtFile({{1, 0, {1, 1}}, {2, 0, {2, 2}}}));
    testkit::TdnFiles names = testkit::TdnFilesFor({
        {"15000", 100, 1, 9, "ASHBY"},
        {"15000", 200, 1, 9, "BRAMLEY"},
        {"25000", 100, 1, 9, "CHALFONT"},
        {"25000", 200, 1, 9, "DENHOLM"},
    });
    data_.Write("TDN.IDX", names.index);
    data_.Write("TDN.IDA", names.names);
    ASSERT_EQ(0, Tolv_InitializeTolv(data_.path().c_str()));
  }
  void TearDown() override { Tolv_EndTolv(); }

  testkit::ShipmentRequest Request(const std::string& origin_city,
                                   const std::string& destination_city, char list_mode = ' ') {
    testkit::ShipmentRequest q = testkit::LaneRequest("", "15000", "25000", {{"100", "600"}});
    q.origin_city = origin_city;
    q.destination_city = destination_city;
    q.list_mode = list_mode;
    return q;
  }
  // The record as it comes back; with a list, through Tolv_RateShipment2.
  Record Rate(const testkit::ShipmentRequest& q, CandidateList* list = nullptr) {
    Record r = testkit::ShipmentRequestBytes(q);
    char* record = reinterpret_cast<char*>(r.data());
    if (list != nullptr) {
      Tolv_RateShipment2(record, list->bytes.data());
    } else {
      Tolv_RateShipment(record);
    }
    return r;
  }
  static std::string Status(const Record& r) { return Text(r.data() + 3, 4); }
  static std::string TariffUsed(const Record& r) { return Text(r.data() + 82, 8); }

  testkit::TempDir data_;
};

TEST_F(ExceptionCityRatingTest, ACityNamingOneGroupsPointRatesThatGroupsTariff) {
  Record r = Rate(Request("Bramley", "DENHOLM"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTEE01", TariffUsed(r));
  r = Rate(Request("ashby", "Chalfont"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTTR01", TariffUsed(r));
  // Once the origin's town leaves one group, the destination's is not asked.
  r = Rate(Request("BRAMLEY", "CHALFONT"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTEE01", TariffUsed(r));
}

TEST_F(ExceptionCityRatingTest, ACityNamingNoneFailsOrListsTheNames) {
  CandidateList unused(3 * 20);
  EXPECT_EQ("0123", Status(Rate(Request("CORFE", "DENHOLM", 'E'), &unused)));
  EXPECT_EQ(0, unused.count()) << "list mode 'E' lists nothing";
  for (char mode : {'F', ' '}) {
    CandidateList list(3 * 20);
    Record r = Rate(Request("CORFE", "DENHOLM", mode), &list);
    EXPECT_EQ("0124", Status(r)) << "list mode '" << mode << "'";
    ASSERT_EQ(3, list.count());
    EXPECT_EQ(0, list.kind());
    EXPECT_EQ("15000", list.zip());
    EXPECT_EQ("ASHBY              ", list.city(0));
    EXPECT_EQ("BRAMLEY            ", list.city(1));
    EXPECT_EQ("  None of the above", list.city(2));
    EXPECT_EQ('\0', list.bytes[16 + 59]);
  }
  EXPECT_EQ("0129", Status(Rate(Request("CORFE", "DENHOLM", 'F')))) << "no buffer";
  CandidateList small(3 * 20 - 1);
  EXPECT_EQ("0129", Status(Rate(Request("CORFE", "DENHOLM", 'F'), &small)));
  EXPECT_EQ(-1, small.count());
}

TEST_F(ExceptionCityRatingTest, WithoutACityTheFirstPointOfTheLaneIsListedFirst) {
  CandidateList list(3 * 20);
  EXPECT_EQ("0124", Status(Rate(Request("", ""), &list)));
  EXPECT_EQ(3, list.count());
  EXPECT_EQ("15000", list.zip());
  // From 25000 to 15000 the points stand exchanged: the destination is asked first.
  testkit::ShipmentRequest back = Request("", "");
  std::swap(back.origin_zip, back.destination_zip);
  EXPECT_EQ("0124", Status(Rate(back, &list)));
  EXPECT_EQ("15000", list.zip());
  // "**" asks for no choice at that end.
  back.destination_city = "**";
  EXPECT_EQ("0124", Status(Rate(back, &list)));
  EXPECT_EQ("25000", list.zip());
  EXPECT_EQ("CHALFONT           ", list.city(0));
  EXPECT_EQ("DENHOLM            ", list.city(1));
  // At both ends both groups stand, and the caller is left the choice of the tariff.
  CandidateList tariffs(2 * 24);
  EXPECT_EQ("0126", Status(Rate(Request("**", "**"), &tariffs)));
  EXPECT_EQ(2, tariffs.count());
  EXPECT_EQ("0125", Status(Rate(Request("**", "**", 'E'))));
}

TEST_F(ExceptionCityRatingTest, WithoutTheNameFilesTheTariffsAreListed) {
  std::remove((data_.path() + "/TDN.IDX").c_str());
  CandidateList tariffs(2 * 24);
  EXPECT_EQ("0126", Status(Rate(Request("", ""), &tariffs)));
  EXPECT_EQ(2, tariffs.count());
  EXPECT_EQ(1, tariffs.kind());
  EXPECT_EQ("0129", Status(Rate(Request("", ""))));
  EXPECT_EQ("0125", Status(Rate(Request("", "", 'E'))));
}

// Damaged name files leave fewer than two names at each end: nothing to choose from.
TEST_F(ExceptionCityRatingTest, DamagedNameFilesLeaveTheTariffList) {
  const std::string index = testkit::ReadFile(data_.File("TDN.IDX"));
  const std::string names = testkit::ReadFile(data_.File("TDN.IDA"));
  struct Damage {
    const char* what;
    std::string index, names;
  } damages[] = {
      {"no name file", index, ""},
      {"an index cut inside its second record", index.substr(0, 16), names},
      {"an empty index", "", names},
      {"a name file cut after its first name", index, names.substr(0, 20)},
  };
  for (const Damage& damage : damages) {
    data_.Write("TDN.IDX", damage.index);
    data_.Write("TDN.IDA", damage.names);
    if (damage.names.empty()) std::remove(data_.File("TDN.IDA").c_str());
    CandidateList tariffs(2 * 24);
    EXPECT_EQ("0126", Status(Rate(Request("", ""), &tariffs))) << damage.what;
    EXPECT_EQ(2, tariffs.count()) << damage.what;
  }
}

}  // namespace
