// The line items, the address books and the two dialogs of the bill-of-lading editor,
// through the headless driver.
#include <filesystem>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_bol_defaults.h"
#include "frelane/bol/frm_bol_open.h"
#include "frelane/bol/line_items.h"
#include "frelane/bol/tests/bol_test_support.h"
#include "testkit/file_size_limit.h"

namespace frelane::testing {
namespace {

namespace fs = std::filesystem;
using forms::MsgBoxResult;
using testkit::bol::Bytes;

class BooksTest : public BolTest {
 protected:
  void SetUp() override {
    BolTest::SetUp();
    WriteFile("Shipper.dat", SampleShippers());
    WriteFile("Consigne.dat", SampleShippers());
    dir_.Write("ThirdPty.dat", std::string_view());
    WriteFile("Product.dat",
              testkit::bol::Concatenate(
                  {testkit::bol::ProductBytes({"Oak flooring", "PTAB", "BD  ",
                                               "Prefinished oak boards", 0, 150, "55", 0}),
                   testkit::bol::ProductBytes({"Pool acid", "DR", "CN", "Muriatic acid, 8",
                                               1, 999999, "85", 0})}));
  }

  frmBOL& Editor() {
    frmBOL& f = app_.Get<frmBOL>();
    f.Show();
    user_.Click(f.btnNext);
    user_.Click(f.btnNext);
    return f;
  }

  std::string Record(const std::string& book, int n, std::size_t size) {
    return Read(book).substr((n - 1) * size, size);
  }
};

TEST_F(BooksTest, ItemsAreAddedListedEditedAndDeleted) {
  frmBOL& f = Editor();
  user_.Click(f.btnAdd);
  EXPECT_TRUE(f.fraDetailDetail.Visible());
  EXPECT_FALSE(f.btnDelete.Visible());
  EXPECT_FALSE(f.mnuFile.Enabled());
  EXPECT_FALSE(f.lstDetails.Enabled());
  EXPECT_TRUE(f.cboProduct.HasFocus());
  user_.TypeInto(f.txtHandlingUnits, "12x");
  user_.Pick(f.cboHandlingUnitsType, 1);  // "PT - Pallet"
  EXPECT_EQ(f.cboHandlingUnitsType.Text(), "PT");
  user_.TypeInto(f.txtDescription, "Steel brackets");
  user_.TypeInto(f.txtClass, "100.5");  // four characters are kept
  user_.TypeInto(f.txtCube, "0.25");
  user_.Focus(f.chkHazardousMaterialsFlag);
  user_.Type("x");
  EXPECT_EQ(f.chkHazardousMaterialsFlag.Value(), 1);
  user_.Click(f.btnSave);
  EXPECT_FALSE(f.fraDetailDetail.Visible());
  EXPECT_TRUE(f.mnuFile.Enabled());
  EXPECT_TRUE(f.BOLChanged());
  ASSERT_EQ(f.lstDetails.ListCount(), 1);
  EXPECT_EQ(f.lstDetails.List(0), "  12  PT         0        Steel brackets" + std::string(236, ' '));
  os::ConstRecordView item = bol::ItemView(modBOL::CurrentBOL(), 1);
  EXPECT_EQ(item.I32(bol::item::kHandlingUnits), 12);
  EXPECT_EQ(item.Text(bol::item::kClass), "100.");
  EXPECT_EQ(item.Text(bol::item::kClass).size(), 4u);
  EXPECT_DOUBLE_EQ(item.F64(bol::item::kCube), 0.25);
  EXPECT_EQ(bol::ByteOf(item, bol::item::kHazmat), 1);

  // Editing shows the stored item; Ignore without a change asks nothing.
  user_.Pick(f.lstDetails, 0);
  user_.Click(f.btnEdit);
  EXPECT_EQ(f.txtCube.Text(), ".25");
  EXPECT_EQ(f.txtNumberOfPackages.Text(), "");
  EXPECT_TRUE(f.btnDelete.Visible());
  user_.Click(f.btnIgnore);
  EXPECT_FALSE(f.fraDetailDetail.Visible());
  user_.Pick(f.lstDetails, 0);
  user_.PressEnter();
  user_.TypeInto(f.txtWeight, "500");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Really lose changes?");
  user_.Click(f.btnIgnore);
  EXPECT_TRUE(f.fraDetailDetail.Visible());
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Really lose changes?");
  user_.Click(f.btnIgnore);
  EXPECT_EQ(bol::ItemView(modBOL::CurrentBOL(), 1).I32(bol::item::kWeight), 0);

  // Nothing selected: Edit and Enter in the list say so.
  f.lstDetails.SetListIndex(-1);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "You must select an item to edit");
  user_.Click(f.btnEdit);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "You must select an item to edit");
  user_.Focus(f.lstDetails);
  user_.PressEnter();
}

