// Applying lane hits to a small priced matrix: 2 rows of 3 breaks, two brackets.
#include "tolv32dll/lanes/lane_apply.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testkit/lanes/lane_files.h"

namespace tolv {
namespace {

using testkit::AdjByCodeRecord;
using testkit::AdjRecord350;
using testkit::Concat;

class LaneApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::int32_t cells[6] = {1000, 800, 600, 2000, 1600, 0};
    for (int k = 0; k < 6; ++k) result_.matrix.cells[static_cast<std::size_t>(k)] = cells[k];
    result_.brackets.Set(0, kOrdinaryBracket, 0, 5000);
    result_.brackets.Set(1, kSingleShipmentBracket, 0, 4000);
    result_.brackets.count = 2;
  }
  static BreakCodeList List(std::initializer_list<std::pair<const char*, int>> entries) {
    BreakCodeList list;
    for (const auto& [code, mark] : entries) {
      BreakCode& e = list.entries[static_cast<std::size_t>(list.count++)];
      std::memcpy(e.code.data(), code, 3);
      e.mark = mark;
    }
    return list;
  }
  void Hits(std::initializer_list<const char*> codes) {
    for (const char* c : codes) state_.code_hits.push_back({c, 'L', 0});
  }
  std::int32_t Cell(int k) const { return result_.matrix.cells[static_cast<std::size_t>(k)]; }
  std::int32_t Bracket(int b) const {
    return result_.brackets.charges[static_cast<std::size_t>(b)];
  }

  ChargeResult result_;
  LaneState state_;
  RangeTerms terms_;
};

TEST_F(LaneApplyTest, ApplyValueRules) {
  EXPECT_EQ(1100, LaneAdj_ApplyValue(1000, 11000, 1));
  EXPECT_EQ(1, LaneAdj_ApplyValue(1, 14999, 1));  // (14999 + 5000) / 10000
  EXPECT_EQ(1250, LaneAdj_ApplyValue(1000, 250, 0));
  EXPECT_EQ(1000, LaneAdj_ApplyValue(1000, 0, 1));
  EXPECT_EQ(0, LaneAdj_ApplyValue(0, 500, 0));
  EXPECT_EQ(0, LaneAdj_ApplyValue(300, -500, 0));  // never below 0
}

TEST_F(LaneApplyTest, RangesChooseFactorOrAmountAndXStops) {
  MemoryFile a(Concat({AdjByCodeRecord("100", 11000, {11000, 0, 12000}),
                       AdjByCodeRecord("300", 100, {0, 50}),
                       AdjByCodeRecord("700", 9000, {9000, 9000, 9000, 9000, 9000, 9000})}));
  Hits({"100", "300", "700"});
  LaneAdj_ApplyRanges(a, List({{"000", 1}, {"200", 0}, {"600", -1}, {"999", 1}}), terms_, state_,
                      result_, 2, 3);
  EXPECT_EQ(1100, Cell(0));
  EXPECT_EQ(850, Cell(1));
  EXPECT_EQ(720, Cell(2));
  EXPECT_EQ(2000, Cell(3));
  EXPECT_EQ(0, Cell(5));
  EXPECT_EQ(5600, Bracket(0));  // 5000 x 1.10 + 100
  EXPECT_EQ(4500, Bracket(1));
  EXPECT_EQ(347, state_.code_hits[1].position);
}

TEST_F(LaneApplyTest, DefaultListAndOneLa) {
  // Without a list: "000" factors, "500" amounts. With ONE_LA the minimum-charge value goes
  // to every cell too.
  MemoryFile a(Concat({AdjByCodeRecord("010", 20000, {30000}), AdjByCodeRecord("510", 7, {})}));
  Hits({"010", "510"});
  terms_.one_la = true;
  LaneAdj_ApplyRanges(a, BreakCodeList(), terms_, state_, result_, 2, 3);
  EXPECT_EQ(2007, Cell(0));
  EXPECT_EQ(3207, Cell(4));
  EXPECT_EQ(0, Cell(5));
  EXPECT_EQ(10007, Bracket(0));
  // Letter "F" has four ranges: "250" is an amount range.
  EXPECT_EQ(5, DefaultBreakList('F').count);
}

TEST_F(LaneApplyTest, LaPctCombinesFactors) {
  MemoryFile a(Concat(
      {AdjByCodeRecord("110", 11000, {11000, 11000}), AdjByCodeRecord("120", 10500, {10500, 0})}));
  const BreakCodeList list = List({{"000", 1}, {"999", 1}});
  struct Row {
    char op;
    std::int32_t cell0, cell1, bracket0;
  };
  // "+": 1.10 + 1.05 - 1 = 1.15; "*": 1.155; "H": 1.10; "L": 1.05 (cell 1: only 1.10).
  for (const Row& row : {Row{'+', 1150, 880, 5750}, Row{'*', 1155, 880, 5775},
                         Row{'H', 1100, 880, 5500}, Row{'L', 1050, 880, 5250}}) {
    SetUp();
    state_ = LaneState();
    Hits({"110", "120"});
    terms_.la_pct = row.op;
    LaneAdj_ApplyRanges(a, list, terms_, state_, result_, 2, 3);
    EXPECT_EQ(row.cell0, Cell(0)) << row.op;
    EXPECT_EQ(row.cell1, Cell(1)) << row.op;
    EXPECT_EQ(row.bracket0, Bracket(0)) << row.op;
  }
}

TEST_F(LaneApplyTest, OperatorRecords) {
  MemoryFile a(Concat({AdjRecord350(1, 'F', '+', 0, 7500, {10, 20}),
                       AdjRecord350(2, '-', '*', 0, 6000, {0, 0, 0, 5000}),
                       AdjRecord350(3, '0', '-', 0, 0, {5000})}));
  state_.number_hits = {{'T', 1, 0}, {'T', 2, 0}, {'T', 3, 0}, {'T', 99, 0}};
  LaneAdj_ApplyOperators(a, state_, result_, 2, 3);
  EXPECT_EQ(7500, result_.fixed_minimum_charge);
  EXPECT_EQ(0, Bracket(0));  // 5000 - 6000, held at 0
  EXPECT_EQ(0, Cell(0));     // 1010 - 5000, held at 0
  EXPECT_EQ(820, Cell(1));
  EXPECT_EQ(1000, Cell(3));
  EXPECT_EQ(350, state_.number_hits[1].position);
}

}  // namespace
}  // namespace tolv
