// The records and files of bills of lading: layouts against hand-built bytes, the pick
// lists, the defaults, and what keeps the stored files whole.
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>

#include "frelane/bol/bol_records.h"
#include "frelane/bol/record_book.h"
#include "frelane/bol/tests/bol_test_support.h"
#include "platform/forms/forms.h"
#include "testkit/file_size_limit.h"

namespace frelane::testing {
namespace {

namespace fs = std::filesystem;
using testkit::bol::Bytes;

class frmLists : public forms::Form {
 public:
  frmLists() : Form("frmLists") {}
  forms::ComboBox& cboBook = Add<forms::ComboBox>("cboBook", {0, 0, 2000, 315}, {});
};

using BolFilesTest = BolTest;

TEST_F(BolFilesTest, BillFieldsSitWhereTheLayoutSays) {
  testkit::bol::Bill bill;
  bill.number = "BL-2026-0042-EXTRA";
  bill.ship_date = "12/08/2026";
  bill.shipper = {"Maple Row Millworks", "14 Sawmill Rd", "Harlow", "Dane", "WI", "53701",
                  "608-555-0101", "", 0};
  bill.consignee.zip = "K1A0B1";
  bill.third_party.state = "ON";
  bill.freight_paid_by = 2;
  bill.single_shipment = 0;
  bill.cod_amount = 1234.5;
  bill.cod_boxes[1] = 1;
  bill.cod_boxes[5] = 1;
  bill.declared_value = "250.00";
  bill.special_instructions = "Call ahead\r\nDock 4";
  bill.items.resize(3);
  bill.items[2] = {"Glass panels", 2, "PT", 14, "CR", 1, "Tempered glass", 2875, "77.5", 0.25};
  WriteFile("BOLData/BL-2026-.BOL", testkit::bol::BillBytes(bill));

  bol::BOLRecord r;
  std::string error;
  ASSERT_EQ(bol::ReadBillFile("bl-2026-.bol", &r, &error), bol::BillRead::kOk) << error;
  os::ConstRecordView v = r.View();
  EXPECT_EQ(v.Text(bol::bill::kBOLNumber), "BL-2026-0042-EXTRA");
  EXPECT_EQ(v.Text(bol::bill::kShipperCounty), "Dane");
  EXPECT_EQ(v.Text(bol::bill::kShipperPhone), "608-555-0101");
  EXPECT_EQ(v.Text(bol::bill::kConsigneeZip), "K1A0B1");
  EXPECT_EQ(v.Text(bol::bill::kThirdPartyState), "ON");
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kFreightPaidBy), 2);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kSingleShipment), 0);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kSection7Signed), 1);
  EXPECT_DOUBLE_EQ(v.F64(bol::bill::kCODAmount), 1234.5);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kConsigneeCheckOK), 1);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kRemitCODToThirdParty), 1);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kCODFeePrepaid), 0);
  EXPECT_EQ(v.Text(bol::bill::kDeclaredValue), "250.00");
  EXPECT_EQ(v.Text(bol::bill::kSpecialInstructions), "Call ahead\r\nDock 4");
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kItemCount), 3);
  os::ConstRecordView item = bol::ItemView(r, 3);
  EXPECT_EQ(item.Text(bol::item::kProductName), "Glass panels");
  EXPECT_EQ(item.I32(bol::item::kHandlingUnits), 2);
  EXPECT_EQ(item.Raw(bol::item::kHandlingUnitType), "PT  ");
  EXPECT_EQ(item.I32(bol::item::kPackages), 14);
  EXPECT_EQ(bol::ByteOf(item, bol::item::kHazmat), 1);
  EXPECT_EQ(item.I32(bol::item::kWeight), 2875);
  EXPECT_EQ(item.Text(bol::item::kClass), "77.5");
  EXPECT_DOUBLE_EQ(item.F64(bol::item::kCube), 0.25);

  // Written back, the record is the same bytes.
  ASSERT_TRUE(bol::WriteBillFile("BL-2026-.BOL", r, &error)) << error;
  EXPECT_EQ(Read("BOLData/BL-2026-.BOL"), Read("BOLData/BL-2026-.BOL"));
  Bytes expected = testkit::bol::BillBytes(bill);
  EXPECT_EQ(Read("BOLData/BL-2026-.BOL"), AsText(expected));
}

