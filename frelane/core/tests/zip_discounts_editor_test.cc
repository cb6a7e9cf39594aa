// The postal-code discount editor driven as a user drives it: the list, Add, Edit, Save with
// every check and message, the focus rules of leaving a box, Delete, and the file it leaves.
#include "frelane/core/frm_zip_discounts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/zip_discount_writer.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using forms::MsgBoxResult;
using zipdisc::Record;
using testkit::HandBuiltZipDiscount;

class ZipDiscountEditorTest : public ::testing::Test {
 protected:
  ZipDiscountEditorTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modMain::Get().data_directory = dir_.path();
    modMain::Settings().SetText(settings::kCompanyName, "Example Freight");
    modMain::Settings().SetOn(settings::kMcFloorDiscountShown, true);
  }
  void TearDown() override { modMain::Reset(); }

  void WriteTable(const std::vector<Record>& records) { dir_.Write("ZipDisc.dat", testkit::HandBuiltZipDiscountFile(records)); }
  std::string FileBytes() { return testkit::ReadFile(dir_.File("ZipDisc.dat")); }

  frmZipDiscounts& Open() {
    frmZipDiscounts& form = app_.Get<frmZipDiscounts>();
    form.Show();
    return form;
  }

  // Fills the open edit frame field by field, as typed.
  void Fill(frmZipDiscounts& f, const char* ol, const char* oh, const char* dl, const char* dh,
            const char* mc = "10", const char* ltl = "20", const char* tl = "30",
            const char* floor = "40") {
    forms::TextBox* boxes[] = {&f.txtOriginLow, &f.txtOriginHigh, &f.txtDestinationLow,
                               &f.txtDestinationHigh, &f.txtMC, &f.txtLTL, &f.txtTL,
                               &f.txtMCFloor};
    const char* texts[] = {ol, oh, dl, dh, mc, ltl, tl, floor};
    for (int i = 0; i < 8; ++i) {
      ASSERT_TRUE(boxes[i]->HasFocus()) << boxes[i]->DisplayName();
      user_.Select(*boxes[i], 0, static_cast<int>(boxes[i]->Text().size()));
      user_.Type(texts[i]);
      user_.PressEnter();  // Enter moves on as Tab
    }
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

TEST_F(ZipDiscountEditorTest, ListShowsLiveEntriesInFileOrderWithTheirColumns) {
  WriteTable({HandBuiltZipDiscount("10000", "19999", "20000", "29999", 10, 20.5, 30, 45.5),
              HandBuiltZipDiscount("30000", "39999", "K1A0B", "K9Z9Z", 1, 2, 3, 4, true),
              HandBuiltZipDiscount("K1A0B", "K9Z9Z", "00100", "00199", 5, 100, 7.25, 999.99)});
  frmZipDiscounts& f = Open();
  ASSERT_EQ(f.lstZipDiscounts.ListCount(), 2);
  EXPECT_EQ(f.lstZipDiscounts.List(0),
            std::string("10000-19999  ") + "20000-29999    " + "10.00  " + "20.50  " +
                "30.00  " + "45.50 ");
  EXPECT_EQ(f.lstZipDiscounts.ItemData(0), 1);
  EXPECT_EQ(f.lstZipDiscounts.List(1), std::string("K1A0B-K9Z9Z  ") + "00100-00199    " +
                                           "5.00   " + "100.0  " + "7.25   " + "999.99");
  EXPECT_EQ(f.lstZipDiscounts.ItemData(1), 3);
  EXPECT_FALSE(f.fraEdit.Visible());
  EXPECT_EQ(f.lstZipDiscounts.FontName(), "Courier New");

  // TL hidden: five blanks in its column, the floor column stays where it was. No floor
  // column without the MC-floor discount; the MC column is always there.
  f.Unload();
  modMain::Settings().SetOn(settings::kTlDiscountHidden, true);
  modMain::Settings().SetText(settings::kCompanyName, "Vornhalt Carriers");
  Open();
  EXPECT_EQ(f.lstZipDiscounts.List(0).substr(42), "       45.50 ");
  EXPECT_FALSE(f.lblTL.Visible());
  EXPECT_FALSE(f.txtTL.Visible());
  EXPECT_FALSE(f.lblMC.Visible());
  EXPECT_FALSE(f.txtMC.Visible());
  EXPECT_TRUE(f.txtMCFloor.Visible());
  f.Unload();
  modMain::Settings().SetOn(settings::kMcFloorDiscountShown, false);
  Open();
  EXPECT_EQ(f.lstZipDiscounts.List(0), "10000-19999  20000-29999    10.00  20.50         ");
  EXPECT_FALSE(f.lblMCFloor.Visible());
  EXPECT_FALSE(f.lblMCFloor3.Visible());
}

TEST_F(ZipDiscountEditorTest, AddTypedKeyByKeyIsAppendedSortedAndListed) {
  // A deleted record stays in the file and in the sort.
  Record deleted = HandBuiltZipDiscount("50000", "59999", "00000", "99999", 1, 1, 1, 1, true);
  Record live = HandBuiltZipDiscount("60000", "69999", "00000", "99999", 2, 2, 2, 2);
  WriteTable({deleted, live});
  frmZipDiscounts& f = Open();
  user_.Click(f.btnAdd);
  ASSERT_TRUE(f.fraEdit.Visible());
  EXPECT_FALSE(f.btnDelete.Visible());
  EXPECT_EQ(f.edited_record_number(), 3);
  EXPECT_EQ(f.txtMC.Text(), "00.00");
  Fill(f, "k1a0b", "K9Z9Z", "10000", "19999", "12.5", "40", "5", "75.25");
  EXPECT_EQ(f.txtOriginLow.Text(), "K1A0B");  // the key filter raises letters
  user_.Click(f.btnSave);
  EXPECT_FALSE(f.fraEdit.Visible());
  Record added = HandBuiltZipDiscount("K1A0B", "K9Z9Z", "10000", "19999", 12.5, 40, 5, 75.25);
  EXPECT_EQ(FileBytes(), testkit::HandBuiltZipDiscountFile({deleted, live, added}));
  ASSERT_EQ(f.lstZipDiscounts.ListCount(), 2);
  EXPECT_EQ(f.lstZipDiscounts.ItemData(1), 3);

  // An entry spanning every US code overlaps the live one and is refused; the frame stays.
  user_.Click(f.btnAdd);
  Fill(f, "00000", "99999", "00000", "99999");
  user_.ExpectMsgBox(MsgBoxResult::kOK, kOverlappingEntries);
  user_.Click(f.btnSave);
  EXPECT_TRUE(f.fraEdit.Visible());
  EXPECT_EQ(FileBytes(), testkit::HandBuiltZipDiscountFile({deleted, live, added}));

  // The same origins with other destinations are accepted and sorted in before the others.
  f.txtDestinationLow.SetText("20000");
  f.txtDestinationHigh.SetText("29999");
  f.txtOriginHigh.SetText("59999");
  user_.Click(f.btnSave);
  EXPECT_FALSE(f.fraEdit.Visible());
  EXPECT_EQ(FileBytes().substr(0, 20), "00000599992000029999");
}

TEST_F(ZipDiscountEditorTest, ASavedEntryIsListedWhereSortingPutItWithNothingSelected) {
  Record a = HandBuiltZipDiscount("10000", "19999", "00000", "99999", 1, 2, 3, 4);
  Record deleted = HandBuiltZipDiscount("20000", "29999", "00000", "99999", 1, 1, 1, 1, true);
  Record c = HandBuiltZipDiscount("30000", "39999", "00000", "99999", 5, 6, 7, 8);
  WriteTable({a, deleted, c});
  frmZipDiscounts& f = Open();
  user_.Click(f.btnAdd);
  Fill(f, "25000", "25999", "00000", "99999");
  user_.Click(f.btnSave);
  // Record 3 of the file, behind the deleted one; the second line of the list.
  ASSERT_EQ(f.lstZipDiscounts.ListCount(), 3);
  EXPECT_EQ(f.lstZipDiscounts.ListIndex(), -1);
  EXPECT_EQ(f.lstZipDiscounts.ItemData(1), 3);
  EXPECT_EQ(f.lstZipDiscounts.List(1).substr(0, 11), "25000-25999");

  // Edited and moved to the front, it is the first line.
  f.lstZipDiscounts.SetListIndex(1);
  user_.Click(f.btnEdit);
  ASSERT_EQ(f.txtOriginLow.Text(), "25000");
  f.txtOriginLow.SetText("00100");
  f.txtOriginHigh.SetText("00199");
  user_.Click(f.btnSave);
  EXPECT_FALSE(f.fraEdit.Visible());
  EXPECT_EQ(f.lstZipDiscounts.ListIndex(), -1);
  EXPECT_EQ(f.lstZipDiscounts.List(0).substr(0, 11), "00100-00199");

  // A deleted entry leaves the list.
  f.lstZipDiscounts.SetListIndex(0);
  user_.Click(f.btnEdit);
  user_.Click(f.btnDelete);
  EXPECT_EQ(f.lstZipDiscounts.ListCount(), 2);
  EXPECT_EQ(f.lstZipDiscounts.ListIndex(), -1);
  EXPECT_EQ(FileBytes().size(), 4u * 64u);
}

TEST_F(ZipDiscountEditorTest, AFileUnreadableAtSaveIsSaidOnceAndKeepsTheEntryOpen) {
  WriteTable({HandBuiltZipDiscount("10000", "19999", "00000", "99999", 1, 2, 3, 4)});
  frmZipDiscounts& f = Open();
  user_.Click(f.btnAdd);
  Fill(f, "25000", "25999", "00000", "99999");
  std::filesystem::remove(dir_.File("ZipDisc.dat"));
  std::filesystem::create_directory(dir_.File("ZipDisc.dat"));
  user_.ExpectMsgBox(MsgBoxResult::kOK, "could not be read");
  user_.Click(f.btnSave);
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
  EXPECT_TRUE(f.fraEdit.Visible());
  EXPECT_EQ(f.txtOriginLow.Text(), "25000");
}

TEST_F(ZipDiscountEditorTest, EditingAndSavingUnchangedIsAccepted) {
  Record a = HandBuiltZipDiscount("10000", "19999", "00000", "99999", 10, 20, 30, 40);
  Record b = HandBuiltZipDiscount("20000", "29999", "00000", "99999", 1, 2, 3, 4);
  WriteTable({a, b});
  frmZipDiscounts& f = Open();
  user_.Pick(f.lstZipDiscounts, 1);
  user_.Click(f.btnEdit);
  ASSERT_TRUE(f.fraEdit.Visible());
  EXPECT_TRUE(f.btnDelete.Visible());
  EXPECT_TRUE(f.txtOriginLow.HasFocus());
  EXPECT_EQ(f.txtOriginLow.Text(), "20000");
  EXPECT_EQ(f.txtMCFloor.Text(), "04.00");
  user_.Click(f.btnSave);
  EXPECT_FALSE(f.fraEdit.Visible());
  EXPECT_EQ(FileBytes(), testkit::HandBuiltZipDiscountFile({a, b}));
  // Ignore writes nothing.
  user_.Pick(f.lstZipDiscounts, 0);
  user_.DblClick(f.lstZipDiscounts);
  user_.TypeInto(f.txtMC, "55");
  user_.Click(f.btnIgnore);
  EXPECT_FALSE(f.fraEdit.Visible());
  EXPECT_EQ(FileBytes(), testkit::HandBuiltZipDiscountFile({a, b}));
}

// The editor opens with the focus in its list and no line picked, however short the list;
// the line Down picks is the one Edit opens.
TEST_F(ZipDiscountEditorTest, NothingSelectedAsksForASelection) {
  WriteTable({HandBuiltZipDiscount("10000", "19999", "00000", "99999", 10, 20, 30, 40)});
  frmZipDiscounts& f = Open();
  EXPECT_TRUE(f.lstZipDiscounts.HasFocus());
  EXPECT_EQ(f.lstZipDiscounts.ListIndex(), -1);
  user_.ExpectMsgBox(MsgBoxResult::kOK, kMustSelectToEdit);
  user_.Click(f.btnEdit);
  user_.ExpectMsgBox(MsgBoxResult::kOK, kMustSelectToEdit);
  user_.DblClick(f.lstZipDiscounts);
  EXPECT_FALSE(f.fraEdit.Visible());

  user_.Focus(f.lstZipDiscounts);
  user_.Press(forms::kKeyDown);
  EXPECT_EQ(f.lstZipDiscounts.ListIndex(), 0);
  user_.Click(f.btnEdit);
  EXPECT_TRUE(f.fraEdit.Visible());
  EXPECT_EQ(f.txtOriginLow.Text(), "10000");
  EXPECT_EQ(user_.MessageBoxes().size(), 2u);
}

TEST_F(ZipDiscountEditorTest, SaveChecksEachFieldWithItsMessageAndFocus) {
  WriteTable({});
  frmZipDiscounts& f = Open();
  user_.Click(f.btnAdd);
  struct Case {
    const char* name;
    const char* ol;
    const char* oh;
    const char* dl;
    const char* dh;
    const char* mc;
    const char* floor;
    const char* message;
    forms::Control* focus;
  };
  const Case cases[] = {
      {"four digits", "1234", "19999", "00000", "99999", "1", "1", kInvalidZip, &f.txtOriginLow},
      {"short Canadian", "10000", "K1A", "00000", "99999", "1", "1", kInvalidZip,
       &f.txtOriginHigh},
      {"empty code", "10000", "19999", "", "99999", "1", "1", kInvalidZip,
       &f.txtDestinationLow},
      {"empty discount", "10000", "19999", "00000", "99999", "", "1", kInvalidDiscount,
       &f.txtMC},
      {"empty floor", "10000", "19999", "00000", "99999", "1", "", kInvalidMcFloor,
       &f.txtMCFloor},
      {"mixed origins", "K1A0B", "99999", "00000", "99999", "1", "1", kMixedOrigins,
       &f.txtOriginLow},
      {"mixed destinations", "10000", "19999", "10000", "K1A0B", "1", "1", kMixedDestinations,
       &f.txtDestinationLow},
      {"low above high", "10000", "19999", "50000", "40000", "1", "1", kLowAboveHigh,
       &f.txtDestinationLow},
  };
  // Sets the boxes Save checks, leaving LTL and TL as they are.
  auto set = [&f](const char* ol, const char* oh, const char* dl, const char* dh,
                  const char* mc, const char* floor) {
    f.txtOriginLow.SetText(ol);
    f.txtOriginHigh.SetText(oh);
    f.txtDestinationLow.SetText(dl);
    f.txtDestinationHigh.SetText(dh);
    f.txtMC.SetText(mc);
    f.txtMCFloor.SetText(floor);
  };
  for (const Case& c : cases) {
    set(c.ol, c.oh, c.dl, c.dh, c.mc, c.floor);
    user_.ExpectMsgBox(MsgBoxResult::kOK, c.message);
    user_.Click(f.btnSave);
    EXPECT_EQ(user_.LastPrompt(), c.message) << c.name;
    EXPECT_TRUE(c.focus->HasFocus()) << c.name;
    EXPECT_TRUE(f.fraEdit.Visible()) << c.name;
  }
  EXPECT_EQ(FileBytes(), "");
  // "00000" is neither US nor Canadian, so it mixes with both; 99.99 and a floor of 0 pass.
  set("00000", "K9Z9Z", "10000", "10000", "99.99", "0");
  user_.Click(f.btnSave);
  EXPECT_FALSE(f.fraEdit.Visible());
  EXPECT_EQ(FileBytes().size(), 64u);
}

TEST_F(ZipDiscountEditorTest, CodeRules) {
  for (const char* valid : {"10000", "00000", "K1A0B", "A0A0A"}) {
    EXPECT_TRUE(IsValidZipText(valid)) << valid;
  }
  for (const char* invalid : {"1234", "K1A", "k1a0b", "", "123456", "1A2B3", "KKA0B", "K1A0 "}) {
    EXPECT_FALSE(IsValidZipText(invalid)) << invalid;
  }
}

TEST_F(ZipDiscountEditorTest, LeavingABoxChecksItExceptGoingBackOrToAButton) {
  WriteTable({});
  frmZipDiscounts& f = Open();
  user_.Click(f.btnAdd);
  // Forward from an invalid box: the message, and the focus stays.
  user_.Type("123");
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidZip);
  user_.Tab();
  EXPECT_TRUE(f.txtOriginLow.HasFocus());
  user_.TypeInto(f.txtOriginLow, "10000");
  user_.Tab();
  EXPECT_TRUE(f.txtOriginHigh.HasFocus());
  // Back to an earlier box: no check.
  user_.Type("12");
  user_.ShiftTab();
  EXPECT_TRUE(f.txtOriginLow.HasFocus());
  user_.Focus(f.txtDestinationLow);  // from txtOriginLow, which is valid
  user_.Type("4");
  user_.Focus(f.txtOriginHigh);
  EXPECT_TRUE(f.txtOriginHigh.HasFocus());
  user_.TypeInto(f.txtOriginHigh, "19999");
  user_.Focus(f.txtDestinationHigh);
  user_.Type("9");
  user_.ShiftTab();
  EXPECT_TRUE(f.txtDestinationLow.HasFocus());
  // To a button: no check.
  user_.Focus(f.btnIgnore);
  EXPECT_TRUE(f.btnIgnore.HasFocus());
  EXPECT_TRUE(user_.AllMessageBoxesShown());
}