TEST_F(BooksTest, ClosingTheItemEditorGivesTheFocusBackToWhatOpenedIt) {
  frmBOL& f = Editor();
  auto focus_shown = [&](forms::Control& c) {
    return c.HasFocus() && c.IsShown() && c.IsEffectivelyEnabled();
  };
  user_.Click(f.btnAdd);
  user_.TypeInto(f.txtDescription, "Crates");
  user_.Click(f.btnSave);
  EXPECT_TRUE(focus_shown(f.btnAdd));

  // Opened from the list by Enter, and by a double click.
  user_.Pick(f.lstDetails, 0);
  user_.PressEnter();
  EXPECT_TRUE(f.cboProduct.HasFocus());
  user_.Click(f.btnIgnore);
  EXPECT_TRUE(focus_shown(f.lstDetails));
  user_.DblClick(f.lstDetails);
  user_.Click(f.btnSave);
  EXPECT_TRUE(focus_shown(f.lstDetails));
  user_.Pick(f.lstDetails, 0);
  user_.DblClick(f.lstDetails);
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure you want to delete this item?");
  user_.Click(f.btnDelete);
  EXPECT_TRUE(focus_shown(f.lstDetails));

  // The opener gone meanwhile: the list takes the focus.
  user_.Click(f.btnAdd);
  f.btnAdd.SetEnabled(false);
  user_.Click(f.btnIgnore);
  EXPECT_TRUE(focus_shown(f.lstDetails));
}

TEST_F(BooksTest, TwentyItemsAtMostAndDeleteShiftsTheRest) {
  frmBOL& f = Editor();
  for (int n = 1; n <= 20; ++n) {
    user_.Click(f.btnAdd);
    user_.TypeInto(f.txtDescription, "Item " + std::to_string(n));
    user_.TypeInto(f.txtWeight, std::to_string(n * 10));
    user_.Click(f.btnSave);
  }
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Maximum of 20 line items per BOL");
  user_.Click(f.btnAdd);
  EXPECT_FALSE(f.fraDetailDetail.Visible());

  user_.ExpectMsgBox(MsgBoxResult::kOK, "You must select an item to edit");
  user_.DblClick(f.lstDetails);  // nothing selected yet
  user_.Pick(f.lstDetails, 2);
  user_.DblClick(f.lstDetails);
  user_.TypeInto(f.txtWeight, "9");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Are you sure you want to delete this item?");
  user_.Click(f.btnDelete);
  EXPECT_TRUE(f.fraDetailDetail.Visible());
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure you want to delete this item?");
  user_.Click(f.btnDelete);
  EXPECT_EQ(f.CurrentItem(), 0);
  ASSERT_EQ(f.lstDetails.ListCount(), 19);
  const bol::BOLRecord& bill = modBOL::CurrentBOL();
  EXPECT_EQ(bol::ByteOf(bill.View(), bol::bill::kItemCount), 19);
  EXPECT_EQ(bol::ItemView(bill, 3).Text(bol::item::kDescription), "Item 4");
  EXPECT_EQ(bol::ItemView(bill, 19).I32(bol::item::kWeight), 200);
  EXPECT_EQ(bol::ItemView(bill, 20).Raw(bol::item::kDescription), std::string(250, ' '));
  EXPECT_EQ(bol::ItemView(bill, 20).I32(bol::item::kWeight), 0);
}

