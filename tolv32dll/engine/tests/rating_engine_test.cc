#include "tolv32dll/engine/rating_engine.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tolv32dll/engine/engine_version.h"

namespace tolv {
namespace {

std::string Row(const LiteTableRow& r) {
  return std::string(1, r.letter) + "|" + std::string(r.threshold.data(), 5) + "|" +
         std::string(r.table.data(), 3) + "|" + r.flag;
}

TEST(RatingEngineTest, NewEngineHasEveryDefault) {
  RatingEngine engine;
  EXPECT_EQ(engine.last_error, kOk);
  EXPECT_EQ(engine.revision, "4.18");
  EXPECT_EQ(engine.tariff_data_dir, "");
  EXPECT_EQ(engine.effective_path, "");
  EXPECT_EQ(engine.debug_flag, 'N');
  EXPECT_EQ(engine.tariff.options.table[kOptRadjf].Name(), "RADJF");
  EXPECT_EQ(engine.tariff.options.table[kOptRadjf].AsFloat(), 1.0f);
  EXPECT_EQ(engine.tariff.options.radjf, 1.0f);
  const auto& lite_codes = engine.tariff.weight_types.table.lite_codes;
  EXPECT_EQ(std::string(lite_codes.front().data()), "L5C");
  EXPECT_EQ(std::string(lite_codes.back().data()), "M40M");
  ASSERT_EQ(engine.lite_table.size(), 25u);
  EXPECT_EQ(Row(engine.lite_table[0]), "A|00   |001|N");
  EXPECT_EQ(Row(engine.lite_table[1]), "A|01   |001|Y");
  EXPECT_EQ(Row(engine.lite_table[3]), "B|     |002|N");
  EXPECT_EQ(Row(engine.lite_table[11]), "F|0    |009|Y");
  EXPECT_EQ(Row(engine.lite_table[13]), "F|9    |010|Y");
  EXPECT_EQ(Row(engine.lite_table[23]), "K|9    |018|N");
  EXPECT_EQ(Row(engine.lite_table[24]), "X|     |000|X");
}

TEST(EngineVersionTest, VersionTextLayout) {
  std::uint8_t text[engine_version_text::kSize];
  std::memset(text, 0x55, sizeof text);
  FillEngineVersionText(text);
  for (std::size_t group : {0u, 28u, 56u}) {
    EXPECT_STREQ(reinterpret_cast<char*>(text + group), "Tolv32");
    EXPECT_STREQ(reinterpret_cast<char*>(text + group + 20), "4");
    EXPECT_STREQ(reinterpret_cast<char*>(text + group + 23), "18") << "third number 0: no letter";
    for (std::size_t i = group + 7; i < group + 20; ++i) EXPECT_EQ(text[i], 0) << i;
  }
  EXPECT_STREQ(reinterpret_cast<char*>(text + 84), "1");
  for (std::size_t i = 86; i < 105; ++i) EXPECT_EQ(text[i], 0) << i;
  EXPECT_EQ(EngineVersionLogText(), "4.18,1,");
}

}  // namespace
}  // namespace tolv
