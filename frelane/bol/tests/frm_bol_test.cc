// The bill-of-lading editor through the headless driver: its start, a bill typed, saved and
// reopened, the validation in its order, and the file commands with what protects the
// stored bills.
#include "frelane/bol/frm_bol.h"

#include <filesystem>

#include "frelane/bol/bol_dates.h"
#include "frelane/bol/combo_limits.h"
#include "frelane/bol/frm_bol_open.h"
#include "frelane/bol/tests/bol_test_support.h"

namespace frelane::testing {
namespace {

namespace fs = std::filesystem;
using forms::MsgBoxResult;
using testkit::bol::Bytes;

using FrmBolTest = BolEditorTest;

TEST_F(FrmBolTest, FirstStartAsksForAnEarlierInstallationOnce) {
  fs::remove(dir_.File("Shipper.dat"));
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Do you have a previous version of this software?");
  frmBOL& f = Editor();
  EXPECT_EQ(f.Caption(), "Example Freight - Bill of Lading");
  EXPECT_EQ(f.Width(), 9600);
  EXPECT_TRUE(fs::is_directory(dir_.File("BOLData")));
  EXPECT_TRUE(fs::exists(dir_.File("Shipper.dat")));
  EXPECT_FALSE(f.BOLChanged());
  EXPECT_EQ(f.txtShipmentDate.Text(), modBOL::Today());
  EXPECT_TRUE(f.fraHeader.Visible());
  EXPECT_FALSE(f.btnPrevious.Visible());
  ASSERT_TRUE(f.Unload());
  Editor();  // no second question
  EXPECT_TRUE(user_.AllMessageBoxesShown());
}

TEST_F(FrmBolTest, ABillTypedSavedAndReopenedKeepsEveryField) {
  frmBOL& f = Editor();
  TypeValidBill(f, "  BL-7001  ");
  EXPECT_TRUE(f.BOLChanged());
  EXPECT_EQ(f.txtShipperState.Text(), "WI");  // typed keys are raised
  user_.TypeInto(f.txtCarriersProNumber, "PRO 55");
  user_.TypeInto(f.txtShipperCounty, "Dane");
  user_.TypeInto(f.txtShipperPhone, "608-555-0101");
  user_.TypeInto(f.txtShipper, "S-100");
  user_.TypeInto(f.txtConsigneePO, "PO 9");
  user_.TypeInto(f.txtConsigneePhone, "216-555-0142");
  user_.TypeInto(f.txtCODAmount, "12.5");
  user_.Click(f.chkConsigneeCheckOK);
  user_.Click(f.chkCODFeeCollect);
  user_.Click(f.chkRemitCODToShipper);
  user_.Click(f.btnNext);
  EXPECT_TRUE(f.fraHeader2.Visible());
  EXPECT_TRUE(f.txtDeclaredValue.HasFocus());
  user_.Type("250.00");
  user_.TypeInto(f.txtDeclaredValuePer, "lb");
  user_.Click(f.optSingleShipment(0));
  user_.TypeInto(f.txtNotifyName, "Dock office");
  user_.TypeInto(f.txtSpecialInstructions, "Call ahead");
  user_.PressEnter();  // a line break, not the next field
  user_.Type("Dock 4");
  EXPECT_TRUE(f.txtSpecialInstructions.HasFocus());
  user_.MenuClick(f.mnuFileSaveBOL);
  EXPECT_FALSE(f.BOLChanged());
  EXPECT_EQ(modBOL::CurrentBOLFile(), "BL-7001.BOL");

  testkit::bol::Bill expected;
  expected.number = "BL-7001";
  expected.ship_date = "12/08/2026";
  expected.pro_number = "PRO 55";
  expected.shipper_number = "S-100";
  expected.shipper = {"Maple Row Millworks", "14 Sawmill Rd", "Harlow", "Dane", "WI", "53701",
                      "608-555-0101", "", 0};
  expected.consignee_po = "PO 9";
  expected.consignee = {"Cedar Point Glass", "700 Kiln Ave", "Ostrow", "", "OH", "44101",
                        "216-555-0142", "", 0};
  expected.freight_paid_by = 0;
  expected.single_shipment = 0;
  expected.cod_amount = 12.5;
  expected.cod_boxes[1] = 1;
  expected.cod_boxes[3] = 1;
  expected.cod_boxes[4] = 1;
  expected.declared_value = "250.00";
  expected.declared_value_per = "lb";
  expected.notify_name = "Dock office";
  expected.special_instructions = "Call ahead\r\nDock 4";
  Bytes bytes = testkit::bol::BillBytes(expected);
  EXPECT_EQ(Read("BOLData/BL-7001.BOL"), AsText(bytes));

  user_.MenuClick(f.mnuFileNewBOL);  // saved: no question
  EXPECT_EQ(f.txtBOL.Text(), "");
  EXPECT_EQ(f.txtCODAmount.Text(), "");
  OpenFromDialog(f, "BL-7001.BOL");
  EXPECT_FALSE(f.BOLChanged());
  EXPECT_EQ(f.txtBOL.Text(), "BL-7001");
  EXPECT_EQ(f.cboShipperName.Text(), "Maple Row Millworks");
  EXPECT_EQ(f.txtCODAmount.Text(), "12.50");
  EXPECT_DOUBLE_EQ(modBOL::CurrentBOL().View().F64(bol::bill::kCODAmount), 12.5);
  EXPECT_EQ(f.chkConsigneeCheckOK.Value(), 1);
  EXPECT_EQ(f.chkCashiersCheckOnly.Value(), 0);
  EXPECT_TRUE(f.optFreightChargesPaidBy(0).Value());
  EXPECT_TRUE(f.optSingleShipment(0).Value());
  EXPECT_TRUE(f.optSection7Signed(1).Value());
  EXPECT_EQ(f.txtSpecialInstructions.Text(), "Call ahead\r\nDock 4");
  EXPECT_EQ(Read("BOLData/BL-7001.BOL"), AsText(bytes));
}

TEST_F(FrmBolTest, ValidationReportsTheFirstFailureInOrder) {
  frmBOL& f = Editor();
  auto expect = [&](const char* message) {
    user_.ExpectMsgBox(MsgBoxResult::kOK, message);
    EXPECT_FALSE(f.SaveBOL()) << message;
  };
  f.txtShipmentDate.SetText("");
  expect("You must specify a BOL#");
  f.txtBOL.SetText("V-1");
  f.txtShipmentDate.SetText("02/30/2026");
  expect("Invalid Date.  The date must be in the format of mm/dd/yyyy.");
  f.txtShipmentDate.SetText("");  // a blank date passes
  expect("You must enter all Shipper information.");
  f.cboShipperName.SetText("S");
  f.txtShipperAddress.SetText("A");
  f.txtShipperCity.SetText("C");
  f.txtShipperState.SetText("ST");
  expect("You must enter all Shipper information.");
  f.txtShipperZipCode.SetText("12345");
  expect("You must enter all Consignee information.");
  f.cboConsigneeName.SetText("K");
  f.txtConsigneeAddress.SetText("A");
  f.txtConsigneeCity.SetText("C");
  f.txtConsigneeState.SetText("ST");
  f.txtConsigneeZipCode.SetText("54321");
  expect("You must specify the party responsible for paying the freight.");
  f.optFreightChargesPaidBy(1).SetValue(true);
  f.chkRemitCODToThirdParty.SetValue(1);  // the third party then needs its address too
  expect("You must enter all Third Party information.");
  f.chkRemitCODToThirdParty.SetValue(0);
  f.txtCODAmount.SetText("40");
  expect("You must specify the acceptable type of check.");
  f.chkCashiersCheckOnly.SetValue(1);
  expect("You must specify if the COD Fee is Prepaid of Collect.");
  f.chkCODFeePrepaid.SetValue(1);
  expect("You must specify the party to which COD should be remitted.");
  f.chkRemitCODToShipper.SetValue(1);
  EXPECT_TRUE(f.SaveBOL());
  // Without a COD amount the COD boxes are not looked at.
  f.txtCODAmount.SetText("");
  f.chkCashiersCheckOnly.SetValue(0);
  EXPECT_TRUE(f.ValidateBOL());
}

TEST(BolDates, MonthDayYearWithSlashOrDash) {
  for (const char* good : {"12/08/2026", "12-08-2026", "12/08-2026", "02/29/2024", "01/31/0001",
                           "", "   "}) {
    EXPECT_TRUE(bol::IsValidShipDate(good)) << good;
  }
  for (const char* bad : {"12/08/26", "1/8/2026", "12.08.2026", "13/01/2026", "00/10/2026",
                          "02/30/2026", "02/29/2023", " 12/08/2026", "12/01/5", "12/00/2026",
                          "12/08/0000", "1a/08/2026", "12/0x/2026", "12/08/20z6"}) {
    EXPECT_FALSE(bol::IsValidShipDate(bad)) << bad;
  }
}

TEST_F(FrmBolTest, LeavingABadDateSaysSoAndReturnsToIt) {
  frmBOL& f = Editor();
  user_.TypeInto(f.txtShipmentDate, "13/01/2026");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Date.");
  user_.Tab();
  EXPECT_TRUE(f.txtShipmentDate.HasFocus());
  user_.TypeInto(f.txtShipmentDate, "");
  user_.Backspace();
  user_.Tab();  // blank: nothing shown
  EXPECT_TRUE(f.txtCarriersProNumber.HasFocus());
}

TEST_F(FrmBolTest, ReplacingAnotherBillsFileNeedsAYes) {
  Bytes other = testkit::bol::BillBytes(testkit::bol::NumberedBill("BL-2026-0001"));
  WriteFile("BOLData/BL-2026-.BOL", other);
  frmBOL& f = Editor();
  TypeValidBill(f, "BL-2026-0002");
  user_.ExpectMsgBox(MsgBoxResult::kNo,
                     "A BOL with this # (BL-2026-) already exists, do you wish to replace it?");
  EXPECT_FALSE(f.SaveBOL());
  EXPECT_EQ(Read("BOLData/BL-2026-.BOL"), AsText(other));
  user_.ExpectMsgBox(MsgBoxResult::kYes, "(BL-2026-)");
  EXPECT_TRUE(f.SaveBOL());
  EXPECT_EQ(Read("BOLData/BL-2026-.BOL").substr(0, 12), "BL-2026-0002");

  // Its own file again with the same number: no question.
  EXPECT_TRUE(f.SaveBOL());
  // Characters 9 and later changed: the file holds another bill's number now.
  user_.TypeInto(f.txtBOL, "BL-2026-0003");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "(BL-2026-)");
  EXPECT_FALSE(f.SaveBOL());
  EXPECT_EQ(Read("BOLData/BL-2026-.BOL").substr(0, 12), "BL-2026-0002");