TEST_F(ZipDiscountEditorTest, TwoBadNeighboursGiveOneMessagePerMove) {
  WriteTable({HandBuiltZipDiscount("10000", "19999", "00000", "99999", 150, 250, 30, 40)});
  frmZipDiscounts& f = Open();
  user_.Pick(f.lstZipDiscounts, 0);
  user_.DblClick(f.lstZipDiscounts);
  user_.Focus(f.txtMC);
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidDiscount);
  user_.Tab();
  EXPECT_TRUE(f.txtMC.HasFocus());
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
}

TEST_F(ZipDiscountEditorTest, DeleteTakesOutEvenAnEntryNoCheckAccepts) {
  Record bad = HandBuiltZipDiscount("10000", "1999", "00000", "99999", 150, 20, 30, -5);
  Record good = HandBuiltZipDiscount("20000", "29999", "00000", "99999", 1, 2, 3, 4);
  WriteTable({bad, good});
  frmZipDiscounts& f = Open();
  user_.Pick(f.lstZipDiscounts, 0);
  user_.DblClick(f.lstZipDiscounts);
  ASSERT_TRUE(f.btnDelete.Visible());
  user_.Click(f.btnDelete);
  EXPECT_FALSE(f.fraEdit.Visible());
  ASSERT_EQ(f.lstZipDiscounts.ListCount(), 1);
  EXPECT_EQ(f.lstZipDiscounts.List(0).substr(0, 11), "20000-29999");
  const std::string bytes = FileBytes();
  ASSERT_EQ(bytes.size(), 128u);
  EXPECT_EQ(bytes.substr(0, 20), "100001999 0000099999");
  EXPECT_EQ(static_cast<unsigned char>(bytes[52]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[53]), 0xFF);

  // Any change hides Delete; the entry can then only be saved or ignored.
  user_.Pick(f.lstZipDiscounts, 0);
  user_.DblClick(f.lstZipDiscounts);
  EXPECT_TRUE(f.btnDelete.Visible());
  user_.TypeInto(f.txtLTL, "5");
  EXPECT_FALSE(f.btnDelete.Visible());
}

