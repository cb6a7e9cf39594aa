// The point boxes through the headless driver: keys, widening, state and cities shown,
// the lane rated once both points are valid, the unserved-pair message, the
// single-shipment question, the intrastate tariff label and the default points.
#include "frelane/rating/frm_rating_screen.h"

#include <memory>
#include <string>
#include <vector>

#include "frelane/rating/frm_singleshipment.h"
#include "frelane/rating/lane_rating.h"
#include "frelane/rating/picked_point.h"
#include "frelane/rating/tests/lane_test_support.h"
#include "testkit/app/fake_engine.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

namespace header = tolv::shipment_header;
namespace layout = tolv::shipment_record;

// What the fake engine answers to every rating.
struct EngineAnswer {
  std::string status = "    ";
  std::string rate_basis = "      12345";
  std::string origin_service = " ", destination_service = " ";
  std::string bracket_kinds;
  std::vector<std::int32_t> bracket_charges;
};

class PointEntryTest : public testing::LaneTest {
 protected:
  void SetUp() override {
    LaneTest::SetUp();
    auto engine = std::make_unique<testkit::FakeEngine>();
    log_ = engine->log();
    engine->rate = [this](ShipmentBytes bytes) { Answer(bytes); };
    modTolvDeclares32::InstallEngine(std::move(engine));
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetText(settings::kUnservedLaneMessage, "Invalid Zip Code Combination");
    s.SetOn(settings::kCityLookupShown, true);
    s.SetOn(settings::kWidenShortPostalCodes, true);
    s.SetI16(settings::kDiscountCount, 3);
    s.SetOn(settings::kDiscountsFixed, true);
    dir_.Write("state.dat", testkit::StateFile({{152, "PA"}, {303, "GA"}, {317, "GA"}, {606, "IL"}}));
    dir_.Write("zipval.dat", testkit::ServedLaneFile({{"300", "319", "600", "629"},
                                                      {"300", "319", "300", "319"},
                                                      {"150", "152", "K0A", "P9Z"}}));
    dir_.Write("tariffs.dat", testkit::TariffListFile({{"US", "USBASE01"}, {"CD", "CROSS001"},
                                                       {"GA", "GEORGIA1", true, "Georgia Rates"}}));
    testkit::CityFiles cities = testkit::CityFilesOf({{"Chicago", "IL", "60601"},
                                                      {"Atlanta", "GA", "30301"},
                                                      {"Fulton Mill", "GA", "30301"},
                                                      {"Buckhead", "GA", "30301"},
                                                      {"Albany", "GA", "31701"},
                                                      {"Ottawa", "ON", "K1A0B1"}});
    dir_.Write("cityzip.dat", cities.cityzip);
    dir_.Write("zipcity.dat", cities.zipcity);
  }

  void Answer(ShipmentBytes bytes) {
    os::RecordView record(bytes);
    os::RecordView h = record.Sub(layout::kHeader);
    const bool mileage = h.Raw(header::kTariffName) == "MILE0001";
    const EngineAnswer& answer = mileage ? mileage_ : answer_;
    h.SetText(header::kStatus, answer.status);
    h.SetText(header::kRateBasisNumber, answer.rate_basis);
    h.SetText(header::kOriginService, answer.origin_service);
    h.SetText(header::kDestinationService, answer.destination_service);
    record.SetText(layout::kBracketKinds, answer.bracket_kinds);
    record.SetI16(layout::kBracketCount, static_cast<std::int16_t>(answer.bracket_charges.size()));
    for (std::size_t j = 0; j < answer.bracket_charges.size(); ++j) {
      record.SetI32(layout::kBracketCharge.Nth(j), answer.bracket_charges[j]);
    }
  }

  frmRatingScreen& Shown() {
    frmRatingScreen& screen = app_.Get<frmRatingScreen>();
    screen.Show();
    return screen;
  }
  // Types both points key by key, leaving each with Tab.
  void EnterLane(frmRatingScreen& screen, const std::string& origin, const std::string& destination) {
    user_.Focus(screen.txtOrigin);
    user_.Type(origin);
    user_.Tab();
    user_.Type(destination);
    user_.Tab();
  }
  std::string Sent(const os::Field& field, std::size_t rating = 0) const {
    const std::vector<std::uint8_t>& r = log_->rated_records.at(rating);
    return os::ConstRecordView(r).Sub(layout::kHeader).Raw(field);
  }

