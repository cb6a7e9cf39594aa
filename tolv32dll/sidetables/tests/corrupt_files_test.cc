// Random and truncated tariff files give an error number or a plain answer, never a read
// outside a record (run under the sanitizers in CI).
#include <random>

#include <gtest/gtest.h>

#include "testkit/points/memory_rating_files.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "tolv32dll/ratebasis/dispatch.h"
#include "tolv32dll/sidetables/e_base.h"
#include "tolv32dll/sidetables/precedence.h"
#include "tolv32dll/sidetables/service_letters.h"

namespace tolv {
namespace {

constexpr const char* kSuffixes[] = {".E", ".P", ".Q", ".Y", ".I", ".R", ".H", ".O",
                                     ".M", ".D", ".X", ".Q(E base)", ".J(E matrix)"};

testkit::Bytes RandomBytes(std::mt19937& random, std::size_t max) {
  testkit::Bytes b(random() % (max + 1));
  for (auto& byte : b) byte = static_cast<std::uint8_t>(random() % 4 == 0 ? ' ' : random());
  return b;
}

TEST(CorruptFilesTest, EveryStepSurvivesRandomFiles) {
  std::mt19937 random(20261208);
  const std::string letters = "01234567ABCDEFGHIJKLMNY";
  for (int round = 0; round < 400; ++round) {
    testkit::MemoryRatingFiles files;
    files.set_point_file_mode("SYM "[round % 4]);
    for (const char* suffix : kSuffixes) {
      if (random() % 5 != 0) files.Set(suffix, RandomBytes(random, 700));
    }
    RateBasisTerms terms;
    terms.tariff.point_type = letters[round % letters.size()];
    terms.tariff.alt_point_type = letters[random() % letters.size()];
    terms.tariff.point_file_mode = "SYM "[round % 4];
    terms.tariff.index_format = round % 3 == 0 ? 'P' : ' ';
    terms.tariff.year = static_cast<std::uint8_t>(92 + round % 5);
    terms.stepped = round % 7 == 0;
    terms.step_increment = static_cast<int>(random() % 10);
    PointState points;
    points.Reset("15000", "ASHFORD", "K1A0B1", "");
    ListRequest request;
    request.origin_zip = "15000";
    request.destination_zip = "K1A0B1";
    request.list_mode = "EF "[round % 3];
    RateBasisState state;
    ErrorNumber e = FindRateBasis(files, terms, points, request, state);
    EXPECT_GE(e, 0);
    EXPECT_LE(state.printed_number.size(), 11u);
    for (int i = -1; i < 200; ++i) state.record.Value(i);

    ServiceRequest service{"15000", "K1A0B1", ' ', ' ', {"D%", {}}, {"I%", {}}};
    Result<ServiceChoice> letters_found = FindServiceLetters(files, service);
    (void)letters_found;
    PrecedenceLane lane{"15000", "25000", round % 2 == 0 ? 1998 : 2001};
    std::vector<LaneAdjustmentHit> hits{{'T', 1}, {'Y', 20000}};
    (void)FilterHitsByPrecedence(files, lane, hits);
    EBaseSink sink;
    sink.read_record = [&](std::int32_t) -> std::optional<std::vector<std::uint8_t>> {
      return RandomBytes(random, 700);
    };
    sink.add_hit = [](std::int32_t) {};
    sink.add_e_record = [](std::int32_t) {};
    (void)SearchEBase(files, lane, round % 2 == 0, sink);
  }
}

TEST(CorruptFilesTest, TruncatedRecordsAreErrors) {
  testkit::MemoryRatingFiles files;
  files.Set(".P", testkit::PointFile({{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}}));
  files.Set(".I", testkit::RateIndex16({0, 0, 0, 0, 0}));
  testkit::Bytes rates = testkit::RateFile({{1, "  1234 ", {9500}}}, 526);
  rates.resize(525);
  files.Set(".R", rates);
  RateBasisTerms terms;
  terms.tariff.point_type = '0';
  PointState points;
  points.Reset("15000", "", "25000", "");
  ListRequest request;
  RateBasisState state;
  EXPECT_EQ(kErrRtered, FindRateBasis(files, terms, points, request, state));
  testkit::Bytes index = testkit::RateIndex16({0, 0, 0, 0, 0});
  index.resize(9);
  files.Set(".I", index);
  points.Reset("15000", "", "25000", "");
  EXPECT_EQ(kErrBadcmb, FindRateBasis(files, terms, points, request, state));
}

}  // namespace
}  // namespace tolv
