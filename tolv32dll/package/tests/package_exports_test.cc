// The package calls of the built libTolv32.so on the small package tariff of the testkit,
// called as a caller calls them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "testkit/package/package_tariff.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"

namespace {

// A PackageRequest: 5 packages of 120 lb from 15213 to 43215, tier 1, codes left blank.
struct Request {
  std::string bytes = std::string(TOLV32_PACKAGE_REQUEST_SIZE, ' ');
  Request() {
    Put(2, "PKGT0001");
    Put(10, "01/05/2024");
    Put(20, "15213");
    Put(26, "43215");
    Put(49, "1");
    Packages(5, "120");
  }
  void Put(std::size_t at, const std::string& text) { bytes.replace(at, text.size(), text); }
  void Packages(int n, const std::string& weight) {
    char count[3];
    std::snprintf(count, sizeof count, "%02d", n);
    Put(50, count);
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
      const std::size_t at = 52 + 10 * k;
      Put(at, std::string(weight + "          ").substr(0, at + 10 <= bytes.size() ? 10 : 8));
    }
  }
  std::string At(std::size_t at, std::size_t n) const { return bytes.substr(at, n); }
};

class PackageExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("TOLVDATA");
    Write(testkit::PackageTariff());
  }
  void TearDown() override { Tolv_EndTolv(); }
  void Write(const testkit::PackageTariff& tariff) {
    Tolv_EndTolv();
    testkit::WritePackageTariff(data_, tariff);
    ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  }
  // The response as written, with '#' wherever the engine wrote nothing.
  std::string Rate(Request& request) {
    std::string response(TOLV32_PACKAGE_RESPONSE_SIZE, '#');
    Tolv_RatePackage(request.bytes.data(), response.data());
    return response;
  }
  std::string Info(const std::string& name, const std::string& date, const std::string& limit) {
    std::string request = "  " + name + date + limit;
    std::string response(TOLV32_PACKAGE_INFO_RESPONSE_SIZE + 1, '#');
    Tolv_PackageInfo(request.data(), response.data());
    EXPECT_EQ(response.back(), '#') << "nothing is written past the response";
    return response;
  }
  static std::string Status(const std::string& response) { return response.substr(2, 4); }

  testkit::TempDir data_;
};

TEST_F(PackageExportsTest, RatesTheNotesExampleToTheCent) {
  Request q;
  std::string r = Rate(q);
  // 600 lb at 18.00 per 100 lb = 10800 (1000 lb at 15.00 would be 15000; minimum 9000);
  // each 120-lb package 1000 + 5 x 120 = 1600. Zone '5': byte 8 of the hundredweight record.
  EXPECT_EQ(r.substr(0, 17 + 35),
            "15    15"
            "0010800"
            "05"
            "0001600000160000016000001600"
            "0001600");
  EXPECT_EQ(r[17 + 35], '#');
  EXPECT_EQ(q.At(10, 10), "01-05-2024");
  EXPECT_EQ(q.At(33, 3), "DPS");
  EXPECT_EQ(q.At(36, 3), "OUR");
  EXPECT_EQ(q.At(46, 3), "GND");

  Request one;  // below the least hundredweight weight: zone record's byte 8, tier 'N'
  one.Packages(1, "120");
  EXPECT_EQ(Rate(one).substr(0, 24), "15    N40000000010001600");

  Request fractions;  // 0.5 and 0.6 lb: 1 lb each, 2 lb in all
  fractions.Packages(2, "0.5");
  fractions.Put(62, "0.6       ");
  EXPECT_EQ(Rate(fractions).substr(17, 14), "00010050001005");
}

