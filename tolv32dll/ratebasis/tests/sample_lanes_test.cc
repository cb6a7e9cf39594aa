// The sample data set's demo lanes find their points, rate bases and service letters.
#include <gtest/gtest.h>

#include "sample/rating_files.h"
#include "testkit/points/memory_rating_files.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/ratebasis/dispatch.h"
#include "tolv32dll/sidetables/service_letters.h"

namespace tolv {
namespace {

class SampleLanesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sample::BuildRatingFiles(FRELANE_SAMPLE_DIR, dir_.path()));
    Load("NORTHW01", {".P", ".I", ".R", ".E", ".D"});
    terms_.tariff.point_type = '0';
  }
  void Load(const std::string& tariff, std::initializer_list<const char*> suffixes) {
    files_ = testkit::MemoryRatingFiles();
    for (const char* suffix : suffixes) {
      std::string bytes = testkit::ReadFile(dir_.File(tariff + suffix + "01"));
      ASSERT_FALSE(bytes.empty()) << tariff << suffix;
      files_.Set(suffix, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
  }
  ErrorNumber Rate(const std::string& origin, const std::string& destination,
                   const std::string& destination_city = "") {
    points_.Reset(origin, "", destination, destination_city);
    request_.origin_zip = origin;
    request_.destination_zip = destination;
    request_.destination_city = destination_city;
    return FindRateBasis(files_, terms_, points_, request_, state_);
  }
  testkit::TempDir dir_;
  testkit::MemoryRatingFiles files_;
  RateBasisTerms terms_;
  PointState points_;
  ListRequest request_;
  RateBasisState state_;
};

TEST_F(SampleLanesTest, DemoLanesFindTheirRateBasis) {
  ASSERT_EQ(kOk, Rate("15010", "60601"));  // points 1 and 3
  EXPECT_EQ("1103", state_.printed_number);
  EXPECT_EQ(100, state_.record.FactorSetNumber());
  // Class 100 (index 9 of 18) at the first break: the lane's base rate 6900.
  EXPECT_EQ(6900, state_.record.Value(1 + 0 + 9 * 6));
  EXPECT_EQ(11500, state_.record.Value(0));
  ASSERT_EQ(kOk, Rate("60601", "15010"));
  EXPECT_EQ("1103", state_.printed_number) << "the pair is unordered";
  ASSERT_EQ(kOk, Rate("90210", "K1A0B1"));
  EXPECT_EQ("1405", state_.printed_number);
  ASSERT_EQ(kOk, Rate("K1A0B1", "M5V2T6"));
  EXPECT_EQ("1505", state_.printed_number);
}

TEST_F(SampleLanesTest, CrossBorderTariff) {
  Load("QFLC0001", {".P", ".I", ".R"});
  terms_.tariff.point_type = 'E';
  int reloaded = 0;
  terms_.reload_factor_set = [&](int set) {
    reloaded = set;
    return kOk;
  };
  ASSERT_EQ(kOk, Rate("44120", "M5V2T6"));
  EXPECT_EQ("3012", state_.printed_number);
  EXPECT_EQ(300, reloaded);
  EXPECT_EQ(9114, state_.record.Value(2)) << "9800 x 93 %";
}

TEST_F(SampleLanesTest, ExpTownsAndServiceLetters) {
  ASSERT_EQ(kOk, Rate("15021", "44190", "brindle"));
  EXPECT_EQ("15100 ", points_.origin.code);
  EXPECT_EQ("44120 ", points_.destination.code);
  EXPECT_EQ("1102", state_.printed_number);

  ServiceRequest service{"15010", "35004", ' ', ' ', {"D%", {}}, {"I%", {}}};
  ServiceChoice c = *FindServiceLetters(files_, service);
  EXPECT_EQ('I', c.origin);
  EXPECT_EQ('D', c.destination);
}

}  // namespace
}  // namespace tolv
