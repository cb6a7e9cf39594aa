#include "tolv32dll/points/candidate_list.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/os/bytes.h"
#include "tolv32dll/points/city_match.h"

namespace tolv {
namespace {

namespace L = candidate_list;

// A caller's buffer with the given entry-area capacity, pre-filled with 0xEE.
std::vector<std::uint8_t> Buffer(std::int32_t capacity) {
  std::vector<std::uint8_t> b(L::kEntries + 400, 0xEE);
  os::StoreI32Le(b.data(), capacity);
  return b;
}

ListRequest Request(std::uint8_t* list, char mode) {
  ListRequest r;
  r.origin_zip = "15000 ";
  r.origin_city = "";
  r.destination_zip = "25000 ";
  r.destination_city = "";
  r.list_mode = mode;
  r.candidate_list = list;
  return r;
}

std::vector<CityEntry> ThreeCities() {
  return {MakeCityEntry("ASHFORD"), MakeCityEntry("BRINDLE"), NoneOfTheAboveEntry()};
}

TEST(CandidateListTest, CityListGoesToTheCallerWhenItFitsExactly) {
  std::vector<std::uint8_t> b = Buffer(3 * 20);
  ListRequest r = Request(b.data(), 'F');
  Result<int> chosen = MatchCity(r, ThreeCities(), "15000 ", CityChoice::kOptional);
  ASSERT_TRUE(chosen.ok());
  EXPECT_EQ(3, *chosen) << "a blank request city becomes \"**\" and matches no entry";
  EXPECT_EQ('B', r.list_kind);
  EXPECT_EQ(3, os::LoadI32Le(b.data() + 4));
  EXPECT_EQ(0, os::LoadI16Le(b.data() + 8));
  EXPECT_EQ("15000", os::LoadRaw(b.data() + 10, 5));
  EXPECT_EQ(0xEE, b[15]) << "the sixth code byte stays as it was";
  EXPECT_EQ("ASHFORD            ", os::LoadRaw(b.data() + 16, 19));
  EXPECT_EQ("  None of the above", os::LoadRaw(b.data() + 16 + 40, 19));
  EXPECT_EQ(0, b[16 + 59]);
  EXPECT_EQ(0xEE, b[16 + 60]) << "nothing written past the list";
}

TEST(CandidateListTest, TooSmallOrMissingBuffersFailWith129) {
  std::vector<std::uint8_t> b = Buffer(3 * 20 - 1);
  ListRequest r = Request(b.data(), 'F');
  EXPECT_EQ(kErrCandidateListWrite,
            MatchCity(r, ThreeCities(), "15000", CityChoice::kOptional).error());
  EXPECT_EQ(-1, os::LoadI32Le(b.data() + 4));
  EXPECT_EQ(0xEE, b[16]);

  ListRequest no_buffer = Request(nullptr, 'F');
  EXPECT_EQ(kErrCandidateListWrite,
            MatchCity(no_buffer, ThreeCities(), "15000", CityChoice::kOptional).error());
}

TEST(CandidateListTest, TariffKindNEndsTheCallAfterTheCopy) {
  std::vector<std::uint8_t> b = Buffer(100);
  ListRequest r = Request(b.data(), 'F');
  r.tariff_kind = 'N';
  EXPECT_EQ(kErrCityListBuilt, MatchCity(r, ThreeCities(), "15000", CityChoice::kOptional).error());
  EXPECT_EQ(3, os::LoadI32Le(b.data() + 4));
}

TEST(CandidateListTest, CityMatchingRules) {
  ListRequest r = Request(nullptr, ' ');
  r.destination_city = "BRINDLE";
  EXPECT_EQ(1, *MatchCity(r, ThreeCities(), "25000", CityChoice::kOptional));
  r.destination_city = "brindle";
  EXPECT_EQ(3, *MatchCity(r, ThreeCities(), "25000", CityChoice::kOptional))
      << "the final comparison counts case";
  // "**" for that end: no choice, no list, no error even in mode 'E'.
  r.origin_city = "**";
  r.list_mode = 'E';
  EXPECT_EQ(3, *MatchCity(r, ThreeCities(), "15000", CityChoice::kRequired));
  r.origin_city = "ASHFORD";
  EXPECT_EQ(kErrCityMustBeSpecified,
            MatchCity(r, ThreeCities(), "15000", CityChoice::kRequired).error());
  std::vector<std::uint8_t> b = Buffer(100);
  r.list_mode = ' ';
  r.candidate_list = b.data();
  EXPECT_EQ(kErrCityListBuilt, MatchCity(r, ThreeCities(), "15000", CityChoice::kRequired).error());
  EXPECT_EQ(3, os::LoadI32Le(b.data() + 4));
}

TEST(CandidateListTest, TariffChoice) {
  auto row = [](const char* name) {
    TariffEntry e{};
    std::memset(e.data(), ' ', e.size());
    std::memcpy(e.data(), name, std::strlen(name));
    return e;
  };
  std::vector<TariffEntry> rows{row("NORTHW01 first"), row("SOUTHR02")};
  ListRequest r = Request(nullptr, ' ');
  r.tariff_name = "southr02";
  EXPECT_EQ(1, *MatchTariffName(r, rows));

  r.tariff_name = "SOUTHR03";
  r.list_mode = 'E';
  EXPECT_EQ(kErrTariffMustBeSpecified, MatchTariffName(r, rows).error());
  r.list_mode = ' ';
  EXPECT_EQ(kErrCandidateListWrite, MatchTariffName(r, rows).error());
  std::vector<std::uint8_t> b = Buffer(48);
  r.candidate_list = b.data();
  EXPECT_EQ(kErrTariffListBuilt, MatchTariffName(r, rows).error());
  EXPECT_EQ(2, os::LoadI32Le(b.data() + 4));
  EXPECT_EQ(1, os::LoadI16Le(b.data() + 8));
  EXPECT_EQ("      ", os::LoadRaw(b.data() + 10, 6));
  EXPECT_EQ("SOUTHR02", os::LoadRaw(b.data() + 16 + 24, 8));
  os::StoreI32Le(b.data(), 47);
  EXPECT_EQ(kErrCandidateListWrite, MatchTariffName(r, rows).error());
  EXPECT_EQ(-1, os::LoadI32Le(b.data() + 4));
}

}  // namespace
}  // namespace tolv