// Save, Delete and Ignore close the edit frame and give the focus back to what opened it.
TEST_F(ZipDiscountEditorTest, ClosingTheEntryReturnsTheFocusToItsOpener) {
  WriteTable({HandBuiltZipDiscount("10000", "19999", "00000", "99999", 10, 20, 30, 40),
              HandBuiltZipDiscount("20000", "29999", "00000", "99999", 1, 2, 3, 4)});
  frmZipDiscounts& f = Open();
  user_.Click(f.btnAdd);
  Fill(f, "30000", "39999", "00000", "99999");
  user_.Click(f.btnSave);
  ASSERT_FALSE(f.fraEdit.Visible());
  EXPECT_TRUE(f.btnAdd.HasFocus());

  user_.Pick(f.lstZipDiscounts, 0);
  user_.Click(f.btnEdit);
  user_.Click(f.btnSave);
  ASSERT_FALSE(f.fraEdit.Visible());
  EXPECT_TRUE(f.btnEdit.HasFocus());

  user_.Pick(f.lstZipDiscounts, 1);
  user_.Click(f.btnEdit);
  user_.Click(f.btnDelete);
  ASSERT_FALSE(f.fraEdit.Visible());
  EXPECT_TRUE(f.btnEdit.HasFocus());

  user_.Click(f.btnAdd);
  user_.TypeInto(f.txtOriginLow, "4");
  user_.Click(f.btnIgnore);
  EXPECT_TRUE(f.btnAdd.HasFocus());

  // Opened from the list, it is the list that takes the focus back.
  user_.Pick(f.lstZipDiscounts, 0);
  user_.DblClick(f.lstZipDiscounts);
  user_.Click(f.btnIgnore);
  EXPECT_TRUE(f.lstZipDiscounts.HasFocus());
}

