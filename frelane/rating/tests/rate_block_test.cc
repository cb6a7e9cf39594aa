// The rate block dialog on a scripted engine: its columns, cells and alternation weights,
// the minimum-charge list with the floor, the basis switch and a rating that fails.
#include "frelane/rating/frm_rate_block_alternation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frelane/rating/tests/outputs_fixture.h"

namespace frelane {
namespace {

namespace r = tolv::shipment_record;

struct Tables {
  std::vector<std::string> classes = {"500", "100", "92"};
  std::vector<std::int32_t> breaks = {1, 500, 1000, 2000, 5000, 10000, 20000, 30000, 40000};
  std::vector<std::vector<std::int32_t>> rates = {
      {2400, 2500, 2133, 1900, 1500, 1200, 1000, 1000000, 2000000},
      {2500, 2133, 2000, 1800, 1400, 1100, 900, 800, 700},
      {0, 1000, 900, 0, 700, 600, 500, 400, 300}};
  std::int32_t minimum_charge = 10000;
  std::string kinds = "101";
  std::vector<std::int32_t> bracket_weights = {200, 0, 1000};
  std::vector<std::int32_t> bracket_charges = {6500, 9000, 12000};
  std::int16_t class_count = -1;    // -1: the size of classes
  std::int16_t bracket_count = -1;  // -1: the size of kinds
  std::string status = "    ";
};

void Fill(tolv::ShipmentRecord& rec, const Tables& t) {
  os::RecordView v = rec.view();
  rec.header().SetText(tolv::shipment_header::kStatus, t.status);
  v.SetI16(r::kClassCount,
           t.class_count >= 0 ? t.class_count : static_cast<std::int16_t>(t.classes.size()));
  v.SetI16(r::kWeightBreakCount, static_cast<std::int16_t>(t.breaks.size()));
  for (std::size_t i = 0; i < t.classes.size(); ++i) v.SetText(r::kClassCode.Nth(i), t.classes[i]);
  // The last code as the engine writes it: padded with NULs.
  if (!t.classes.empty()) {
    const os::Field last = r::kClassCode.Nth(t.classes.size() - 1);
    v.Fill(last, 0);
    std::copy(t.classes.back().begin(), t.classes.back().end(), v.at(last));
  }
  for (std::size_t k = 0; k < t.breaks.size() && k < r::kTariffWeightBreaks; ++k) {
    v.SetI32(r::kWeightBreak.Nth(k), t.breaks[k]);
  }
  for (std::size_t row = 0; row < t.rates.size(); ++row) {
    for (std::size_t k = 0; k < t.rates[row].size(); ++k) {
      v.SetI32(r::kRateMatrix.Nth(row * t.breaks.size() + k), t.rates[row][k]);
    }
  }
  v.SetI32(r::kMinimumChargeCents, t.minimum_charge);
  v.SetText(r::kBracketKinds, t.kinds);
  for (std::size_t i = 0; i < t.bracket_weights.size(); ++i) {
    v.SetI32(r::kBracketWeight.Nth(i), t.bracket_weights[i]);
    v.SetI32(r::kBracketCharge.Nth(i), t.bracket_charges[i]);
  }
  v.SetI16(r::kBracketCount,
           t.bracket_count >= 0 ? t.bracket_count : static_cast<std::int16_t>(t.kinds.size()));
}

class RateBlockTest : public testing::OutputsTest {
 protected:
  void SetUp() override {
    OutputsTest::SetUp();
    modMain::Settings().SetI16(settings::kDiscountCount, 3);
    modMain::Settings().SetI32(settings::kSpotQuoteWeightLimit, 10000);
    engine_->rate = [this](ShipmentBytes bytes) {
      tolv::ShipmentRecord rec = tolv::ShipmentRecord::FromBytes(bytes.data());
      Fill(rec, tables_);
      rec.CopyTo(bytes.data());
    };
    auto block = modTolvDeclares32::ShipmentRecord().discount_a();
    block.SetText(tolv::discount_block::kValue.Nth(0), "2500");
    block.SetText(tolv::discount_block::kValue.Nth(1), "5550");
    block.SetText(tolv::discount_block::kValue.Nth(2), " 0000");
    modMain::Lane().LaneMcFloor = runtime::Currency::FromCents(7500);
    Screen();
    // The lane as the rating screen rated it.
    modTolvDeclares32::Tolv_RateShipment();
    log_->rated_records.clear();
  }

  // The discount kinds the engine was asked with, in order.
  std::string KindsSent() const {
    std::string kinds;
    for (const auto& bytes : log_->rated_records) {
      kinds += static_cast<char>(bytes[1 + tolv::shipment_header::kDiscountKind.offset]);
    }
    return kinds;
  }

  std::vector<std::string> MinimumCharges() {
    std::vector<std::string> items;
    for (int i = 0; i < dialog_.lstMinimumCharges.ListCount(); ++i) {
      items.push_back(dialog_.lstMinimumCharges.List(i));
    }
    return items;
  }

  std::string Cell(int row, int column) {
    return dialog_.lblRates((row - 1) * frmRateBlockAlternation::kColumns + column).Caption();
  }

