// frmRatingScreen: the program's main window. Two points, eight freight lines, the discount
// and price-per-unit boxes, the quote, the service columns, the disclaimers, a menu bar and
// an optional toolbar. Closing it ends the program.
//
// Geometry is in twips inside the standard 9600 x 7320 window.
#ifndef FRELANE_RATING_FRM_RATING_SCREEN_H_
#define FRELANE_RATING_FRM_RATING_SCREEN_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "frelane/rating/toolbar_layout.h"
#include "platform/runtime/currency.h"
#include "platform/forms/form.h"

namespace frelane {

class frmRatingScreen : public forms::Form {
 public:
  frmRatingScreen();

  // Shows and hides the screen's parts by the settings and the data files present.
  void ConfigureScreen();
  void ArrangeToolbar();
  // Empties the freight lines and the quote; keeps the points and the lane.
  void ClearShipment();
  // Takes the next printed line off PendingPrintText.
  std::string NextPrintLine();
  // Puts the focus back on the entry field that had it last, when it can take it.
  void RestoreFocus();
  // True when the origin or destination code lies in a postal-code disclaimer range.
  bool IsZipDisclaimerZip();
  void LoadDisclaimerText(forms::Label& label, const std::string& file_name);

  // Procedures of the lane, the lines and the quote that this window's own handlers call.
  void CalculateCharges();
  void FillDiscountFields();
  void ClearOrigin();
  void ClearDestination();
  void ClearOriginCity();
  void ClearDestinationCity();
  void ClearDiscounts();
  void ClearPricePerUnit();
  void ClearMilesAndRbn();
  void DisableLaneButtons();
  void ShowFakClass(int line);
  void ShowPricePerUnit();

  // The quote: the fuel-surcharge pair of the rated shipment (percent and floor in dollars,
  // both 0 when no pair applies).
  void GetFuelSurcharge(double& nFuelSurcharge, double& nFuelSurchargeFloor);
  // Terminal mode: the days between the points' terminals and the service type.
  void ShowServiceDays();

  // Form-level state shared with the point boxes' handlers and the toolbar.
  std::string ToolbarClickMarker;
  std::string LastFocusName;
  std::string LastFocusIndex;
  std::string PendingPrintText;

  // Toolbar.
  forms::Frame& fraToolBar = Add<forms::Frame>("fraToolBar", {0, 0, 9480, 390}, {});
  forms::CommandButton& btnFileReset = ToolButton("btnFileReset", "R", "Reset", false);
  forms::CommandButton& btnFileBillofLading =
      ToolButton("btnFileBillofLading", "B", "Bill of Lading");
  forms::CommandButton& btnFileCalculator = ToolButton("btnFileCalculator", "=", "Calculator");
  forms::CommandButton& btnFileCityLookup = ToolButton("btnFileCityLookup", "?", "City Lookup");
  forms::CommandButton& btnFileRateSheet =
      ToolButton("btnFileRateSheet", "S", "Rate Sheet", false);
  forms::CommandButton& btnFilePrint = ToolButton("btnFilePrint", "P", "Print");
  forms::CommandButton& btnFileExport = ToolButton("btnFileExport", "X", "Export");
  forms::CommandButton& btnEditAccessorialCharges =
      ToolButton("btnEditAccessorialCharges", "A", "Accessorial Charges");
  forms::CommandButton& btnEditDefaults = ToolButton("btnEditDefaults", "D", "Defaults");
  forms::CommandButton& btnEditExportSetup = ToolButton("btnEditExportSetup", "E", "Export Setup");
  forms::CommandButton& btnEditFAK = ToolButton("btnEditFAK", "F", "FAK");
  forms::CommandButton& btnViewMap = ToolButton("btnViewMap", "M", "Map");
  forms::CommandButton& btnViewRateBlockAlternation =
      ToolButton("btnViewRateBlockAlternation", "B", "Rate Block/Alternation");
  forms::CommandButton& btnViewRules = ToolButton("btnViewRules", "U", "Rules");
  forms::CommandButton& btnViewTerminalInformation =
      ToolButton("btnViewTerminalInformation", "T", "Terminal Information");
  forms::CommandButton& btnViewWebSite = ToolButton("btnViewWebSite", "W", "Web Site");
  forms::CommandButton& btnHelpContents = ToolButton("btnHelpContents", "H", "Help");

