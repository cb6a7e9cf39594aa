#include "frelane/rating/frm_rating_screen.h"

#include <optional>
#include <string>

#include "frelane/core/company_name.h"
#include "frelane/core/data_pictures.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/core/shutdown.h"
#include "frelane/rating/picked_point.h"
#include "frelane/rating/web_links.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr int kToolButtonSize = 300;
constexpr int kToolButtonTop = 45;
constexpr int kLineTop = 2400;
constexpr int kLineStep = 270;
constexpr int kLineCount = 8;
constexpr forms::Color kWebSiteBlue = 0x800000;  // RGB 0, 0, 128
constexpr const char* kDiscountToolTips[] = {"Minimum charge discount percent",
                                             "LTL discount percent", "TL discount percent",
                                             "Minimum charge floor in dollars"};

// The first of the picture's three files that exists in the data directory, loaded.
forms::Picture FirstPicture(const std::string& base) {
  std::optional<std::string> path = FindDataPicture(base);
  return path ? forms::LoadPicture(*path) : forms::Picture{};
}

}  // namespace

frmRatingScreen::frmRatingScreen()
    : Form("frmRatingScreen", {.key_preview = true, .center = true}) {
  AddFreightLines();
  BindHandlers();
  BindLineEntry();
  BindPointHandlers();
}

forms::CommandButton& frmRatingScreen::ToolButton(const char* name, const char* caption,
                                                  const char* tip, bool checks_entry) {
  return Add<forms::CommandButton>(name, {0, kToolButtonTop, kToolButtonSize, kToolButtonSize},
                                   {.container = &fraToolBar,
                                    .caption = caption,
                                    .tab_stop = false,
                                    .causes_validation = checks_entry,
                                    .tool_tip = tip,
                                    .toolbar = true});
}

forms::Label& frmRatingScreen::SummaryLabel(const char* name, int top, const char* caption) {
  return Add<forms::Label>(name, {120, top, 2700, 225}, {.caption = caption, .visible = false});
}

forms::Label& frmRatingScreen::SummaryValue(const char* name, int top) {
  return Add<forms::Label>(name, {2880, top, 900, 225}, {});
}

forms::Label& frmRatingScreen::DiscountRowLabel(const char* name, int top, const char* caption) {
  return Add<forms::Label>(name, {120, top + 30, 720, 225},
                           {.container = &fraDiscount, .caption = caption});
}

forms::Label& frmRatingScreen::DiscountRowUnit(const char* name, int top, const char* caption) {
  return Add<forms::Label>(name, {1560, top + 30, 180, 225},
                           {.container = &fraDiscount, .caption = caption});
}

forms::Menu& frmRatingScreen::MenuItem(const char* name, forms::Menu& menu, const char* caption,
                                       bool visible, bool checks_entry) {
  return Add<forms::Menu>(name, {}, {.container = &menu,
                                     .caption = caption,
                                     .visible = visible,
                                     .causes_validation = checks_entry});
}

void frmRatingScreen::AddFreightLines() {
  for (int i = 1; i <= kLineCount; ++i) {
    int top = kLineTop + (i - 1) * kLineStep;
    const std::string line = std::to_string(i);
    // The boxes are as tall as a line: taller ones would lie on the next line's.
    cboClass.Add(i, {120, top, 900, kLineStep},
                 {.tab_index = 8 + 2 * i, .tool_tip = "Freight class of line " + line});
    txtWeight.Add(i, {1080, top, 840, kLineStep},
                  {.tab_index = 9 + 2 * i,
                   .tool_tip = "Weight in pounds of line " + line,
                   .max_length = 6});
    lblRate.Add(i, {1980, top + 30, 840, 225}, {});
    lblCharge.Add(i, {2880, top + 30, 900, 225}, {});
    lblFAK.Add(i, {3840, top + 30, 540, 225}, {});
  }
  for (int i = 1; i <= 4; ++i) {
    txtDiscount.Add(i, {870, 270 + 360 * (i - 1), 660, 285},
                    {.container = &fraDiscount,
                     .tab_index = 25 + i,
                     .tool_tip = kDiscountToolTips[i - 1],
                     .max_length = 6});
  }
  for (int i = 1; i <= 10; ++i) {
    mnuWebLink.Add(i, {}, {.container = &mnuWebLinks, .visible = false});
  }
}

