// Postal-code surcharges and notes over AccAdjustment.dat, and the message of each pair.
#include "frelane/rating/zip_surcharge.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include <string>

#include "frelane/core/main_module.h"
#include "frelane/rating/carrier_contact.h"
#include "testkit/quote/quote_files.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using testkit::ZipAdjustment;

const std::string kN1 = "An additional charge applies to this zip/postal code. \r\nSee Rules Item";
const std::string kN2 =
    "This location is not a service point. Please contact the carrier for a quote and service "
    "options. \r\nSee Rules Item";
const std::string kN3 =
    "An Additional charge applies to this zip/postal code \r\nif the destination is in the "
    "Alberta Oil Sands. See Rules Item";

std::string S(const std::string& amount) {
  return "An additional $ " + amount + " surcharge applies to this zip/postal code. \r\nSee Rules Item ";
}

class ZipSurchargeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::Reset();
    modMain::Get().data_directory = dir_.path();
  }
  void TearDown() override { modMain::Reset(); }

  // Origin 11111 and destination 22222 with the given amounts (0 = no record).
  double Pair(double origin, double destination, std::string& message) {
    std::vector<ZipAdjustment> records;
    if (origin != 0) records.push_back({"11111", "11111", 0, 0, origin, "120"});
    if (destination != 0) records.push_back({"22222", "22222", 0, 0, destination, "130"});
    dir_.Write("AccAdjustment.dat", testkit::ZipAdjustmentsFile(records));
    return modMain::GetZipSurcharge("11111 ", "22222 ", 1000, message);
  }

  testkit::TempDir dir_;
};

TEST_F(ZipSurchargeTest, EveryPairOfAmountsAndNotes) {
  struct Case {
    double o, d, result;
    std::string message;
  };
  const Case cases[] = {
      {35, 0, 35, S("35.00") + "120"},
      {0, 20, 20, S("20.00") + "130"},
      {35, 20, 55,
       "An additional $ 55.00 surcharge applies to this zip/postal code. \r\nSee Rules Items 120 "
       "and 130"},
      {0, -3, 0, kN3 + " 130"},
      {-3, 0, 0, ""},
      {-1, 0, 0, kN1 + " 120"},
      {35, -1, 35, S("35.00") + "120\r\n" + kN1 + " 130"},
      {35, -1.5, 35, S("35.00") + "120\r\n"},
      {-2, 20, 20, S("20.00") + "130\r\n" + kN2 + " 120"},
      {-3, 20, 20, S("20.00") + "130\r\n"},
      {-1, -1, 0, kN1 + "s 120 and 130"},
      {-2, -2, 0, kN2 + "s 120 and 130"},
      {-1, -3, 0, kN1 + " 120\r\n" + kN3 + " 130"},
      {-2, -1, 0, kN2 + " 120\r\n" + kN1 + " 130"},
      // Two codes below zero that no rule pairs say nothing at all.
      {-3, -1, 0, ""},
      {-3, -2, 0, ""},
      {-3, -3, 0, ""},
      {-1.5, -1, 0, ""},
      {-1.5, -2, 0, ""},
      {-1, -1.5, 0, ""},
      {-2, -4, 0, ""},
      {-1.5, 0, 0, ""},
      {0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    std::string message = "stale";
    EXPECT_DOUBLE_EQ(Pair(c.o, c.d, message), c.result) << c.o << " / " << c.d;
    EXPECT_EQ(message, c.message) << c.o << " / " << c.d;
  }
}

TEST_F(ZipSurchargeTest, RangesWeightWindowsAndTheFirstRecord) {
  dir_.Write("AccAdjustment.dat",
             testkit::ZipAdjustmentsFile({{"30000", "30999", 500, 999, 10, "A"},
                                          {"30000", "30999", 1000, 0, 25, "B"},
                                          {"30300", "30399", 0, 0, 99, "C"},
                                          {"K1A", "K1AZZZ", 0, 0, -2, "D"}}));
  std::string message;
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "99999", 500, message), 10);
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "99999", 1000, message), 25);
  EXPECT_EQ(message, S("25.00") + "B");
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "99999", 20000, message), 25);
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "99999", 499, message), 99);

  // The carrier's telephone number is named where the settings hold one.
  modMain::Settings().SetText(settings::kAboutText3, "(555) 010-0199");
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("99999", "K1A0B1", 499, message), 0);
  EXPECT_EQ(message,
            "This location is not a service point. Please contact the carrier at (555) 010-0199 "
            "for a quote and service options. \r\nSee Rules Item D");
}

TEST_F(ZipSurchargeTest, MissingShortAndHandBuiltFiles) {
  std::string message = "stale";
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "60610", 100, message), 0);
  EXPECT_EQ(message, "");
  // Something other than a file under that name (a pipe, which a read would wait on) is
  // passed over quietly.
  ASSERT_EQ(::mkfifo(dir_.File("AccAdjustment.dat").c_str(), 0600), 0);
  message = "stale";
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "60610", 100, message), 0);
  EXPECT_EQ(message, "");
  std::filesystem::remove(dir_.File("AccAdjustment.dat"));
  // One hand-built record (35.00 for 30310 from 0 lbs on, item 120) and a partial one.
  std::string record = "30310 30310 ";
  record += std::string("\0\0\0\0\0\0\0\0", 8);
  record += std::string("\0\0\0\0\0\x80\x41\x40", 8);  // 35.0
  record += "120       ";
  dir_.Write("AccAdjustment.dat", record + "3031");
  EXPECT_DOUBLE_EQ(modMain::GetZipSurcharge("30310", "60610", 100, message), 35);
  EXPECT_EQ(message, S("35.00") + "120");
}

TEST(CarrierTelephoneTest, FindsTheNumberInATextButNotADate) {
  EXPECT_EQ(TelephoneIn("Customer service 555-0100"), "555-0100");
  EXPECT_EQ(TelephoneIn("Call +1 (555) 010-0199 today"), "+1 (555) 010-0199");
  EXPECT_EQ(TelephoneIn("12-01-2026"), "");
  EXPECT_EQ(TelephoneIn("Rules Tariff QFL 100"), "");
  EXPECT_EQ(TelephoneIn(""), "");
}

}  // namespace
}  // namespace frelane