  EngineAnswer answer_;
  EngineAnswer mileage_;  // the answer to a rating on the mileage tariff
  std::shared_ptr<testkit::FakeEngine::Log> log_;
};

TEST_F(PointEntryTest, TypingTwoPointsRatesTheLane) {
  frmRatingScreen& screen = Shown();
  EnterLane(screen, "30301", "60601");
  ASSERT_EQ(log_->rated_records.size(), 1u);
  EXPECT_EQ(Sent(header::kOriginZip), "30301 ");
  EXPECT_EQ(Sent(header::kDestinationZip), "60601 ");
  EXPECT_EQ(Sent(header::kTariffName), "USBASE01");
  EXPECT_EQ(Sent(header::kIntrastateFlag) + Sent(header::kSingleShipment) +
                Sent(header::kDiscountSwitch),
            "NNY");
  EXPECT_EQ(screen.lblOriginState.Caption(), "GA");
  EXPECT_EQ(screen.lblDestinationState.Caption(), "IL");
  EXPECT_EQ(modMain::Lane().DestinationState, "IL");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 12345");
  EXPECT_TRUE(screen.mnuViewRateBlockAlternation.Enabled());
  EXPECT_TRUE(screen.btnViewTerminalInformation.Enabled());
  EXPECT_FALSE(screen.LaneNotRated);
  EXPECT_TRUE(screen.cboClass(1).HasFocus());
  EXPECT_TRUE(user_.MessageBoxes().empty());

  // An edit of a point withdraws the lane.
  user_.Focus(screen.txtDestination);
  user_.Type("6");
  EXPECT_FALSE(screen.mnuViewRateBlockAlternation.Enabled());
  EXPECT_EQ(screen.lblDestinationState.Caption(), "");
}

TEST_F(PointEntryTest, MilesShownBesideTheLanesOwnRating) {
  modMain::Settings().SetOn(settings::kShowMiles, true);
  mileage_.rate_basis = "        612";
  frmRatingScreen& screen = Shown();
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblMiles.Caption(), "Miles = 612");
  // The mileage rating goes first; the lane's own rating still gets its tariff, switch
  // and detail count, and its rate basis is the one shown.
  ASSERT_EQ(log_->rated_records.size(), 2u);
  EXPECT_EQ(Sent(header::kTariffName, 0), "MILE0001");
  EXPECT_EQ(Sent(header::kTariffName, 1), "USBASE01");
  EXPECT_EQ(Sent(header::kDiscountSwitch, 1), "Y");
  EXPECT_EQ(Sent(header::kDetailCount, 0), "00");
  EXPECT_EQ(Sent(header::kDetailCount, 1), "0 ");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 12345");
  EXPECT_TRUE(user_.MessageBoxes().empty());

  // A lane the mileage tariff does not know shows no miles and is rated all the same.
  mileage_.status = "0216";
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblMiles.Caption(), "");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 12345");
  EXPECT_FALSE(screen.LaneNotRated);
}

TEST_F(PointEntryTest, ServiceFromTheMatrixOrFromTheEngine) {
  answer_.origin_service = "I";
  answer_.destination_service = "D";
  frmRatingScreen& screen = Shown();
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "Non-Direct");
  EXPECT_EQ(screen.lblServiceType.Caption(), "Direct");
  EXPECT_TRUE(screen.lblServiceLabel.Visible());

  dir_.Write("ServiceUO.dat", testkit::ZipRangeFile({{"30000", "31999"}}));
  dir_.Write("ServiceUD.dat", testkit::ZipRangeFile({{"60000", "62999"}, {"30000", "31999"}}));
  dir_.Write("ServiceM.dat", testkit::ServiceMatrixFile({{1}, {0}}));
  dir_.Write("ServiceUS.dat", testkit::ServiceDaysFile({{2, 3}}));
  screen.lblServiceDisclaimer.SetCaption("Days are estimates.");
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "2-3 Day(s)");
  EXPECT_EQ(screen.lblServiceType.Caption(), "");
  EXPECT_TRUE(screen.lblServiceDisclaimer.Visible());
  user_.ExpectMsgBox(forms::MsgBoxResult::kNo, "Use Georgia Rates?");
  EnterLane(screen, "30301", "31701");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "Out of Service");
  EXPECT_EQ(screen.lblServiceType.Caption(), "Area");
  EXPECT_FALSE(screen.lblServiceDisclaimer.Visible());
}

