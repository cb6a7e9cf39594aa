// The printer choice dialog through the headless driver, on a recording print system.
#include "frelane/bol/frm_print.h"
#include "frelane/bol/tests/bol_test_support.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"

namespace frelane::testing {
namespace {

using print::PrinterInfo;
using print::testing::RecordingPrintSystem;
using print::testing::ScopedRecordingPrintSystem;

std::unique_ptr<RecordingPrintSystem> System(std::vector<PrinterInfo> printers, int current) {
  auto system = std::make_unique<RecordingPrintSystem>();
  system->SetPrinters(std::move(printers), current);
  return system;
}

class PrintDialogTest : public BolTest {
 protected:
  frmPrint& Dialog() { return app_.Get<frmPrint>(); }
};

TEST_F(PrintDialogTest, ChoosesThePrinterAndCopiesAndRemembersThem) {
  ScopedRecordingPrintSystem printers(System(
      {{"Front Desk", "Laser 4", "cups:front"}, {"Dock", "Label 2", "usb:1"},
       {"PDF file", "PDF", ""}},
      1));
  frmPrint& f = Dialog();
  std::int32_t copies = 7;
  user_.WhenShown("frmPrint", [&] {
    EXPECT_EQ(f.cboPrinters.ListCount(), 3);
    EXPECT_EQ(f.cboPrinters.List(0), "Front Desk");
    EXPECT_EQ(f.cboPrinters.ListIndex(), 1);
    EXPECT_EQ(f.lblDriver.Caption(), "Label 2");
    EXPECT_EQ(f.lblPort.Caption(), "usb:1");
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "1");
    user_.Pick(f.cboPrinters, 0);
    EXPECT_EQ(f.lblDriver.Caption(), "Laser 4");
    user_.TypeInto(f.txtNumberOfCopies, "2");
    user_.Click(f.btnOK);
  });
  EXPECT_TRUE(f.SelectPrinter(copies));
  EXPECT_EQ(copies, 2);
  EXPECT_EQ(print::CurrentPrinter().DeviceName(), "Front Desk");

  // The next call offers the same choice; Cancel leaves the count alone.
  user_.WhenShown("frmPrint", [&] {
    EXPECT_EQ(f.cboPrinters.ListIndex(), 0);
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "2");
    user_.Pick(f.cboPrinters, 2);
    user_.Click(f.btnCancel);
  });
  EXPECT_FALSE(f.SelectPrinter(copies));
  EXPECT_EQ(copies, 2);
  EXPECT_EQ(print::CurrentPrinter().DeviceName(), "Front Desk");

  // The close box cancels too, and the choice survives it.
  user_.WhenShown("frmPrint", [&] { user_.CloseForm(f); });
  EXPECT_FALSE(f.SelectPrinter(copies));
  EXPECT_TRUE(f.IsLoaded());
  EXPECT_EQ(f.txtNumberOfCopies.Text(), "2");

  // A printer removed while the dialog stays loaded is refused with a message.
  printers->SetPrinters({{"Front Desk", "Laser 4", "cups:front"}}, 0);
  user_.WhenShown("frmPrint", [&] {
    user_.Pick(f.cboPrinters, 2);
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "The printer \"PDF file\" could not be chosen.");
    user_.Click(f.btnOK);
    EXPECT_TRUE(user_.AllMessageBoxesShown());
    EXPECT_TRUE(f.Visible());
    user_.Pick(f.cboPrinters, 0);
    user_.Click(f.btnOK);
  });
  EXPECT_TRUE(f.SelectPrinter(copies));
  EXPECT_EQ(print::CurrentPrinter().DeviceName(), "Front Desk");
}

TEST_F(PrintDialogTest, CopiesStayAWholeNumberFromOneTo999) {
  ScopedRecordingPrintSystem printers;
  frmPrint& f = Dialog();
  std::int32_t copies = 0;
  user_.WhenShown("frmPrint", [&] {
    user_.TypeInto(f.txtNumberOfCopies, "0");
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "1");
    EXPECT_EQ(f.VScroll1.Value(), 999);
    user_.Scroll(f.VScroll1, 998);  // the upper arrow
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "2");
    user_.Focus(f.txtNumberOfCopies);
    user_.Backspace();
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "1");
    user_.TypeInto(f.txtNumberOfCopies, "12a34");
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "123");
    EXPECT_EQ(f.VScroll1.Value(), 877);
    f.txtNumberOfCopies.SetText("5000");  // not typed: held to the largest count
    EXPECT_EQ(f.txtNumberOfCopies.Text(), "999");
    EXPECT_EQ(f.VScroll1.Value(), 1);
    user_.PressEnter();  // moves on like Tab
    EXPECT_FALSE(f.txtNumberOfCopies.HasFocus());
    user_.Click(f.btnOK);
  });
  EXPECT_TRUE(f.SelectPrinter(copies));
  EXPECT_EQ(copies, 999);
}

TEST_F(PrintDialogTest, NoPrinterInstalledIsSaidAndOkStaysDisabled) {
  ScopedRecordingPrintSystem printers(System({}, -1));
  frmPrint& f = Dialog();
  std::int32_t copies = 3;
  user_.WhenShown("frmPrint", [&] {
    EXPECT_TRUE(f.lblNoPrinter.Visible());
    EXPECT_FALSE(f.btnOK.Enabled());
    user_.Click(f.btnOK);
    EXPECT_TRUE(f.Visible());
    user_.Click(f.btnCancel);
  });
  EXPECT_FALSE(f.SelectPrinter(copies));
  EXPECT_EQ(copies, 3);
}

TEST_F(PrintDialogTest, LabelsDescribeTheChosenEntryWhenNamesRepeat) {
  ScopedRecordingPrintSystem printers(System(
      {{"Shared", "Driver A", "port-a"}, {"Other", "Driver B", "port-b"},
       {"Shared", "Driver C", "port-c"}},
      2));
  frmPrint& f = Dialog();
  std::int32_t copies = 1;
  user_.WhenShown("frmPrint", [&] {
    EXPECT_EQ(f.cboPrinters.ListIndex(), 2);  // the last entry of the current name
    EXPECT_EQ(f.lblDriver.Caption(), "Driver C");
    user_.Pick(f.cboPrinters, 0);
    EXPECT_EQ(f.lblDriver.Caption(), "Driver A");
    EXPECT_EQ(f.lblPort.Caption(), "port-a");
    user_.Click(f.btnOK);
  });
  EXPECT_TRUE(f.SelectPrinter(copies));
  EXPECT_EQ(print::CurrentPrinter().DriverName(), "Driver A");
}

}  // namespace
}  // namespace frelane::testing
