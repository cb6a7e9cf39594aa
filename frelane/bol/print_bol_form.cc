// The blank straight bill of lading, short form: the page frame, titles, captions with their
// fill-in lines, the C.O.D., item, prepaid, freight-collect and certification boxes, and
// the contract, liability and certification texts, at fixed points of a Letter page.
#include <variant>

#include "frelane/bol/print_bol.h"
#include "platform/os/cp1252.h"
#include "platform/print/printers.h"
#include "platform/runtime/error.h"

namespace frelane::modBOL {
namespace {

struct Caption {
  int x, y, size;
  const char* text;  // Windows-1252
};
struct Rule {
  int x1, y1, x2, y2, width;
};
struct Frame {
  int x1, y1, x2, y2, width;
};
struct BoldSwitch {
  bool on;
};
using FormStep = std::variant<Caption, Rule, Frame, BoldSwitch>;

constexpr FormStep Text(int x, int y, int size, const char* text) { return Caption{x, y, size, text}; }
constexpr FormStep Line(int x1, int y1, int x2, int y2, int w) { return Rule{x1, y1, x2, y2, w}; }
constexpr FormStep Box(int x1, int y1, int x2, int y2, int w) { return Frame{x1, y1, x2, y2, w}; }
constexpr FormStep Bold(bool on) { return BoldSwitch{on}; }

// In drawing order; a caption that takes a value is followed by its fill-in line.
constexpr FormStep kForm[] = {
    Bold(false),
    Text(3300, 0, 8, "NATIONAL MOTOR FREIGHT CLASSIFICATION 100-Series"),
    Box(100, 300, 11150, 14850, 6),
    Line(100, 700, 11150, 700, 6),
    Text(150, 770, 8, "(To be printed on White Paper)"),
    Bold(true),
    Text(2750, 820, 14, "STRAIGHT BILL OF LADING--SHORT FORM"),
    Text(4000, 1300, 10, "ORIGINAL--NOT NEGOTIABLE"),
    Bold(false),
    Text(7500, 1300, 8, "Carrier's Pro No."),
    Line(8700, 1440, 11000, 1440, 3),
    Text(7500, 1560, 8, "Shipper's Bill of Lading No."),
    Line(9400, 1700, 11000, 1700, 3),
    Text(7500, 1820, 8, "Consignee's Reference/PO No."),
    Line(9675, 1960, 11000, 1960, 3),
    Text(150, 2080, 8, "Name of Carrier"),
    Line(1300, 2220, 7400, 2220, 3),
    Text(7500, 2080, 8, "Carrier's Code (SCAC)"),
    Line(9100, 2220, 11000, 2220, 3),
    Text(150, 2500, 8, "RECEIVED, subject to individually determined rates or contracts that have been agreed upon in writing between the carrier and shipper, if applicable,"),
    Text(150, 2700, 8, "otherwise to the rates, classifications and rules that have been established by the carrier and are available to the shipper, on request"),
    Text(150, 3060, 8, "From"),
    Line(600, 3220, 8400, 3220, 3),
    Text(8500, 3060, 8, "Date"),
    Line(8900, 3220, 11000, 3220, 3),
    Text(150, 3380, 8, "Street"),
    Line(650, 3520, 2900, 3520, 3),
    Text(3000, 3380, 8, "City"),
    Line(3350, 3520, 5400, 3520, 3),
    Text(5500, 3380, 8, "County"),
    Line(6050, 3520, 7900, 3520, 3),
    Text(8000, 3380, 8, "State"),
    Line(8400, 3520, 9400, 3520, 3),
    Text(9500, 3380, 8, "Zip"),
    Line(9750, 3520, 11000, 3520, 3),
    Text(160, 3740, 6, "the property described below, in apparent good order, except as noted (contents and condition of contents of packages unknown) marked, consigned, and destined as shown below, which said carrier"),
    Text(160, 3880, 6, "agrees to carry to destination, if on its route, or otherwise to deliver to another carrier on the route to destination.  It is mutually agreed, as to each carrier of all or any of said property over all or any portion"),
    Text(160, 4020, 6, "of said route to destination, and as to each party at any time interested in all or any of said property, that every service to be performed hereunder shall be subject to all the terms and conditions of the "),
    Text(160, 4160, 6, "Uniform Bill of Lading set forth in the National Motor Freight Classification 100-Series and successive issues.  The shipper hereby certifies that he is familiar with all the terms and coditions of the said "),
    Text(160, 4300, 6, "bill of lading, including those on the back thereof, and the said terms and conditions are hereby agreed to by the shipper and accepted for himself and his assigns."),
    Text(150, 4600, 8, "Consigned to"),
    Line(1200, 4740, 11000, 4740, 3),
    Text(3500, 4760, 6, "On Collect on Delivery Shipments, the letters 'COD' must appear before consignee's name."),
    Text(150, 5000, 8, "Destination Street"),
    Line(1400, 5140, 11000, 5140, 3),
    Text(150, 5260, 8, "City"),
    Line(500, 5400, 4000, 5400, 3),
    Text(4100, 5260, 8, "County"),
    Line(4650, 5400, 7900, 5400, 3),
    Text(8000, 5260, 8, "State"),
    Line(8400, 5400, 9400, 5400, 3),
    Text(9500, 5260, 8, "Zip"),
    Line(9750, 5400, 11000, 5400, 3),
    Text(150, 5520, 8, "Delivering Carrier"),
    Line(1400, 5660, 6500, 5660, 3),
    Text(6600, 5520, 8, "Trailer No."),
    Line(7325, 5660, 11000, 5660, 3),
    Text(150, 5780, 8, "Additional Shipment Information"),
    Line(2425, 5920, 11000, 5920, 3),
    Box(225, 6100, 11000, 6900, 3),
    Box(275, 6150, 10950, 6850, 3),
    Text(375, 6280, 8, "Collect on Delivery $ "),
    Line(1800, 6420, 4600, 6420, 3),
    Text(4650, 6280, 8, "and remit to:"),
    Line(5600, 6420, 8025, 6420, 3),
    Text(375, 6550, 8, "Street"),
    Line(800, 6690, 4600, 6690, 3),
    Text(4650, 6550, 8, "City"),
    Line(5000, 6690, 6550, 6690, 3),
    Text(6600, 6550, 8, "State"),
    Line(6975, 6690, 8025, 6690, 3),
    Line(8125, 6150, 8125, 6850, 3),
    Text(8200, 6280, 8, "C.O.D. charge"),
    Text(8200, 6550, 8, "to be paid by"),
    Text(9750, 6280, 8, "Shipper"),
    Box(10600, 6280, 10750, 6440, 3),
    Text(9650, 6550, 8, "Consignee"),
    Box(10600, 6550, 10750, 6710, 3),
    Box(225, 7050, 11000, 9900, 3),
    Box(275, 7100, 10950, 9850, 3),
    Text(375, 7150, 8, "Handling"),
    Text(375, 7320, 8, "Units No."),
    Text(485, 7490, 8, "Type"),
    Text(1250, 7150, 8, "Packages"),
    Text(1400, 7320, 8, "No."),
    Text(1350, 7490, 8, "Type"),
    Text(2150, 7150, 14, "*"),
    Text(2100, 7320, 8, "HM"),
    Text(2525, 7150, 7, "Kind of package, Description of Articles, Special Marks and Exceptions, NMFC #"),
    Text(2525, 7320, 7, "(Subject to correction)"),
    Text(8375, 7150, 8, "Weight"),
    Text(8250, 7320, 8, "(Subject to"),
    Text(8275, 7490, 8, "Correction)"),
    Text(9400, 7150, 8, "Class or"),
    Text(9350, 7320, 8, "Rate Ref."),
    Text(9350, 7490, 8, "(Info only)"),
    Text(10375, 7150, 8, "Cube"),
    Text(10240, 7320, 8, "(Optional)"),
    Line(1200, 7100, 1200, 9850, 3),
    Line(2000, 7100, 2000, 9850, 3),
    Line(2450, 7100, 2450, 9850, 3),
    Line(8125, 7100, 8125, 9850, 3),
    Line(9200, 7100, 9200, 9850, 3),
    Line(10200, 7100, 10200, 9850, 3),
    Line(275, 7760, 10950, 7760, 3),
    Line(275, 8020, 10950, 8020, 3),
    Line(275, 8280, 10950, 8280, 3),
    Line(275, 8540, 10950, 8540, 3),
    Line(275, 8800, 10950, 8800, 3),
    Line(275, 9060, 10950, 9060, 3),
    Line(275, 9320, 10950, 9320, 3),
    Line(275, 9580, 10950, 9580, 3),
    Text(300, 9950, 14, "*"),
    Text(500, 10000, 7, "Mark 'X' to designate Hazardous Materials as defined in DOT Regulations"),
    Text(200, 10280, 7, "NOTE (1) Where the rate is dependent on value, shippers are required to state specifically in writing "),
    Text(200, 10430, 7, "the agreed or declared value of the property as follows:"),
    Text(200, 10710, 7, "'The agreed or declared value of the property is specifically stated by the shipper to be not exceeding"),
    Text(200, 10890, 7, "__________ per __________.'"),
    Bold(true),
    Text(200, 11200, 10, "NOTE (2) Liability Limitation for loss or damage on this shipment"),
    Text(200, 11400, 10, "may be applicable.  See 49 U.S.C. \xa7 14706(c)(1)(A) and (B)."),
    Bold(false),
    Text(200, 11750, 7, "NOTE (3) Commodities requiring special or additional care or attention in handling or stowing must be so"),
    Text(200, 11900, 7, "marked and packaged as to ensure safe transportation with ordinary care.  See Sec. 2(e) of NMFC Item 360."),
    Box(7000, 10000, 11000, 10775, 3),
    Box(7050, 10050, 10950, 10725, 3),
    Text(7900, 10125, 7, "Freight charges are PREPAID"),
    Text(8100, 10275, 7, "unless marked collect."),
    Text(7950, 10450, 7, "CHECK BOX IF COLLECT"),
    Box(9750, 10450, 9900, 10610, 3),
    Box(7000, 10875, 11000, 12150, 3),
    Box(7050, 10925, 10950, 12100, 3),
    Text(7700, 10975, 7, "FOR FREIGHT COLLECT SHIPMENTS:"),
    Text(7100, 11175, 6, "If this shipment is to be delivered to the consignee, without recourse"),
    Text(7100, 11315, 6, "on the consignor, the consignor shall sign the following statement:"),
    Text(7100, 11515, 6, "The carrier may decline to make delivery of this shipment without"),
    Text(7100, 11655, 6, "payment of freight and all other lawful charges."),
    Line(9600, 11900, 10850, 11900, 3),
    Text(9600, 11925, 6, "(Signature of Consignor)"),
    Text(200, 12270, 8, "Notify if problem enroute or at delivery"),
    Line(2800, 12410, 8500, 12410, 3),
    Text(8550, 12270, 8, "(for informational purposes only)"),
    Text(3200, 12420, 8, "Name"),
    Text(5600, 12420, 8, "Fax No."),
    Text(7350, 12420, 8, "Tel. No."),
    Text(200, 12700, 8, "Send freight bill to:"),
    Line(1525, 12840, 11000, 12840, 3),
    Text(1800, 12850, 8, "Company Name"),
    Text(4300, 12850, 8, "City"),
    Text(6800, 12850, 8, "Street"),
    Text(9000, 12850, 8, "State"),
    Text(10200, 12850, 8, "Zip"),
    Text(200, 13130, 8, "Shipper"),
    Line(800, 13270, 4650, 13270, 3),
    Text(4700, 13130, 8, "Carrier"),
    Line(5225, 13270, 11000, 13270, 3),
    Text(1000, 13350, 8, "Per"),
    Line(1250, 13500, 4650, 13500, 3),
    Text(5425, 13350, 8, "Per"),
    Line(5675, 13500, 8550, 13500, 3),
    Text(8775, 13350, 8, "Date"),
    Line(9200, 13500, 11000, 13500, 3),
    Box(225, 13600, 11000, 14750, 3),
    Box(275, 13650, 10950, 14700, 3),
    Line(4300, 13650, 4300, 14700, 3),
    Text(1700, 13675, 6, "Shipper Certification"),
    Text(7100, 13675, 6, "Carrier Certification"),
    Line(275, 13850, 10950, 13850, 3),
    Text(350, 13925, 6, "This is to certify that the above named materials are properly classified,"),
    Text(350, 14065, 6, "described, packaged, marked and labeled, and are in proper condition"),
    Text(350, 14205, 6, "for transportation according to the applicable regulations of the DOT."),
    Text(350, 14485, 6, "Per"),
    Line(600, 14625, 2800, 14625, 3),
    Text(2850, 14485, 6, "Date"),
    Line(3125, 14625, 4200, 14625, 3),
    Text(4375, 13925, 6, "Carrier acknowledges receipt of packages and required placards.  Carrier certifies emergency response information was"),
    Text(4375, 14065, 6, "made available and/or carrier has the DOT emergency response guidebook or equivalent document in the vehicle."),
    Text(4375, 14275, 6, "Per"),
    Line(4625, 14420, 9060, 14420, 3),
    Text(9110, 14275, 6, "Package Nos."),
    Line(9875, 14420, 10750, 14420, 3),
    Text(4375, 14485, 6, "Date"),
    Line(4650, 14625, 10750, 14625, 3),
};

void Draw(const Caption& c) {
  PrintText(c.x, c.y, static_cast<float>(c.size), os::Cp1252ToUtf8(c.text));
}
void Draw(const Rule& r) { PrintLine(r.x1, r.y1, r.x2, r.y2, r.width); }
void Draw(const Frame& f) { PrintBox(f.x1, f.y1, f.x2, f.y2, f.width); }
void Draw(const BoldSwitch& b) { print::CurrentPrinter().SetFontBold(b.on); }

}  // namespace

bool PrintBOLForm() {
  PrintState& state = PrintStateOfBill();
  if (state.measuring) return true;
  if (state.failed) return false;
  try {
    for (const FormStep& step : kForm) {
      std::visit([](const auto& s) { Draw(s); }, step);
    }
  } catch (const runtime::RuntimeError& e) {
    try {
      print::CurrentPrinter().SetFontBold(false);
    } catch (const runtime::RuntimeError&) {
    }
    ReportPrintError(e.Number(), e.Description());
    return false;
  }
  return true;
}

}  // namespace frelane::modBOL
