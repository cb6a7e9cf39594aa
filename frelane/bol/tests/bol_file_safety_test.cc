// What keeps the stored bills and books safe from what else is on the disk: a bill saved by
// another instance meanwhile, links that lead out of the data directory, pipes in place of
// files, and the temporaries a crash in the middle of a save leaves.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "frelane/bol/frm_bol_defaults.h"
#include "frelane/bol/frm_bol_open.h"
#include "platform/os/atomic_file.h"
#include "platform/os/regular_file.h"
#include "frelane/bol/tests/bol_test_support.h"

namespace frelane::testing {
namespace {

namespace fs = std::filesystem;
using forms::MsgBoxResult;
using testkit::bol::Bytes;

class BolFileSafetyTest : public BolEditorTest {
 protected:
  void SetUp() override {
    BolEditorTest::SetUp();
    fs::create_directories(dir_.File("outside"));
  }
  // Another program's save of the bill: a whole new file renamed over the old one.
  void SavedElsewhere(const std::string& name, const std::string& number,
                      const std::string& pro) {
    testkit::bol::Bill bill = testkit::bol::NumberedBill(number);
    bill.pro_number = pro;
    Bytes bytes = testkit::bol::BillBytes(bill);
    std::string error;
    ASSERT_TRUE(os::WriteFileAtomically(dir_.File("BOLData/" + name), bytes, &error)) << error;
  }
  void Link(const std::string& target, const std::string& name) {
    ASSERT_EQ(::symlink(dir_.File(target).c_str(), dir_.File(name).c_str()), 0) << name;
  }
  // The name of a temporary a crashed save left: no process runs under its number.
  static std::string StaleTemporary(const std::string& of) {
    long pid_max = 4194304;
    if (std::ifstream in("/proc/sys/kernel/pid_max"); in) in >> pid_max;
    return of + ".tmp" + std::to_string(pid_max) + "-0";
  }
  // What every refusal says of a BOLData that is a link.
  std::string FolderIsALink() const {
    return dir_.File("BOLData") +
           " is a link to another place; bills are saved only in the data directory";
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_.File(folder))) {
      names.push_back(e.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(BolFileSafetyTest, ABillSavedElsewhereSinceItWasOpenedIsReplacedOnlyOnYes) {
  WriteFile("BOLData/TWO.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("TWO")));
  frmBOL& f = Editor();
  OpenFromDialog(f, "TWO.BOL");
  TypeValidBill(f, "TWO");
  user_.TypeInto(f.txtCarriersProNumber, "MINE-1");
  SavedElsewhere("TWO.BOL", "TWO", "THEIRS-1");
  const std::string theirs = Read("BOLData/TWO.BOL");

  user_.ExpectMsgBox(MsgBoxResult::kNo, "This BOL (TWO) has been saved by another window");
  user_.MenuClick(f.mnuFileSaveBOL);
  EXPECT_EQ(Read("BOLData/TWO.BOL"), theirs);
  EXPECT_TRUE(f.BOLChanged());
  // Closing asks to save; the question comes again and No keeps the other one.
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Save Changes?");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "No keeps the other one");
  user_.CloseForm(f);
  EXPECT_TRUE(f.IsLoaded());
  EXPECT_EQ(Read("BOLData/TWO.BOL"), theirs);

  user_.ExpectMsgBox(MsgBoxResult::kYes, "(TWO)");
  EXPECT_TRUE(f.SaveBOL());
  EXPECT_EQ(Read("BOLData/TWO.BOL").substr(35, 6), "MINE-1");
  // Saved by this editor last: the next save asks nothing.
  user_.TypeInto(f.txtCarriersProNumber, "MINE-2");
  EXPECT_TRUE(f.SaveBOL());
  EXPECT_EQ(Read("BOLData/TWO.BOL").substr(35, 6), "MINE-2");
  // A bill opened while its file was missing, and saved elsewhere since, asks too.
  modBOL::CurrentBOLFile() = "THREE.BOL";
  modBOL::CurrentBOLStamp() = bol::StampOfBillFile("THREE.BOL");
  TypeValidBill(f, "THREE");
  SavedElsewhere("THREE.BOL", "THREE", "THEIRS-3");
  user_.ExpectMsgBox(MsgBoxResult::kNo, "(THREE)");
  EXPECT_FALSE(f.SaveBOL());
  EXPECT_EQ(Read("BOLData/THREE.BOL").substr(35, 8), "THEIRS-3");
}

TEST_F(BolFileSafetyTest, ALinkInBOLDataIsNeverWrittenThrough) {
  fs::create_directories(dir_.File("BOLData"));
  WriteFile("outside/victim.txt", Bytes{'k', 'e', 'e', 'p'});
  Link("outside/victim.txt", "BOLData/LINKED.BOL");
  Link("outside/made.BOL", "BOLData/DANGLE.BOL");
  frmBOL& f = Editor();
  TypeValidBill(f, "LINKED");
  // Refused before the question whether to replace it: no answer could let it be written.
  user_.ExpectMsgBox(MsgBoxResult::kOK, "is a link to another place");
  EXPECT_FALSE(f.SaveBOL());
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
  TypeValidBill(f, "DANGLE");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "is a link to another place");
  EXPECT_FALSE(f.SaveBOL());
  // The refusal names the file once.
  const std::string said = user_.LastPrompt();
  EXPECT_EQ(said.find("DANGLE.BOL"), said.rfind("DANGLE.BOL")) << said;
  EXPECT_EQ(Read("outside/victim.txt"), "keep");
  EXPECT_EQ(Names("outside"), std::vector<std::string>{"victim.txt"});
  EXPECT_TRUE(f.BOLChanged());
}

TEST_F(BolFileSafetyTest, ALinkInBOLDataIsNeitherListedNorOpened) {
  fs::create_directories(dir_.File("BOLData"));
  WriteFile("BOLData/OWN.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("OWN")));
  WriteFile("outside/far.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("FAR")));
  Link("outside/far.BOL", "BOLData/LINKED.BOL");
  frmBOL& f = Editor();
  user_.WhenShown("frmBOLOpen", [this] {
    frmBOLOpen& open = app_.Get<frmBOLOpen>();
    ASSERT_EQ(open.File1.ListCount(), 1);
    EXPECT_EQ(open.File1.List(0), "OWN.BOL");
    user_.Click(open.btnCancel);
  });
  user_.MenuClick(f.mnuFileOpenBOL);

  // Named all the same, it is refused as a save over it is, and the editor keeps its bill.
  TypeValidBill(f, "MINE");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "LINKED.BOL is a link to another place");
  EXPECT_FALSE(f.ReadBOLFile("LINKED.BOL"));
  const std::string refused_open = user_.LastPrompt();
  EXPECT_EQ(modBOL::CurrentBOL().View().Text(bol::bill::kBOLNumber), "MINE");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "LINKED.BOL is a link to another place");
  TypeValidBill(f, "LINKED");
  EXPECT_FALSE(f.SaveBOL());
  const std::string refused_save = user_.LastPrompt();
  const std::string reason = "LINKED.BOL is a link to another place; only a file of its own folder is used";
  EXPECT_NE(refused_open.find(reason), std::string::npos) << refused_open;
  EXPECT_NE(refused_save.find(reason), std::string::npos) << refused_save;
  EXPECT_EQ(Read("outside/far.BOL").substr(0, 3), "FAR");
}

// The file functions themselves refuse a linked bill and a linked BOLDef.dat on every read,
// write and delete, with one reason, and leave what the links lead to as it was.
TEST_F(BolFileSafetyTest, EveryBillAndDefaultsFunctionRefusesALinkAlike) {
  fs::create_directories(dir_.File("BOLData"));
  const Bytes far = testkit::bol::BillBytes(testkit::bol::NumberedBill("FAR"));
  WriteFile("outside/far.BOL", far);
  Link("outside/far.BOL", "BOLData/LINKED.BOL");
  const Bytes theirs = testkit::bol::DefaultsBytes(1, 2, 3, 4);
  WriteFile("outside/BOLDef.dat", theirs);
  Link("outside/BOLDef.dat", "BOLDef.dat");
  const std::string bill_reason = os::LinkRefusal(dir_.File("BOLData/LINKED.BOL"));
  const std::string defaults_reason = os::LinkRefusal(dir_.File("BOLDef.dat"));

  bol::BOLRecord mine;
  mine.bytes.fill('m');
  bol::BOLRecord record = mine;
  std::string error;
  EXPECT_EQ(bol::ReadBillFile("linked.bol", &record, &error), bol::BillRead::kRefused);
  EXPECT_EQ(error, bill_reason);
  EXPECT_EQ(record, mine);
  error.clear();
  EXPECT_FALSE(bol::WriteBillFile("LINKED.BOL", mine, &error));
  EXPECT_EQ(error, bill_reason);
  error.clear();
  EXPECT_FALSE(bol::DeleteBillFile("LINKED.BOL", &error));
  EXPECT_EQ(error, bill_reason);
  EXPECT_FALSE(bol::IsOwnBillFile("LINKED.BOL"));

  error.clear();
  EXPECT_EQ(bol::ReadDefaultsFile(&error), std::nullopt);
  EXPECT_EQ(error, defaults_reason);
  error.clear();
  EXPECT_FALSE(bol::WriteDefaultsFile(bol::BOLDefaults{}, &error));
  EXPECT_EQ(error, defaults_reason);

  EXPECT_EQ(Read("outside/far.BOL"), AsText(far));
  EXPECT_EQ(Read("outside/BOLDef.dat"), AsText(theirs));
  EXPECT_TRUE(fs::is_symlink(dir_.File("BOLData/LINKED.BOL")));
  EXPECT_TRUE(fs::is_symlink(dir_.File("BOLDef.dat")));
}

// A BOLData that is a link: nothing in it is read, written, deleted, listed or tidied.
TEST_F(BolFileSafetyTest, EveryBillFunctionRefusesABOLDataThatIsALink) {
  fs::create_directories(dir_.File("outside/bills"));
  const Bytes far = testkit::bol::BillBytes(testkit::bol::NumberedBill("FAR"));
  WriteFile("outside/bills/FAR.BOL", far);
  const std::string stale = StaleTemporary("OLD.BOL");
  WriteFile("outside/bills/" + stale, Bytes(10, 'x'));
  Link("outside/bills", "BOLData");
  const std::string reason = FolderIsALink();

  bol::BOLRecord record;
  std::string error;
  EXPECT_EQ(bol::ReadBillFile("FAR.BOL", &record, &error), bol::BillRead::kRefused);
  EXPECT_EQ(error, reason);
  EXPECT_EQ(record, bol::BOLRecord{});
  error.clear();
  EXPECT_FALSE(bol::WriteBillFile("NEW.BOL", record, &error));
  EXPECT_EQ(error, reason);
  error.clear();
  EXPECT_FALSE(bol::DeleteBillFile("FAR.BOL", &error));
  EXPECT_EQ(error, reason);
  EXPECT_FALSE(bol::IsOwnBillFile("FAR.BOL"));
  bol::RemoveStaleTemporaries();
  EXPECT_EQ(Names("outside/bills"), (std::vector<std::string>{"FAR.BOL", stale}));
  EXPECT_EQ(Read("outside/bills/FAR.BOL"), AsText(far));
}

// A BOLDef.dat that is a link is not read when the editor opens: it says so, new bills start
// without defaults, and the dialog's OK is refused with the same reason.
TEST_F(BolFileSafetyTest, ADefaultsFileThatIsALinkIsNotReadEither) {
  WriteFile("Shipper.dat", SampleShippers());
  const Bytes theirs = testkit::bol::DefaultsBytes(2, 0, 0, 0);
  WriteFile("outside/BOLDef.dat", theirs);
  Link("outside/BOLDef.dat", "BOLDef.dat");
  const std::string reason = os::LinkRefusal(dir_.File("BOLDef.dat"));

  user_.ExpectMsgBox(MsgBoxResult::kOK, "The BOL defaults were not read");
  frmBOL& f = Editor();
  const std::string refused_read = user_.LastPrompt();
  EXPECT_NE(refused_read.find(reason), std::string::npos) << refused_read;
  EXPECT_EQ(modBOL::Defaults(), bol::BOLDefaults{});
  EXPECT_EQ(f.cboShipperName.Text(), "");  // the linked file's shipper 2 is not taken

  user_.WhenShown("frmBOLDefaults", [this] {
    frmBOLDefaults& d = app_.Get<frmBOLDefaults>();
    EXPECT_EQ(d.cboShipperName.Text(), "{None}");
    user_.Pick(d.cboShipperName, 1);
    user_.ExpectMsgBox(MsgBoxResult::kOK, "The BOL defaults were not saved");
    user_.Click(d.btnOK);
    EXPECT_TRUE(d.IsVisible());
    user_.Click(d.btnCancel);
  });
  user_.MenuClick(f.mnuEditDefaults);
  const std::string refused_save = user_.LastPrompt();
  EXPECT_NE(refused_save.find(reason), std::string::npos) << refused_save;
  EXPECT_EQ(Read("outside/BOLDef.dat"), AsText(theirs));
  EXPECT_TRUE(fs::is_symlink(dir_.File("BOLDef.dat")));
}

// A bill opened from BOLData, and then BOLData or the bill's own file turned into a link by
// something else: reading, saving and deleting it again are all refused, with one reason
// each, and the files the links lead to stay as they were.
TEST_F(BolFileSafetyTest, ABillWhosePlaceBecameALinkIsNeitherReadSavedNorDeleted) {
  fs::create_directories(dir_.File("BOLData"));
  const Bytes own = testkit::bol::BillBytes(testkit::bol::NumberedBill("OWN"));
  WriteFile("BOLData/OWN.BOL", own);
  frmBOL& f = Editor();
  OpenFromDialog(f, "OWN.BOL");
  ASSERT_EQ(modBOL::CurrentBOLFile(), "OWN.BOL");

  // The bill's file: moved away, a link left at its name.
  fs::rename(dir_.File("BOLData/OWN.BOL"), dir_.File("outside/OWN.BOL"));
  Link("outside/OWN.BOL", "BOLData/OWN.BOL");
  const std::string file_reason = os::LinkRefusal(dir_.File("BOLData/OWN.BOL"));
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure you want to delete the current BOL?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "The BOL was not deleted");
  user_.MenuClick(f.mnuEditDeleteBOL);
  EXPECT_NE(user_.LastPrompt().find(file_reason), std::string::npos) << user_.LastPrompt();
  EXPECT_TRUE(fs::is_symlink(dir_.File("BOLData/OWN.BOL")));
  EXPECT_EQ(modBOL::CurrentBOLFile(), "OWN.BOL");

  // The folder: moved away, a link left in its place.
  fs::remove(dir_.File("BOLData/OWN.BOL"));
  fs::rename(dir_.File("outside/OWN.BOL"), dir_.File("BOLData/OWN.BOL"));
  fs::rename(dir_.File("BOLData"), dir_.File("outside/bills"));
  Link("outside/bills", "BOLData");
  const std::string folder_reason = FolderIsALink();
  user_.TypeInto(f.txtCarriersProNumber, "MINE");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "The BOL was not opened");
  EXPECT_FALSE(f.ReadBOLFile("OWN.BOL"));
  EXPECT_NE(user_.LastPrompt().find(folder_reason), std::string::npos) << user_.LastPrompt();
  EXPECT_EQ(f.txtCarriersProNumber.Text(), "MINE");
  TypeValidBill(f, "OWN");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "The BOL was not saved");
  user_.MenuClick(f.mnuFileSaveBOL);
  EXPECT_NE(user_.LastPrompt().find(folder_reason), std::string::npos) << user_.LastPrompt();
  user_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure you want to delete the current BOL?");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "The BOL was not deleted");
  user_.MenuClick(f.mnuEditDeleteBOL);
  EXPECT_NE(user_.LastPrompt().find(folder_reason), std::string::npos) << user_.LastPrompt();
  EXPECT_EQ(Read("outside/bills/OWN.BOL"), AsText(own));
  EXPECT_EQ(Names("outside/bills"), std::vector<std::string>{"OWN.BOL"});
  EXPECT_TRUE(f.BOLChanged());
}

TEST_F(BolFileSafetyTest, ABOLDataThatIsALinkIsNotListed) {
  fs::create_directories(dir_.File("outside/bills"));
  WriteFile("outside/bills/FAR.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("FAR")));
  Link("outside/bills", "BOLData");
  frmBOL& f = Editor();
  user_.ExpectMsgBox(MsgBoxResult::kOK, "bills are saved only in the data directory");
  user_.MenuClick(f.mnuFileOpenBOL);
  EXPECT_FALSE(app_.Get<frmBOLOpen>().IsLoaded());
  EXPECT_EQ(modBOL::CurrentBOLFile(), "");
}

TEST_F(BolFileSafetyTest, ABOLDataThatIsALinkTakesNoBill) {
  fs::create_directories(dir_.File("outside/bills"));
  Link("outside/bills", "BOLData");
  frmBOL& f = Editor();
  TypeValidBill(f, "NEW-1");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "bills are saved only in the data directory");
  EXPECT_FALSE(f.SaveBOL());
  EXPECT_TRUE(fs::is_empty(dir_.File("outside/bills")));
}

TEST_F(BolFileSafetyTest, AnAddressBookOrDefaultsFileThatIsALinkIsNotWritten) {
  Bytes shippers = SampleShippers();
  WriteFile("outside/Shipper.dat", shippers);
  fs::remove(dir_.File("Shipper.dat"));
  fs::remove(dir_.File("Consigne.dat"));
  Link("outside/Shipper.dat", "Shipper.dat");
  Link("outside/Consigne.dat", "Consigne.dat");  // leads nowhere yet
  frmBOL& f = Editor();
  // Listing a linked book reads it, and makes nothing where a dangling link points.
  EXPECT_EQ(f.cboShipperName.ListCount(), 3);
  EXPECT_FALSE(fs::exists(dir_.File("outside/Consigne.dat")));

  user_.Pick(f.cboShipperName, 0);
  user_.TypeInto(f.txtShipperCity, "Elsewhere");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Shipper.dat is a link to another place");
  user_.MenuClick(f.mnuFileSaveShipper);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Shipper.dat is a link to another place");
  user_.MenuClick(f.mnuFileSaveAsShipper);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Shipper.dat is a link to another place");
  user_.MenuClick(f.mnuEditDeleteShipper);
  user_.TypeInto(f.cboConsigneeName, "Quarry Hill Builders");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Consigne.dat is a link to another place");
  user_.MenuClick(f.mnuFileSaveConsignee);
  EXPECT_EQ(Read("outside/Shipper.dat"), AsText(shippers));
  EXPECT_FALSE(fs::exists(dir_.File("outside/Consigne.dat")));

  WriteFile("outside/BOLDef.dat", testkit::bol::DefaultsBytes(0, 0, 0, 0));
  Link("outside/BOLDef.dat", "BOLDef.dat");
  user_.WhenShown("frmBOLDefaults", [this] {
    frmBOLDefaults& d = app_.Get<frmBOLDefaults>();
    user_.Pick(d.cboShipperName, 1);
    user_.ExpectMsgBox(MsgBoxResult::kOK, "BOLDef.dat is a link to another place");
    user_.Click(d.btnOK);
    EXPECT_TRUE(d.IsVisible());
    user_.Click(d.btnCancel);
  });
  user_.MenuClick(f.mnuEditDefaults);
  EXPECT_EQ(Read("outside/BOLDef.dat"), AsText(testkit::bol::DefaultsBytes(0, 0, 0, 0)));
  struct stat st;
  ASSERT_EQ(::lstat(dir_.File("BOLDef.dat").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(BolFileSafetyTest, PipesInPlaceOfTheEditorsFilesHoldNothingUp) {
  fs::remove(dir_.File("Product.dat"));
  for (const char* name : {"Product.dat", "BOLDef.dat"}) {
    ASSERT_EQ(::mkfifo(dir_.File(name).c_str(), 0600), 0) << name;
  }
  fs::create_directories(dir_.File("BOLData"));
  ASSERT_EQ(::mkfifo(dir_.File("BOLData/PIPE.BOL").c_str(), 0600), 0);
  // The catalogue is reported; the defaults read as none, as for a missing file.
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Product.dat is not a regular file");
  frmBOL& f = Editor();
  EXPECT_EQ(modBOL::Defaults().View().I32(bol::defaults::kShipperDefault), 0);
  EXPECT_EQ(f.cboProduct.ListCount(), 0);
  // A pipe among the bills is refused when read, the bill in the editor stays.
  user_.TypeInto(f.txtBOL, "MINE");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "PIPE.BOL cannot be read");
  EXPECT_FALSE(f.ReadBOLFile("PIPE.BOL"));
  EXPECT_EQ(f.txtBOL.Text(), "MINE");
  EXPECT_EQ(modBOL::CurrentBOLFile(), "");
}

TEST_F(BolFileSafetyTest, OpeningTheEditorRemovesOnlyStaleTemporaries) {
  const std::string alive = std::to_string(::getpid());
  fs::create_directories(dir_.File("BOLData"));
  WriteFile("BOLData/" + StaleTemporary("A.BOL"), Bytes(100, 'x'));
  WriteFile("BOLData/B.BOL.tmp" + alive + "-7", Bytes(100, 'y'));
  WriteFile(StaleTemporary("BOLDef.dat"), Bytes(16, 0));
  WriteFile("BOLData/C.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("C")));
  Editor();
  EXPECT_EQ(Names("BOLData"), (std::vector<std::string>{"B.BOL.tmp" + alive + "-7", "C.BOL"}));
  EXPECT_FALSE(fs::exists(dir_.File(StaleTemporary("BOLDef.dat"))));
}

}  // namespace
}  // namespace frelane::testing