  // Pictures.
  forms::Image& imgPicture = Add<forms::Image>("imgPicture", {120, 390, 5520, 540}, {});
  forms::Image& imgSubHead = Add<forms::Image>("imgSubHead", {5760, 390, 3690, 540}, {});
  forms::Image& imgPicture2 = Add<forms::Image>("imgPicture2", {0, 0, 0, 0}, {.visible = false});

  // Points.
  forms::Label& lblCityLabel =
      Add<forms::Label>("lblCityLabel", {1980, 960, 2040, 225}, {.caption = "City"});
  forms::Label& lblTerminalLabel =
      Add<forms::Label>("lblTerminalLabel", {4620, 960, 540, 225}, {.caption = "Term."});
  forms::Label& lblServiceLabel =
      Add<forms::Label>("lblServiceLabel", {5220, 960, 900, 225}, {.caption = "Service"});
  forms::Label& lblOriginHeading =
      Add<forms::Label>("lblOriginHeading", {120, 1230, 870, 225}, {.caption = "Origin"});
  forms::TextBox& txtOrigin =
      Add<forms::TextBox>("txtOrigin", {1020, 1200, 900, 285}, {.tab_index = 0, .max_length = 6});
  forms::ComboBox& cboOriginCity = Add<forms::ComboBox>(
      "cboOriginCity", {1980, 1200, 2040, 315}, {.tab_index = 1, .visible = false, .style = 2});
  forms::Label& lblOriginCity = Add<forms::Label>("lblOriginCity", {1980, 1230, 2040, 225}, {});
  forms::Label& lblOriginState = Add<forms::Label>("lblOriginState", {4080, 1230, 480, 225}, {});
  forms::Label& lblOriginTerminal =
      Add<forms::Label>("lblOriginTerminal", {4620, 1230, 540, 225}, {});
  forms::Label& lblServiceDays = Add<forms::Label>("lblServiceDays", {5220, 1230, 900, 225}, {});
  forms::Label& lblDestinationHeading =
      Add<forms::Label>("lblDestinationHeading", {120, 1560, 870, 225}, {.caption = "Destination"});
  forms::TextBox& txtDestination = Add<forms::TextBox>("txtDestination", {1020, 1530, 900, 285},
                                                       {.tab_index = 2, .max_length = 6});
  forms::ComboBox& cboDestinationCity =
      Add<forms::ComboBox>("cboDestinationCity", {1980, 1530, 2040, 315},
                           {.tab_index = 3, .visible = false, .style = 2});
  forms::Label& lblDestinationCity =
      Add<forms::Label>("lblDestinationCity", {1980, 1560, 2040, 225}, {});
  forms::Label& lblDestinationState =
      Add<forms::Label>("lblDestinationState", {4080, 1560, 480, 225}, {});
  forms::Label& lblDestinationTerminal =
      Add<forms::Label>("lblDestinationTerminal", {4620, 1560, 540, 225}, {});
  forms::Label& lblServiceType = Add<forms::Label>("lblServiceType", {5220, 1560, 900, 225}, {});
  forms::Label& lblIntrastateTariff =
      Add<forms::Label>("lblIntrastateTariff", {1020, 1860, 4200, 225}, {.fore_color = 0x000080});