void frmRatingScreen::BindHandlers() {
  Bind(Frame2.on.MouseMove, &frmRatingScreen::Frame2_MouseMove);
  Bind(lblWebSiteLabel.on.MouseMove, &frmRatingScreen::lblWebSiteLabel_MouseMove);
  Bind(btnNewShipment.on.Click, &frmRatingScreen::btnNewShipment_Click);
  Bind(lblOriginTerminal.on.DblClick, &frmRatingScreen::lblOriginTerminal_DblClick);
  Bind(lblDestinationTerminal.on.DblClick, &frmRatingScreen::lblDestinationTerminal_DblClick);
  Bind(lblServiceDays.on.DblClick, &frmRatingScreen::lblServiceDays_DblClick);
  Bind(lblServiceType.on.DblClick, &frmRatingScreen::lblServiceType_DblClick);
  Bind(lblIntrastateTariff.on.Change, &frmRatingScreen::lblIntrastateTariff_Change);
  Bind(lblTotalCharge.on.Change, &frmRatingScreen::lblTotalCharge_Change);

  Bind(txtOrigin.on.GotFocus, &frmRatingScreen::txtOrigin_GotFocus);
  Bind(txtOrigin.on.LostFocus, &frmRatingScreen::txtOrigin_LostFocus);
  Bind(txtOrigin.on.KeyPress, &frmRatingScreen::txtOrigin_KeyPress);
  Bind(txtDestination.on.GotFocus, &frmRatingScreen::txtDestination_GotFocus);
  Bind(txtDestination.on.LostFocus, &frmRatingScreen::txtDestination_LostFocus);
  Bind(txtDestination.on.KeyPress, &frmRatingScreen::txtDestination_KeyPress);
  Bind(txtWeight.on.GotFocus, &frmRatingScreen::txtWeight_GotFocus);
  Bind(txtWeight.on.KeyPress, &frmRatingScreen::txtWeight_KeyPress);
  Bind(cboClass.on.GotFocus, &frmRatingScreen::cboClass_GotFocus);
  Bind(cboClass.on.KeyPress, &frmRatingScreen::cboClass_KeyPress);
  Bind(txtDiscount.on.GotFocus, &frmRatingScreen::txtDiscount_GotFocus);
  Bind(txtDiscount.on.KeyPress, &frmRatingScreen::txtDiscount_KeyPress);
  Bind(txtPPU.on.GotFocus, &frmRatingScreen::txtPPU_GotFocus);
  Bind(txtPPU.on.KeyPress, &frmRatingScreen::txtPPU_KeyPress);

  for (int b = 0; b < kToolButtonCount; ++b) {
    ToolbarButton button = static_cast<ToolbarButton>(b);
    forms::CommandButton& control = ToolbarButtonControl(button);
    // Toolbar buttons act when the pointer is released over them, not on Click.
    control.on.MouseUp = [this, button, &control](int, int, int x, int y) {
      if (x >= 0 && x < control.Width() && y >= 0 && y < control.Height()) {
        RunToolbarButton(button);
      }
    };
  }

  Bind(mnuFileReset.on.Click, &frmRatingScreen::mnuFileReset_Click);
  Bind(mnuFileBillofLading.on.Click, &frmRatingScreen::mnuFileBillofLading_Click);
  Bind(mnuFileCalculator.on.Click, &frmRatingScreen::mnuFileCalculator_Click);
  Bind(mnuFileCityLookup.on.Click, &frmRatingScreen::mnuFileCityLookup_Click);
  Bind(mnuFileRateSheet.on.Click, &frmRatingScreen::mnuFileRateSheet_Click);
  Bind(mnuFilePrint.on.Click, &frmRatingScreen::mnuFilePrint_Click);
  Bind(mnuFileExport.on.Click, &frmRatingScreen::mnuFileExport_Click);
  Bind(mnuFileExit.on.Click, &frmRatingScreen::mnuFileExit_Click);
  Bind(mnuEditAccessorialCharges.on.Click, &frmRatingScreen::mnuEditAccessorialCharges_Click);
  Bind(mnuEditDefaults.on.Click, &frmRatingScreen::mnuEditDefaults_Click);
  Bind(mnuEditExportSetup.on.Click, &frmRatingScreen::mnuEditExportSetup_Click);
  Bind(mnuEditFAK.on.Click, &frmRatingScreen::mnuEditFAK_Click);
  Bind(mnuViewMap.on.Click, &frmRatingScreen::mnuViewMap_Click);
  Bind(mnuViewRateBlockAlternation.on.Click, &frmRatingScreen::mnuViewRateBlockAlternation_Click);
  Bind(mnuViewRules.on.Click, &frmRatingScreen::mnuViewRules_Click);
  Bind(mnuViewTerminalInformation.on.Click, &frmRatingScreen::mnuViewTerminalInformation_Click);
  Bind(mnuViewWebSite.on.Click, &frmRatingScreen::mnuViewWebSite_Click);
  Bind(mnuHelpContents.on.Click, &frmRatingScreen::mnuHelpContents_Click);
  BindMenuHandlers();
  Bind(mnuHelpAbout.on.Click, &frmRatingScreen::mnuHelpAbout_Click);
}