TEST_F(PointEntryTest, AcceptedIntrastateTariffStaysWithTheRatedLane) {
  dir_.Write("ServiceUO.dat", testkit::ZipRangeFile({{"30000", "31999"}}));
  dir_.Write("ServiceUD.dat", testkit::ZipRangeFile({{"30000", "31999"}}));
  dir_.Write("ServiceM.dat", testkit::ServiceMatrixFile({{1}}));
  dir_.Write("ServiceUS.dat", testkit::ServiceDaysFile({{1, 1}}));
  frmRatingScreen& screen = Shown();
  user_.ExpectMsgBox(forms::MsgBoxResult::kYes, "Use Georgia Rates?");
  EnterLane(screen, "30301", "31701");
  EXPECT_EQ(Sent(header::kTariffName), "GEORGIA1");
  EXPECT_EQ(Sent(header::kIntrastateFlag), "Y");
  EXPECT_EQ(screen.lblIntrastateTariff.Caption(), "Georgia Rates");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "1 Day(s)");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 12345");
  // A new point withdraws it with the lane.
  user_.Focus(screen.txtDestination);
  user_.Type("6");
  EXPECT_EQ(screen.lblIntrastateTariff.Caption(), "");
}

TEST_F(PointEntryTest, ShortCodesAreWidenedForTheEngineOnly) {
  frmRatingScreen& screen = Shown();
  EXPECT_EQ(screen.ExpandShortZip(" 303 "), "30301");
  EXPECT_EQ(screen.ExpandShortZip("K1A"), "K1A0A");
  EXPECT_EQ(screen.ExpandShortZip("000"), "0000A");
  EXPECT_EQ(screen.ExpandShortZip("30301"), "30301");
  EnterLane(screen, "152", "K1A");
  EXPECT_EQ(Sent(header::kOriginZip), "15201 ");
  EXPECT_EQ(Sent(header::kDestinationZip), "K1A0A ");
  EXPECT_EQ(Sent(header::kTariffName), "CROSS001");
  EXPECT_EQ(screen.txtOrigin.Text(), "152");
  EXPECT_EQ(screen.lblOriginState.Caption(), "PA");
  EXPECT_EQ(screen.lblDestinationState.Caption(), "ON");

  modMain::Settings().SetOn(settings::kWidenShortPostalCodes, false);
  EXPECT_EQ(screen.ExpandShortZip("303"), "303");
  EXPECT_EQ(screen.ExpandShortZip("K1A"), "K1A");
}

TEST_F(PointEntryTest, CitiesOfThePoint) {
  frmRatingScreen& screen = Shown();
  EnterLane(screen, "30301", "60601");
  // Three cities share 30301: listed in index order, the first shown.
  ASSERT_EQ(screen.cboOriginCity.ListCount(), 3);
  EXPECT_EQ(screen.cboOriginCity.List(0), "Atlanta");
  EXPECT_EQ(screen.cboOriginCity.List(2), "Fulton Mill");
  EXPECT_EQ(screen.lblOriginCity.Caption(), "Atlanta");
  EXPECT_TRUE(screen.cboOriginCity.Visible());
  EXPECT_EQ(screen.lblDestinationCity.Caption(), "Chicago");
  EXPECT_FALSE(screen.cboDestinationCity.Visible());

  // A city picked in City Look-Up is shown alone, once.
  modMain::PickedCity() = "Buckhead";
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblOriginCity.Caption(), "Buckhead");
  EXPECT_EQ(screen.cboOriginCity.ListCount(), 1);
  EXPECT_FALSE(screen.cboOriginCity.Visible());
  EXPECT_EQ(modMain::PickedCity(), "");

  // A code without cities, and city files that are empty or point outside themselves.
  EnterLane(screen, "31799", "60601");
  EXPECT_EQ(screen.lblOriginCity.Caption(), "");
  dir_.Write("zipcity.dat", std::string());
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblOriginCity.Caption(), "");
  dir_.Write("zipcity.dat", testkit::CityFilesOf({{"X", "GA", "30301"}}).zipcity +
                                std::string("\x63\0\0\0", 4));
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.cboOriginCity.ListCount(), 0);
  EXPECT_TRUE(user_.MessageBoxes().empty());
}