  // Save As > New BOL asks before writing over a file, and keeps the bill's name on No.
  user_.TypeInto(f.txtBOL, "BL-2026-0002");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "(BL-2026-)");
  user_.MenuClick(f.mnuFileSaveAsBOL);
  EXPECT_EQ(modBOL::CurrentBOLFile(), "BL-2026-.BOL");
  user_.TypeInto(f.txtBOL, "BL-8000");
  user_.MenuClick(f.mnuFileSaveAsBOL);
  EXPECT_EQ(modBOL::CurrentBOLFile(), "BL-8000.BOL");
  EXPECT_TRUE(fs::exists(dir_.File("BOLData/BL-8000.BOL")));
  EXPECT_TRUE(fs::exists(dir_.File("BOLData/BL-2026-.BOL")));
}

TEST_F(FrmBolTest, AHostileBillNumberIsRefusedAndWritesNothing) {
  frmBOL& f = Editor();
  for (const char* number : {"../../x", "..", "a/b", "C:\\boot"}) {
    TypeValidBill(f, number);
    user_.ExpectMsgBox(MsgBoxResult::kOK, "The first 8 characters of the BOL #");
    EXPECT_FALSE(f.SaveBOL()) << number;
  }
  EXPECT_TRUE(fs::is_empty(dir_.File("BOLData")));
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir_.path())) names.insert(e.path().filename());
  EXPECT_EQ(names, (std::set<std::string>{"BOLData", "Consigne.dat", "Product.dat",
                                          "Shipper.dat", "ThirdPty.dat"}));
  EXPECT_FALSE(fs::exists(fs::path(dir_.path()).parent_path().parent_path() / "x.BOL"));
}