TEST_F(PackageExportsTest, RefusesInTheOrderOfTheSteps) {
  auto status = [this](void (*change)(Request&)) {
    Request q;
    change(q);
    std::string r = Rate(q);
    EXPECT_EQ(r.substr(0, 2), "15");
    EXPECT_EQ(r[6], '#') << "nothing after the status on an error";
    return Status(r);
  };
  EXPECT_EQ(status([](Request& q) { q.Put(10, "01/05/2023"); }), "0394");
  EXPECT_EQ(status([](Request& q) { q.Put(10, "02/30/2024"); }), "0396");
  EXPECT_EQ(status([](Request& q) { q.Put(2, "GENT0001"); }), "0370");
  EXPECT_EQ(status([](Request& q) { q.Put(36, "BOX"); }), "0142");
  EXPECT_EQ(status([](Request& q) { q.Put(33, "OTP"); }), "0143");
  EXPECT_EQ(status([](Request& q) { q.Put(49, "7"); }), "0141");
  EXPECT_EQ(status([](Request& q) { q.Put(46, "XYZ"); }), "0379");
  EXPECT_EQ(status([](Request& q) { q.Put(50, "00"); }), "0378");
  EXPECT_EQ(status([](Request& q) { q.Put(50, "-1"); }), "0378");
  EXPECT_EQ(status([](Request& q) { q.Put(62, "0         "); }), "0144");
  EXPECT_EQ(status([](Request& q) { q.Put(62, "          "); }), "0144");
  EXPECT_EQ(status([](Request& q) { q.Put(62, "-5        "); }), "0144");
  EXPECT_EQ(status([](Request& q) { q.Put(62, "150.5     "); }), "0377");
  EXPECT_EQ(status([](Request& q) { q.Put(20, "99999"); }), "0216");
  EXPECT_EQ(status([](Request& q) { q.Put(26, "15500"); }), "0218");  // pair 0-0 has no zone
  Request fine;
  EXPECT_EQ(Status(Rate(fine)), "    ") << "an error leaves nothing behind for the next call";
}

TEST_F(PackageExportsTest, AMissingFileGivesItsOpenError) {
  struct Case {
    const char* file;
    const char* status;
  };
  // Without ".T" the option check finds no rows.
  for (const Case& c :
       {Case{"PKGT0001.R01", "0208"}, Case{"PKGT0001.T01", "0142"}, Case{"PKGT0001.F01", "0204"},
        Case{"PKGT0001.P01", "0206"}, Case{"PKGT0001.I01", "0207"}}) {
    Write(testkit::PackageTariff());
    std::filesystem::remove(data_.File(c.file));
    Request q;
    EXPECT_EQ(Status(Rate(q)), c.status) << c.file;
  }
  std::filesystem::remove(data_.File("PKGT0001.T01"));
  EXPECT_EQ(Info("PKGT0001", "06-15-2024", "03").substr(0, 8), "130219##");
}

TEST_F(PackageExportsTest, TariffRulesThatRefuse) {
  testkit::PackageTariff t;
  t.header.version = 3;
  Write(t);
  Request q;
  EXPECT_EQ(Status(Rate(q)), "0392");

  // Ground letters and on-call pick-ups are refused even with no packages: the service
  // checks come first.
  t = testkit::PackageTariff();
  t.rows.push_back({'1', "ELT", ""});
  t.rows.push_back({'2', "OCA", ""});
  Write(t);
  Request letter;
  letter.Put(36, "ELT");
  letter.Put(50, "00");
  EXPECT_EQ(Status(Rate(letter)), "0371");
  Request pickup;
  pickup.Put(33, "OCA");
  EXPECT_EQ(Status(Rate(pickup)), "0372");
}

// Under scheme 1 and version 1 a residential delivery to a direct-service ZIP pays the
// delivery-area amount of the zone on top of the residential one.
TEST_F(PackageExportsTest, TheDestinationsServiceLetterComesFromItsTariffFile) {
  testkit::PackageTariff t;
  t.zone.residential = 100;
  t.zone.delivery_area = 40;
  t.service_default = 'I';
  t.service_ranges = {{"43000", "43999", 'D'}};
  Write(t);
  Request q;
  q.Put(32, "Y");
  EXPECT_EQ(Rate(q).substr(17, 7), "0001740");
  t.service_ranges = {{"15000", "15999", 'D'}};
  Write(t);
  EXPECT_EQ(Rate(q).substr(17, 7), "0001700");
}

TEST_F(PackageExportsTest, DefaultTierAndTierZero) {
  Request q;
  q.Put(49, "N");
  std::string r = Rate(q);
  EXPECT_EQ(Status(r), "    ");
  EXPECT_EQ(r[6], '1');  // the tariff's default tier

  // A default tier of 0 would index the row before the tier rows: refused.
  testkit::PackageTariff t;
  t.header.default_tier = 0;
  Write(t);
  EXPECT_EQ(Status(Rate(q)), "0141");
  // So is a request for tier 0 that block 1 lists.
  t = testkit::PackageTariff();
  t.blocks[0].weight_breaks = {0, 1, 2};
  t.rows[2].tiers = "0123";
  Write(t);
  Request zero;
  zero.Put(49, "0");
  EXPECT_EQ(Status(Rate(zero)), "0141");
}