  // Freight lines (elements added in the constructor).
  forms::Label& lblClassHeading =
      Add<forms::Label>("lblClassHeading", {120, 2130, 900, 225}, {.caption = "Class"});
  forms::Label& lblWeightHeading =
      Add<forms::Label>("lblWeightHeading", {1080, 2130, 840, 225}, {.caption = "Weight"});
  forms::Label& lblRateHeading =
      Add<forms::Label>("lblRateHeading", {1980, 2130, 840, 225}, {.caption = "Rate"});
  forms::Label& lblChargeHeading =
      Add<forms::Label>("lblChargeHeading", {2880, 2130, 900, 225}, {.caption = "Charge"});
  forms::Label& lblFAKLabel =
      Add<forms::Label>("lblFAKLabel", {3840, 2130, 540, 225}, {.caption = "FAK"});
  forms::ControlArray<forms::ComboBox>& cboClass = AddArray<forms::ComboBox>("cboClass");
  forms::ControlArray<forms::TextBox>& txtWeight = AddArray<forms::TextBox>("txtWeight");
  forms::ControlArray<forms::Label>& lblRate = AddArray<forms::Label>("lblRate");
  forms::ControlArray<forms::Label>& lblCharge = AddArray<forms::Label>("lblCharge");
  forms::ControlArray<forms::Label>& lblFAK = AddArray<forms::Label>("lblFAK");

  // Deficit and weight rows, and the quote.
  forms::Label& lblDeficitLabel = Add<forms::Label>(
      "lblDeficitLabel", {120, 4620, 1140, 225}, {.caption = "Deficit Weight", .visible = false});
  forms::Label& lblDeficitWeight =
      Add<forms::Label>("lblDeficitWeight", {1320, 4620, 600, 225}, {});
  forms::Label& lblDeficitRate = Add<forms::Label>("lblDeficitRate", {1980, 4620, 840, 225}, {});
  forms::Label& lblDeficitCharge =
      Add<forms::Label>("lblDeficitCharge", {2880, 4620, 900, 225}, {});
  forms::Label& lblTotalWeightLabel = Add<forms::Label>(
      "lblTotalWeightLabel", {120, 4860, 1140, 225}, {.caption = "Total Weight", .visible = false});
  forms::Label& lblTotalWeight =
      Add<forms::Label>("lblTotalWeight", {1320, 4860, 600, 225}, {.visible = false});
  forms::Label& lblUndiscountedChargeLabel =
      SummaryLabel("lblUndiscountedChargeLabel", 5160, "Undiscounted Charge");
  forms::Label& lblUndiscountedCharge = SummaryValue("lblUndiscountedCharge", 5160);
  forms::Label& lblDiscountLabel = SummaryLabel("lblDiscountLabel", 5400, "Discount");
  forms::Label& lblDiscount = SummaryValue("lblDiscount", 5400);
  forms::Line& Line1 = Add<forms::Line>("Line1", {2880, 5655, 900, 0}, {.visible = false});
  forms::Label& lblNetLabel = SummaryLabel("lblNetLabel", 5670, "Net Charge");
  forms::Label& lblNet = SummaryValue("lblNet", 5670);
  forms::Label& lblAccessorialChargeLabel =
      SummaryLabel("lblAccessorialChargeLabel", 5910, "Accessorial Charge");
  forms::Label& lblAccessorialCharge = SummaryValue("lblAccessorialCharge", 5910);
  forms::Label& lblFuelSurchargeLabel =
      SummaryLabel("lblFuelSurchargeLabel", 6150, "Fuel Surcharge");
  forms::Label& lblFuelSurcharge = SummaryValue("lblFuelSurcharge", 6150);
  forms::Line& Line2 = Add<forms::Line>("Line2", {2880, 6405, 900, 0}, {.visible = false});
  forms::Label& lblTotalChargeLabel = SummaryLabel("lblTotalChargeLabel", 6420, "Total Charge");
  forms::Label& lblTotalCharge = SummaryValue("lblTotalCharge", 6420);
  forms::Line& Line3 = Add<forms::Line>("Line3", {2880, 6660, 900, 0}, {.visible = false});
  forms::Line& Line4 = Add<forms::Line>("Line4", {5760, 5340, 3690, 0}, {.visible = false});
  forms::Label& lblCanCurrencyExchangeLabel =
      Add<forms::Label>("lblCanCurrencyExchangeLabel", {5760, 5400, 2400, 225},
                        {.caption = "Canadian Currency Exchange", .visible = false});
  forms::Label& lblCanCurrencyExchange =
      Add<forms::Label>("lblCanCurrencyExchange", {8220, 5400, 1200, 225}, {});
  forms::Label& lblTotalCanChargeLabel =
      Add<forms::Label>("lblTotalCanChargeLabel", {5760, 5640, 2400, 225},
                        {.caption = "Total Canadian Charge", .visible = false});
  forms::Label& lblTotalCanCharge =
      Add<forms::Label>("lblTotalCanCharge", {8220, 5640, 1200, 225}, {.font_bold = true});
  forms::Line& Line5 = Add<forms::Line>("Line5", {5760, 5895, 3690, 0}, {.visible = false});

