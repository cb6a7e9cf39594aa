#include "tolv32dll/sidetables/service_letters.h"

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/sidetables/side_table_files.h"

namespace tolv {
namespace {

class ServiceLettersTest : public ::testing::Test {
 protected:
  ServiceLettersTest() {
    request_.origin_zip = "15000";
    request_.destination_zip = "25000";
    request_.block_a = {"D%", {5, 10, 25}};
    request_.block_b = {"I%", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
  }
  testkit::MemoryRatingFiles files_;
  ServiceRequest request_;
};

TEST_F(ServiceLettersTest, BothEndsDirectKeepBlockA) {
  files_.Set(".D", testkit::DirectIndirectFile('I', {{"10000", "19999", 'D'}, {"20000", "29999", 'D'}}));
  ServiceChoice c = *FindServiceLetters(files_, request_);
  EXPECT_EQ('D', c.origin);
  EXPECT_EQ('D', c.destination);
  EXPECT_EQ("D%", c.effective.marker);
  EXPECT_FLOAT_EQ(25, c.effective.values[2]);
}

TEST_F(ServiceLettersTest, AnIndirectEndTakesBlockB) {
  files_.Set(".D", testkit::DirectIndirectFile('I', {{"10000", "19999", 'D'}}));
  ServiceChoice c = *FindServiceLetters(files_, request_);
  EXPECT_EQ('D', c.origin);
  EXPECT_EQ('I', c.destination) << "not found: the default letter";
  EXPECT_EQ("D%", c.effective.marker);
  EXPECT_FLOAT_EQ(3, c.effective.values[2]);
  // Without a block B, block A stays.
  request_.block_b = {};
  EXPECT_FLOAT_EQ(25, FindServiceLetters(files_, request_)->effective.values[2]);
  // The request's own letters are kept.
  request_.destination_service = 'D';
  EXPECT_EQ('D', FindServiceLetters(files_, request_)->destination);
}

TEST_F(ServiceLettersTest, NoLookUpWithoutAFileOrADefaultLetter) {
  ServiceChoice c = *FindServiceLetters(files_, request_);
  EXPECT_EQ(' ', c.origin);
  EXPECT_FLOAT_EQ(25, c.effective.values[2]);
  files_.Set(".D", testkit::DirectIndirectFile(' ', {{"10000", "29999", 'I'}}));
  c = *FindServiceLetters(files_, request_);
  EXPECT_EQ(' ', c.destination);
  EXPECT_FLOAT_EQ(25, c.effective.values[2]);
}

TEST_F(ServiceLettersTest, HandBuiltRecordsAndPostalPrefixes) {
  // Default 'D'; one range K1A-K2Z by hand, indirect.
  files_.Set(".D", {0, 0, 0, 0, 0, 0, 'D', 'K', '1', 'A', 'K', '2', 'Z', 'I'});
  request_.origin_zip = "k1b2c3";
  ServiceChoice c = *FindServiceLetters(files_, request_);
  EXPECT_EQ('I', c.origin);
  EXPECT_EQ('D', c.destination);
  c = ServiceLettersFromGuide(request_, 'D', '\0');
  EXPECT_EQ('D', c.origin);
  EXPECT_EQ(' ', c.destination);
  EXPECT_FLOAT_EQ(3, c.effective.values[2]);
}

}  // namespace
}  // namespace tolv
