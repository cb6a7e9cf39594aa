#include "frelane/bol/print_bol.h"

#include <algorithm>
#include <cstdint>

#include "frelane/bol/bol_records.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/print_line.h"
#include "platform/forms/application.h"
#include "platform/forms/message_box.h"
#include "platform/os/cp1252.h"
#include "platform/os/record_layout.h"
#include "platform/print/printers.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/error.h"
#include "platform/runtime/format.h"

namespace frelane::modBOL {
namespace {

namespace bill = bol::bill;
namespace item = bol::item;

constexpr int kRowsPerPage = 8;
constexpr int kLineLength = 60;
constexpr int kColumnTop = 7790;
constexpr int kColumnPitch = 270;
constexpr int kTextLinePitch = 262;
constexpr int kTextLineX = 2550;
constexpr float kRowSize = 8;

PrintState& S() { return PrintStateOfBill(); }

// Nothing is drawn while the layout is only measured, nor after a step has failed.
bool Drawing() { return !S().measuring && !S().failed; }

void Bold(bool on) {
  if (Drawing()) print::CurrentPrinter().SetFontBold(on);
}

// A drawing step whose failure is passed over, so that the next step still runs.
template <typename Step>
void PassOver(Step step) {
  try {
    step();
  } catch (const runtime::RuntimeError&) {
  }
}

int Position(int row) { return (row - 1) % kRowsPerPage; }

// The item's description as printed: Windows-1252, blanks around it removed.
std::string Description(int index) {
  return modMain::Trim(bol::ItemView(CurrentBOL(), index).Text(item::kDescription));
}

// Every item takes at least its own row, also with an empty description.
int RowsOf(int index) { return std::max<int>(1, CountTextLines(Description(index))); }

int ItemCount() {
  return std::min<int>(bol::ByteOf(CurrentBOL().View(), bill::kItemCount), bill::kMaxItems);
}

// Runs a step under the trap every printing procedure has: an error is shown and the job
// discarded. False then, or when an inner step had failed already.
template <typename Step>
bool Trapped(Step step) {
  try {
    step();
  } catch (const runtime::RuntimeError& e) {
    if (!S().failed) ReportPrintError(e.Number(), e.Description());
  }
  return !S().failed;
}

// The next page: the blank form and the page fields on it.
bool StartContinuationPage() {
  if (S().measuring) {
    ++S().pages_laid_out;
    S().page_just_started = true;
    return true;
  }
  if (S().failed) return false;
  if (!Trapped([] { print::CurrentPrinter().NewPage(); })) return false;
  S().page_just_started = true;
  return PrintBOLForm() && PrintPageFields(S().page_count);
}

std::string Cp1252(const os::Field& f) { return CurrentBOL().View().Text(f); }
std::string Trimmed(const os::Field& f) { return modMain::Trim(Cp1252(f)); }

// Prints a Windows-1252 text.
void PrintField(int x, int y, float size, std::string_view cp1252) {
  PrintText(x, y, size, os::Cp1252ToUtf8(cp1252));
}

std::string Count(std::int32_t n, const char* pattern) {
  return runtime::Format(static_cast<double>(n), pattern);
}

struct Party {
  os::Field name, address, city, state, zip;
};
constexpr Party kShipper{bill::kShipperName, bill::kShipperAddress, bill::kShipperCity,
                         bill::kShipperState, bill::kShipperZip};
constexpr Party kConsignee{bill::kConsigneeName, bill::kConsigneeAddress, bill::kConsigneeCity,
                           bill::kConsigneeState, bill::kConsigneeZip};
constexpr Party kThirdParty{bill::kThirdPartyName, bill::kThirdPartyAddress,
                            bill::kThirdPartyCity, bill::kThirdPartyState, bill::kThirdPartyZip};

void PrintHeaderValues() {
  os::ConstRecordView v = CurrentBOL().View();
  auto byte = [&](const os::Field& f) { return bol::ByteOf(v, f); };
  const std::string company =
      modMain::Trim(modMain::Settings().Text(settings::kCompanyName));
  const double cod = v.FiniteF64(bill::kCODAmount);

  PrintField(8750, 1250, kRowSize, Trimmed(bill::kCarrierProNumber));
  PrintField(9450, 1510, kRowSize, Trimmed(bill::kBOLNumber));
  PrintField(9725, 1770, kRowSize, Trimmed(bill::kConsigneePO));
  PrintText(1400, 2030, kRowSize, company);
  if (byte(bill::kSingleShipment) == 0) PrintText(5500, 2030, 10, "Single Shipment");
  PrintField(650, 3010, kRowSize, Trimmed(bill::kShipperName));
  std::string date = v.Raw(bill::kShipDate);
  std::replace(date.begin(), date.end(), '\0', ' ');
  PrintField(8950, 3010, kRowSize, date);
  PrintField(700, 3330, kRowSize, Trimmed(bill::kShipperAddress));
  PrintField(3400, 3330, kRowSize, Trimmed(bill::kShipperCity));
  PrintField(6100, 3330, kRowSize, Trimmed(bill::kShipperCounty));
  PrintField(8450, 3330, kRowSize, Trimmed(bill::kShipperState));
  PrintField(9800, 3330, kRowSize, Trimmed(bill::kShipperZip));
  if (cod > 0) {
    PrintText(1250, 4500, 10, "* COD * ");
    PrintField(2250, 4550, kRowSize, Trimmed(bill::kConsigneeName));
    if (byte(bill::kCashiersCheckOnly) != 0) {
      PrintText(8000, 4550, kRowSize, "Cashier's Check Only");
    } else if (byte(bill::kConsigneeCheckOK) != 0) {
      PrintText(8000, 4550, kRowSize, "Consignee Check OK");
    }
  } else {
    PrintField(1250, 4550, kRowSize, Trimmed(bill::kConsigneeName));
  }
  PrintField(1500, 4950, kRowSize, Trimmed(bill::kConsigneeAddress));
  PrintField(550, 5210, kRowSize, Trimmed(bill::kConsigneeCity));
  PrintField(4700, 5210, kRowSize, Trimmed(bill::kConsigneeCounty));
  PrintField(8450, 5210, kRowSize, Trimmed(bill::kConsigneeState));
  PrintField(9750, 5210, kRowSize, Trimmed(bill::kConsigneeZip));
  if (byte(bill::kCODFeePrepaid) != 0) {
    PrintText(10625, 6278, kRowSize, "X");
  } else if (byte(bill::kCODFeeCollect) != 0) {
    PrintText(10625, 6548, kRowSize, "X");
  }
  if (modMain::SafeValue(cod) > 0) PrintText(1900, 6230, kRowSize, runtime::Format(cod, "0.00"));
  if (byte(bill::kFreightPaidBy) == 1) PrintText(9775, 10445, kRowSize, "X");
  const Party* remit = byte(bill::kRemitCODToShipper) != 0      ? &kShipper
                       : byte(bill::kRemitCODToThirdParty) != 0 ? &kThirdParty
                                                                 : nullptr;
  if (cod != 0 && remit != nullptr) {
    PrintField(5650, 6230, kRowSize, Trimmed(remit->name));
    PrintField(850, 6500, kRowSize, Trimmed(remit->address));
    PrintField(5050, 6500, kRowSize, Trimmed(remit->city));
    PrintField(7025, 6500, kRowSize, Trimmed(remit->state));
  }
  PrintField(250, 10845, kRowSize, "$" + Trimmed(bill::kDeclaredValue));
  PrintField(1300, 10845, kRowSize, Trimmed(bill::kDeclaredValuePer));
  PrintField(2950, 12220, kRowSize, Trimmed(bill::kNotifyName));
  PrintField(5500, 12220, kRowSize, Trimmed(bill::kNotifyFax));
  PrintField(7000, 12220, kRowSize, Trimmed(bill::kNotifyPhone));
  const std::uint8_t payer_code = byte(bill::kFreightPaidBy);
  const Party& payer = payer_code == 0 ? kShipper : payer_code == 1 ? kConsignee : kThirdParty;
  PrintField(1575, 12650, kRowSize, Trimmed(payer.name));
  PrintField(4100, 12650, kRowSize, Trimmed(payer.city));
  PrintField(5800, 12650, kRowSize, Trimmed(payer.address));
  PrintField(9050, 12650, kRowSize, Trimmed(payer.state));
  PrintField(10000, 12650, kRowSize, Trimmed(payer.zip));
  PrintField(850, 13080, kRowSize, Trimmed(bill::kShipperName));
  PrintText(5275, 13080, kRowSize, company);
}

// The rows of the bill one after another: page breaks by fit, then the totals and the
// special instructions. The same walk measures and prints.
void LayOut() {
  std::int16_t row = 0;
  int used = 0;
  const int count = ItemCount();
  if (count == 0) {
    PrintPageFields(S().page_count);
    S().page_just_started = true;
  } else {
    PrintPageFields(S().page_count);
    for (int pass = 0; pass < 2; ++pass) {
      for (int i = 1; i <= count && !S().failed; ++i) {
        const bool hazardous = bol::ByteOf(bol::ItemView(CurrentBOL(), i), item::kHazmat) == 1;
        if (hazardous != (pass == 0)) continue;
        const int rows = RowsOf(i);
        if (used + rows > kRowsPerPage && (rows <= kRowsPerPage || used >= kRowsPerPage)) {
          row = static_cast<std::int16_t>(row + kRowsPerPage - used);
          used = 0;
          if (!StartContinuationPage()) return;
        }
        if (!PrintLineItem(row, i)) return;
        used = Position(row) + 1;
      }
    }
  }
  if (S().failed) return;
  if (PrintTotalsOfBill().row && !PrintTotals(row)) return;
  PrintSpecialInstructions(row);
}

}  // namespace

BillTotals& PrintTotalsOfBill() { return Get().print_totals; }
PrintState& PrintStateOfBill() { return Get().print_state; }

BillTotals SumItems() {
  // Summed wide and held to 32 bits, so that no stored count can overflow the sum.
  std::int64_t units = 0, packages = 0, weight = 0;
  BillTotals t;
  for (int i = 1; i <= ItemCount(); ++i) {
    os::ConstRecordView v = bol::ItemView(CurrentBOL(), i);
    units += v.I32(item::kHandlingUnits);
    packages += v.I32(item::kPackages);
    weight += v.I32(item::kWeight);
    t.cube += v.FiniteF64(item::kCube);
  }
  auto held = [](std::int64_t n) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(n, INT32_MIN, INT32_MAX));
  };
  t.units = held(units);
  t.packages = held(packages);
  t.weight = held(weight);
  t.row = t.units != 0 || t.packages != 0 || t.weight != 0 || t.cube != 0;
  return t;
}