  // Discounts and price per unit, in the middle column: the right one holds the service
  // rows and the disclaimers.
  forms::Frame& fraDiscount =
      Add<forms::Frame>("fraDiscount", {4440, 2130, 1800, 1755}, {.caption = "Discounts"});
  forms::Label& lblMC = DiscountRowLabel("lblMC", 270, "MC");
  forms::Label& lblMCLabel = DiscountRowUnit("lblMCLabel", 270, "%");
  forms::Label& lblLTL = DiscountRowLabel("lblLTL", 630, "LTL");
  forms::Label& lblTL = DiscountRowLabel("lblTL", 990, "TL");
  forms::Label& lblTLLabel = DiscountRowUnit("lblTLLabel", 990, "%");
  forms::Label& lblFloor = DiscountRowLabel("lblFloor", 1350, "MC Floor");
  forms::Label& lblFloorLabel = DiscountRowUnit("lblFloorLabel", 1350, "$");
  forms::ControlArray<forms::TextBox>& txtDiscount = AddArray<forms::TextBox>("txtDiscount");
  forms::Frame& fraPPU =
      Add<forms::Frame>("fraPPU", {4440, 3930, 1800, 615}, {.caption = "Price Per Unit"});
  forms::TextBox& txtPPU = Add<forms::TextBox>(
      "txtPPU", {120, 240, 840, 285},
      {.container = &fraPPU,
       .tab_index = 30,
       .tool_tip = "Number of units for the price per unit",
       .max_length = 6});
  forms::Label& lblPPU = Add<forms::Label>("lblPPU", {1020, 270, 720, 225}, {.container = &fraPPU});
  forms::TextBox& txtHidden =
      Add<forms::TextBox>("txtHidden", {-2000, 0, 15, 15}, {.tab_index = 31});
  forms::CommandButton& btnNewShipment = Add<forms::CommandButton>(
      "btnNewShipment", {4740, 4680, 1200, 375}, {.caption = "&Reset", .tab_index = 32});

  // Miles, rate basis, web site.
  forms::Label& lblMiles = Add<forms::Label>("lblMiles", {2880, 1860, 1500, 225}, {});
  forms::Label& lblRBN = Add<forms::Label>("lblRBN", {4440, 1860, 1680, 225}, {});
  // Shown by the web links' loading when the carrier has a web site.
  forms::Frame& Frame2 = Add<forms::Frame>("Frame2", {6240, 6120, 3210, 600}, {.visible = false});
  forms::Label& lblWebSiteLabel = Add<forms::Label>("lblWebSiteLabel", {60, 60, 3090, 225},
                                                    {.container = &Frame2, .caption = "Web Site"});
  forms::Label& lblWebSite = Add<forms::Label>("lblWebSite", {60, 300, 3090, 240},
                                               {.container = &Frame2, .visible = false});
  forms::TextBox& txtWebSite =
      Add<forms::TextBox>("txtWebSite", {60, 300, 3090, 240},
                          {.container = &Frame2, .tab_stop = false,
                           .causes_validation = false, .locked = true});