  Tables tables_;
  frmRateBlockAlternation& dialog_ = app_.Get<frmRateBlockAlternation>();
};

TEST_F(RateBlockTest, ColumnsUpToTheSpotQuoteLimitWithDiscountedRatesAndTheFloor) {
  user_.WhenShown("frmRateBlockAlternation", [&] {
    EXPECT_EQ(dialog_.lblName.Caption(), "Example Freight");
    const char* captions[] = {"L5C", "5C", "1M", "2M", "5M", "10M", "", "", ""};
    for (int k = 1; k <= 9; ++k) {
      EXPECT_EQ(dialog_.lblWeight(k).Caption(), captions[k - 1]) << k;
      EXPECT_EQ(dialog_.lblWeight(k).Visible(), k <= 6) << k;
    }
    EXPECT_EQ(dialog_.lblClass(2).Caption(), "100   ");
    // A code padded with NULs, as the engine leaves it, reads as blanks.
    EXPECT_EQ(dialog_.lblClass(3).Caption(), "92    ");
    EXPECT_FALSE(dialog_.lblClass(4).Visible());
    EXPECT_EQ(Cell(1, 1), "24.00");
    EXPECT_EQ(Cell(2, 2), "21.33");
    EXPECT_EQ(Cell(1, 7), "");
    EXPECT_EQ(dialog_.lblDiscounts(1).Caption(), "55.5%");
    EXPECT_EQ(dialog_.lblDiscounts(2).Caption(), "0%");
    EXPECT_EQ(dialog_.lblMinimumChargeDiscount.Caption(), "25");
    EXPECT_EQ(MinimumCharges(),
              (std::vector<std::string>{"MC Discount = 25%", "", "    >199   75.00*",
                                        "SS  >0     90.00", "    >999   120.00", "",
                                        "* = MC Floor"}));
    user_.MenuClick(dialog_.mnuExit);
  });
  dialog_.ShowModal();
  EXPECT_EQ(KindsSent(), "RR");
}

TEST_F(RateBlockTest, AlternationWeightsWithoutOverflowAndBlankAfterAZeroRate) {
  modMain::Settings().SetI32(settings::kSpotQuoteWeightLimit, 0);  // no limit
  user_.WhenShown("frmRateBlockAlternation", [&] {
    EXPECT_EQ(dialog_.lblWeight(9).Caption(), "40M");
    user_.Click(dialog_.optAlternation);
    EXPECT_EQ(Cell(1, 1), "417");    // 10000 / 24 + 0.5
    EXPECT_EQ(Cell(2, 2), "427");    // 500 x 2133 / 2500 + 0.5
    EXPECT_EQ(Cell(1, 9), "80001");  // 40000 x 2000000 / 1000000 + 0.5
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(Cell(3, 2), "");
    EXPECT_EQ(Cell(3, 5), "");       // the rate before it is 0
    EXPECT_EQ(Cell(3, 6), "8572");   // 10000 x 600 / 700 + 0.5
    user_.Click(dialog_.optRates);
    EXPECT_EQ(Cell(3, 6), "6.00");
    user_.MenuClick(dialog_.mnuExit);
  });
  dialog_.ShowModal();
}

TEST_F(RateBlockTest, BaseRatesTwiceWithChargesKindAndDropsTheDiscountCaptions) {
  modMain::Settings().SetOn(settings::kNeverAskSingleShipment, true);
  modMain::Lane().LaneMcFloor = runtime::Currency::FromCents(6000);
  user_.WhenShown("frmRateBlockAlternation", [&] {
    user_.Click(dialog_.optBase);
    EXPECT_EQ(dialog_.lblDiscounts(1).Caption(), "");
    EXPECT_EQ(dialog_.lblMinimumChargeDiscount.Caption(), "25");
    EXPECT_EQ(MinimumCharges(),
              (std::vector<std::string>{"", "    >199   65.00", "    >999   120.00"}));
    user_.MenuClick(dialog_.mnuExit);
  });
  dialog_.ShowModal();
  EXPECT_EQ(KindsSent(), "RRCC");
}

TEST_F(RateBlockTest, NoDiscountsMeansBaseOnlyAndNoFloorMeansNoStar) {
  modMain::Settings().SetI16(settings::kDiscountCount, 0);
  modMain::Lane().LaneMcFloor = runtime::Currency();
  tables_.bracket_charges = {0, 9000, 12000};
  user_.WhenShown("frmRateBlockAlternation", [&] {
    EXPECT_TRUE(dialog_.optBase.Value());
    EXPECT_FALSE(dialog_.optDiscounted.Enabled());
    EXPECT_EQ(dialog_.lblDiscounts(1).Caption(), "");
    EXPECT_EQ(MinimumCharges(), (std::vector<std::string>{"", "    >199   0.00",
                                                          "SS  >0     90.00",
                                                          "    >999   120.00"}));
    user_.MenuClick(dialog_.mnuExit);
  });
  dialog_.ShowModal();
  EXPECT_EQ(KindsSent(), "CC");
}

TEST_F(RateBlockTest, AFailedRatingShowsTheMessageAndAnEmptyGrid) {
  user_.WhenShown("frmRateBlockAlternation", [&] {
    EXPECT_EQ(Cell(1, 1), "24.00");
    tables_.status = "0216";
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK,
                       "Charges can not be calculated.  Contact the carrier for charges for "
                       "this movement.");
    user_.Click(dialog_.optBase);
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(dialog_.lstMinimumCharges.ListCount(), 0);
    user_.MenuClick(dialog_.mnuExit);
  });
  dialog_.ShowModal();
}

TEST_F(RateBlockTest, CountsBeyondTheGridAreHeldToIt) {
  tables_.class_count = 40;
  tables_.bracket_count = 99;
  tables_.kinds = std::string(30, '1');
  modMain::Settings().SetI32(settings::kSpotQuoteWeightLimit, 0);
  modTolvDeclares32::Tolv_RateShipment();
  user_.WhenShown("frmRateBlockAlternation", [&] {
    EXPECT_TRUE(dialog_.lblClass(19).Visible());
    EXPECT_EQ(dialog_.lstMinimumCharges.ListCount(), 2 + 30 + 2);
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # ");
    user_.MenuClick(dialog_.mnuPrint);
    user_.MenuClick(dialog_.mnuExit);
  });
  dialog_.ShowModal();
}

}  // namespace
}  // namespace frelane