TEST_F(BolFilesTest, PartyProductAndDefaultsLayouts) {
  Bytes party = testkit::bol::PartyBytes({"Birch Lane Foods", "9 Orchard St", "Tenley", "Polk",
                                           "IA", "50309", "515-555-0177", "S-200", 255});
  os::ConstRecordView p(party);
  EXPECT_EQ(p.Text(bol::party::kCounty), "Polk");
  EXPECT_EQ(p.Text(bol::party::kZip), "50309");
  EXPECT_EQ(p.Text(bol::party::kShipperNumber), "S-200");
  EXPECT_EQ(bol::ByteOf(p, bol::party::kStatus), 255);

  Bytes product = testkit::bol::ProductBytes(
      {"Oak flooring", "PT", "BD", "Prefinished oak boards", 0, 150, "55", 0});
  os::ConstRecordView q(product);
  EXPECT_EQ(q.Raw(bol::product::kPackageType), "BD  ");
  EXPECT_EQ(q.Text(bol::product::kDescription), "Prefinished oak boards");
  EXPECT_EQ(q.I32(bol::product::kWeightPerPackage), 150);
  EXPECT_EQ(q.Text(bol::product::kClass), "55");

  Bytes defaults = testkit::bol::DefaultsBytes(3, 0, 7, 2);
  os::ConstRecordView d(defaults);
  EXPECT_EQ(d.I32(bol::defaults::kShipperDefault), 3);
  EXPECT_EQ(d.I32(bol::defaults::kThirdPartyDefault), 7);
  EXPECT_EQ(d.I32(bol::defaults::kProductDefault), 2);
}

TEST_F(BolFilesTest, PartyListSkipsDeletedSortsAndSelectsByRecord) {
  Bytes book = SampleShippers();
  Bytes deleted = testkit::bol::PartyBytes(testkit::bol::NamedParty("Zinc Works", 255));
  testkit::bol::Party twin = testkit::bol::NamedParty("Maple Row Millworks");
  twin.address = "2 Other St";
  Bytes fifth = testkit::bol::PartyBytes(twin);
  book.insert(book.end(), deleted.begin(), deleted.end());  // record 4
  book.insert(book.end(), fifth.begin(), fifth.end());      // record 5, a second "Maple Row"
  book.insert(book.end(), fifth.begin(), fifth.begin() + 40);  // a partial record
  WriteFile("shipper.dat", book);

  frmLists& form = app_.Get<frmLists>();
  forms::ComboBox& list = form.cboBook;
  ASSERT_TRUE(modBOL::LoadPartyList(list, " Shipper.dat ", 5, true));
  ASSERT_EQ(list.ListCount(), 5);
  EXPECT_EQ(list.List(0), "{None}");
  EXPECT_EQ(list.List(1), "birch Lane Foods");  // case does not sort
  EXPECT_EQ(list.List(2), "Cedar Point Glass");
  EXPECT_EQ(list.List(3), "Maple Row Millworks");
  EXPECT_EQ(list.List(4), "Maple Row Millworks");
  EXPECT_EQ(list.ItemData(3), 1);
  EXPECT_EQ(list.ItemData(4), 5);
  EXPECT_EQ(list.ListIndex(), 4);

  modBOL::SelectByItemData(list, 4, true);  // deleted: "{None}"
  EXPECT_EQ(list.ListIndex(), 0);
  ASSERT_TRUE(modBOL::LoadPartyList(list, "Shipper.dat", 4, false));
  EXPECT_EQ(list.ListIndex(), -1);

  // A missing book lists nothing and is left behind empty.
  ASSERT_TRUE(modBOL::LoadPartyList(list, "Consigne.dat", 0, true));
  EXPECT_EQ(list.ListCount(), 1);
  EXPECT_TRUE(fs::exists(dir_.File("Consigne.dat")));
  EXPECT_EQ(fs::file_size(dir_.File("Consigne.dat")), 0u);

  // The product list keeps record order and never selects "{None}" for an unlisted record.
  WriteFile("Product.dat", testkit::bol::Concatenate(
                               {testkit::bol::ProductBytes(testkit::bol::NamedProduct("Zebra tiles")),
                                testkit::bol::ProductBytes(testkit::bol::NamedProduct("Anchor bolts"))}));
  ASSERT_TRUE(modBOL::LoadProductList(list, 9, true));
  EXPECT_EQ(list.List(1), "Zebra tiles");
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(BolFilesTest, DefaultsReadWithoutCreatingAndSaveWhole) {
  modBOL::LoadBOLDefaults();
  EXPECT_EQ(modBOL::Defaults(), bol::BOLDefaults{});
  EXPECT_FALSE(fs::exists(dir_.File("BOLDef.dat")));
  modBOL::Defaults().View().SetI32(bol::defaults::kConsigneeDefault, 4);
  ASSERT_TRUE(modBOL::SaveBOLDefaults());
  Bytes expected = testkit::bol::DefaultsBytes(0, 4, 0, 0);
  EXPECT_EQ(Read("BOLDef.dat"), AsText(expected));
}

TEST_F(BolFilesTest, ANewBillAfterAnOldOneIsBlankThrough) {
  modBOL::CurrentBOL().bytes.fill('x');
  modBOL::CurrentBOLFile() = "OLD.BOL";
  modBOL::ClearBOL();
  os::ConstRecordView v = modBOL::CurrentBOL().View();
  EXPECT_EQ(v.Text(bol::bill::kBOLNumber), "");
  EXPECT_EQ(v.Text(bol::bill::kShipDate), modBOL::Today());
  EXPECT_EQ(modBOL::Today().size(), 10u);
  EXPECT_EQ(modBOL::Today()[2], '-');
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kFreightPaidBy), 3);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kSingleShipment), 1);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kSection7Signed), 1);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kRemitCODToShipper), 0);
  EXPECT_EQ(v.F64(bol::bill::kCODAmount), 0.0);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kItemCount), 0);
  EXPECT_EQ(v.Raw(bol::bill::kSpecialInstructions), std::string(250, ' '));
  for (int n = 1; n <= 20; ++n) {
    os::ConstRecordView item = bol::ItemView(modBOL::CurrentBOL(), n);
    EXPECT_EQ(item.Raw(bol::item::kProductName), std::string(50, ' ')) << n;
    EXPECT_EQ(item.I32(bol::item::kWeight), 0);
    EXPECT_EQ(item.F64(bol::item::kCube), 0.0);
  }
  EXPECT_EQ(modBOL::CurrentBOLFile(), "");
}

