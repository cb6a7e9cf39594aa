#include "tolv32dll/errors/error_table.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace tolv {
namespace {

TEST(ErrorTableTest, TableHoldsEveryRowOnceWithinItsWidths) {
  std::set<std::int32_t> numbers;
  for (const ErrorTableRow& row : kErrorTable) {
    EXPECT_TRUE(numbers.insert(row.number).second) << row.number;
    EXPECT_LE(std::strlen(row.code), 7u) << row.number;
    EXPECT_LE(std::strlen(row.message), 29u) << row.number;
    // Every number finds its own row's message.
    EXPECT_EQ(ErrorMessage(row.number), row.message) << row.number;
  }
  EXPECT_EQ(numbers.size(), 160u);
  // The table is walked in its own order, which ends 9999 then 9990.
  EXPECT_EQ(kErrorTable[158].number, 9999);
  EXPECT_EQ(kErrorTable[159].number, 9990);
}

struct MessageCase {
  std::int32_t number;
  const char* message;
};

TEST(ErrorTableTest, MessagesAreExactTrailingBlanksIncluded) {
  const MessageCase cases[] = {
      {101, "Can't Open Tar    TDA"},     {123, "City/St Must Be Specified"},
      {140, "LSEEK Error       "},        {145, "Pricing exceeds API limits"},
      {203, "Can't Open EFCREC.TBL FL "}, {209, "Can't Open EFCREC.TBL FL "},
      {216, "Origin Not in Tariff   "},   {217, "Destin Not in Tariff   "},
      {241, "Weight over Max of 999999"}, {274, "Can't Open KVF E Matix "},
      {383, "Hdr Detail Cnt > "},         {391, "Hdr Detail Cnt Too High "},
      {400, "Inval Class - Dtl Rec #"},   {500, "Inval Weight - Dtl Rec #"},
      {700, "Corvane not Init"},          {1105, "CV SCAC dst zip not serviced"},
      {9990, "Communication Error"},      {9999, "Flagged as Ignore/Delete "},
  };
  for (const MessageCase& c : cases) EXPECT_EQ(ErrorMessage(c.number), c.message) << c.number;
}

TEST(ErrorTableTest, DetailLineNumbersCarryTheLineAndOthersAreEmpty) {
  EXPECT_EQ(ErrorMessage(401), "Inval Class - Dtl Rec #-01");
  EXPECT_EQ(ErrorMessage(403), "Inval Class - Dtl Rec #-03");
  EXPECT_EQ(ErrorMessage(498), "Inval Class - Dtl Rec #-98");
  EXPECT_EQ(ErrorMessage(512), "Inval Weight - Dtl Rec #-12");
  EXPECT_EQ(ErrorMessage(598), "Inval Weight - Dtl Rec #-98");
  for (std::int32_t none : {0, 10, 127, 499, 599, -1, 32767, 100000}) {
    EXPECT_EQ(ErrorMessage(none), "") << none;
  }
}

std::string MessageOfRecord(const char* number_text) {
  std::uint8_t record[kErrorStringRecordSize];
  std::memset(record, 'x', sizeof record);
  std::memcpy(record, number_text, 4);
  FillErrorString(record);
  for (std::size_t i = 4; i < sizeof record; ++i) {
    if (record[i] == 0) {
      for (std::size_t j = i; j < sizeof record; ++j) EXPECT_EQ(record[j], 0) << j;
      return std::string(reinterpret_cast<char*>(record + 4), i - 4);
    }
  }
  ADD_FAILURE() << "message not NUL-filled";
  return "";
}

TEST(ErrorTableTest, ErrorStringRecordReadsFourDigitsAndNulFills) {
  EXPECT_EQ(MessageOfRecord("0241"), "Weight over Max of 999999");
  EXPECT_EQ(MessageOfRecord("0403"), "Inval Class - Dtl Rec #-03");
  EXPECT_EQ(MessageOfRecord("9990"), "Communication Error");
  // The blank status of a rated record and other text that is not a number.
  EXPECT_EQ(MessageOfRecord("    "), "");
  EXPECT_EQ(MessageOfRecord("ABCD"), "");
  EXPECT_EQ(MessageOfRecord("0000"), "");
}

TEST(ErrorTableTest, TheNumberReadsAsTheCLibraryReadsFourCharactersInTheCLocale) {
  // Every text of four bytes from these: blanks and other white space, signs, digits, a
  // letter and a NUL that ends the text early.
  const char kBytes[] = {' ', '\t', '\v', '-', '+', '0', '1', '4', '5', 'A', '\0'};
  const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  ASSERT_NE(c, locale_t{});
  for (char a : kBytes) {
    for (char b : kBytes) {
      for (char d : kBytes) {
        for (char e : kBytes) {
          const char text[5] = {a, b, d, e, '\0'};
          const locale_t was = uselocale(c);
          int number = 0;
          if (std::sscanf(text, "%4d", &number) != 1) number = 0;
          uselocale(was);
          ASSERT_EQ(ErrorMessage(number), MessageOfRecord(text))
              << static_cast<int>(a) << " " << static_cast<int>(b) << " " << static_cast<int>(d)
              << " " << static_cast<int>(e);
        }
      }
    }
  }
  freelocale(c);
}

}  // namespace
}  // namespace tolv
