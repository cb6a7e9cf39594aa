#include "tolv32dll/tariff/text_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolv {
namespace {

TEST(AtoiN, ReadsOnlyTheFirstNCharacters) {
  EXPECT_EQ(Util_AtoiN("12345", 3), 123);
  EXPECT_EQ(Util_AtoiN("  42xyz", 7), 42);
  EXPECT_EQ(Util_AtoiN("abc", 3), 0);
  EXPECT_EQ(Util_AtoiN(std::string_view("7\0"
                                        "9",
                                        3),
                       3),
            7);
  EXPECT_EQ(Util_AtoiN("12", 50), 12) << "n beyond the field is cut";
  EXPECT_EQ(Util_AtoiN("99999999999999", 14), 2147483647);
  EXPECT_EQ(Util_AtoiN("-5", 2), -5);
}

TEST(FormatZeroPadded, PadsToWidth) {
  EXPECT_EQ(Util_FormatZeroPadded(7, 4), "0007");
  EXPECT_EQ(Util_FormatZeroPadded(12345, 3), "12345");
  EXPECT_EQ(Util_FormatZeroPadded(216, 4), "0216");
}

TEST(NulsToBlanks, OnlyNulsChange) {
  char field[5] = {'A', '\0', 'B', '\0', 'C'};
  Util_NulsToBlanks(field, 4);
  EXPECT_EQ(std::string(field, 5), "A B C");
}

TEST(TrimPath, KeepsDirectoryPart) {
  EXPECT_EQ(Util_TrimPath("/data/tariffs/"), "/data/tariffs/");
  EXPECT_EQ(Util_TrimPath("/data/tariffs"), "/data/");
  EXPECT_EQ(Util_TrimPath("/data/tariffs/  \t"), "/data/tariffs/");
  EXPECT_EQ(Util_TrimPath("    "), "");
  EXPECT_EQ(Util_TrimPath("name"), "");
  EXPECT_EQ(Util_TrimPath("C:\\tolv\\data\\"), "C:/tolv/data/");
  std::string longer(300, 'a');
  longer[10] = '/';
  longer[280] = '/';  // beyond the 259 characters taken
  EXPECT_EQ(Util_TrimPath(longer), std::string(10, 'a') + "/");
}

std::vector<std::string> Tokens(std::string_view line, std::string_view delimiters) {
  std::vector<std::string> out;
  while (auto token = Util_NextToken(&line, delimiters)) out.emplace_back(*token);
  return out;
}

TEST(NextToken, SplitsAtDelimitersAndLineEnds) {
  EXPECT_EQ(Tokens("RADJF = 1.05\r\n", " =\t\r\n"), (std::vector<std::string>{"RADJF", "1.05"}));
  EXPECT_EQ(Tokens("BRKS=A1*  B2+\tC3X", " =\t\r\n"),
            (std::vector<std::string>{"BRKS", "A1*", "B2+", "C3X"}));
  EXPECT_TRUE(Tokens("  \r\n", " =\t\r\n").empty());
  EXPECT_EQ(Tokens(std::string_view("A B\0C", 5), " "), (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace tolv