bool PrintCopies(int copies) {
  print::Printer& printer = print::CurrentPrinter();
  try {
    printer.SetFontName("Arial");
    for (int copy = 1; copy <= copies; ++copy) {
      printer.SetFontBold(false);
      printer.SetFontSize(10);
      PrintTotalsOfBill() = SumItems();
      if (!PrintBOL()) return false;
    }
  } catch (const print::PrintCancelled&) {
    // The user's own Cancel in the printer's file dialog: no copy after it, nothing said.
    PassOver([] { print::CurrentPrinter().KillDoc(); });
    return false;
  } catch (const runtime::RuntimeError& e) {
    ReportPrintError(e.Number(), e.Description());
    return false;
  }
  return true;
}

bool PrintBOL() {
  struct Hourglass {
    Hourglass() { forms::Screen().SetMousePointer(forms::kMouseHourglass); }
    ~Hourglass() { forms::Screen().SetMousePointer(forms::kMouseDefault); }
  } hourglass;

  // A dry run of the layout gives the page count.
  S() = PrintState{};
  S().measuring = true;
  S().page_just_started = true;
  LayOut();
  const int pages = S().pages_laid_out;

  S() = PrintState{};
  S().page_count = static_cast<std::int16_t>(std::min(pages, 32767));
  S().page_just_started = true;
  if (!PrintBOLForm()) return false;
  LayOut();
  if (S().failed) return false;
  print::CurrentPrinter().EndDoc();
  return true;
}

