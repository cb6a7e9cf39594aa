#include "tolv32dll/rates/bounded_list.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tolv32dll/rates/class_rate_tables.h"

namespace tolv {
namespace {

TEST(BoundedListTest, KeepsWhatFitsAndDropsTheRest) {
  BoundedList<int, 3> list = {1, 2, 3, 4};
  EXPECT_EQ((BoundedList<int, 3>{1, 2, 3}), list);
  list.push_back(5);
  EXPECT_EQ(3u, list.size());
  list = std::vector<int>{7};
  list.resize(5, 9);
  EXPECT_EQ((BoundedList<int, 3>{7, 9, 9}), list);
  list.resize(1);
  EXPECT_EQ((BoundedList<int, 3>{7}), list) << "a shorter list compares by its values only";
}

TEST(BoundedListTest, ClassCodesMatchWholeTextsOnly) {
  ClassRateTables t;
  t.class_codes = {"1000", "50", "100"};
  t.class_codes[0] = std::string("85");  // a shorter code in place of a longer one
  EXPECT_EQ(0, t.ClassIndex("85"));
  EXPECT_EQ(2, t.ClassIndex("100"));
  EXPECT_EQ(-1, t.ClassIndex("1000"));
  EXPECT_EQ(-1, t.ClassIndex("5"));
  EXPECT_EQ(-1, t.ClassIndex(std::string("50\0", 3))) << "a NUL is a character of the text";
  t.class_codes.push_back("ABCDEFG");
  EXPECT_EQ(3, t.ClassIndex("ABCDEFG"));
  EXPECT_EQ(-1, t.ClassIndex("ABCDEFGH")) << "longer than any code, not cut to fit";

  // Codes taken from NUL-padded fields end at the first NUL, whatever follows it.
  using Field = std::array<char, 6>;
  for (const auto& [field, text] : std::vector<std::pair<Field, std::string>>{
           {{'5', '0', 0, 'X', 'Y', 0}, "50"},
           {{'P', 'K', 'G', 'B', 'O', 'X'}, "PKGBOX"},
           {{0, '9', '9', 0, 0, 0}, ""},
           {{'1', '0', '0', 0, 0, 0}, "100"}}) {
    const ClassRateTables::CodeText code(field);
    EXPECT_EQ(text, code.view());
    EXPECT_EQ(ClassRateTables::CodeText(text).Key(), code.Key()) << "as the same text: " << text;
  }
}

}  // namespace
}  // namespace tolv
