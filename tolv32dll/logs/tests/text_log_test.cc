#include "tolv32dll/logs/text_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/logs/text_log_sections.h"

namespace tolv {
namespace {

constexpr std::size_t kMegabyte = 1048576;

TEST(TextLogTest, LogReachingItsLimitStartsAnew) {
  testkit::TempDir dir;
  const std::string path = TextLogPath(dir.path());
  EXPECT_EQ(path, dir.path() + "tolv.dbg");
  EXPECT_EQ(TextLogPath(""), "tolv.dbg");

  // One byte short of a megabyte: kept, the section appended.
  dir.Write("tolv.dbg", std::string(kMegabyte - 1, 'x'));
  ASSERT_TRUE(AppendTextLog(path, 1, "\r\nA", true));
  std::string log = testkit::ReadFile(path);
  EXPECT_EQ(log.size(), kMegabyte + 2);
  EXPECT_EQ(log.substr(kMegabyte - 1), "\r\nA");

  // Now at a megabyte: the next section begins a new log...
  ASSERT_TRUE(AppendTextLog(path, 1, "\r\nB", true));
  EXPECT_EQ(testkit::ReadFile(path), "\r\nB");
  // ...unless the writer skips the rule, or the limit is higher.
  dir.Write("tolv.dbg", std::string(kMegabyte, 'x'));
  ASSERT_TRUE(AppendTextLog(path, 1, "\r\nC", false));
  EXPECT_EQ(testkit::ReadFile(path).size(), kMegabyte + 3);
  ASSERT_TRUE(AppendTextLog(path, 2, "\r\nD", true));
  EXPECT_EQ(testkit::ReadFile(path).size(), kMegabyte + 6);

  // No log yet: it is created. No directory: nothing written.
  const std::string fresh = dir.File("fresh.dbg");
  ASSERT_TRUE(AppendTextLog(fresh, 1, "\r\nE", true));
  EXPECT_EQ(testkit::ReadFile(fresh), "\r\nE");
  EXPECT_FALSE(AppendTextLog(dir.File("missing/tolv.dbg"), 1, "\r\nF", true));
}

TEST(TextLogTest, OnlyARegularFileAtALogsNameIsWritten) {
  testkit::TempDir dir;
  const std::string fifo = dir.File("tolv.dbg");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  const std::uint8_t data[4] = {1, 0, 0, 0};
  // Without a reader an open for writing would wait for one; with one, bytes would go to it.
  EXPECT_FALSE(AppendTextLog(fifo, 1, "\r\nA", true));
  EXPECT_FALSE(AppendBinaryLogRecord(fifo, BinaryLogKind::kRateBasisArea, 1, data));
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(AppendTextLog(fifo, 1, "\r\nB", false));
  EXPECT_FALSE(AppendBinaryLogRecord(fifo, BinaryLogKind::kRateBasisArea, 1, data));
  char got[8];
  EXPECT_GE(0, ::read(reader, got, sizeof got));
  ::close(reader);

  const std::string device = dir.File("device.dbg");
  ASSERT_EQ(0, ::symlink("/dev/null", device.c_str()));
  EXPECT_FALSE(AppendTextLog(device, 1, "\r\nC", true));
  EXPECT_FALSE(AppendBinaryLogRecord(device, BinaryLogKind::kRateBasisArea, 1, data));
  // A link to a regular file is followed.
  dir.Write("real.dbg", "");
  const std::string link = dir.File("link.dbg");
  ASSERT_EQ(0, ::symlink(dir.File("real.dbg").c_str(), link.c_str()));
  EXPECT_TRUE(AppendTextLog(link, 1, "\r\nD", true));
  EXPECT_TRUE(AppendBinaryLogRecord(link, BinaryLogKind::kRateBasisArea, 1, data));
  EXPECT_EQ(3u + 12u + 4u, testkit::ReadFile(dir.File("real.dbg")).size());
}

// A request built by hand from the record's layout: header at 1, details of 30 bytes
// from 265, the discount blocks at 865 and 919, the trailer at 2159.
ShipmentRecord HandRequest(const char* detail_count) {
  ShipmentRecord r;
  std::memset(r.bytes().data(), ' ', ShipmentRecord::kSize);
  auto put = [&r](std::size_t at, const char* text) {
    std::memcpy(r.bytes().data() + at, text, std::strlen(text));
  };
  put(1, "01");
  put(11, "TESTTR01");
  put(80, detail_count);
  put(262, "ZZ");  // the last two header bytes are not logged
  for (int i = 0; i < 20; ++i) {
    put(265 + 30 * i, "02");
    r.bytes()[265 + 30 * i + 2] = static_cast<std::uint8_t>('A' + i);
    put(265 + 30 * i + 27, "END");  // not logged
  }
  put(865, "D%0500 ");
  put(919, "I%");
  r.bytes()[2159] = '*';
  return r;
}

std::string Header(const ShipmentRecord& r) {
  return std::string(reinterpret_cast<const char*>(r.bytes().data()) + 1, 262);
}
std::string Detail(const ShipmentRecord& r, int i) {
  return std::string(reinterpret_cast<const char*>(r.bytes().data()) + 265 + 30 * i, 27);
}

TEST(TextLogTest, RatingSectionsFieldByField) {
  ShipmentRecord r = HandRequest(" 2");
  const std::string blank_tail(47, ' ');
  EXPECT_EQ(RatingRequestLogSection(r),
            "\r\nBeforeHeader=" + Header(r) + "\r\nBeforeDetail=" + Detail(r, 0) +
                "\r\nBeforeDetail=" + Detail(r, 1) + "\r\nwDiscnt=D%0500 " + blank_tail +
                "\r\niDiscnt=I%" + std::string(52, ' ') + "\r\nEnddll=*");
  EXPECT_EQ(Header(r).substr(0, 10), "01        ");
  EXPECT_EQ(Detail(r, 1).substr(0, 3), "02B");

  // The answer: header and details only; NULs and all bytes go out as they are.
  r.bytes()[5] = 0;
  EXPECT_EQ(RatingResponseLogSection(r), "\r\nAfterHeader=" + Header(r) + "\r\nAfterDetail=" +
                                             Detail(r, 0) + "\r\nAfterDetail=" + Detail(r, 1));
  EXPECT_EQ(RatingResponseLogSection(r).size(), 14 + 262 + 2 * (14 + 27));

  EXPECT_EQ(InitLogSection("4.18,1,", "/d/", 203),
            "\r\nVersion=4.18,1,\r\nEffectivePath=/d/EndofString"
            "\r\nTolvInitializeTolv Return Code=203");
  EXPECT_EQ(SetTolvdataLogSection("/t/"), "\r\nToPath in Tolv_Set_Tolvdata=/t/EndofString");
}

TEST(TextLogTest, DetailCountStaysInsideTheRecord) {
  EXPECT_EQ(LoggedDetailCount(HandRequest(" 3")), 3);
  EXPECT_EQ(LoggedDetailCount(HandRequest("3 ")), 3);
  EXPECT_EQ(LoggedDetailCount(HandRequest("20")), 20);
  EXPECT_EQ(LoggedDetailCount(HandRequest("99")), 20) << "never past the twenty slots";
  EXPECT_EQ(LoggedDetailCount(HandRequest("-1")), 0);
  EXPECT_EQ(LoggedDetailCount(HandRequest("xx")), 0);
  EXPECT_EQ(LoggedDetailCount(HandRequest("  ")), 0);
  ShipmentRecord nul = HandRequest("  ");
  nul.bytes()[80] = 0;
  EXPECT_EQ(LoggedDetailCount(nul), 0);
  std::string section = RatingRequestLogSection(HandRequest("99"));
  EXPECT_NE(section.find("\r\nBeforeDetail=02T"), std::string::npos) << "slot 20";
  EXPECT_EQ(section.find("\r\nBeforeDetail=", section.find("02T")), std::string::npos);
}

TEST(TextLogTest, PackageSections) {
  PackageRequestLogFields q;
  q.request = "REQ";
  q.residential = "Y";
  q.dropoff_code = "DPS";
  q.packaging_code = "OUR";
  q.surcharge_type = "1";
  q.surcharge = "   550";
  q.service_code = "GND";
  q.tier = "N";
  q.number_packages = " 2";
  q.weights = {"12.5      ", "3         "};
  EXPECT_EQ(PackageRequestLogSection(q),
            "\r\nBeforePackageRequest=REQ\r\nBeforePackage_Residential=Y"
            "\r\nBeforePackage_DropoffCode=DPS\r\nBeforePackage_PackagingCode=OUR"
            "\r\nBeforePackage_SurchargeType=1\r\nBeforePackage_Surcharge=   550"
            "\r\nBeforePackage_ServiceCode=GND\r\nBeforePackage_Tier=N"
            "\r\nBeforePackage_NumberPackages= 2\r\nBeforePackage1_Weight=12.5      "
            "\r\nBeforePackage2_Weight=3         \r\nBeforePackage_End\n");

  PackageResponseLogFields a;
  a.request = "REQ";
  a.segment_code = "15";
  a.status = "    ";
  a.tier_used = "2";
  a.zone = "4";
  a.cwt_charges = "0000000";
  a.no_packages = " 2";
  a.charges = {"0001234", "0000800"};
  EXPECT_EQ(PackageResponseLogSection(a),
            "\r\nAfterPackageResults=REQ\r\nAfterPackage_SegmentCode=15"
            "\r\nAfterPackage_Status=    \r\nAfterPackage_TierUsed=2\r\nAfterPackage_Zone=4"
            "\r\nAfterPackage_CwtCharges=0000000\r\nAfterPackage_NoPackages= 2"
            "\r\nAfterPackage1_Charge=0001234\r\nAfterPackage2_Charge=0000800"
            "\r\nAfterPackage_End\n");
}

}  // namespace
}  // namespace tolv