  // Disclaimers and the status line.
  // The right column from the top: the postal-code notice under the lane's service rows,
  // the charge and service disclaimers, then the Canadian rows. The service disclaimer ends
  // below the lowest the price-per-unit frame goes, for Reset is placed under it.
  forms::Label& lblChargeDisclaimer = Add<forms::Label>(
      "lblChargeDisclaimer", {6240, 3300, 3210, 840}, {.visible = false, .word_wrap = true});
  forms::Label& lblServiceDisclaimer = Add<forms::Label>(
      "lblServiceDisclaimer", {6240, 4200, 3210, 600}, {.visible = false, .word_wrap = true});
  forms::Image& imgZipDisclaimer =
      Add<forms::Image>("imgZipDisclaimer", {6240, 2160, 3210, 240}, {.visible = false});
  forms::Label& lblZipDisclaimer = Add<forms::Label>("lblZipDisclaimer", {6240, 2400, 3210, 840},
                                                     {.visible = false, .word_wrap = true});
  forms::Label& lblStatusBar = Add<forms::Label>("lblStatusBar", {4020, 6480, 2160, 225}, {});

  // Menus.
  forms::Menu& mnuFile = Add<forms::Menu>("mnuFile", {}, {.caption = "&File"});
  forms::Menu& mnuFileReset = MenuItem("mnuFileReset", mnuFile, "Rese&t", true, false);
  forms::Menu& mnuFileBillofLading = MenuItem("mnuFileBillofLading", mnuFile, "&Bill of Lading");
  forms::Menu& mnuFileCalculator = MenuItem("mnuFileCalculator", mnuFile, "&Calculator");
  forms::Menu& mnuFileCityLookup = MenuItem("mnuFileCityLookup", mnuFile, "City &Lookup");
  forms::Menu& mnuFileRateSheet =
      MenuItem("mnuFileRateSheet", mnuFile, "&Rate Sheet", true, false);
  forms::Menu& mnuFilePrint = MenuItem("mnuFilePrint", mnuFile, "&Print");
  forms::Menu& mnuFileExport = MenuItem("mnuFileExport", mnuFile, "&Export");
  forms::Menu& mnuFileExit = MenuItem("mnuFileExit", mnuFile, "E&xit", true, false);
  forms::Menu& mnuEdit = Add<forms::Menu>("mnuEdit", {}, {.caption = "&Edit"});
  forms::Menu& mnuEditAccessorialCharges =
      MenuItem("mnuEditAccessorialCharges", mnuEdit, "&Accessorial Charges");
  forms::Menu& mnuEditDefaults = MenuItem("mnuEditDefaults", mnuEdit, "&Defaults");
  forms::Menu& mnuEditExportSetup = MenuItem("mnuEditExportSetup", mnuEdit, "&Export Setup");
  forms::Menu& mnuEditFAK = MenuItem("mnuEditFAK", mnuEdit, "&FAK");
  forms::Menu& mnuView = Add<forms::Menu>("mnuView", {}, {.caption = "&View"});
  forms::Menu& mnuViewMap = MenuItem("mnuViewMap", mnuView, "&Map");
  forms::Menu& mnuViewPointsList = MenuItem("mnuViewPointsList", mnuView, "&PointsList", false);
  forms::Menu& mnuViewRateBlockAlternation =
      MenuItem("mnuViewRateBlockAlternation", mnuView, "&Rate Block/Alternation");
  forms::Menu& mnuViewRules = MenuItem("mnuViewRules", mnuView, "R&ules");
  forms::Menu& mnuViewTerminalInformation =
      MenuItem("mnuViewTerminalInformation", mnuView, "&Terminal Information");
  forms::Menu& mnuViewWebSite = MenuItem("mnuViewWebSite", mnuView, "&Web Site");
  forms::Menu& mnuWebLinks = MenuItem("mnuWebLinks", mnuView, "Web &Links", false);
  forms::ControlArray<forms::Menu>& mnuWebLink = AddArray<forms::Menu>("mnuWebLink");
  forms::Menu& mnuHelp = Add<forms::Menu>("mnuHelp", {}, {.caption = "&Help"});
  forms::Menu& mnuHelpContents = MenuItem("mnuHelpContents", mnuHelp, "&Contents");
  forms::Menu& mnuHelpAbout = MenuItem("mnuHelpAbout", mnuHelp, "&About...");