TEST_F(FrmBolTest, AFailedSaveKeepsTheOldFileAndTheEditorOpen) {
  Bytes old_bill = testkit::bol::BillBytes(testkit::bol::NumberedBill("BL-9"));
  WriteFile("BOLData/BL-9.BOL", old_bill);
  frmBOL& f = Editor();
  OpenFromDialog(f, "BL-9.BOL");
  TypeValidBill(f, "BL-9");
  bol::SetFileWriterForTesting([](const std::string&, std::span<const std::uint8_t>,
                                  std::string* why) {
    *why = "No space left on device";
    return false;
  });
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Save Changes?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "BL-9.BOL");
  user_.CloseForm(f);
  EXPECT_TRUE(f.IsLoaded());
  EXPECT_TRUE(f.BOLChanged());
  EXPECT_NE(user_.LastPrompt().find("No space left on device"), std::string::npos);
  EXPECT_EQ(Read("BOLData/BL-9.BOL"), AsText(old_bill));

  // A validation failure behind "Save Changes?" also keeps it open; No closes unsaved.
  bol::SetFileWriterForTesting(nullptr);
  user_.TypeInto(f.txtBOL, "");
  user_.Backspace();
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Save Changes?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "You must specify a BOL#");
  user_.CloseForm(f);
  EXPECT_TRUE(f.IsLoaded());
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Save Changes?");
  user_.CloseForm(f);
  EXPECT_FALSE(f.IsLoaded());
  EXPECT_EQ(Read("BOLData/BL-9.BOL"), AsText(old_bill));
}