TEST_F(PackageExportsTest, NinetyNinePackagesReadNoBytePastTheRequest) {
  testkit::PackageTariff t;
  t.zone.least_cwt_weight = 20000;  // no hundredweight charge
  Write(t);
  Request q;
  q.Packages(99, "2");
  // The 99th weight has 8 characters inside the record; the two bytes after it would read
  // as a weight of 29 lb.
  std::string request = q.bytes + "9 ";
  request.replace(1032, 8, "       2");
  std::string response(TOLV32_PACKAGE_RESPONSE_SIZE, '#');
  Tolv_RatePackage(request.data(), response.data());
  EXPECT_EQ(Status(response), "    ");
  EXPECT_EQ(response.substr(17 + 7 * 98, 7), "0001010") << "2 lb, not 29 lb";
}

TEST_F(PackageExportsTest, InfoReturnsTheTariffsRows) {
  std::string r = Info("PKGT0001", "06-15-2024", "03");
  EXPECT_EQ(r.substr(0, 8), "13    03");
  // Row: record bytes 0-3 and 5-34.
  EXPECT_EQ(r.substr(8, 34), "1OUR" + std::string(30, ' '));
  EXPECT_EQ(r.substr(8 + 68, 34), "3   123" + std::string(27, ' '));
  EXPECT_EQ(r[8 + 102], '#');
  EXPECT_EQ(Info("PKGT0001", "06-15-2024", "02").substr(0, 8), "130374##");
  EXPECT_EQ(Info("PKGT0001", "12-31-2023", "99").substr(0, 8), "130394##");
  EXPECT_EQ(Info("NOSUCH01", "06-15-2024", "99").substr(0, 8), "130394##");

  // A record built by hand: byte 4 and bytes 35-37 are not returned.
  data_.Write("PKGT0001.T01",
              "3ABC"
              "x"
              "0123456789abcdefghijklmnopqrst"
              "yyy");
  EXPECT_EQ(Info("PKGT0001", "06-15-2024", "01").substr(0, 42),
            "13    01"
            "3ABC0123456789abcdefghijklmnopqrst");

  testkit::PackageTariff t;
  t.rows.clear();
  Write(t);
  EXPECT_EQ(Info("PKGT0001", "06-15-2024", "00").substr(0, 8), "13    00");
  t.rows = {{'1', "OUR", ""}};
  Write(t);
  std::string limited = Info("PKGT0001", "06-15-2024", "00");
  EXPECT_EQ(limited.substr(0, 8), "130374##");
  EXPECT_EQ(limited.substr(8, 4), "1OUR") << "the row read before the refusal stays";
}

TEST_F(PackageExportsTest, AtMostThirtyOneRowsAndTheOptionCheckHasRoomForThem) {
  testkit::PackageTariff t;
  t.rows.assign(40, {'1', "BOX", ""});
  Write(t);
  std::string r = Info("PKGT0001", "06-15-2024", "99");
  EXPECT_EQ(r.substr(0, 8), "13    31");

  // 31 rows, the tariff's own codes last: the option check reads all of them.
  t.rows.assign(28, {'1', "BOX", ""});
  t.rows.push_back({'3', "", "123"});
  t.rows.push_back({'2', "DPS", ""});
  t.rows.push_back({'1', "OUR", ""});
  Write(t);
  Request q;
  EXPECT_EQ(Status(Rate(q)), "    ");
  // A 32nd row is past what the call returns.
  t.rows.insert(t.rows.begin(), {'1', "BOX", ""});
  Write(t);
  EXPECT_EQ(Status(Rate(q)), "0142");
}

TEST_F(PackageExportsTest, EveryCallWritesNothingWithoutAnEngine) {
  Tolv_EndTolv();
  Request q;
  std::string r = Rate(q);
  EXPECT_EQ(r, std::string(TOLV32_PACKAGE_RESPONSE_SIZE, '#'));
  EXPECT_EQ(Info("PKGT0001", "06-15-2024", "03").substr(0, 8), "########");
  Tolv_RatePackageEx(nullptr, nullptr, nullptr);
  Tolv_PackageInfoEx(nullptr, nullptr, nullptr);
}

}  // namespace