  // Lane: the point boxes and the rating of their lane (point_entry.cc, city_lists.cc,
  // lane_rating.cc), the lane's discount fields (lane_discounts.cc).
  // Shows the intrastate tariff accepted for the lane without clearing the lane.
  void ShowIntrastateTariff(const std::string& caption);
  // The code to send to the engine for a point: a 3-character code widened when the
  // settings allow it ("303" gives "30301", "K1A" gives "K1A0A").
  std::string ExpandShortZip(std::string_view code);
  // Fills the combo with the cities of the postal code (zipcity.dat, cityzip.dat) and
  // shows the first in the label; the combo is shown when there is more than one.
  void LoadCitiesForZip(const std::string& zip, forms::Label& city_label,
                        forms::ComboBox& city_combo);
  // Shows one given city and empties `city` (the pending pick it came from).
  void SetSingleCity(std::string& city, forms::Label& city_label, forms::ComboBox& city_combo);
  // Rates the lane of the two point boxes; true when the engine rated it.
  bool RateLane();
  // "Origin" or "Destination": the box City Look-Up fills.
  std::string LookupTarget;
  // Puts City Look-Up's pick into the box of LookupTarget and moves on with Tab; a pick for
  // neither box is dropped.
  void TakeCityLookupPick(const std::string& picked_zip);
  // True after a point was validated and its lane was not rated.
  bool LaneNotRated = false;
  std::string OriginServiceCode;
  std::string DestinationServiceCode;
  std::int16_t OriginServiceDays = 0;
  std::int16_t DestinationServiceDays = 0;

 private:
  // A toolbar button or menu item checks what was typed in the focused box before it acts
  // (`checks_entry`), except those that throw the quote away or leave.
  forms::CommandButton& ToolButton(const char* name, const char* caption, const char* tip,
                                   bool checks_entry = true);
  forms::Label& SummaryLabel(const char* name, int top, const char* caption);
  forms::Label& SummaryValue(const char* name, int top);
  forms::Label& DiscountRowLabel(const char* name, int top, const char* caption);
  forms::Label& DiscountRowUnit(const char* name, int top, const char* caption);
  forms::Menu& MenuItem(const char* name, forms::Menu& menu, const char* caption,
                        bool visible = true, bool checks_entry = true);
  void AddFreightLines();
  void BindHandlers();
  // The toolbar button's own Click handler and how it treats the focus.
  void RunToolbarButton(ToolbarButton button);
  void RunToolbarAction(ToolbarButton button);
  // The box the focus is given back to (by a toolbar button, or as the screen becomes
  // active again after a dialog): its GotFocus fills in no default over what the user typed,
  // so that the action, and the recalculation after a dialog, read the quote the user left.
  // Asked once, by the box's GotFocus.
  bool FocusGivenBack(const forms::Control& box);
  forms::Control* focus_given_back_ = nullptr;
  forms::CommandButton& ToolbarButtonControl(ToolbarButton button);

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;
  void Form_KeyPress(int& key_ascii) override;
  void Form_Paint() override;
  void Form_MouseMove(int button, int shift, int x, int y) override;
  void Frame2_MouseMove(int button, int shift, int x, int y);
  void lblWebSiteLabel_MouseMove(int button, int shift, int x, int y);
  void btnNewShipment_Click();
  void lblOriginTerminal_DblClick();
  void lblDestinationTerminal_DblClick();
  void lblServiceDays_DblClick();
  void lblServiceType_DblClick();
  void lblIntrastateTariff_Change();
  void lblTotalCharge_Change();