TEST_F(PointEntryTest, InvalidAndUnservedPoints) {
  frmRatingScreen& screen = Shown();
  user_.Focus(screen.txtOrigin);
  user_.Type("3030");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip");
  user_.Tab();
  EXPECT_TRUE(screen.txtOrigin.HasFocus());
  EXPECT_EQ(screen.txtOrigin.SelLength(), 4);

  // Unserved: rated nothing, said when the user leaves the destination for the lines.
  user_.Type("40202");
  user_.Tab();
  user_.Type("60601");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
  user_.Tab();
  EXPECT_TRUE(log_->rated_records.empty());
  EXPECT_TRUE(screen.txtOrigin.HasFocus());
  EXPECT_FALSE(screen.LaneNotRated);

  // A destination typed first is rated at once and fails; leaving to Reset says nothing.
  user_.Click(screen.btnFileReset, 10, 10);
  user_.Focus(screen.txtDestination);
  user_.Type("60601");
  user_.Focus(screen.btnNewShipment);
  EXPECT_TRUE(screen.LaneNotRated);
  EXPECT_EQ(user_.MessageBoxes().size(), 2u);

  // An engine status is not rated either.
  answer_.status = "0217";
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(screen.lblRBN.Caption(), "");
  EXPECT_EQ(log_->rated_records.size(), 2u);
  EXPECT_FALSE(screen.mnuViewRateBlockAlternation.Enabled());
  EXPECT_FALSE(screen.btnViewRateBlockAlternation.Enabled());
  EXPECT_FALSE(screen.mnuViewTerminalInformation.Enabled());
  EXPECT_FALSE(screen.btnViewTerminalInformation.Enabled());
}

TEST_F(PointEntryTest, SingleShipmentQuestionWhenTheBracketsCallForIt) {
  tolv::ShipmentRecord record;
  auto due = [&](const std::string& kinds, std::vector<std::int32_t> charges) {
    record.view().SetText(layout::kBracketKinds, kinds);
    record.view().SetI16(layout::kBracketCount, static_cast<std::int16_t>(charges.size()));
    for (std::size_t j = 0; j < charges.size(); ++j) {
      record.view().SetI32(layout::kBracketCharge.Nth(j), charges[j]);
    }
    return SingleShipmentQuestionDue(record);
  };
  EXPECT_TRUE(due("110", {0, 5000, 7000}));
  EXPECT_FALSE(due("111", {0, 5000, 7000}));
  EXPECT_FALSE(due("000", {0, 5000, 7000}));
  EXPECT_FALSE(due("10", {5000, 0}));
  record.view().SetText(layout::kBracketKinds, std::string(30, '1'));
  record.view().SetI16(layout::kBracketCount, 999);  // never beyond the 30 brackets
  EXPECT_FALSE(SingleShipmentQuestionDue(record));

  answer_.bracket_kinds = "10";
  answer_.bracket_charges = {6500, 9000};
  frmRatingScreen& screen = Shown();
  user_.WhenShown("frmSingleshipment", [&] {
    EXPECT_EQ(app_.Get<frmSingleshipment>().Caption(), "Single Shipment");
    user_.Type("y");
  });
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(HeaderRaw(header::kSingleShipment), "Y");
  EXPECT_FALSE(screen.mnuFileCityLookup.Enabled());

  // Re-rated as "N"; the switch that never asks leaves it so.
  modMain::Settings().SetOn(settings::kNeverAskSingleShipment, true);
  EnterLane(screen, "30301", "60601");
  EXPECT_EQ(Sent(header::kSingleShipment, 1), "N");
  EXPECT_EQ(HeaderRaw(header::kSingleShipment), "N");
}

// Ctrl+A selects the point so the next code replaces it; what a paste or cut puts in or
// takes out passes the point's filter, which a lock from the settings closes to them too.
TEST_F(PointEntryTest, EditingKeysInThePointBoxes) {
  frmRatingScreen& screen = Shown();
  const auto ctrl = [this](char letter) { user_.Press(letter, forms::kCtrlMask); };
  user_.Focus(screen.txtOrigin);
  user_.Type("30301");
  ctrl('A');
  user_.Type("60601");
  EXPECT_EQ(screen.txtOrigin.Text(), "60601");

  ctrl('A');
  user_.Paste("k1a0b1");
  EXPECT_EQ(screen.txtOrigin.Text(), "K1A0B1") << "raised as typing raises it";
  const int beeps = user_.beeps();
  ctrl('A');
  user_.Paste("3O3O1");  // letters where a zip code has digits
  user_.Paste("303010");
  EXPECT_EQ(screen.txtOrigin.Text(), "K1A0B1");
  EXPECT_EQ(user_.beeps(), beeps + 2);
  ctrl('Z');
  EXPECT_EQ(screen.txtOrigin.Text(), "60601");
}

