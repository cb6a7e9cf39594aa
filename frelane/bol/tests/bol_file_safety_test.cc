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
  user_.ExpectMsgBox(MsgBoxResult::kYes, "(LINKED) already exists");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "is a link to another place");
  EXPECT_FALSE(f.SaveBOL());
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
  user_.ExpectMsgBox(MsgBoxResult::kYes, "(LINKED) already exists");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "LINKED.BOL is a link to another place");
  TypeValidBill(f, "LINKED");
  EXPECT_FALSE(f.SaveBOL());
  const std::string refused_save = user_.LastPrompt();
  const std::string reason = "LINKED.BOL is a link to another place; only a file of its own folder is used";
  EXPECT_NE(refused_open.find(reason), std::string::npos) << refused_open;
  EXPECT_NE(refused_save.find(reason), std::string::npos) << refused_save;
  EXPECT_EQ(Read("outside/far.BOL").substr(0, 3), "FAR");
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
  long pid_max = 4194304;
  if (std::ifstream in("/proc/sys/kernel/pid_max"); in) in >> pid_max;
  const std::string dead = std::to_string(pid_max);  // no process runs under it
  const std::string alive = std::to_string(::getpid());
  fs::create_directories(dir_.File("BOLData"));
  WriteFile("BOLData/A.BOL.tmp" + dead + "-0", Bytes(100, 'x'));
  WriteFile("BOLData/B.BOL.tmp" + alive + "-7", Bytes(100, 'y'));
  WriteFile("BOLDef.dat.tmp" + dead + "-2", Bytes(16, 0));
  WriteFile("BOLData/C.BOL", testkit::bol::BillBytes(testkit::bol::NumberedBill("C")));
  Editor();
  EXPECT_EQ(Names("BOLData"), (std::vector<std::string>{"B.BOL.tmp" + alive + "-7", "C.BOL"}));
  EXPECT_FALSE(fs::exists(dir_.File("BOLDef.dat.tmp" + dead + "-2")));
}

}  // namespace
}  // namespace frelane::testing