  void txtOrigin_GotFocus();
  void txtOrigin_LostFocus();
  void txtDestination_GotFocus();
  void txtDestination_LostFocus();
  void txtOrigin_KeyPress(int& key_ascii);
  void txtDestination_KeyPress(int& key_ascii);
  void txtWeight_GotFocus(int index);
  void txtWeight_KeyPress(int index, int& key_ascii);
  void txtWeight_KeyDown(int index, int& key_code, int shift);
  void cboClass_GotFocus(int index);
  void cboClass_KeyPress(int index, int& key_ascii);
  void txtDiscount_GotFocus(int index);
  void txtDiscount_KeyPress(int index, int& key_ascii);
  void txtPPU_GotFocus();
  void txtPPU_KeyPress(int& key_ascii);

  void mnuFileReset_Click();
  void mnuFileBillofLading_Click();
  void mnuFileCalculator_Click();
  void mnuFileCityLookup_Click();
  void mnuFileRateSheet_Click();
  void mnuFilePrint_Click();
  void mnuFileExport_Click();
  void mnuFileExit_Click();
  void mnuEditAccessorialCharges_Click();
  void mnuEditDefaults_Click();
  void mnuEditExportSetup_Click();
  void mnuEditFAK_Click();
  void mnuViewMap_Click();
  void mnuViewRateBlockAlternation_Click();
  void mnuViewRules_Click();
  void mnuViewTerminalInformation_Click();
  void mnuViewWebSite_Click();
  void mnuHelpContents_Click();

  // The freight lines, the discount and units boxes and the tab trap.
  void BindLineEntry();
  void cboClass_Change(int index);
  void cboClass_Click(int index);
  void cboClass_KeyDown(int index, int& key_code, int shift);
  void cboClass_Validate(int index, bool& cancel);
  void cboClass_LostFocus(int index);
  void txtWeight_Change(int index);
  void txtWeight_Validate(int index, bool& cancel);
  void txtWeight_LostFocus(int index);
  void txtDiscount_Change(int index);
  void txtPPU_Change();
  void txtHidden_GotFocus();
  void cboOriginCity_GotFocus();
  void cboDestinationCity_GotFocus();
  // The quote's rows, in the order the calculation fills them.
  void ShowLineResults();
  void ShowDeficitAndWeight();
  void ShowDiscountAndNet();
  runtime::Currency ShowAccessorials();
  void ShowFuelSurchargeAndTotal(runtime::Currency fuel_base);
  void ShowRows();
  void ShowCanadianRows();
  void ShowSpotQuoteNotice();

  // Settings: the About box.
  void mnuHelpAbout_Click();

  // Outputs: the menu items of the View and Help menus, the web-site box and the City
  // Look-Up's pick.
  void BindMenuHandlers();
  void mnuViewPointsList_Click();
  void mnuWebLink_Click(int index);
  void txtWebSite_Click();
  void txtWebSite_MouseMove(int button, int shift, int x, int y);
  void ShowHelpFile(const std::string& help_file);

  // Set while ClearShipment runs: the label changes it makes do not clear again.
  bool clearing_ = false;

  // Lane: handlers of the point boxes beyond focus and keys (point_entry.cc).
  void BindPointHandlers();
  void txtOrigin_KeyDown(int& key_code, int shift);
  void txtDestination_KeyDown(int& key_code, int shift);
  void txtOrigin_Change();
  void txtDestination_Change();
  void txtOrigin_Validate(bool& cancel);
  void txtDestination_Validate(bool& cancel);
  // Validates a point box's code and shows its state, terminal and city; false (with the
  // message given) when the code is not valid.
  bool ShowPoint(bool origin);
  void ShowUnservedLaneMessage();
  void RefuseCommandOnUnratedLane();
  // Set while the lane rating shows its intrastate tariff: that change clears nothing.
  bool showing_lane_ = false;

  // The focus on its way back to the origin box. The freight line a Tab was heading to is
  // only passed through: it takes no default and rates nothing. After the unserved-pair
  // message the origin keeps what the user typed; for a new shipment it takes its default.
  enum class OriginReturn { kNone, kNewShipment, kKeepTyped };
  OriginReturn origin_return_ = OriginReturn::kNone;
  void ReturnToOrigin(OriginReturn why);
  bool ReturningToOrigin() const { return origin_return_ != OriginReturn::kNone; }
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_RATING_SCREEN_H_
