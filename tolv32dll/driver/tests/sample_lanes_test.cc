// Demo lanes of the sample carrier rated end to end on the built sample data set. Every
// figure is worked by hand from sample/rating/rating_files.txt: the general tariff NORTHW01
// prices class c at break b of a lane as (base x c x f(b) + 5000) / 10000 cents a cwt, with
// breaks 1, 500, 1000, 2000, 5000 and 10000 lb at 100, 82, 68, 55, 44 and 36 percent.
#include <gtest/gtest.h>

#include <string>

#include "platform/os/bytes.h"
#include "testkit/driver/shipment_request.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

std::string At(const Record& r, std::size_t at, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(r.data() + at), n);
}

class SampleLanesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(kOk, InitializeEngine(engine_, FRELANE_SAMPLE_DIR)); }

  Record Rate(const std::string& origin, const std::string& destination,
              std::vector<testkit::RequestLine> lines, const std::string& date = "12/05/2026") {
    request_.origin_zip = origin;
    request_.destination_zip = destination;
    request_.ship_date = date;
    request_.lines = std::move(lines);
    Record r = testkit::ShipmentRequestBytes(request_);
    RateShipmentRecord(engine_, r.data());
    return r;
  }

  // Header h0-149 from TariffUsed on: tariff, rate basis, total and billed weight, minimum
  // charge, deficit rate, weight and charge, charges.
  static std::string Figures(const Record& r) { return At(r, 82, 69); }
  static std::string Detail(const Record& r, int k) { return At(r, 265 + 30 * k, 27); }

  RatingEngine engine_;
  testkit::ShipmentRequest request_;
};

