// The printed bill on the recording printer: the blank form and two bills against
// listings worked out by hand, the line wrapping, the page breaks and the failures.
#include <algorithm>
#include <set>
#include <sstream>
#include <tuple>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_print.h"
#include "frelane/bol/print_bol.h"
#include "frelane/bol/tests/bol_test_support.h"
#include "platform/print/display_list_text.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"

namespace frelane::testing {
namespace {

using testkit::bol::Bill;
using testkit::bol::FlooringBill;
using testkit::bol::LineItem;

std::string Golden(const std::string& name) {
  return testkit::ReadFile(std::string(FRELANE_BOL_GOLDEN_DIR) + "/" + name);
}

// A golden bill listing with each "form" line standing for the whole blank form.
std::string ExpandedGolden(const std::string& name) {
  const std::string form = Golden("blank_form.txt");
  std::istringstream in(Golden(name));
  std::string out, line;
  while (std::getline(in, line)) out += line == "form" ? form : line + "\n";
  return out;
}

// COD remitted to the third party, paid by the consignee, hazardous items, an item moved
// to the next page and instructions that run onto a third.
Bill Hardware() {
  Bill b;
  b.number = "GLS-2042";
  b.ship_date = "12/09/2026";
  b.pro_number = "77120034";
  b.consignee_po = "PO-88";
  b.shipper = {"Cedar Point Glass", "700 Kiln Ave", "Ostrow", "Erie", "OH", "44101", "", "", 0};
  b.consignee = {"Northgate Hardware", "310 Rue Principale", "Lac Vert", "", "ON", "K1A0B1",
                 "", "", 0};
  b.third_party = {"Lakeshore Freight Audit", "77 Ledger Ln", "Harlow", "", "WI", "53703", "",
                   "", 0};
  b.freight_paid_by = 1;
  b.single_shipment = 0;
  b.cod_amount = 125;
  b.cod_boxes[0] = 1;  // cashier's check only
  b.cod_boxes[3] = 1;  // fee collect
  b.cod_boxes[5] = 1;  // remit to the third party
  b.notify_fax = "216-555-0199";
  b.special_instructions =
      "Deliver to dock 4 only.\r\nAppointment required: call the receiving clerk one day "
      "ahead of delivery, never on a holiday.\r\nNo Sunday delivery.";
  b.items = {
      {"", 2, "SK", 8, "BX", 0, "Steel shelving uprights, knocked down\r\nNMFC 61680 sub 2\r\nDo not stack",
       1250, "85", 64},
      {"", 1, "PT", 4, "DR", 1, "Sodium hypochlorite solution, UN1791, 8, PG III", 1800, "60", 0},
      {"", 0, "", 0, "", 0, "", 0, "", 0},
      {"", 12, "CT", 120, "BX", 0,
       "Assorted hand tools, boxed\r\nEach box is banded in pairs and labelled with its aisle "
       "and bay. SKU:HT-0001-0002-0003-0004-0005-0006-0007-0008-0009-0010-0011-0012",
       12000, "100", 2.25},
      {"", 1, "PT", 2, "DR", 1, "Hydrochloric acid solution, UN1789, 8, PG II\r\nKeep upright",
       900, "55", 0.5},
  };
  return b;
}

class PrintBolTest : public BolTest {
 protected:
  void Load(const Bill& bill) {
    testkit::bol::Bytes bytes = testkit::bol::BillBytes(bill);
    std::copy(bytes.begin(), bytes.end(), modBOL::CurrentBOL().bytes.begin());
  }
  const print::Document& Printed() { return printers_->LastDocument(); }

