#include "frelane/rating/frm_rate_block_alternation.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "frelane/core/decimal_comma.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/floor_charge.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/unexpected_error.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/print/print_form.h"
#include "platform/print/print_system.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/currency.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

namespace r = tolv::shipment_record;

constexpr int kGridLeft = 780;
constexpr int kGridTop = 1260;
constexpr int kCellWidth = 600;
constexpr int kRowHeight = 240;
constexpr char kChargesNotCalculated[] =
    "Charges can not be calculated.  Contact the carrier for charges for this movement.";

const tolv::ShipmentRecord& Record() {
  return std::as_const(modTolvDeclares32::ShipmentRecord());
}

int WeightBreakCount() {
  return std::clamp<int>(Record().view().I16(r::kWeightBreakCount), 0,
                         frmRateBlockAlternation::kColumns);
}

// Weight break k (1-based), pounds.
std::int64_t WeightBreak(int k) {
  return Record().view().I32(r::kWeightBreak.Nth(static_cast<std::size_t>(k - 1)));
}

// The rate of class row and weight break column, cents per 100 lbs.
double Rate(int row, int column) {
  const std::size_t cell =
      static_cast<std::size_t>((row - 1) * WeightBreakCount() + (column - 1));
  if (cell >= r::kRateMatrixCells) return 0;
  return Record().view().I32(r::kRateMatrix.Nth(cell));
}

// Discount value i of the direct-service block as a percentage.
double DiscountPercent(int i) {
  os::ConstRecordView block = Record().discount_a();
  return modMain::SafeValue(
             block.Text(tolv::discount_block::kValue.Nth(static_cast<std::size_t>(i - 1)))) /
         100;
}

// A weight break as its column caption: 500 gives "5C", 2000 "2M".
std::string WeightCaption(std::int64_t pounds) {
  if (pounds > 999) return runtime::CStr(static_cast<double>(pounds) / 1000) + "M";
  return runtime::CStr(static_cast<double>(pounds) / 100) + "C";
}

}  // namespace

frmRateBlockAlternation::frmRateBlockAlternation()
    : Form("frmRateBlockAlternation", {.caption = "Rate Block/Alternation", .center = true}) {
  for (int row = 1; row <= kRows; ++row) {
    lblClass.Add(row, {120, kGridTop + (row - 1) * kRowHeight, 600, 225}, {.visible = false});
    for (int column = 1; column <= kColumns; ++column) {
      lblRates.Add((row - 1) * kColumns + column,
                   {kGridLeft + (column - 1) * kCellWidth, kGridTop + (row - 1) * kRowHeight,
                    kCellWidth, 225},
                   {.visible = false});
    }
  }
  for (int column = 1; column <= kColumns; ++column) {
    const int left = kGridLeft + (column - 1) * kCellWidth;
    lblWeight.Add(column, {left, kGridTop - kRowHeight, kCellWidth, 225},
                  {.visible = false, .font_bold = true});
    lblDiscounts.Add(column, {left, 5880, kCellWidth, 225}, {.visible = false});
  }
  Bind(optRates.on.Click, &frmRateBlockAlternation::optRates_Click);
  Bind(optAlternation.on.Click, &frmRateBlockAlternation::optAlternation_Click);
  Bind(optBase.on.Click, &frmRateBlockAlternation::optBase_Click);
  Bind(optDiscounted.on.Click, &frmRateBlockAlternation::optDiscounted_Click);
  Bind(mnuPrint.on.Click, &frmRateBlockAlternation::mnuPrint_Click);
  Bind(mnuExit.on.Click, &frmRateBlockAlternation::mnuExit_Click);
}