TEST_F(FrmBolTest, OpeningAVanishedOrDamagedFileChangesNothing) {
  WriteFile("BOLData/GONE.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("GONE")));
  WriteFile("BOLData/SHORT.BOL", Bytes(100, ' '));
  frmBOL& f = Editor();
  user_.TypeInto(f.txtBOL, "MINE");
  modBOL::CurrentBOLFile() = "MINE.BOL";
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Save Changes?");
  user_.WhenShown("frmBOLOpen", [this] {
    frmBOLOpen& open = app_.Get<frmBOLOpen>();
    open.File1.SetFileName("GONE.BOL");
    fs::remove(dir_.File("BOLData/GONE.BOL"));
    user_.Click(open.btnOK);
  });
  user_.ExpectMsgBox(MsgBoxResult::kOK, "GONE.BOL");
  user_.MenuClick(f.mnuFileOpenBOL);
  EXPECT_EQ(f.txtBOL.Text(), "MINE");
  EXPECT_EQ(modBOL::CurrentBOL().View().Text(bol::bill::kBOLNumber), "MINE");
  EXPECT_EQ(modBOL::CurrentBOLFile(), "MINE.BOL");

  user_.ExpectMsgBox(MsgBoxResult::kNo, "Save Changes?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "SHORT.BOL");
  OpenFromDialog(f, "SHORT.BOL");
  EXPECT_EQ(modBOL::CurrentBOLFile(), "MINE.BOL");
  EXPECT_EQ(Read("BOLData/SHORT.BOL"), std::string(100, ' '));
}

TEST_F(FrmBolTest, DeleteRemovesOnlyASavedBill) {
  frmBOL& f = Editor();
  user_.MenuClick(f.mnuEditDeleteBOL);  // never saved: nothing asked
  TypeValidBill(f, "DEL-1");
  ASSERT_TRUE(f.SaveBOL());
  user_.ExpectMsgBox(MsgBoxResult::kNo, "Are you sure you want to delete the current BOL?");
  user_.MenuClick(f.mnuEditDeleteBOL);
  EXPECT_TRUE(fs::exists(dir_.File("BOLData/DEL-1.BOL")));
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure you want to delete the current BOL?");
  user_.MenuClick(f.mnuEditDeleteBOL);
  EXPECT_FALSE(fs::exists(dir_.File("BOLData/DEL-1.BOL")));
  EXPECT_EQ(f.txtBOL.Text(), "");
  EXPECT_EQ(modBOL::CurrentBOLFile(), "");
}

TEST_F(FrmBolTest, CheckBoxPairsAndKeys) {
  frmBOL& f = Editor();
  user_.Click(f.chkCashiersCheckOnly);
  user_.Click(f.chkConsigneeCheckOK);
  EXPECT_EQ(f.chkCashiersCheckOnly.Value(), 0);
  user_.Click(f.chkConsigneeCheckOK);
  EXPECT_EQ(f.chkConsigneeCheckOK.Value(), 0);
  os::ConstRecordView v = modBOL::CurrentBOL().View();
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kCashiersCheckOnly), 0);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kConsigneeCheckOK), 0);

  // Numbers only in the COD box; a lone decimal character stores 0.
  user_.TypeInto(f.txtCODAmount, "1a2.345");
  EXPECT_EQ(f.txtCODAmount.Text(), "12.34");
  f.txtCODAmount.SetText(".");
  EXPECT_EQ(v.F64(bol::bill::kCODAmount), 0.0);

  // Enter moves on as Tab; on a payer option it jumps to the third party's zip code.
  user_.Focus(f.txtBOL);
  user_.PressEnter();
  EXPECT_TRUE(f.txtShipmentDate.HasFocus());
  user_.Click(f.optFreightChargesPaidBy(1));
  user_.PressEnter();
  EXPECT_TRUE(f.txtThirdPartyZipCode.HasFocus());

  // A 26th character of a name is refused with a beep; a pasted long name is cut.
  user_.TypeInto(f.cboShipperName, std::string(25, 'n'));
  int beeps = user_.beeps();
  user_.Type("x");
  EXPECT_EQ(f.cboShipperName.Text(), std::string(25, 'n'));
  EXPECT_EQ(user_.beeps(), beeps + 1);
  f.cboShipperName.SetText(std::string(30, 'p'));
  EXPECT_EQ(f.cboShipperName.Text(), std::string(25, 'p'));
  EXPECT_EQ(v.Text(bol::bill::kShipperName), std::string(25, 'p'));
}

