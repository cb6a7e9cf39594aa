#include "tolv32dll/tariff/tariff_options.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tolv {
namespace {

TEST(DefaultTariffOptions, RowsInTheirFixedOrder) {
  TariffOptions table = DefaultTariffOptions();
  const char* names[] = {"MC_ADDON", "SS_MC_ADDON", "PIN_MC", "LA_PCT", "ONE_LA",      "BRKS",
                         "BRK2",     "HCITY",       "NCITY",  "RADJF",  "NO_RBN_ADDON"};
  const char types[] = "FFBCBCCLCFB";
  for (int i = 0; i < kOptionRows; ++i) {
    EXPECT_EQ(table[i].Name(), names[i]);
    EXPECT_EQ(table[i].type, types[i]);
  }
  EXPECT_TRUE(table[kOptionRows].Name().empty()) << "end row";
  EXPECT_EQ(table[kOptRadjf].AsFloat(), 1.0f);
  EXPECT_EQ(table[kOptPinMc].AsInt(), 0);
}

// A factor load is handed out again only from equal options, so every member must count.
TEST(FactorOptions, EveryMemberTakesPartInEquality) {
  const FactorOptions base;
  EXPECT_TRUE(FactorOptions() == base);
  const std::vector<std::function<void(FactorOptions&)>> changes = {
      [](FactorOptions& o) { o.table[kOptNoRbnAddon].value[3] = 1; },
      [](FactorOptions& o) { o.table[kOptionRows].name[13] = 'X'; },
      [](FactorOptions& o) { o.table[kOptHcity].type = 'I'; },
      [](FactorOptions& o) { o.mc_addon = 0.5f; },
      [](FactorOptions& o) { o.ss_mc_addon = 0.5f; },
      [](FactorOptions& o) { o.pin_mc = true; },
      [](FactorOptions& o) { o.la_pct = 'G'; },
      [](FactorOptions& o) { o.one_la = true; },
      [](FactorOptions& o) { o.brks.count = 1; },
      [](FactorOptions& o) { o.brks.entries[8].code[2] = 'Z'; },
      [](FactorOptions& o) { o.brks.entries[8].mark = -1; },
      [](FactorOptions& o) { o.brk2.count = 1; },
      [](FactorOptions& o) { o.brk2.entries[8].mark = 1; },
      [](FactorOptions& o) { o.hcity.count = 1; },
      [](FactorOptions& o) { o.city_set_code[1] = 'B'; },
      [](FactorOptions& o) { o.ncity_on = false; },
      [](FactorOptions& o) { o.matched_ncity[0] = 'A'; },
      [](FactorOptions& o) { o.radjf = 1.5f; },
      [](FactorOptions& o) { o.no_rbn_addon = true; },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    FactorOptions changed = base;
    changes[i](changed);
    EXPECT_FALSE(changed == base) << "change " << i;
  }
  // HCITY lists are equal by their used entries, the last of a full list among them.
  FactorOptions full = base;
  full.hcity.count = kMaxHcityEntries;
  const std::vector<std::function<void(HcityEntry&)>> entry_changes = {
      [](HcityEntry& e) { e.value = 7; },
      [](HcityEntry& e) { e.second = 7; },
      [](HcityEntry& e) { e.extra[4] = 7; },
  };
  for (std::size_t i = 0; i < entry_changes.size(); ++i) {
    FactorOptions changed = full;
    entry_changes[i](changed.hcity.entries[kMaxHcityEntries - 1]);
    EXPECT_FALSE(changed == full) << "entry change " << i;
    FactorOptions unused = base;
    entry_changes[i](unused.hcity.entries[0]);
    EXPECT_TRUE(unused == base) << "entry past the count, change " << i;
  }
  FactorOptions zero = base;
  zero.radjf = -0.0f;
  FactorOptions positive_zero = base;
  positive_zero.radjf = 0.0f;
  EXPECT_TRUE(zero == positive_zero) << "floats compare as numbers";
}

TEST(ParseOptionLine, StarNeedsABlankBeforeTheName) {
  FactorOptions o;
  EXPECT_EQ(Parm_ParseOptionLine("*RADJF=2\r\n", o), kOk);
  EXPECT_EQ(o.radjf, 1.0f);
  EXPECT_EQ(Parm_ParseOptionLine("* * radjf = 1.25\r\n", o), kOk);
  EXPECT_EQ(o.radjf, 1.25f);
  EXPECT_EQ(o.table[kOptRadjf].AsFloat(), 1.25f);
  Parm_ParseOptionLine("* RADJF\r\n", o);  // no value: ignored
  Parm_ParseOptionLine("* UNKNOWN = 5\r\n", o);
  EXPECT_EQ(o.radjf, 1.25f);
}

TEST(ParseOptionLine, TypesAndTargets) {
  FactorOptions o;
  Parm_ParseOptionLine("* PIN_MC = yEs\r\n", o);
  Parm_ParseOptionLine("* ONE_LA = YESTERDAY\r\n", o);
  Parm_ParseOptionLine("* NO_RBN_ADDON = NO\r\n", o);
  Parm_ParseOptionLine("* LA_PCT = Percent\r\n", o);
  Parm_ParseOptionLine("* MC_ADDON = 3.5\r\n", o);
  Parm_ParseOptionLine("* SS_MC_ADDON = -1.5\r\n", o);
  EXPECT_TRUE(o.pin_mc);
  EXPECT_TRUE(o.one_la);
  EXPECT_FALSE(o.no_rbn_addon);
  EXPECT_EQ(o.la_pct, 'P');
  EXPECT_EQ(o.table[kOptLaPct].AsText(), "Perc");
  EXPECT_EQ(o.mc_addon, 3.5f);
  EXPECT_EQ(o.ss_mc_addon, -1.5f);
}

TEST(ParseOptionLine, BreakCodeListsKeepNineAndTheirMarks) {
  FactorOptions o;
  Parm_ParseOptionLine("* BRKS = A10* B20+ C30X D40x E50? F60 G70 H80 I9 J10*\r\n", o);
  ASSERT_EQ(o.brks.count, 9);
  EXPECT_EQ(std::string(o.brks.entries[0].code.data(), 3), "A10");
  EXPECT_EQ(o.brks.entries[0].mark, 1);
  EXPECT_EQ(o.brks.entries[1].mark, 0);
  EXPECT_EQ(o.brks.entries[2].mark, -1);
  EXPECT_EQ(o.brks.entries[3].mark, -1);
  EXPECT_EQ(o.brks.entries[4].mark, 0);
  EXPECT_EQ(std::string(o.brks.entries[8].code.data(), 3), std::string("I9\0", 3));
  // A new line replaces the list.
  Parm_ParseOptionLine("* brks = ZZZ\r\n", o);
  EXPECT_EQ(o.brks.count, 1);
  EXPECT_EQ(o.brk2.count, 0);
  Parm_ParseOptionLine("* BRK2 = 100* 200\r\n", o);
  EXPECT_EQ(o.brk2.count, 2);
  EXPECT_EQ(o.brk2.entries[0].mark, 1);
}

TEST(ParseOptionLine, HcityListAndNcitySections) {
  FactorOptions o;
  o.city_set_code = {'N', 'Y'};
  Parm_ParseOptionLine("* HCITY = 17 9\r\n", o);
  ASSERT_EQ(o.hcity.count, 1);
  EXPECT_EQ(o.hcity.entries[0].value, 17);
  EXPECT_EQ(o.hcity.entries[0].second, 9);
  Parm_ParseOptionLine("* NCITY = PA\r\n", o);
  EXPECT_FALSE(o.ncity_on);
  Parm_ParseOptionLine("* HCITY = 18\r\n", o);
  EXPECT_EQ(o.hcity.count, 1) << "ignored in another city set's section";
  Parm_ParseOptionLine("* NCITY = NY\r\n", o);
  EXPECT_TRUE(o.ncity_on);
  EXPECT_EQ(o.matched_ncity, (std::array<char, 2>{'N', 'Y'}));
  Parm_ParseOptionLine("* HCITY = 19\r\n", o);
  EXPECT_EQ(o.hcity.count, 2);
  EXPECT_EQ(o.hcity.entries[1].second, 0);
  for (int i = 2; i < kMaxHcityEntries; ++i)
    ASSERT_EQ(Parm_ParseOptionLine("* HCITY = 1\r\n", o), kOk);
  EXPECT_EQ(Parm_ParseOptionLine("* HCITY = 1\r\n", o), kErrHcy2big);
  EXPECT_EQ(o.hcity.count, kMaxHcityEntries);
}

TEST(ParseOptionLine, LineIsCutAtEightyCharacters) {
  FactorOptions o;
  std::string line = "* RADJF" + std::string(80, ' ') + "= 2\r\n";
  Parm_ParseOptionLine(line, o);
  EXPECT_EQ(o.radjf, 1.0f);
}

}  // namespace
}  // namespace tolv