TEST_F(BooksTest, AProductPickFillsTheItemAndComputesItsWeight) {
  frmBOL& f = Editor();
  user_.Click(f.btnAdd);
  user_.TypeInto(f.txtNumberOfPackages, "3");
  int beeps = user_.beeps();
  user_.Pick(f.cboProduct, 0);  // Oak flooring, 150 lb a package
  EXPECT_EQ(f.CurrentProductRecord(), 1);
  EXPECT_EQ(f.cboHandlingUnitsType.Text(), "PT");  // a four-letter code keeps two, with a beep
  EXPECT_EQ(user_.beeps(), beeps + 1);
  EXPECT_EQ(f.cboPackagesType.Text(), "BD");
  EXPECT_EQ(f.txtHandlingUnits.Text(), "1");
  EXPECT_EQ(f.txtWeight.Text(), "450");
  EXPECT_EQ(f.txtClass.Text(), "55");
  EXPECT_EQ(f.txtDescription.Text(), "Prefinished oak boards");
  user_.TypeInto(f.txtNumberOfPackages, "");
  user_.Backspace();
  user_.Pick(f.cboProduct, 0);  // the same product again recomputes
  EXPECT_EQ(f.txtNumberOfPackages.Text(), "1");
  EXPECT_EQ(f.txtWeight.Text(), "150");
  user_.Click(f.btnSave);
  EXPECT_EQ(bol::ItemView(modBOL::CurrentBOL(), 1).Text(bol::item::kProductName), "Oak flooring");

  // 9999 packages of 999,999 lb: refused, the weight box keeps its text.
  user_.Click(f.btnAdd);
  user_.TypeInto(f.txtNumberOfPackages, "9999");
  user_.TypeInto(f.txtWeight, "77");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "999,999 lb");
  user_.Pick(f.cboProduct, 1);
  EXPECT_EQ(f.txtWeight.Text(), "77");
  EXPECT_EQ(f.chkHazardousMaterialsFlag.Value(), 1);
  // A pasted non-number stores 0.
  f.txtHandlingUnits.SetText("2e5");
  user_.Click(f.btnSave);
  EXPECT_EQ(bol::ItemView(modBOL::CurrentBOL(), 2).I32(bol::item::kHandlingUnits), 0);
  EXPECT_EQ(bol::ItemView(modBOL::CurrentBOL(), 2).I32(bol::item::kWeight), 77);
}