// The desktop's editing keys work in the editor's boxes; what they put in passes the same
// filters as typing, and a paste those filters would alter is refused whole.
TEST_F(FrmBolTest, EditingKeysAndPastesInTheBoxes) {
  frmBOL& f = Editor();
  const auto ctrl = [this](char letter) { user_.Press(letter, forms::kCtrlMask); };
  user_.TypeInto(f.txtBOL, "QT-0001");
  ctrl('A');
  user_.Type("QT-0002");
  EXPECT_EQ(f.txtBOL.Text(), "QT-0002");
  ctrl('A');
  ctrl('C');
  user_.Focus(f.txtCarriersProNumber);
  ctrl('V');
  EXPECT_EQ(f.txtCarriersProNumber.Text(), "QT-0002");
  ctrl('Z');
  EXPECT_EQ(f.txtCarriersProNumber.Text(), "");

  const int beeps = user_.beeps();
  user_.TypeInto(f.txtCODAmount, "5");
  ctrl('A');
  user_.Paste("12.345");  // the filter would drop the third decimal
  EXPECT_EQ(f.txtCODAmount.Text(), "5");
  user_.Paste("12.34");
  EXPECT_EQ(f.txtCODAmount.Text(), "12.34");
  EXPECT_EQ(modBOL::CurrentBOL().View().F64(bol::bill::kCODAmount), 12.34);

  // A name longer than the record's 25 letters is not cut into another name.
  user_.TypeInto(f.cboShipperName, "Maple Row");
  ctrl('A');
  user_.Paste(std::string(30, 'p'));
  EXPECT_EQ(f.cboShipperName.Text(), "Maple Row");
  EXPECT_EQ(user_.beeps(), beeps + 2);

  // Letters the record's single-byte text cannot hold are refused as they are typed.
  user_.TypeInto(f.txtShipperCity, "\u0141\u00f3d\u017a");
  EXPECT_EQ(f.txtShipperCity.Text(), "\u00f3d");
  EXPECT_EQ(modBOL::CurrentBOL().View().Utf8Text(bol::bill::kShipperCity).substr(0, 3), "\u00f3d");
  EXPECT_EQ(user_.beeps(), beeps + 4);
}