void frmRatingScreen::Form_Load() {
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);
  modMain::PickedZip().clear();
  ToolbarClickMarker.clear();
  LaneNotRated = false;

  imgPicture.SetPicture(FirstPicture("headline"));
  imgSubHead.SetPicture(FirstPicture("subhead"));
  imgZipDisclaimer.SetPicture(FirstPicture("ZipHeadline"));

  SetCaption(modMain::CaptionWithEffectiveDate());

  if (modMain::CompanyNameStartsWith("QUARLEN")) {
    mnuEditAccessorialCharges.SetCaption("Value Added Services");
    lblAccessorialChargeLabel.SetCaption("Value Added Services");
    btnEditAccessorialCharges.SetToolTipText("Value Added Services");
  }

  modWebSite32::LoadWebLinks(*this);
  ConfigureScreen();

  txtWebSite.SetBackColor(BackColor());
  txtWebSite.SetWidth(lblWebSite.Width());
  txtWebSite.SetLeft(lblWebSite.Left());

  const ClassTable& classes = modMain::Classes();
  for (int line = 1; line <= kLineCount; ++line) {
    forms::ComboBox& box = cboClass(line);
    box.Clear();
    for (int i = 1; i <= kClassCount; ++i) {
      box.AddItem(std::to_string(classes[static_cast<std::size_t>(i)]));
      box.SetItemData(box.NewIndex(), i);
    }
  }
}

void frmRatingScreen::Form_Unload(bool& /*cancel*/) { modMain::EndProgram(); }

void frmRatingScreen::Form_KeyPress(int& key_ascii) { modMain::EnterAsTab(key_ascii); }

// Painting or moving the pointer anywhere else ends the web-site box's hover highlight.
void frmRatingScreen::Form_Paint() { txtWebSite.SetForeColor(kWebSiteBlue); }
void frmRatingScreen::Form_MouseMove(int, int, int, int) { txtWebSite.SetForeColor(kWebSiteBlue); }
void frmRatingScreen::Frame2_MouseMove(int, int, int, int) {
  txtWebSite.SetForeColor(kWebSiteBlue);
}
void frmRatingScreen::lblWebSiteLabel_MouseMove(int, int, int, int) {
  txtWebSite.SetForeColor(kWebSiteBlue);
}

void frmRatingScreen::btnNewShipment_Click() { mnuFileReset_Click(); }

void frmRatingScreen::lblOriginTerminal_DblClick() { mnuViewTerminalInformation_Click(); }
void frmRatingScreen::lblDestinationTerminal_DblClick() { mnuViewTerminalInformation_Click(); }
void frmRatingScreen::lblServiceDays_DblClick() {
  if (modMain::Settings().On(settings::kTerminalServiceGuide)) mnuViewTerminalInformation_Click();
}
void frmRatingScreen::lblServiceType_DblClick() {
  if (modMain::Settings().On(settings::kTerminalServiceGuide)) mnuViewTerminalInformation_Click();
}

void frmRatingScreen::lblIntrastateTariff_Change() {
  // ClearShipment blanks this label itself, and the lane rating shows its tariff in it:
  // neither change may clear the shipment.
  if (!clearing_ && !showing_lane_) ClearShipment();
}

void frmRatingScreen::lblTotalCharge_Change() { ShowPricePerUnit(); }

}  // namespace frelane