void frmRateBlockAlternation::Form_Load() {
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);
  frmRatingScreen& screen = App().Get<frmRatingScreen>();
  lblName.SetCaption(modMain::Trim(modMain::Settings().Text(settings::kCompanyName)));
  lblOriginZip.SetCaption(screen.txtOrigin.Text());
  lblOriginState.SetCaption(screen.lblOriginState.Caption());
  lblDestinationZip.SetCaption(screen.txtDestination.Text());
  lblDestinationState.SetCaption(screen.lblDestinationState.Caption());
  FillClassLabels();
  FillWeightLabels();
  if (modMain::Settings().I16(settings::kDiscountCount) == 0) {
    loading_ = true;
    optBase.SetValue(true);
    loading_ = false;
    optDiscounted.SetEnabled(false);
  }
  if (RateWithDiscountKind()) RefreshGrid();
}

int frmRateBlockAlternation::RowCount() const {
  return std::clamp<int>(Record().view().I16(r::kClassCount), 0, kRows);
}

int frmRateBlockAlternation::ColumnCount() const {
  // A spot-quote limit of 0 sets no limit, as on the rating screen.
  const std::int64_t limit = modMain::Settings().I32(settings::kSpotQuoteWeightLimit);
  int columns = 0;
  while (columns < WeightBreakCount() && (limit <= 0 || WeightBreak(columns + 1) <= limit)) {
    ++columns;
  }
  return columns;
}

void frmRateBlockAlternation::FillClassLabels() {
  for (int row = 1; row <= kRows; ++row) {
    const bool shown = row <= RowCount();
    std::string code =
        shown ? Record().view().Raw(r::kClassCode.Nth(static_cast<std::size_t>(row - 1))) : "";
    // The engine pads a short code with NULs, which a label would draw as boxes.
    std::replace(code.begin(), code.end(), '\0', ' ');
    lblClass(row).SetCaption(os::Cp1252ToUtf8(code));
    lblClass(row).SetVisible(shown);
  }
}

void frmRateBlockAlternation::FillWeightLabels() {
  const int columns = ColumnCount();
  for (int k = 1; k <= kColumns; ++k) {
    std::string caption;
    if (k <= columns) {
      // The first column holds the weights below the second break.
      caption = k == 1 ? "L" + WeightCaption(WeightBreak(2)) : WeightCaption(WeightBreak(k));
    }
    lblWeight(k).SetCaption(caption);
    lblWeight(k).SetVisible(k <= columns);
  }
}

void frmRateBlockAlternation::FillDiscountLabels() {
  const int columns = ColumnCount();
  const bool discounted = !optBase.Value();
  for (int k = 1; k <= kColumns; ++k) {
    std::string caption;
    if (k <= columns && discounted) caption = runtime::CStr(DiscountPercent(k + 1)) + "%";
    lblDiscounts(k).SetCaption(caption);
    lblDiscounts(k).SetVisible(k <= columns);
  }
  if (discounted) lblMinimumChargeDiscount.SetCaption(runtime::CStr(DiscountPercent(1)));
}

bool frmRateBlockAlternation::RateWithDiscountKind() {
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  record.header().SetText(tolv::shipment_header::kDiscountKind, optBase.Value() ? "C" : "R");
  modTolvDeclares32::Tolv_RateShipment();
  if (modMain::DecimalCharacter() == ',') modMain::UseDecimalComma();
  if (!modMain::Trim(Record().header().Text(tolv::shipment_header::kStatus)).empty()) {
    ClearGrid();
    forms::MsgBox(kChargesNotCalculated, forms::msgbox::kOKOnly);
    return false;
  }
  return true;
}