// The sample data set's parcel tariff: 4 x 100 lb ground, tier 2, from the east region to
// the central one (zone record 3). 400 lb at 18.50 = 7400, below 500 lb at 17.00 and not
// below the minimum 4 x 100 lb at 18.50; each package 920 + 27 x 100 = 3620.
TEST(PackageSampleTest, RatesAParcelShipmentOfTheSampleCarrier) {
  ::unsetenv("TOLVDATA");
  ASSERT_EQ(Tolv_InitializeTolv(FRELANE_SAMPLE_DIR), 0);
  Request q;
  q.Put(2, "PARCEL01");
  q.Put(10, "06/01/2026");
  q.Put(26, "60601");
  q.Put(49, "2");
  q.Packages(4, "100");
  std::string response(TOLV32_PACKAGE_RESPONSE_SIZE, '#');
  Tolv_RatePackage(q.bytes.data(), response.data());
  EXPECT_EQ(response.substr(0, 17 + 28),
            "15    23"
            "0007400"
            "04"
            "0003620000362000036200003620");
  // An express letter across the country: zone record 14 + 5, its flat price 2950.
  Request letter;
  letter.Put(2, "PARCEL01");
  letter.Put(10, "06/01/2026");
  letter.Put(26, "90210");
  letter.Put(36, "ELT");
  letter.Put(46, "E1A");
  letter.Packages(1, "0.3");
  Tolv_RatePackage(letter.bytes.data(), response.data());
  EXPECT_EQ(response.substr(0, 24),
            "15    N4"
            "0000000"
            "01"
            "0002950");
  Tolv_EndTolv();
}

// With DebugFlag 'Y' (kqDll.ini of the current directory) every package rating leaves its
// request as sent, then the request as the rating left it beside the response, field by
// field.
TEST_F(PackageExportsTest, TextLogShowsEachPackageRatingFieldByField) {
  struct InDirectory {
    char back[4096] = {};
    explicit InDirectory(const std::string& dir) {
      if (::getcwd(back, sizeof back) == nullptr || ::chdir(dir.c_str()) != 0) std::abort();
    }
    ~InDirectory() { (void)::chdir(back); }
  };
  testkit::TempDir work;
  work.Write("kqDll.ini", "[Debug]\nDebugFlag=Y\n");
  InDirectory in_work(work.path());
  Write(testkit::PackageTariff());
  ASSERT_EQ(::unlink(data_.File("tolv.dbg").c_str()), 0) << "initialisation wrote its section";

  Request q;
  const std::string sent = q.bytes;
  const std::string r = Rate(q);
  ASSERT_EQ(Status(r), "    ");
  ASSERT_EQ(q.At(33, 3) + q.At(46, 3), "DPSGND") << "the rating wrote its defaults in";
  std::string weights, charges;
  for (int k = 1; k <= 5; ++k) {
    weights += "\r\nBeforePackage" + std::to_string(k) + "_Weight=120       ";
    charges += "\r\nAfterPackage" + std::to_string(k) + "_Charge=0001600";
  }
  EXPECT_EQ(testkit::ReadFile(data_.File("tolv.dbg")),
            "\r\nBeforePackageRequest=" + sent +
                "\r\nBeforePackage_Residential= \r\nBeforePackage_DropoffCode=   "
                "\r\nBeforePackage_PackagingCode=   \r\nBeforePackage_SurchargeType= "
                "\r\nBeforePackage_Surcharge=      \r\nBeforePackage_ServiceCode=   "
                "\r\nBeforePackage_Tier=1\r\nBeforePackage_NumberPackages=05" +
                weights + "\r\nBeforePackage_End\n" +
                "\r\nAfterPackageResults=" + q.bytes +
                "\r\nAfterPackage_SegmentCode=15\r\nAfterPackage_Status=    "
                "\r\nAfterPackage_TierUsed=1\r\nAfterPackage_Zone=5"
                "\r\nAfterPackage_CwtCharges=0010800\r\nAfterPackage_NoPackages=05" +
                charges + "\r\nAfterPackage_End\n");

  // The 99th weight is cut short by the end of the request; a refused rating logs its
  // status beside the response bytes the caller put there.
  ASSERT_EQ(::unlink(data_.File("tolv.dbg").c_str()), 0);
  Request many;
  many.Packages(99, "2");
  many.Put(2, "NOSUCH01");
  const std::string refused = Rate(many);
  const std::string log = testkit::ReadFile(data_.File("tolv.dbg"));
  EXPECT_NE(log.find("\r\nBeforePackage99_Weight=2       \r\nBeforePackage_End\n"),
            std::string::npos);
  EXPECT_NE(log.find("\r\nAfterPackage_Status=" + Status(refused) +
                     "\r\nAfterPackage_TierUsed=#"),
            std::string::npos);
  EXPECT_NE(log.find("\r\nAfterPackage99_Charge=#######\r\nAfterPackage_End\n"),
            std::string::npos);
  EXPECT_NE(Status(refused), "    ");
}
