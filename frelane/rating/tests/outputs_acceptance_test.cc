// A real quote through the real engine library on the sample data set, printed and exported:
// what the printout and the export line carry is what the screen shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/print_quote.h"
#include "frelane/rating/shipment_export.h"
#include "frelane/rating/tests/sample_program_fixture.h"
#include "platform/print/display_list_text.h"
#include "platform/print/recording_print_system.h"
#include "platform/runtime/format.h"
#include "testkit/read_file.h"

namespace frelane {
namespace {

class OutputsAcceptanceTest : public testing::SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    modShipmentExport::ExportSettings() = {};
  }
  void TearDown() override {
    modShipmentExport::ExportSettings() = {};
    SampleProgramTest::TearDown();
  }

  frmRatingScreen& RatedQuote() {
    frmRatingScreen& s = Lane("30310", "60610", {});
    user_.TypeInto(s.cboClass(1), "100");
    user_.Tab();
    user_.Type("1200");
    user_.Tab();
    return s;
  }

  print::testing::ScopedRecordingPrintSystem printers_;
};

TEST_F(OutputsAcceptanceTest, PrintedAndExportedQuoteCarryTheScreensValues) {
  frmRatingScreen& s = RatedQuote();
  const std::string total = s.lblTotalCharge.Caption();
  ASSERT_FALSE(modMain::Trim(total).empty()) << "the lane was not rated";
  ASSERT_TRUE(s.lblTotalChargeLabel.Visible());

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  user_.MenuClick(s.mnuFilePrint);
  ASSERT_EQ(printers_->jobs().size(), 1u);
  std::vector<std::string> lines = print::PageLines(printers_->LastDocument().pages.at(0));
  auto line_with = [&](const std::string& text) {
    for (const std::string& l : lines) {
      if (l.find(text) != std::string::npos) return l;
    }
    return std::string();
  };
  const std::string origin = line_with("Origin      ");
  EXPECT_EQ(origin.substr(12, 8), "30310   ");
  EXPECT_EQ(origin.substr(55), " 100" + std::string(7, ' ') + "    1200" +
                                   std::string(10 - s.lblRate(1).Caption().size(), ' ') +
                                   s.lblRate(1).Caption() +
                                   std::string(11 - s.lblCharge(1).Caption().size(), ' ') +
                                   s.lblCharge(1).Caption());
  const std::string total_row = line_with("Total Charge");
  ASSERT_EQ(total_row.size(), 95u);
  EXPECT_EQ(total_row.substr(95 - total.size()), total);
  EXPECT_NE(line_with("Quotes are valid for thirty days."), "");

  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("quotes.prn")};
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  user_.MenuClick(s.mnuFileExport);
  const std::string file = testkit::ReadFile(dir_.File("quotes.prn"));
  ASSERT_EQ(file.size(), 253u + 2);
  EXPECT_EQ(file.substr(15, 5), "30310");
  EXPECT_EQ(file.substr(20, 2), s.lblOriginState.Caption().substr(0, 2));
  EXPECT_EQ(file.substr(22, 5), "60610");
  EXPECT_EQ(file.substr(27, 2), s.lblDestinationState.Caption().substr(0, 2));
  EXPECT_EQ(file.substr(29, 6), "001200");
  EXPECT_EQ(file.substr(109, 14),
            runtime::Format(modMain::SafeValue(total), "00000000000.00"));  // NET_$
  EXPECT_EQ(file.substr(125, 3), "100");
  EXPECT_EQ(modMain::SafeValue(file.substr(128, 6)), 1200);
  EXPECT_EQ(modMain::SafeValue(file.substr(134, 7)), modMain::SafeValue(s.lblRate(1).Caption()));
  EXPECT_EQ(file.substr(141, 112), std::string(112, ' '));
  EXPECT_EQ(file.substr(253), "\r\n");
}

}  // namespace
}  // namespace frelane