TEST_F(BolFilesTest, BookWritesTouchOnlyTheirRecord) {
  WriteFile("Shipper.dat", SampleShippers());
  std::string before = Read("Shipper.dat");
  bol::RecordBook book(dir_.File("Shipper.dat"), bol::party::kSize);
  std::string error;
  ASSERT_TRUE(book.WriteByte(2, bol::party::kStatus.offset, bol::kStatusDeleted, &error));
  std::string after = Read("Shipper.dat");
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i == 169 + 168) {
      EXPECT_EQ(static_cast<std::uint8_t>(after[i]), 255);
    } else {
      ASSERT_EQ(after[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_FALSE(book.WriteByte(4, 168, 255, &error));  // no record 4: nothing appended
  EXPECT_FALSE(book.Write(5, std::span<const std::uint8_t>(
                                 reinterpret_cast<const std::uint8_t*>(before.data()), 169),
                          &error));  // no gap of zeros
  EXPECT_TRUE(book.Write(4, std::span<const std::uint8_t>(
                                reinterpret_cast<const std::uint8_t*>(before.data()), 169),
                         &error));
  dir_.Write("Shipper.dat", after);
  EXPECT_EQ(Read("Shipper.dat").size(), before.size());

  // An append after a partial record takes its place.
  dir_.Write("Shipper.dat", after + "partial");
  auto n = book.Append(testkit::bol::PartyBytes(testkit::bol::NamedParty("Dune Road Tile")), &error);
  ASSERT_TRUE(n.has_value()) << error;
  EXPECT_EQ(*n, 4);
  EXPECT_EQ(Read("Shipper.dat").size(), 4u * 169);
}

// The kernel's file-size limit fails a write part way, as a full disk does: the first bytes
// land, the rest do not. The book must keep its old length and bytes.
TEST_F(BolFilesTest, AWriteThatStopsPartWayLeavesTheBookAsItWas) {
  const std::string old_book = AsText(SampleShippers()) + "partial";  // 3 records and a piece
  dir_.Write("Shipper.dat", old_book);
  bol::RecordBook book(dir_.File("Shipper.dat"), bol::party::kSize);
  const Bytes entry = testkit::bol::PartyBytes(testkit::bol::NamedParty("Dune Road Tile"));
  std::string error;
  {
    testkit::FileSizeLimit full_disk(3 * 169 + 40);
    EXPECT_FALSE(book.Append(entry, &error));
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(Read("Shipper.dat"), old_book);

    EXPECT_FALSE(book.AppendAll(testkit::bol::Concatenate({entry, entry}), &error));
    EXPECT_EQ(Read("Shipper.dat"), old_book);
    // Writing the record after the last one grows the file as an append does.
    EXPECT_FALSE(book.Write(4, entry, &error));
    EXPECT_EQ(Read("Shipper.dat"), old_book);
    // A rewrite in place needs no room and still goes through.
    EXPECT_TRUE(book.Write(2, entry, &error)) << error;
  }
  const std::string after = Read("Shipper.dat");
  EXPECT_EQ(after.substr(169, 14), "Dune Road Tile");
  EXPECT_EQ(after.substr(0, 169) + after.substr(2 * 169), old_book.substr(0, 169) + old_book.substr(2 * 169));
}

TEST_F(BolFilesTest, BooksThatCannotBeWrittenAreStillRead) {
  // A book that cannot be made reads as empty, without an error and without a file.
  bol::RecordBook nowhere(dir_.File("gone/Shipper.dat"), bol::party::kSize);
  std::string error;
  auto none = nowhere.ReadAll(&error);
  ASSERT_TRUE(none.has_value()) << error;
  EXPECT_TRUE(none->empty());
  std::vector<std::uint8_t> record(bol::party::kSize);
  EXPECT_FALSE(nowhere.Read(1, record, &error));
  EXPECT_FALSE(fs::exists(dir_.File("gone")));

  // A read-only book, read by a user other than its owner (the permission bits do not bind
  // root, so a root run reads it as nobody).
  const Bytes shippers = SampleShippers();
  WriteFile("Shipper.dat", shippers);
  fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::permissions(dir_.File("Shipper.dat"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
    bol::RecordBook book(dir_.File("Shipper.dat"), bol::party::kSize);
    auto records = book.ReadAll(nullptr);
    if (!records || records->size() != 3) _exit(1);
    std::vector<std::uint8_t> second(bol::party::kSize);
    if (!book.Read(2, second, nullptr) || second != (*records)[1]) _exit(2);
    if (book.Write(1, second, nullptr)) _exit(3);  // the file really is closed to writes
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Read("Shipper.dat"), AsText(shippers));
}

TEST_F(BolFilesTest, TwoProcessesAppendingGetDistinctRecordNumbers) {
  const std::string path = dir_.File("Consigne.dat");
  constexpr int kPerProcess = 60;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      bol::RecordBook book(path, bol::party::kSize);
      for (int i = 0; i < kPerProcess; ++i) {
        std::string name = std::to_string(c) + "-" + std::to_string(i);
        if (!book.Append(testkit::bol::PartyBytes(testkit::bol::NamedParty(name)), nullptr)) _exit(1);
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  auto records = bol::RecordBook(path, bol::party::kSize).ReadAll(nullptr);
  ASSERT_TRUE(records.has_value());
  ASSERT_EQ(records->size(), 2u * kPerProcess);
  std::set<std::string> names;
  for (const auto& r : *records) names.insert(os::ConstRecordView(r).Text(bol::party::kName));
  EXPECT_EQ(names.size(), 2u * kPerProcess);
}

TEST_F(BolFilesTest, BillNamesThatCouldLeaveTheFolderAreRefused) {
  for (const char* bad : {"../../x", "a/b", "a\\b", "C:", "*", "why?", "\"q\"", "<a>", "a|b",
                          ".", "..", "a..b", "tab\tx", ""}) {
    EXPECT_FALSE(bol::IsUsableBillName(bad)) << bad;
  }
  for (const char* good : {"BL-1", "  42  ", "Ordre 7", "12345678/9", "A.B"}) {
    EXPECT_TRUE(bol::IsUsableBillName(good)) << good;
  }
  EXPECT_EQ(bol::BillFileName("  BL-2026-0042  "), "BL-2026-.BOL");
  // Eight characters, not eight bytes of UTF-8; a character the record cannot hold is "?".
  EXPECT_EQ(bol::BillFileName("Café-12345"), "Café-123.BOL");
  EXPECT_FALSE(bol::IsUsableBillName("BL-Ω"));
  EXPECT_EQ(bol::BillNamePart("bl-2026-.bol"), "bl-2026-");
}

TEST_F(BolFilesTest, DamagedBillFilesAreRefusedOrClamped) {
  bol::BOLRecord r;
  r.bytes.fill('z');
  std::string error;
  EXPECT_EQ(bol::ReadBillFile("NONE.BOL", &r, &error), bol::BillRead::kMissing);
  WriteFile("BOLData/SHORT.BOL", Bytes(7503, ' '));
  EXPECT_EQ(bol::ReadBillFile("SHORT.BOL", &r, &error), bol::BillRead::kShort);
  EXPECT_NE(error.find("SHORT.BOL"), std::string::npos);
  EXPECT_EQ(r.bytes[0], 'z');  // untouched

  Bytes bad = testkit::bol::BillBytes(testkit::bol::NumberedBill("BAD"));
  bad[593] = 200;  // items
  bad[489] = 9;    // payer
  bad[490] = 7;
  bad[502] = 5;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::memcpy(&bad[492], &nan, 8);
  std::memcpy(&bad[844 + 325], &nan, 8);
  WriteFile("BOLData/BAD.BOL", bad);
  ASSERT_EQ(bol::ReadBillFile("BAD.BOL", &r, &error), bol::BillRead::kOk);
  os::ConstRecordView v = r.View();
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kItemCount), 20);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kFreightPaidBy), 3);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kSingleShipment), 1);
  EXPECT_EQ(bol::ByteOf(v, bol::bill::kCODFeePrepaid), 1);
  EXPECT_EQ(v.F64(bol::bill::kCODAmount), 0.0);
  EXPECT_EQ(bol::ItemView(r, 1).F64(bol::item::kCube), 0.0);
}