TEST_F(PointEntryTest, ALockedPointHoldsAgainstCutPasteAndUndo) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kDefaultOrigin, "30301");
  s.SetOn(settings::kOriginLocked, true);
  frmRatingScreen& screen = Shown();
  user_.Focus(screen.txtOrigin);
  user_.SetClipboardText("60601");
  for (char letter : {'A', 'X', 'V', 'Z'}) user_.Press(letter, forms::kCtrlMask);
  EXPECT_EQ(screen.txtOrigin.Text(), "30301");
  EXPECT_EQ(user_.ClipboardText(), "60601");
}

TEST_F(PointEntryTest, DefaultAndLockedPoints) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kDefaultOrigin, "30301");
  s.SetOn(settings::kOriginLocked, true);
  s.SetText(settings::kDefaultDestination, "606");
  s.SetOn(settings::kCityLookupShown, false);
  frmRatingScreen& screen = Shown();
  user_.Focus(screen.txtDestination);
  user_.Focus(screen.txtOrigin);
  EXPECT_EQ(screen.txtOrigin.Text(), "30301");
  EXPECT_FALSE(screen.mnuFileCityLookup.Enabled());
  user_.Type("9");
  user_.Press(46);
  EXPECT_EQ(screen.txtOrigin.Text(), "30301");
  user_.Tab();
  EXPECT_EQ(screen.txtDestination.Text(), "606   ");  // the whole default field
  EXPECT_TRUE(screen.mnuFileCityLookup.Enabled());
  user_.Tab();
  EXPECT_EQ(Sent(header::kDestinationZip), "60601 ");

  // A toolbar mark stops the origin's work, never the destination's.
  screen.txtDestination.SetText("");
  screen.ToolbarClickMarker = "C";
  user_.Focus(screen.txtDestination);
  EXPECT_EQ(screen.txtDestination.Text(), "606   ");
  EXPECT_EQ(screen.ToolbarClickMarker, "C");
  screen.txtOrigin.SetText("");
  user_.Focus(screen.txtOrigin);
  EXPECT_EQ(screen.txtOrigin.Text(), "");
  EXPECT_EQ(screen.ToolbarClickMarker, "G");
}

// Sent back to the origin by the unserved-pair message, the user keeps what was typed even
// against a default origin, and the line the Tab was heading to takes no default class; a
// new shipment after a blank class takes the default origin again.
TEST_F(PointEntryTest, BackToTheOriginKeepsWhatWasTyped) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kDefaultOrigin, "15201");
  s.SetText(settings::kDefaultClass, "100");
  s.SetI32(settings::kDefaultWeight, 500);
  frmRatingScreen& screen = Shown();
  user_.Focus(screen.txtOrigin);
  EXPECT_EQ(screen.txtOrigin.Text(), "15201");
  user_.Type("31701");
  user_.Tab();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
  user_.Tab();  // past the empty destination
  EXPECT_TRUE(screen.txtOrigin.HasFocus());
  EXPECT_EQ(screen.txtOrigin.Text(), "31701");
  EXPECT_EQ(screen.txtOrigin.SelLength(), 5);
  EXPECT_EQ(screen.cboClass(1).Text(), "");
  EXPECT_TRUE(log_->rated_records.empty());
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);

  // A rated lane, then a blank class left for its weight: the shipment ends, the weight the
  // focus passed through takes no default, and the origin its default.
  user_.Tab();
  user_.Type("60601");
  user_.Tab();
  ASSERT_EQ(log_->rated_records.size(), 1u);
  ASSERT_TRUE(screen.cboClass(1).HasFocus());
  user_.Backspace();  // the default class goes
  user_.Tab();
  EXPECT_TRUE(screen.txtOrigin.HasFocus());
  EXPECT_EQ(screen.txtWeight(1).Text(), "");
  EXPECT_EQ(screen.txtOrigin.Text(), "15201");
}

}  // namespace
}  // namespace frelane
