#include "frelane/core/field_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "frelane/core/main_module.h"

namespace frelane::modMain {
namespace {

// Types `keys` one by one at the end of the box through the numeric filter; returns the text.
std::string TypeNumeric(const std::string& keys, int max_length, int decimals, char sep = '.') {
  EditState box;
  for (char c : keys) {
    box.sel_start = static_cast<int>(box.text.size());
    int key = static_cast<unsigned char>(c);
    EXPECT_TRUE(FilterNumericKey(box, key, max_length, decimals, sep));
    if (key != 0) box.text.push_back(static_cast<char>(key));
  }
  return box.text;
}

std::string TypeZip(const std::string& keys, bool letters_after_first = false) {
  EditState box;
  for (char c : keys) {
    int key = static_cast<unsigned char>(c);
    FilterZipKey(box, key, letters_after_first);
    if (key != 0) box.text.push_back(static_cast<char>(key));
  }
  return box.text;
}

TEST(NumericKeyFilter, LimitsIntegerAndDecimalDigits) {
  EXPECT_EQ(TypeNumeric("123.45", 6, 2), "123.45");
  EXPECT_EQ(TypeNumeric("1234", 6, 2), "123");
  EXPECT_EQ(TypeNumeric("123.456", 6, 2), "123.45");
  EXPECT_EQ(TypeNumeric("1.2.3", 6, 2), "1.23");
  EXPECT_EQ(TypeNumeric("12.5", 6, 0), "125");  // no separator without decimals
  EXPECT_EQ(TypeNumeric("92.5", 5, 1), "92.5");
  EXPECT_EQ(TypeNumeric("500", 5, 1), "500");
  EXPECT_EQ(TypeNumeric("1a-2 ", 5, 0), "12");
  EXPECT_EQ(TypeNumeric("12,5", 6, 2, ','), "12,5");
  EXPECT_EQ(TypeNumeric("12.5", 6, 2, ','), "125");
}

TEST(NumericKeyFilter, ControlKeysPassAndBadParametersRefuse) {
  EditState full{"99999", 5, 0};
  for (int control : {kKeyBackspace, kKeyTab, kKeyEnter}) {
    int key = control;
    EXPECT_TRUE(FilterNumericKey(full, key, 5, 0, '.'));
    EXPECT_EQ(key, control);
  }
  int key = '1';
  EXPECT_FALSE(FilterNumericKey(EditState{}, key, 4, 2, '.'));
  EXPECT_EQ(key, 0);
}

TEST(NumericKeyFilter, SelectionIsReplacedWhereItStands) {
  // The whole text selected: the key replaces it, even at the maximum length.
  int key = '7';
  EXPECT_TRUE(FilterNumericKey(EditState{"12345", 0, 5}, key, 5, 0, '.'));
  EXPECT_EQ(key, '7');
  // Part selected: "2" of "12.55" becomes "13.55"; "2." would make "1355", too long.
  key = '3';
  EXPECT_TRUE(FilterNumericKey(EditState{"12.55", 1, 1}, key, 6, 2, '.'));
  EXPECT_EQ(key, '3');
  EXPECT_TRUE(FilterNumericKey(EditState{"12.55", 1, 2}, key, 6, 2, '.'));
  EXPECT_EQ(key, 0);
  // At the caret, not at the end: "12.5" with the caret after "1" would become "132.5",
  // more integer digits than a 2-digit discount box holds.
  key = '3';
  EXPECT_TRUE(FilterNumericKey(EditState{"12.5", 1, 0}, key, 5, 2, '.'));
  EXPECT_EQ(key, 0);
  // And a leading digit that fits is accepted though appending it would not.
  key = '5';
  EXPECT_TRUE(FilterNumericKey(EditState{"1.5", 0, 0}, key, 5, 1, '.'));
  EXPECT_EQ(key, '5');
}

TEST(ZipKeyFilter, PostalCodeAlternatesLettersAndDigits) {
  EXPECT_EQ(TypeZip("k1a0b1"), "K1A0B1");
  EXPECT_EQ(TypeZip("k1a0b1c"), "K1A0B1");
  EXPECT_EQ(TypeZip("kk1"), "K1");                // a second letter is refused
  EXPECT_EQ(TypeZip("kk1", true), "KK");          // unless letters may follow the first
  EXPECT_EQ(TypeZip("k12a"), "K1A");              // a digit is refused in a letter place
  EXPECT_EQ(TypeZip("-k"), "K");
}

TEST(ZipKeyFilter, ZipModeTakesFiveDigits) {
  EXPECT_EQ(TypeZip("303011"), "30301");
  EXPECT_EQ(TypeZip("3a0"), "30");
  // A full six-character postal code refuses everything but the control keys.
  EditState full{"K1A0B1", 6, 0};
  for (int c : {int{'2'}, int{'C'}, kKeyBackspace}) {
    int key = c;
    FilterZipKey(full, key, false);
    EXPECT_EQ(key, c == kKeyBackspace ? c : 0);
  }
  // Selected text is replaced by any letter or digit.
  int key = 'q';
  FilterZipKey(EditState{"30301", 0, 5}, key, false);
  EXPECT_EQ(key, 'Q');
}

TEST(SafeValue, ReadsOnlyPlainNumbers) {
  EXPECT_EQ(SafeValueWith("92.5", '.'), 92.5);
  EXPECT_EQ(SafeValueWith("  -12 ", '.'), -12);
  EXPECT_EQ(SafeValueWith("1,5", ','), 1.5);
  for (const char* junk : {"", " ", "12abc", "1e3", "&H1F", "$12", "1.2.3", ".", "-", "1,5"}) {
    EXPECT_EQ(SafeValueWith(junk, '.'), 0) << junk;
  }
  EXPECT_EQ(SafeValueWith(std::string(400, '9'), '.'), 0);  // beyond a double
}

TEST(IsValidZip, UsAndCanadianCodesAndJunk) {
  Reset();
  for (const char* good : {"30301", "303", "K1A0B1", "K1A", "A1B2C3D4"}) {
    EXPECT_TRUE(IsValidZip(good)) << good;
  }
  for (const char* bad : {"", "3030", "303011", "k1a0b1", "K1A 0B1", "K1", "1e3", "1.5", "-55",
                          "0000", "000000", "30301 ", "KA1"}) {
    EXPECT_FALSE(IsValidZip(bad)) << bad;
  }
}

}  // namespace
}  // namespace frelane::modMain