TEST_F(BolFilesTest, AFailedWriteLeavesTheOldFileByteForByte) {
  Bytes old_bill = testkit::bol::BillBytes(testkit::bol::NumberedBill("KEEP1"));
  WriteFile("BOLData/KEEP1.BOL", old_bill);
  const std::string old_bytes = Read("BOLData/KEEP1.BOL");
  bol::BOLRecord fresh;
  fresh.View().SetText(bol::bill::kBOLNumber, "KEEP1 NEW");
  std::string error;

  // A write that dies halfway through its temporary file.
  bol::SetFileWriterForTesting([](const std::string& path, std::span<const std::uint8_t> bytes,
                                  std::string* why) {
    std::ofstream(path + ".partial", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 1000);
    fs::remove(path + ".partial");
    *why = "disk full";
    return false;
  });
  EXPECT_FALSE(bol::WriteBillFile("KEEP1.BOL", fresh, &error));
  EXPECT_NE(error.find("KEEP1.BOL"), std::string::npos);
  EXPECT_EQ(Read("BOLData/KEEP1.BOL"), old_bytes);
  bol::SetFileWriterForTesting(nullptr);

  // A real failure: the name is taken by a folder.
  fs::create_directories(dir_.File("BOLData/TAKEN.BOL"));
  EXPECT_FALSE(bol::WriteBillFile("TAKEN.BOL", fresh, &error));
  EXPECT_TRUE(fs::is_directory(dir_.File("BOLData/TAKEN.BOL")));
  // The real writer replaces the file whole.
  ASSERT_TRUE(bol::WriteBillFile("keep1.bol", fresh, &error)) << error;
  EXPECT_EQ(Read("BOLData/KEEP1.BOL").substr(0, 9), "KEEP1 NEW");
  EXPECT_FALSE(fs::exists(dir_.File("BOLData/keep1.bol")));
}

}  // namespace
}  // namespace frelane::testing
