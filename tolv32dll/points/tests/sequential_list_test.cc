#include "tolv32dll/points/sequential_list.h"

#include <gtest/gtest.h>

#include "testkit/points/point_files.h"

namespace tolv {
namespace {

class SequentialListTest : public ::testing::Test {
 protected:
  SequentialListTest() { request_.origin_zip = "15000"; }
  ListRequest request_;
};

TEST_F(SequentialListTest, SumsTheCitysValuesForTheSide) {
  MemoryFile sorted(testkit::AreaCompanionFile(
      {{1, 10, 20, 50}},
      {{"15000", 0x0101, 'B', 5, "CARDEN"},
       {"15000", 300, 'F', 4, "ASHFORD"},
       {"15000", 300, 'T', 8, "ASHFORD"},
       {"15000", 300, 'B', 1, "ashford"},
       {"15000", 300, 'F', 9, "BRINDLE"},
       {"15000", 0x0200, 'B', 6, "CARDEN"}}));
  std::string city = "Ashford";
  EXPECT_EQ(5, *FindInSequentialList(sorted, city, AreaCityKey("15000", 300), 'F', request_));
  EXPECT_EQ(9, *FindInSequentialList(sorted, city, AreaCityKey("15000", 300), 'T', request_));
  EXPECT_EQ("Ashford", city);
  city = "CARDEN";
  EXPECT_EQ(6, *FindInSequentialList(sorted, city, AreaCityKey("15000", 0x0200), 'F', request_));
  EXPECT_EQ(5, *FindInSequentialList(sorted, city, AreaCityKey("15000", 0x0101), 'F', request_));
  EXPECT_EQ(0, *FindInSequentialList(sorted, city, AreaCityKey("16000", 1), 'F', request_));
}

TEST_F(SequentialListTest, OtherCitiesGoToTheCityChoice) {
  MemoryFile file(testkit::AreaCompanionFile(
      {}, {{"15000", 300, 'F', 4, "ASHFORD"}, {"15000", 300, 'F', 9, "BRINDLE"}}));
  std::string city = "NOWHERE";
  request_.origin_city = "BRINDLE";
  EXPECT_EQ(9, *FindInSequentialList(file, city, AreaCityKey("15000", 300), 'F', request_));
  EXPECT_EQ("BRINDLE            ", city);
  city = "NOWHERE";
  request_.origin_city = "DUNMORE";
  EXPECT_EQ(0, *FindInSequentialList(file, city, AreaCityKey("15000", 300), 'F', request_));
  request_.list_mode = 'F';
  EXPECT_EQ(kErrCandidateListWrite,
            FindInSequentialList(file, city, AreaCityKey("15000", 300), 'F', request_).error());
}

TEST_F(SequentialListTest, HandBuiltRecordAndTruncatedFile) {
  std::vector<std::uint8_t> bytes(18, ' ');
  bytes[0] = '*';
  std::string rec = "15000";
  rec += '\x2C';  // area 300 = 0x012C, little-endian
  rec += '\x01';
  rec += 'B';
  rec += '\x07';
  rec += "ASHFORD            ";
  bytes.insert(bytes.end(), rec.begin(), rec.end());
  std::string city = "ASHFORD";
  MemoryFile file(bytes);
  EXPECT_EQ(7, *FindInSequentialList(file, city, AreaCityKey("15000", 300), 'T', request_));
  bytes.resize(bytes.size() - 1);
  MemoryFile truncated(bytes);
  EXPECT_EQ(0, *FindInSequentialList(truncated, city, AreaCityKey("15000", 300), 'T', request_));
}

}  // namespace
}  // namespace tolv