TEST_F(SampleLanesTest, ThreeClassesRatedAtTheCheaperHeavierBreak) {
  // 15010-60601: points 1 and 3, rate basis 1103, minimum 115.00, class 100 base 6900.
  // 1730 lb at the 1000 lb break (68 %): class 100 4692, 70 3284, 250 11730;
  //   563.04 + 147.78 + 93.84 = 804.66.
  // At 2000 lb (55 %): 3795, 2657, 9488: 455.40 + 119.57 + 75.90 = 650.87, plus the
  //   270 lb deficit at the lowest rate 26.57: 71.74, together 722.61, the cheapest
  //   (5000 lb gives 520.67 + 3270 lb at 21.25 = 1215.55).
  Record r = Rate("15010", "60601", {{"100", "1200"}, {"70", "450"}, {"250", "80"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "NORTHW01       1103001730002000"
      "0115.000026.57000270000071.74000722.61",
      Figures(r));
  EXPECT_EQ("12-01-2026", At(r, 151, 10)) << "the issue in force on the ship date";
  EXPECT_EQ("021000012000037.95000455.40", Detail(r, 0));
  EXPECT_EQ("0270 0004500026.57000119.57", Detail(r, 1));
  EXPECT_EQ("022500000800094.88000075.90", Detail(r, 2));
}

TEST_F(SampleLanesTest, HeavyShipmentOnTheEarlierIssue) {
  // 80202-10001 on 06/15/2025 (the first issue): points 4 and 1, rate basis 1104, minimum
  // 125.00, base 8800. Class 50 at 9000 lb (5000 lb break, 44 %): 1936, 1742.40; at
  // 10000 lb (36 %) 1584: 1425.60 + 1000 lb deficit 158.40 = 1584.00, cheaper.
  request_.tariff_name = "NORTHW01";
  Record r = Rate("80202", "10001", {{"50", "9000"}}, "06/15/2025");
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "NORTHW01       1104009000010000"
      "0125.000015.84001000000158.40001584.00",
      Figures(r));
  EXPECT_EQ("01-01-2025", At(r, 151, 10));
  EXPECT_EQ("0250 0090000015.84001425.60", Detail(r, 0));
}

TEST_F(SampleLanesTest, DiscountOnCharges) {
  // 30301-75001: points 2 and 3, rate basis 1203, minimum 105.00, base 5600; both ends
  // direct service, so block A applies. 1000 lb at 68 %: class 85 3237, 125 4760:
  //   226.59 + 142.80 = 369.39; 20 % off (the third break's value) 73.88 -> 295.51.
  //   At 2000 lb: 298.76 + 1000 lb deficit at 26.18 = 560.56, less 25 %: 420.42, dearer.
  // The minimum charge 105.00 less 5 %: 99.75.
  request_.discount_switch = 'Y';
  request_.block_a = {"0500 ", "1000 ", "1500 ", "2000 ", "2500 "};
  Record r = Rate("30301", "75001", {{"85", "700"}, {"125", "300"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "NORTHW01       1203001000001000"
      "0099.750000.00000000000000.00000295.51",
      Figures(r));
  EXPECT_EQ("DD", At(r, 196, 2));
  EXPECT_EQ("    73.88", At(r, 220, 9));
  EXPECT_EQ("   5.25", At(r, 229, 7));
  EXPECT_EQ("20.00", At(r, 241, 5));
  EXPECT_EQ("0285 0007000032.37000226.59", Detail(r, 0));
  EXPECT_EQ("021250003000047.60000142.80", Detail(r, 1));
}

TEST_F(SampleLanesTest, ExpTownAndLightLine) {
  // BRINDLE (44190) is rated as 44120: points 1 and 2, rate basis 1102, minimum 105.00,
  // base 5400. Class 92 at 150 lb (first break, 100 %): 4968, 74.52; at 500 lb 4074 gives
  // 61.11 + 142.59 deficit, dearer. The line stays below the minimum charge.
  request_.destination_city = "BRINDLE";
  Record r = Rate("15021", "44190", {{"92", "150"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "NORTHW01       1102000150000150"
      "0105.000000.00000000000000.00000074.52",
      Figures(r));
  EXPECT_EQ("0292 0001500049.68000074.52", Detail(r, 0));
}

TEST_F(SampleLanesTest, OntarioLanesOnTheCrossBorderTariff) {
  // US points are point 1 of QFLC0001, Ontario's postal codes point 2: rate basis 3012,
  // minimum 145.00, base 9800 at 100, 93, 86, 79, 72 and 65 % by break. Point type E: the
  // factor file scales each break by class (100 row 2.3040 2.1427 1.9814 ...).
  // 90210-K1A0B1, class 100 at 1200 lb (1000 lb break): 8428 x 1.9814 = 16699, 2003.88.
  //   At 2000 lb: 7742 x 1.8202 = 14092 gives 1691.04 + 800 lb deficit 1127.36, dearer.
  Record r = Rate("90210", "K1A0B1", {{"100", "1200"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "QFLC0001       3012001200001200"
      "0145.000000.00000000000000.00002003.88",
      Figures(r));
  EXPECT_EQ("01-01-2026", At(r, 151, 10));
  EXPECT_EQ("021000012000166.99002003.88", Detail(r, 0));

  // 44120-M5V2T6, 450 lb: at the first break class 150 26813 and 92 21168 give
  //   804.39 + 317.52 = 1121.91. At 500 lb (9114): class 150 x 2.5445 = 23191 and 92 x
  //   2.0088 = 18308: 695.73 + 274.62 + 50 lb deficit at 183.08 = 91.54, 1061.89, cheaper;
  //   at 1000 lb: 594.93 + 234.84 + 550 lb at 156.56 = 861.08, 1690.85.
  const std::vector<testkit::RequestLine> lines = {{"150", "300"}, {"92", "150"}};
  const std::string figures =
      "QFLC0001       3012000450000500"
      "0145.000183.08000050000091.54001061.89";
  r = Rate("44120", "M5V2T6", lines);
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(figures, Figures(r));
  EXPECT_EQ("021500003000231.91000695.73", Detail(r, 0));
  EXPECT_EQ("0292 0001500183.08000274.62", Detail(r, 1));

  // Named, the lane takes the tariff's Canadian line: the same figures.
  request_.tariff_name = "QFLC0001";
  r = Rate("44120", "M5V2T6", lines);
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(figures, Figures(r));
  // The general tariff has no Canadian issue: destination not in tariff.
  request_.tariff_name = "NORTHW01";
  EXPECT_EQ("0217", At(Rate("90210", "K1A0B1", {{"100", "1200"}}), 3, 4));
  EXPECT_EQ("0216", At(Rate("K1A0B1", "90210", {{"100", "1200"}}), 3, 4));
}

TEST_F(SampleLanesTest, ClassOutsideTheTariff) {
  // The sample's classes run from 50 to 500; the second line's 95 is none of them.
  Record r = Rate("15010", "60601", {{"100", "500"}, {"95", "200"}});
  EXPECT_EQ("0402", At(r, 3, 4));
}

TEST_F(SampleLanesTest, AdjustedLaneOfTheSecondIssue) {
  // 35010-85010: points 2 and 4, rate basis 1204, minimum 115.00, base 7400. The second
  // issue's lane file puts the lane in areas SE1 and SW1, whose hit names record 100: the
  // minimum x 1.05 = 120.75 and class 100 x 0.90. 1000 lb at 68 %: 5032 x 0.90 = 4528.8,
  // 4529: 452.90; at 2000 lb 4070 x 0.90 = 3663 x 20 = 732.60, dearer.
  Record r = Rate("35010", "85010", {{"100", "1000"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "NORTHW01       1204001000001000"
      "0120.750000.00000000000000.00000452.90",
      Figures(r));
  EXPECT_EQ("021000010000045.29000452.90", Detail(r, 0));
  // Class 100 (row 9) at every break: 7400, 6068, 5032, 4070, 3256, 2664 x 0.90.
  const std::int32_t expected[6] = {6660, 5461, 4529, 3663, 2930, 2398};
  for (int b = 0; b < 6; ++b) {
    const std::size_t at = 992 + 4 * static_cast<std::size_t>(9 * 6 + b);
    EXPECT_EQ(expected[b], os::LoadI32Le(r.data() + at)) << b;
  }
}

// The ZIP-keyed tariff ZIPRNG01: classes 150, 100 and 70 at factors 1.5, 1.0 and 0.7 of
// one rate per break (1, 500, 1000 and 2000 lb at 100, 90, 80 and 70 % of the lane's base);
// points 00000-29999, 30000-59999 and 60000-99999. Rate matrix cells (class c, break b) are
// i32 at byte 992 + 4 x (4c + b); the brackets' weights at 1912, charges at 2032, the
// method and the count (i16) at 2152 and 2154.
std::int32_t I32At(const Record& r, std::size_t at) { return os::LoadI32Le(r.data() + at); }
std::int16_t I16At(const Record& r, std::size_t at) { return os::LoadI16Le(r.data() + at); }

TEST_F(SampleLanesTest, MinimumChargesOfTheZipPair) {
  request_.tariff_name = "ZIPRNG01";
  // 15010-60601: points 1 and 3, rate basis 7013C, base 8000 (V(0) 120.00). The forward
  // pair 10000-19999 to 60000-69999 gives method 3: 75.00 from 0 lb, 110.00 from 100 lb.
  // 1200 lb at the 1000 lb break (80 %): class 100 6400, 70 6400 x 0.7 = 4480:
  //   512.00 + 179.20 = 691.20; at 2000 lb 448.00 + 156.80 + 800 lb at 39.20 = 918.40.
  Record r = Rate("15010", "60601", {{"100", "800"}, {"70", "400"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "ZIPRNG01      7013C001200001200"
      "0110.000000.00000000000000.00000691.20",
      Figures(r));
  EXPECT_EQ("021000008000064.00000512.00", Detail(r, 0));
  EXPECT_EQ("0270 0004000044.80000179.20", Detail(r, 1));
  EXPECT_EQ(3, I16At(r, 2152));
  EXPECT_EQ(2, I16At(r, 2154));
  EXPECT_EQ(0, I32At(r, 1912));
  EXPECT_EQ(100, I32At(r, 1916));
  EXPECT_EQ(7500, I32At(r, 2032));
  EXPECT_EQ(11000, I32At(r, 2036));

  // 80 lb on the same lane: the first break, 80 x 80.00 = 64.00; the 0 lb bracket, 75.00.
  r = Rate("15010", "60601", {{"100", "80"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "ZIPRNG01      7013C000080000080"
      "0075.000000.00000000000000.00000064.00",
      Figures(r));

  // 60601-25010 has no forward pair; the both-ways pair stands with 20000-29999 first and
  // is found with the ends exchanged: 65.00 and 105.00. Class 150 at 300 lb (first break):
  // 8000 x 1.5 = 12000, 360.00; at 500 lb 300.00 + 200 lb at 108.00 = 540.00, dearer.
  r = Rate("60601", "25010", {{"150", "300"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "ZIPRNG01      7013C000300000300"
      "0105.000000.00000000000000.00000360.00",
      Figures(r));
  EXPECT_EQ(6500, I32At(r, 2032));
  EXPECT_EQ(10500, I32At(r, 2036));
}

TEST_F(SampleLanesTest, ClassFactorRangeOfAnEnd) {
  request_.tariff_name = "ZIPRNG01";
  // 35010-60601: points 2 and 3, rate basis 7023C, base 7000, no ZIP pair: one bracket of
  // V(0), 100.00. The origin lies in the range 30000-39999, which prices class 70 at 0.65:
  // 7000, 6300, 5600, 4900 give 4550, 4095, 3640, 3185. 1000 lb at 80 %: class 100 5600
  // x 600 lb = 336.00, class 70 3640 x 400 lb = 145.60, 481.60; at 2000 lb 294.00 + 127.40
  // + 1000 lb at 31.85 = 739.90.
  Record r = Rate("35010", "60601", {{"100", "600"}, {"70", "400"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(
      "ZIPRNG01      7023C001000001000"
      "0100.000000.00000000000000.00000481.60",
      Figures(r));
  EXPECT_EQ("021000006000056.00000336.00", Detail(r, 0));
  EXPECT_EQ("0270 0004000036.40000145.60", Detail(r, 1));
  const std::int32_t class70[4] = {4550, 4095, 3640, 3185};
  for (std::size_t b = 0; b < 4; ++b) {
    EXPECT_EQ(class70[b], I32At(r, 992 + 4 * (8 + b))) << b;
    EXPECT_EQ(7000 - 700 * static_cast<std::int32_t>(b), I32At(r, 992 + 4 * (4 + b))) << b;
  }
  EXPECT_EQ(1, I16At(r, 2154));
  EXPECT_EQ(10000, I32At(r, 2032));

  // The next lane has no end in a range: class 70 is back at 0.7 (6400 x 0.7 = 4480).
  r = Rate("15010", "60601", {{"70", "1000"}});
  ASSERT_EQ("    ", At(r, 3, 4));
  EXPECT_EQ(4480, I32At(r, 992 + 4 * (8 + 2)));
  EXPECT_EQ("0270 0010000044.80000448.00", Detail(r, 0));
}

}  // namespace
}  // namespace tolv
