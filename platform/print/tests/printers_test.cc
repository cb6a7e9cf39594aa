#include "platform/print/printers.h"

#include <gtest/gtest.h>

#include "platform/print/print_form.h"
#include "platform/print/recording_print_system.h"

namespace print {
namespace {

using testing::RecordingPrintSystem;
using testing::ScopedRecordingPrintSystem;

const std::vector<PrinterInfo> kThree = {
    {"Front Office", "Laser 4", "lpt1"},
    {"Dock", "Label 2", "usb"},
    {"PDF file", "PDF", "file"},
};

std::unique_ptr<RecordingPrintSystem> WithPrinters(std::vector<PrinterInfo> printers,
                                                   int default_index) {
  auto system = std::make_unique<RecordingPrintSystem>();
  system->SetPrinters(std::move(printers), default_index);
  return system;
}

TEST(PrintersTest, InstallingASystemMakesItsDefaultPrinterCurrent) {
  {
    ScopedRecordingPrintSystem scope(WithPrinters(kThree, 1));
    EXPECT_EQ(Printers(), kThree);
    EXPECT_EQ(CurrentPrinter().DeviceName(), "Dock");
  }
  {
    ScopedRecordingPrintSystem scope(WithPrinters(kThree, -1));
    EXPECT_EQ(CurrentPrinter().DeviceName(), "Front Office") << "the first when none is default";
  }
  {
    ScopedRecordingPrintSystem scope(WithPrinters(kThree, 7));
    EXPECT_EQ(CurrentPrinter().DeviceName(), "Front Office") << "a default out of range";
  }
  ScopedRecordingPrintSystem scope(WithPrinters({}, -1));
  EXPECT_EQ(CurrentPrinter().DeviceName(), "");
  EXPECT_FALSE(SelectPrinter(0));
}

TEST(PrintersTest, SelectingAPrinterKeepsTheObjectAndItsFont) {
  ScopedRecordingPrintSystem scope(WithPrinters(kThree, 0));
  Printer& printer = CurrentPrinter();
  printer.SetFontName("Arial");
  ASSERT_TRUE(SelectPrinter(2));
  EXPECT_EQ(&CurrentPrinter(), &printer);
  EXPECT_EQ(printer.DeviceName(), "PDF file");
  EXPECT_EQ(printer.DriverName(), "PDF");
  EXPECT_EQ(printer.FontName(), "Arial");
  EXPECT_FALSE(SelectPrinter(3));
  EXPECT_FALSE(SelectPrinter(-1));
  EXPECT_EQ(printer.DeviceName(), "PDF file");
  printer.Print("to the file");
  printer.EndDoc();
  ASSERT_EQ(scope->jobs().size(), 1u);
  EXPECT_EQ(scope->jobs()[0].printer, kThree[2]);
}

TEST(PrintersTest, FontsAreListedInThePrintersOrder) {
  ScopedRecordingPrintSystem scope;
  scope->SetFontNames({"Arial", "Fixedsys", "Courier New"});
  Printer& printer = CurrentPrinter();
  EXPECT_EQ(printer.FontCount(), 3);
  EXPECT_EQ(printer.Fonts(1), "Fixedsys");
  EXPECT_EQ(printer.Fonts(3), "");
  EXPECT_EQ(printer.Fonts(-1), "");
}

TEST(PrintersTest, ScopeRestoresThePreviousSystemAndDiscardsTheOpenJob) {
  PrintSystem* before = &InstalledPrintSystem();
  {
    ScopedRecordingPrintSystem scope;
    CurrentPrinter().Print("left open");
    EXPECT_TRUE(CurrentPrinter().HasOpenDocument());
    EXPECT_EQ(&InstalledPrintSystem(), &scope.system());
  }
  EXPECT_EQ(&InstalledPrintSystem(), before);
  EXPECT_FALSE(CurrentPrinter().HasOpenDocument());
}

}  // namespace
}  // namespace print

namespace print {
namespace {

TEST(PrintFormTest, TheWindowsImageIsPrintedAtItsSizeOnAJobOfItsOwn) {
  testing::ScopedRecordingPrintSystem scope;
  auto image = std::make_shared<Bitmap>(Bitmap{40, 20, std::vector<std::uint32_t>(800)});
  std::string asked;
  WindowImageSource previous = SetWindowImageSource([&](const std::string& name) {
    asked = name;
    return image;
  });
  PrintForm("frmRateBlockAlternation");
  SetWindowImageSource(std::move(previous));
  EXPECT_EQ(asked, "frmRateBlockAlternation");
  ASSERT_EQ(scope->jobs().size(), 1u);
  ASSERT_EQ(scope->LastDocument().pages.size(), 1u);
  const auto& ops = scope->LastDocument().pages[0].ops;
  ASSERT_EQ(ops.size(), 1u);
  const auto& draw = std::get<op::DrawPicture>(ops[0]);
  EXPECT_EQ(draw.width, 600);
  EXPECT_EQ(draw.height, 300);
  EXPECT_EQ(draw.picture.pixels, image);
}

TEST(PrintFormTest, WithoutAnImageNothingIsSentAndTheCallerIsTold) {
  testing::ScopedRecordingPrintSystem scope;
  WindowImageSource previous = SetWindowImageSource({});
  EXPECT_THROW(PrintForm("frmAbout"), PrinterError);
  SetWindowImageSource(std::move(previous));
  EXPECT_TRUE(scope->jobs().empty());
  EXPECT_FALSE(CurrentPrinter().HasOpenDocument());
}

}  // namespace
}  // namespace print