bool frmRateBlockAlternation::RateAndFillGrid() {
  if (!RateWithDiscountKind()) return false;
  const int rows = RowCount();
  const int columns = ColumnCount();
  const bool alternation = optAlternation.Value();
  const double minimum_charge = Record().view().I32(r::kMinimumChargeCents);
  for (int row = 1; row <= kRows; ++row) {
    for (int k = 1; k <= kColumns; ++k) {
      forms::Label& cell = lblRates((row - 1) * kColumns + k);
      if (row > rows || k > columns) {
        cell.SetCaption("");
        continue;
      }
      if (!alternation) {
        cell.SetCaption(runtime::Format(Rate(row, k) / 100, "0.00"));
        cell.SetVisible(true);
        continue;
      }
      cell.SetCaption("");
      const double divisor = k == 1 ? Rate(row, 1) : Rate(row, k - 1);
      if (divisor == 0) continue;
      // In doubles: a weight break times a rate passes 32 bits.
      const double weight = k == 1 ? minimum_charge / (divisor / 100) + 0.5
                                   : static_cast<double>(WeightBreak(k)) * Rate(row, k) /
                                             divisor + 0.5;
      cell.SetCaption(runtime::Format(weight, "0"));
    }
  }
  return true;
}

void frmRateBlockAlternation::FillMinimumChargeList() {
  lstMinimumCharges.Clear();
  if (!optBase.Value()) {
    lstMinimumCharges.AddItem("MC Discount = " + runtime::CStr(DiscountPercent(1)) + "%");
  }
  lstMinimumCharges.AddItem("");
  const runtime::Currency floor = runtime::Currency::FromDouble(modMain::GetFloorCharge());
  const bool never_single = modMain::Settings().On(settings::kNeverAskSingleShipment);
  const std::string kinds = Record().view().Raw(r::kBracketKinds);
  const int count = std::clamp<int>(Record().view().I16(r::kBracketCount), 0, kBrackets);
  bool floor_used = false;
  for (int i = 1; i <= count; ++i) {
    const char kind = kinds[static_cast<std::size_t>(i - 1)];
    if (kind == '0' && never_single) continue;
    const std::size_t at = static_cast<std::size_t>(i - 1);
    const std::int64_t weight = Record().view().I32(r::kBracketWeight.Nth(at));
    std::string text = runtime::CStr(static_cast<double>(weight > 0 ? weight - 1 : 0));
    text.resize(std::max<std::size_t>(text.size(), 5), ' ');
    const runtime::Currency charge =
        runtime::Currency::FromCents(Record().view().I32(r::kBracketCharge.Nth(at)));
    std::string line = std::string(kind == '0' ? "SS  >" : "    >") + text + " ";
    // Only a floor above 0 replaces a bracket's charge.
    if (charge > floor || floor <= runtime::Currency()) {
      line += runtime::Format(charge.ToDouble(), "0.00");
    } else {
      line += runtime::Format(floor.ToDouble(), "0.00") + "*";
      floor_used = true;
    }
    lstMinimumCharges.AddItem(line);
  }
  if (floor_used) {
    lstMinimumCharges.AddItem("");
    lstMinimumCharges.AddItem("* = MC Floor");
  }
}

void frmRateBlockAlternation::RefreshGrid() {
  FillDiscountLabels();
  if (!RateAndFillGrid()) return;
  FillMinimumChargeList();
}

void frmRateBlockAlternation::ClearGrid() {
  for (int cell = 1; cell <= kRows * kColumns; ++cell) lblRates(cell).SetCaption("");
  lstMinimumCharges.Clear();
}

void frmRateBlockAlternation::optRates_Click() {
  if (!loading_) RateAndFillGrid();
}
void frmRateBlockAlternation::optAlternation_Click() {
  if (!loading_) RateAndFillGrid();
}
void frmRateBlockAlternation::optBase_Click() {
  if (!loading_ && RateWithDiscountKind()) RefreshGrid();
}
void frmRateBlockAlternation::optDiscounted_Click() {
  if (!loading_ && RateWithDiscountKind()) RefreshGrid();
}

void frmRateBlockAlternation::mnuPrint_Click() {
  try {
    print::PrintForm(Name());
  } catch (const print::PrinterError& error) {
    ShowUnexpectedError(error.number(), error.Description());
  }
}

void frmRateBlockAlternation::mnuExit_Click() { Unload(); }

}  // namespace frelane
