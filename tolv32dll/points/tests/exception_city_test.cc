#include "tolv32dll/points/exception_city.h"

#include <gtest/gtest.h>

#include "platform/os/bytes.h"

namespace tolv {
namespace {

class ExceptionCityTest : public ::testing::Test {
 protected:
  ExceptionCityTest() {
    request_.origin_zip = "25530";
    request_.destination_zip = "60601";
  }
  Result<int> Choose(std::string& city) {
    return ChooseExceptionCity(request_, "25530", city, names_, {a_, b_});
  }
  ListRequest request_;
  std::vector<ExceptionName> names_{{"ASHFORD", 901}, {"Brindle", 902}, {"ashford", 903}};
  std::vector<std::int16_t> a_{906, 902, 903, 0};
  std::vector<std::int16_t> b_{0, 0, 0, 0};
};

TEST_F(ExceptionCityTest, TheGivenCityKeepsTheGroupsOfItsCodes) {
  std::string city = "Ashford";
  ASSERT_EQ(2, *Choose(city)) << "ASHFORD and ashford are one name";
  // Group 0 (906) is claimed by ASHFORD's 901 at this point; group 1 is Brindle's.
  EXPECT_EQ((std::vector<std::int16_t>{901, 0, 903, 0}), a_);
}

TEST_F(ExceptionCityTest, WithoutAGivenCityTheRequestOrTheCallerChooses) {
  std::string city;
  request_.origin_city = "**";
  EXPECT_EQ(2, *Choose(city)) << "\"**\": no choice, nothing dropped";
  EXPECT_EQ(906, a_[0]);
  request_.origin_city = "";
  request_.list_mode = 'E';
  EXPECT_EQ(kErrCityMustBeSpecified, Choose(city).error());
  std::vector<std::uint8_t> list(16 + 3 * 20, 0);
  os::StoreI32Le(list.data(), 3 * 20);
  request_.list_mode = ' ';
  request_.candidate_list = list.data();
  EXPECT_EQ(kErrCityListBuilt, Choose(city).error());
  EXPECT_EQ(3, os::LoadI32Le(list.data() + 4));
  EXPECT_EQ("ASHFORD            ", os::LoadRaw(list.data() + 16, 19)) << "sorted";
  EXPECT_EQ("Brindle            ", os::LoadRaw(list.data() + 36, 19));
}

TEST_F(ExceptionCityTest, OneGroupOrOneNameNeedsNoChoice) {
  std::string city = "BRINDLE";
  a_ = {902, 0, 0, 0};
  EXPECT_EQ(0, *Choose(city));
  a_ = {906, 902, 903, 0};
  names_.resize(1);
  EXPECT_EQ(1, *Choose(city));
  EXPECT_EQ(902, a_[1]);
  // No more than 66 names are read.
  names_.clear();
  for (int i = 0; i < 100; ++i) names_.push_back({"TOWN " + std::to_string(i), 902});
  city = "TOWN 65";
  EXPECT_EQ(66, *Choose(city));
  a_ = {906, 902, 903, 0};
  city = "TOWN 80";
  EXPECT_EQ(kErrCandidateListWrite, Choose(city).error()) << "past the names read: no match";
}

}  // namespace
}  // namespace tolv