  print::testing::ScopedRecordingPrintSystem printers_;
};

TEST_F(PrintBolTest, BlankFormIsDrawnAsListed) {
  print::CurrentPrinter().SetFontName("Arial");
  ASSERT_TRUE(modBOL::PrintBOLForm());
  EXPECT_FALSE(print::CurrentPrinter().FontBold());
  EXPECT_EQ(print::CurrentPrinter().FontSize(), 6.0f);
  print::CurrentPrinter().EndDoc();
  EXPECT_EQ(print::OperationListing(Printed()), "page 1\n" + Golden("blank_form.txt"));
}

TEST_F(PrintBolTest, BillsPrintAsWorkedOutByHand) {
  Load(FlooringBill());
  ASSERT_TRUE(modBOL::PrintCopies(1));
  EXPECT_EQ(print::OperationListing(Printed()), ExpandedGolden("bill_one_page.txt"));

  Load(Hardware());
  ASSERT_TRUE(modBOL::PrintCopies(1));
  EXPECT_EQ(print::OperationListing(Printed()), ExpandedGolden("bill_three_pages.txt"));
  EXPECT_EQ(printers_->jobs().size(), 2u);
}

TEST_F(PrintBolTest, TextsBreakIntoLinesOfSixtyCharacters) {
  auto lines = [](std::string text) {
    std::vector<std::string> out;
    while (!text.empty()) out.push_back(modBOL::NextTextLine(text));
    return out;
  };
  const std::string sixty(60, 'a');
  EXPECT_EQ(lines(sixty), std::vector<std::string>{sixty});
  std::string blank_at_30 = std::string(29, 'b') + " " + std::string(31, 'c');
  EXPECT_EQ(lines(blank_at_30), (std::vector<std::string>{std::string(29, 'b'), std::string(31, 'c')}));
  EXPECT_EQ(lines(std::string(70, 'd')), (std::vector<std::string>{std::string(60, 'd'), std::string(10, 'd')}));
  EXPECT_EQ(lines("abc\r\ndef"), (std::vector<std::string>{"abc", "def"}));
  EXPECT_EQ(lines(sixty + "\r\n rest"), (std::vector<std::string>{sixty, "rest"}));
  // A line break at 62 is cut as any long text; the break stays in what follows.
  std::string late = std::string(30, 'e') + " " + std::string(30, 'f') + "\r\nnext";
  EXPECT_EQ(lines(late), (std::vector<std::string>{std::string(30, 'e'), std::string(30, 'f'), "next"}));
  EXPECT_EQ(modBOL::CountTextLines(""), 0);
  EXPECT_EQ(modBOL::CountTextLines(late), 3);
}

// Every text of the item area on each page, as (x, y): none may stand on another.
void ExpectNoRowOverAnother(const print::Document& doc) {
  for (const print::Page& page : doc.pages) {
    std::set<std::pair<int, int>> seen;
    for (const print::PrintOp& op : page.ops) {
      const auto* t = std::get_if<print::op::Text>(&op);
      if (t == nullptr || !t->font.bold || t->y < 7760 || t->y > 9850) continue;
      EXPECT_TRUE(seen.insert({t->x, t->y}).second) << t->text << " at " << t->x << "," << t->y;
    }
  }
}

std::vector<std::string> PageNumbers(const print::Document& doc) {
  std::vector<std::string> out;
  for (const print::Page& page : doc.pages) {
    for (const print::PrintOp& op : page.ops) {
      const auto* t = std::get_if<print::op::Text>(&op);
      if (t != nullptr && t->x == 9700 && t->y == 400) out.push_back(t->text);
    }
  }
  return out;
}

TEST_F(PrintBolTest, PagesBreakSoThatTheCountIsRightAndNoRowOverprints) {
  Bill bill = FlooringBill();
  bill.special_instructions.clear();
  bill.items.clear();
  Load(bill);
  ASSERT_TRUE(modBOL::PrintCopies(1));
  EXPECT_EQ(PageNumbers(Printed()), std::vector<std::string>{"Page  1  of  1"});

  // Instructions alone start on the first row of page 1.
  bill.special_instructions = "Fragile";
  Load(bill);
  ASSERT_TRUE(modBOL::PrintCopies(1));
  EXPECT_EQ(print::PageLines(Printed().pages[0]).back(), "Fragile");
  EXPECT_EQ(Printed().pages.size(), 1u);

  // Eight one-line items and the totals: the totals open page 2.
  bill.special_instructions.clear();
  bill.items.assign(8, LineItem{"", 1, "PT", 1, "BX", 0, "Crate", 10, "50", 0});
  Load(bill);
  ASSERT_TRUE(modBOL::PrintCopies(1));
  ASSERT_EQ(Printed().pages.size(), 2u);
  EXPECT_EQ(PageNumbers(Printed()), (std::vector<std::string>{"Page  1  of  2", "Page  2  of  2"}));
  EXPECT_EQ(print::PageLines(Printed().pages[1]).back(), "TOTALS");

  // Items without a description each take a row; an item of nine lines meeting a full page
  // starts the next; six rows and an item of three move it whole.
  bill.items.assign(7, LineItem{"", 1, "PT", 0, "", 0, "", 0, "", 0});
  bill.items.push_back({"", 1, "PT", 0, "", 0, "one", 0, "", 0});
  bill.items.push_back({"", 2, "PT", 0, "", 0, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9", 0, "", 0});
  bill.items.push_back({"", 3, "PT", 0, "", 0, "a\r\nb\r\nc\r\nd\r\ne\r\nf", 0, "", 0});
  bill.items.push_back({"", 4, "PT", 0, "", 0, "x\r\ny\r\nz", 0, "", 0});
  Load(bill);
  ASSERT_TRUE(modBOL::PrintCopies(1));
  // Page 1: eight rows; pages 2-3 the nine lines; then six rows on page 3 and the three-line
  // item on page 4 with the totals.
  EXPECT_EQ(PageNumbers(Printed()),
            (std::vector<std::string>{"Page  1  of  4", "Page  2  of  4", "Page  3  of  4",
                                      "Page  4  of  4"}));
  ExpectNoRowOverAnother(Printed());
  EXPECT_EQ(print::PageLines(Printed().pages[3]).back(), "TOTALS");
}

TEST_F(PrintBolTest, TotalsRowOnlyWhenSomethingIsCounted) {
  Bill bill = FlooringBill();
  bill.special_instructions.clear();
  bill.items = {{"", 0, "", 0, "", 0, "Loose parts", 0, "", 0}};
  Load(bill);
  ASSERT_TRUE(modBOL::PrintCopies(1));
  std::vector<std::string> lines = print::PageLines(Printed().pages[0]);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "TOTALS"), 0);
}

// Cancel in the printer's own file dialog is the user's: no message, no further copy.
TEST_F(PrintBolTest, ACancelledCopyEndsThePrintSilently) {
  Load(FlooringBill());
  printers_->CancelNextSubmit();
  EXPECT_FALSE(modBOL::PrintCopies(3));
  EXPECT_TRUE(user_.MessageBoxes().empty());
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());
  EXPECT_EQ(forms::Screen().MousePointer(), forms::kMouseDefault);
  EXPECT_TRUE(modBOL::PrintCopies(1));
  EXPECT_EQ(printers_->jobs().size(), 1u);
}

TEST_F(PrintBolTest, AFailedStepEndsThePrintAndTheRemainingCopies) {
  Load(FlooringBill());
  // Bold is switched off for the copy, five times by the form and twice by the page fields;
  // the 9th switch is the first item's row.
  printers_->FailOperation("FontBold", 9, print::PrinterError(482, "Printer error"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred - Printer error");
  EXPECT_FALSE(modBOL::PrintCopies(3));
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());

  // A failing switch inside the form is reported up too.
  print::testing::ScopedRecordingPrintSystem other;
  other->FailOperation("FontBold", 3, print::PrinterError(482, "Form"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred - Form");
  EXPECT_FALSE(modBOL::PrintCopies(1));
  EXPECT_TRUE(other->jobs().empty());

  // A failure in the special instructions: after the copy's reset, the form, the page
  // fields, two items and the totals, the 15th switch starts the instructions.
  print::testing::ScopedRecordingPrintSystem late;
  late->FailOperation("FontBold", 15, print::PrinterError(482, "Late"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred - Late");
  EXPECT_FALSE(modBOL::PrintCopies(1));
  EXPECT_TRUE(late->jobs().empty());

  // A job the printer refuses.
  print::testing::ScopedRecordingPrintSystem refusing;
  refusing->FailNextSubmit(print::PrinterError(482, "Refused"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred - Refused");
  EXPECT_FALSE(modBOL::PrintCopies(2));
  EXPECT_TRUE(refusing->jobs().empty());
  EXPECT_TRUE(user_.AllMessageBoxesShown());

  // Every copy is its own job.
  print::testing::ScopedRecordingPrintSystem fine;
  EXPECT_TRUE(modBOL::PrintCopies(2));
  EXPECT_EQ(fine->jobs().size(), 2u);
}

TEST_F(PrintBolTest, FilePrintChoosesValidatesPrintsEveryCopyAndSaysSo) {
  WriteFile("Shipper.dat", SampleShippers());
  frmBOL& f = app_.Get<frmBOL>();
  f.Show();
  Load(FlooringBill());
  f.ShowBOL();
  user_.WhenShown("frmPrint", [this] {
    frmPrint& d = app_.Get<frmPrint>();
    user_.TypeInto(d.txtNumberOfCopies, "2");
    user_.Click(d.btnOK);
  });
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Printing successfully completed");
  user_.MenuClick(f.mnuFilePrint);
  ASSERT_EQ(printers_->jobs().size(), 2u);
  EXPECT_EQ(print::OperationListing(printers_->jobs()[0].document),
            ExpandedGolden("bill_one_page.txt"));

  // Cancelled, or a bill that does not pass validation: nothing prints.
  user_.WhenShown("frmPrint", [this] { user_.Click(app_.Get<frmPrint>().btnCancel); });
  user_.MenuClick(f.mnuFilePrint);
  user_.TypeInto(f.txtBOL, "");
  user_.Backspace();
  user_.WhenShown("frmPrint", [this] { user_.Click(app_.Get<frmPrint>().btnOK); });
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "You must specify a BOL#");
  user_.MenuClick(f.mnuFilePrint);
  EXPECT_EQ(printers_->jobs().size(), 2u);

  // A failed copy: its error, and no claim of success.
  user_.TypeInto(f.txtBOL, "MRM-0102");
  printers_->FailOperation("NewPage", 1, print::PrinterError(482, "Out of paper"));
  Bill long_bill = FlooringBill();
  long_bill.number = "MRM-0102";
  long_bill.items.assign(9, LineItem{"", 1, "PT", 1, "BX", 0, "Crate", 10, "50", 0});
  Load(long_bill);
  user_.WhenShown("frmPrint", [this] { user_.Click(app_.Get<frmPrint>().btnOK); });
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred - Out of paper");
  user_.MenuClick(f.mnuFilePrint);
  EXPECT_EQ(printers_->jobs().size(), 2u);
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  f.ShowBOL();
}

}  // namespace
}  // namespace frelane::testing