TEST_F(ZipDiscountEditorTest, AHiddenBadBoxIsReportedWithoutMovingTheFocus) {
  modMain::Settings().SetText(settings::kCompanyName, "VORNHALT LINES");
  WriteTable({HandBuiltZipDiscount("10000", "19999", "00000", "99999", 150, 20, 30, 40)});
  frmZipDiscounts& f = Open();
  user_.Pick(f.lstZipDiscounts, 0);
  user_.DblClick(f.lstZipDiscounts);
  ASSERT_FALSE(f.txtMC.Visible());
  user_.Focus(f.txtLTL);
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidDiscount);
  user_.Click(f.btnSave);
  EXPECT_TRUE(f.fraEdit.Visible());
  EXPECT_TRUE(f.btnSave.HasFocus() || f.txtLTL.HasFocus());
}

TEST_F(ZipDiscountEditorTest, AFullTableRefusesAdd) {
  std::string bytes;
  Record r = HandBuiltZipDiscount("10000", "19999", "00000", "99999", 1, 2, 3, 4, true);
  for (int i = 0; i < zipdisc::kMaxRecords; ++i) {
    bytes.append(reinterpret_cast<const char*>(r.data()), 64);
  }
  dir_.Write("ZipDisc.dat", bytes);
  frmZipDiscounts& f = Open();
  user_.ExpectMsgBox(MsgBoxResult::kOK, "32767");
  user_.Click(f.btnAdd);
  EXPECT_FALSE(f.fraEdit.Visible());
}

}  // namespace
}  // namespace frelane