TEST(LineItemRules, CubeTextAndWholeNumbers) {
  EXPECT_EQ(bol::CubeText(0), "");
  EXPECT_EQ(bol::CubeText(0.25), ".25");
  EXPECT_EQ(bol::CubeText(12), "12.");
  EXPECT_EQ(bol::CubeText(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(bol::WholeNumberOf(" 42 "), 42);
  EXPECT_EQ(bol::WholeNumberOf("4x"), 0);
  EXPECT_EQ(bol::WholeNumberOf(""), 0);
  EXPECT_EQ(bol::PackagesWeight(3, 150), 450);
  EXPECT_EQ(bol::PackagesWeight(9999, 100), 999900);
  EXPECT_FALSE(bol::PackagesWeight(9999, 101).has_value());
  EXPECT_FALSE(bol::PackagesWeight(2, 2147483647).has_value());
}

TEST_F(BooksTest, APickFillsTheBlockAndSaveRewritesThatRecord) {
  frmBOL& f = app_.Get<frmBOL>();
  f.Show();
  ASSERT_EQ(f.cboShipperName.ListCount(), 3);
  EXPECT_EQ(f.cboShipperName.List(0), "birch Lane Foods");
  user_.Pick(f.cboShipperName, 2);  // Maple Row Millworks, record 1
  EXPECT_EQ(f.CurrentShipperRecord(), 1);
  EXPECT_EQ(f.txtShipperCity.Text(), "Harlow");
  EXPECT_EQ(f.txtShipper.Text(), "S-100");
  EXPECT_EQ(modBOL::CurrentBOL().View().Text(bol::bill::kShipperCity), "Harlow");
  EXPECT_EQ(modBOL::CurrentBOL().View().Text(bol::bill::kShipperName), "Maple Row Millworks");
  EXPECT_TRUE(f.BOLChanged());

  // A consignee pick leaves the shipper's number alone.
  user_.Pick(f.cboConsigneeName, 1);  // Cedar Point Glass, record 3
  EXPECT_EQ(f.txtConsigneePhone.Text(), "216-555-0142");
  EXPECT_EQ(f.txtShipper.Text(), "S-100");

  const std::string book_before = Read("Shipper.dat");
  user_.TypeInto(f.txtShipperCity, "Lakeview");
  user_.MenuClick(f.mnuFileSaveShipper);
  EXPECT_EQ(Read("Shipper.dat").size(), book_before.size());
  EXPECT_EQ(Record("Shipper.dat", 1, 169).substr(60, 8), "Lakeview");
  EXPECT_EQ(Read("Shipper.dat").substr(169), book_before.substr(169));
  EXPECT_EQ(f.cboShipperName.ListCount(), 3);

  user_.TypeInto(f.txtShipperCity, "Northgate");
  user_.MenuClick(f.mnuFileSaveAsShipper);
  EXPECT_EQ(f.CurrentShipperRecord(), 4);
  EXPECT_EQ(Read("Shipper.dat").size(), 4u * 169);
  EXPECT_EQ(f.cboShipperName.ListCount(), 4);
  EXPECT_EQ(f.cboShipperName.ItemData(f.cboShipperName.ListIndex()), 4);
  EXPECT_EQ(Record("Shipper.dat", 1, 169).substr(60, 8), "Lakeview");
}

TEST_F(BooksTest, AnEntryThatDoesNotFitIsReportedAndLeavesTheBookAsItWas) {
  frmBOL& f = app_.Get<frmBOL>();
  f.Show();
  user_.Pick(f.cboShipperName, 2);  // Maple Row Millworks, record 1
  user_.TypeInto(f.txtShipperCity, "Northgate");
  const std::string book_before = Read("Shipper.dat");
  {
    testkit::FileSizeLimit full_disk(book_before.size() + 40);
    user_.ExpectMsgBox(MsgBoxResult::kOK, "The entry was not saved.");
    user_.MenuClick(f.mnuFileSaveAsShipper);
  }
  EXPECT_NE(user_.LastPrompt().find("File too large"), std::string::npos) << user_.LastPrompt();
  EXPECT_EQ(Read("Shipper.dat"), book_before);
  EXPECT_EQ(f.cboShipperName.ListCount(), 3);
  // Once there is room again the same command appends one whole record.
  user_.MenuClick(f.mnuFileSaveAsShipper);
  EXPECT_EQ(Read("Shipper.dat").size(), book_before.size() + 169);
  EXPECT_EQ(f.CurrentShipperRecord(), 4);
}

TEST_F(BooksTest, DeleteChangesOnlyTheStatusByteOfThePickedRecord) {
  frmBOL& f = app_.Get<frmBOL>();
  f.Show();
  const std::string before = Read("Consigne.dat");
  user_.MenuClick(f.mnuEditDeleteConsignee);  // nothing picked yet: nothing happens
  EXPECT_EQ(Read("Consigne.dat"), before);

  user_.Pick(f.cboConsigneeName, 0);  // birch Lane Foods, record 2
  user_.TypeInto(f.txtConsigneeAddress, "typed over, not saved");
  user_.MenuClick(f.mnuEditDeleteConsignee);
  std::string after = Read("Consigne.dat");
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(static_cast<std::uint8_t>(after[169 + 168]), 255);
  after[169 + 168] = before[169 + 168];
  EXPECT_EQ(after, before);
  EXPECT_EQ(f.cboConsigneeName.ListCount(), 2);
  EXPECT_EQ(f.cboConsigneeName.Text(), "");
  EXPECT_EQ(f.txtConsigneeAddress.Text(), "");
  EXPECT_EQ(modBOL::CurrentBOL().View().Text(bol::bill::kConsigneeName), "");

  // A later Save of the block brings the same record back.
  user_.TypeInto(f.cboConsigneeName, "Birch Lane Foods");
  user_.MenuClick(f.mnuFileSaveConsignee);
  EXPECT_EQ(Read("Consigne.dat").size(), before.size());
  EXPECT_EQ(f.cboConsigneeName.ListCount(), 3);
  EXPECT_EQ(Record("Consigne.dat", 2, 169).substr(0, 16), "Birch Lane Foods");
}

TEST_F(BooksTest, NewAndOpenForgetThePickedRecords) {
  frmBOL& f = app_.Get<frmBOL>();
  f.Show();
  user_.Pick(f.cboShipperName, 2);  // record 1
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Save Changes?");
  user_.MenuClick(f.mnuFileNewBOL);
  EXPECT_EQ(f.CurrentShipperRecord(), -1);
  // A shipper typed into the new bill is appended, not written over record 1.
  user_.TypeInto(f.cboShipperName, "Quarry Hill Stone");
  user_.TypeInto(f.txtShipperCity, "Granby");
  const std::string first = Record("Shipper.dat", 1, 169);
  user_.MenuClick(f.mnuFileSaveShipper);
  EXPECT_EQ(Record("Shipper.dat", 1, 169), first);
  EXPECT_EQ(f.CurrentShipperRecord(), 4);
  EXPECT_EQ(Record("Shipper.dat", 4, 169).substr(0, 17), "Quarry Hill Stone");
}

TEST_F(BooksTest, DefaultsAreSelectedAtStartAndByNew) {
  WriteFile("BOLDef.dat", testkit::bol::DefaultsBytes(3, 0, 0, 2));
  frmBOL& f = app_.Get<frmBOL>();
  f.Show();
  EXPECT_EQ(f.cboShipperName.Text(), "Cedar Point Glass");
  EXPECT_EQ(f.txtShipperZipCode.Text(), "44101");
  EXPECT_EQ(f.CurrentShipperRecord(), 3);
  EXPECT_EQ(f.CurrentProductRecord(), 2);
  EXPECT_FALSE(f.BOLChanged());  // the first bill is clean
  user_.MenuClick(f.mnuFileNewBOL);
  EXPECT_EQ(f.txtShipperZipCode.Text(), "44101");
  EXPECT_TRUE(f.BOLChanged());  // a default party was selected into it
}

TEST_F(BooksTest, DefaultsDialogStoresOnOkAndCancelPutsBack) {
  Bytes shippers = SampleShippers();
  shippers[169 * 2 + 168] = 255;  // record 3 deleted
  WriteFile("Shipper.dat", shippers);
  WriteFile("BOLDef.dat", testkit::bol::DefaultsBytes(3, 1, 0, 2));
  modBOL::LoadBOLDefaults();
  frmBOLDefaults& d = app_.Get<frmBOLDefaults>();
  d.Show();
  EXPECT_EQ(d.cboShipperName.Text(), "{None}");  // its default is deleted
  EXPECT_EQ(d.cboConsigneeName.Text(), "Maple Row Millworks");
  EXPECT_EQ(d.cboProduct.Text(), "Pool acid");
  EXPECT_EQ(modBOL::Defaults().View().I32(bol::defaults::kShipperDefault), 0);
  user_.Pick(d.cboConsigneeName, 1);  // birch Lane Foods
  user_.Click(d.btnCancel);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(modBOL::Defaults().View().I32(bol::defaults::kConsigneeDefault), 1);
  EXPECT_EQ(modBOL::Defaults().View().I32(bol::defaults::kShipperDefault), 3);
  Bytes unchanged = testkit::bol::DefaultsBytes(3, 1, 0, 2);
  EXPECT_EQ(Read("BOLDef.dat"), AsText(unchanged));

  d.Show();
  user_.Pick(d.cboConsigneeName, 1);
  user_.Click(d.btnOK);
  Bytes saved = testkit::bol::DefaultsBytes(0, 2, 0, 2);
  EXPECT_EQ(Read("BOLDef.dat"), AsText(saved));
}

TEST_F(BooksTest, DefaultsDialogWithoutAFileCreatesNoneOnCancel) {
  fs::remove(dir_.File("Product.dat"));
  frmBOLDefaults& d = app_.Get<frmBOLDefaults>();
  d.Show();
  EXPECT_EQ(d.cboShipperName.Text(), "{None}");
  EXPECT_EQ(d.cboProduct.Text(), "{None}");
  EXPECT_TRUE(fs::exists(dir_.File("Product.dat")));
  user_.CloseForm(d);
  EXPECT_FALSE(fs::exists(dir_.File("BOLDef.dat")));
}

TEST_F(BooksTest, OpenDialogListsOnlyBillsAndCancelReturnsNothing) {
  fs::create_directories(dir_.File("BOLData"));
  WriteFile("BOLData/A1.BOL", Bytes(7504, ' '));
  WriteFile("BOLData/b2.bol", Bytes(7504, ' '));
  WriteFile("BOLData/notes.txt", Bytes(3, ' '));
  frmBOLOpen& open = app_.Get<frmBOLOpen>();
  user_.WhenShown("frmBOLOpen", [&] {
    EXPECT_EQ(open.File1.ListCount(), 2);
    user_.Click(open.btnCancel);
  });
  EXPECT_EQ(open.LoadMe(), "");
  user_.WhenShown("frmBOLOpen", [&] { user_.Click(open.btnOK); });  // nothing selected
  EXPECT_EQ(open.LoadMe(), "");
  user_.WhenShown("frmBOLOpen", [&] {
    open.File1.SetFileName("b2.bol");
    user_.DblClick(open.File1);
  });
  EXPECT_EQ(open.LoadMe(), "b2.bol");
  user_.WhenShown("frmBOLOpen", [&] { user_.CloseForm(open); });
  EXPECT_EQ(open.LoadMe(), "");

  fs::remove_all(dir_.File("BOLData"));
  user_.ExpectMsgBox(MsgBoxResult::kOK, "BOLData");
  EXPECT_EQ(open.LoadMe(), "");
}

}  // namespace
}  // namespace frelane::testing