bool PrintPageFields(std::int16_t page_count) {
  if (!Drawing()) return !S().failed;
  return Trapped([page_count] {
    print::Printer& printer = print::CurrentPrinter();
    PrintText(9700, 400, kRowSize,
              "Page  " + std::to_string(printer.Page()) + "  of  " + std::to_string(page_count));
    Bold(true);
    PrintHeaderValues();
    Bold(false);
  });
}

bool PrintLineItem(std::int16_t& row, int index) {
  return Trapped([&row, index] {
    Bold(true);
    ++row;
    if (Drawing()) {
      os::ConstRecordView v = bol::ItemView(CurrentBOL(), index);
      const int y = kColumnTop + Position(row) * kColumnPitch;
      auto with_type = [&](const os::Field& count, const os::Field& type) {
        return Count(v.I32(count), "#,###") + " " + modMain::Trim(v.Text(type));
      };
      PrintField(290, y, kRowSize, with_type(item::kHandlingUnits, item::kHandlingUnitType));
      PrintField(1240, y, kRowSize, with_type(item::kPackages, item::kPackageType));
      if (bol::ByteOf(v, item::kHazmat) == 1) PrintText(2150, y, kRowSize, "X");
      PrintText(8250, y, kRowSize, Count(v.I32(item::kWeight), "###,###"));
      PrintField(9500, y, kRowSize, modMain::Trim(v.Text(item::kClass)));
      PrintText(10300, y, kRowSize, runtime::CStr(v.FiniteF64(item::kCube)));
    }
    PrintWrappedText(row, Description(index));
    S().page_just_started = false;
    Bold(false);
  });
}