// A name's limit is 25 letters of the record's single-byte text, accented letters
// included, and a cut never splits a letter.
TEST_F(FrmBolTest, NameLimitsCountLettersNotBytes) {
  frmBOL& f = Editor();
  const std::string start = "Caf\u00e9 " + std::string(19, 'x');  // 24 letters
  user_.TypeInto(f.cboConsigneeName, start);
  int beeps = user_.beeps();
  user_.Type("y");
  EXPECT_EQ(f.cboConsigneeName.Text(), start + "y");
  EXPECT_EQ(user_.beeps(), beeps);
  user_.Type("z");
  EXPECT_EQ(f.cboConsigneeName.Text(), start + "y");
  EXPECT_EQ(user_.beeps(), beeps + 1);

  f.cboShipperName.SetText("\u00c9picerie " + std::string(20, 'q'));
  const std::string cut = "\u00c9picerie " + std::string(16, 'q');  // 25 letters
  EXPECT_EQ(f.cboShipperName.Text(), cut);
  EXPECT_EQ(modBOL::CurrentBOL().View().Utf8Text(bol::bill::kShipperName), cut);
}

TEST_F(FrmBolTest, ComboWidthLimitsCountLetters) {
  frmBOL& f = Editor();
  f.cboShipperName.SetText("\u00c9t\u00e9");  // three letters, five bytes
  int key = 'x';
  bol::RefuseKeyAtWidth(f.cboShipperName, key, 4);
  EXPECT_EQ(key, 'x');
  bol::RefuseKeyAtWidth(f.cboShipperName, key, 3);
  EXPECT_EQ(key, 0);
  f.cboShipperName.SetText("\u00c9t\u00e9s");
  EXPECT_TRUE(bol::CutToWidth(f.cboShipperName, 3));
  EXPECT_EQ(f.cboShipperName.Text(), "\u00c9t\u00e9");
  EXPECT_FALSE(bol::CutToWidth(f.cboShipperName, 3));
}

TEST_F(FrmBolTest, PagesMoveTheFocus) {
  frmBOL& f = Editor();
  user_.Click(f.btnNext);
  user_.Click(f.btnNext);
  EXPECT_TRUE(f.fraDetail.Visible());
  EXPECT_FALSE(f.btnNext.Visible());
  EXPECT_TRUE(f.lstDetails.HasFocus());
  user_.Click(f.btnPrevious);
  EXPECT_TRUE(f.txtDeclaredValue.HasFocus());
  user_.Click(f.btnPrevious);
  EXPECT_TRUE(f.txtBOL.HasFocus());
  EXPECT_FALSE(f.btnPrevious.Visible());
}

}  // namespace
}  // namespace frelane::testing