bool PrintTotals(std::int16_t& row) {
  return Trapped([&row] {
    Bold(true);
    ++row;
    if (row % kRowsPerPage == 1 && !S().page_just_started) {
      if (!StartContinuationPage()) return;
      Bold(true);
    }
    if (Drawing()) {
      const BillTotals& t = PrintTotalsOfBill();
      const int y = kColumnTop + Position(row) * kColumnPitch;
      PrintText(290, y, kRowSize, Count(t.units, "#,###"));
      PrintText(1240, y, kRowSize, Count(t.packages, "#,###"));
      PrintText(8250, y, kRowSize, Count(t.weight, "###,###"));
      // A number prints with the blank that stands for the sign of a positive value.
      PrintText(10260, y, kRowSize, (t.cube < 0 ? "" : " ") + runtime::CStr(t.cube));
    }
    PrintWrappedText(row, "TOTALS");
    S().page_just_started = false;
    Bold(false);
  });
}

void PrintSpecialInstructions(std::int16_t& row) {
  const std::string text = Trimmed(bill::kSpecialInstructions);
  if (text.empty()) return;
  Trapped([&row, &text] {
    Bold(true);
    ++row;
    if (row % kRowsPerPage == 1 && !S().page_just_started) {
      if (!StartContinuationPage()) return;
      Bold(true);
    }
    PrintWrappedText(row, text);
    S().page_just_started = false;
    Bold(false);
  });
}

void PrintWrappedText(std::int16_t& row, std::string text) {
  const std::int16_t start = row;
  bool first = true;
  while (!text.empty() && !S().failed) {
    const std::string line = NextTextLine(text);
    if (!first) ++row;
    first = false;
    if (row != start && row % kRowsPerPage == 1 && !S().page_just_started) {
      if (!StartContinuationPage()) return;
      Bold(true);
    }
    PrintField(kTextLineX, kColumnTop + Position(row) * kTextLinePitch, kRowSize, line);
    S().page_just_started = false;
  }
}

std::string NextTextLine(std::string& text) {
  return modMain::NextLineOfWidth(text, kLineLength);
}

std::int16_t CountTextLines(std::string_view text) {
  std::string rest(text);
  std::int16_t lines = 0;
  while (!rest.empty()) {
    NextTextLine(rest);
    ++lines;
  }
  return lines;
}

void PrintLine(int x1, int y1, int x2, int y2, int draw_width) {
  if (!Drawing()) return;
  print::Printer& printer = print::CurrentPrinter();
  PassOver([&] { printer.SetDrawWidth(draw_width == 0 ? 3 : draw_width); });
  PassOver([&] { printer.Line(x1, y1, x2, y2); });
}

void PrintBox(int x1, int y1, int x2, int y2, int draw_width) {
  if (!Drawing()) return;
  print::Printer& printer = print::CurrentPrinter();
  PassOver([&] { printer.SetDrawWidth(draw_width == 0 ? 3 : draw_width); });
  PassOver([&] { printer.Box(x1, y1, x2, y2); });
}

void PrintText(int x, int y, float size, std::string_view utf8_text) {
  if (!Drawing()) return;
  print::Printer& printer = print::CurrentPrinter();
  PassOver([&] { printer.SetFontSize(size == 0 ? 10.0f : size); });
  PassOver([&] { printer.SetCurrentX(x); });
  PassOver([&] { printer.SetCurrentY(y); });
  PassOver([&] { printer.Print(utf8_text, print::PrintEnd::kStay); });
}

void ReportPrintError(int number, const std::string& description) {
  S().failed = true;
  forms::MsgBox("Error # " + std::to_string(number) + " occurred - " + description,
                forms::msgbox::kOKOnly);
  PassOver([] { print::CurrentPrinter().KillDoc(); });
}

}  // namespace frelane::modBOL
