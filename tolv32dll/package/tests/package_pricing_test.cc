// Package prices from zone and hundredweight records built entry by entry.
#include "tolv32dll/package/package_pricing.h"

#include <gtest/gtest.h>

#include <map>

namespace tolv {
namespace {

// A 526-byte rate record: 10 text bytes, then 3-byte little-endian entries.
PackageRateRecord Record(const std::map<int, std::uint32_t>& entries) {
  std::vector<std::uint8_t> bytes(526, 0);
  for (auto [i, v] : entries) {
    bytes[10 + 3 * i] = v & 0xFF;
    bytes[11 + 3 * i] = (v >> 8) & 0xFF;
    bytes[12 + 3 * i] = (v >> 16) & 0xFF;
  }
  return PackageRateRecord(bytes);
}

// Zone: price base 12, package of w pounds costs 1000 + 5 w; hundredweight from 200 lb.
std::map<int, std::uint32_t> ZoneEntries() {
  std::map<int, std::uint32_t> e = {{0, 12}, {5, 200}};
  for (int w = 0; w <= 150; ++w) e[12 + w] = 1000 + 5 * w;
  return e;
}
// Hundredweight: tier rows from entry 20 ('G': minimum, rates per 100 lb by break).
std::map<int, std::uint32_t> CwtEntries() {
  return {{0, 20}, {7, 100}, {21, 2000}, {22, 1800}, {23, 1500}};
}

PackageTerms Ground(int packages, double weight) {
  PackageTerms t;
  t.service_code = "GND";
  t.dropoff_code = "DPS";
  t.weight_breaks = {100, 500, 1000};
  for (int k = 0; k < packages; ++k) {
    t.exact_weights.push_back(weight);
    t.whole_weights.push_back(static_cast<std::int64_t>(weight + 0.999));
  }
  t.total_weight = static_cast<std::int64_t>(packages * weight + 0.999);
  return t;
}

Result<PackagePrices> Price(const PackageTerms& t, const std::map<int, std::uint32_t>& zone,
                            const std::map<int, std::uint32_t>& cwt, int* reads = nullptr) {
  return PricePackages(t, Record(zone), [&]() -> Result<PackageRateRecord> {
    if (reads != nullptr) ++*reads;
    return Record(cwt);
  });
}

TEST(PackagePricing, GroundHundredweightTakesTheCheaperOfWeightAndNextBreak) {
  Result<PackagePrices> base = Price(Ground(5, 120), ZoneEntries(), CwtEntries());
  ASSERT_TRUE(base.ok());
  EXPECT_EQ(base->packages, std::vector<std::int64_t>(5, 1600));
  EXPECT_EQ(base->hundredweight, 10800);  // 600 lb at 18.00, below 1000 lb at 15.00

  Result<PackagePrices> heavy = Price(Ground(6, 150), ZoneEntries(), CwtEntries());
  ASSERT_TRUE(heavy.ok());
  EXPECT_EQ(heavy->hundredweight, 15000);  // 900 lb would be 16200: the next break is cheaper
  EXPECT_EQ(heavy->packages[0], 1750);

  // 205 lb: 4100 at the weight; the minimum 5 x 100 lb at 20.00 = 10000, raised to the
  // row's floor of 12000.
  std::map<int, std::uint32_t> floor = CwtEntries();
  floor[20] = 12000;
  PackageTerms light = Ground(5, 41);
  Result<PackagePrices> minimum = Price(light, ZoneEntries(), floor);
  ASSERT_TRUE(minimum.ok());
  EXPECT_EQ(minimum->hundredweight, 12000);
}

TEST(PackagePricing, NoHundredweightBelowItsLeastWeightOrOffTheDropoffUnderSchemeOne) {
  int reads = 0;
  Result<PackagePrices> one = Price(Ground(1, 120), ZoneEntries(), CwtEntries(), &reads);
  ASSERT_TRUE(one.ok());
  EXPECT_EQ(one->hundredweight, 0);
  EXPECT_FALSE(one->hundredweight_record_read);
  PackageTerms pickup = Ground(5, 120);
  pickup.dropoff_code = "OTP";
  Result<PackagePrices> called = Price(pickup, ZoneEntries(), CwtEntries(), &reads);
  ASSERT_TRUE(called.ok());
  EXPECT_EQ(called->hundredweight, 0);
  EXPECT_EQ(reads, 0);
  // On call without the hundredweight record: the zone's on-call amount.
  std::map<int, std::uint32_t> zone = ZoneEntries();
  zone[2] = 300;
  EXPECT_EQ(Price(pickup, zone, CwtEntries())->packages[0], 1900);
}

TEST(PackagePricing, SurchargesAsAmountsAndPercentages) {
  PackageTerms amount = Ground(5, 120);
  amount.surcharge_is_amount = true;
  amount.surcharge = 250;
  Result<PackagePrices> a = Price(amount, ZoneEntries(), CwtEntries());
  ASSERT_TRUE(a.ok());
  EXPECT_EQ(a->packages[0], 1850);
  EXPECT_EQ(a->hundredweight, 11050);

  // A package above 150 lb has no package price: it still gets the amount, while a
  // hundredweight charge of 0 stays 0.
  PackageTerms heavy = Ground(1, 151);
  heavy.surcharge_is_amount = true;
  heavy.surcharge = 250;
  std::map<int, std::uint32_t> zone = ZoneEntries();
  zone[5] = 1000;
  Result<PackagePrices> h = Price(heavy, zone, CwtEntries());
  ASSERT_TRUE(h.ok());
  EXPECT_EQ(h->packages[0], 250);
  EXPECT_EQ(h->hundredweight, 0);

  PackageTerms percent = Ground(5, 120);
  percent.surcharge = 550;  // 5.50 %
  Result<PackagePrices> p = Price(percent, ZoneEntries(), CwtEntries());
  ASSERT_TRUE(p.ok());
  EXPECT_EQ(p->packages[0], 1688);     // (10550 x 1600 + 5000) / 10000
  EXPECT_EQ(p->hundredweight, 11394);  // (10550 x 10800 + 5000) / 10000
  zone = ZoneEntries();
  zone[12 + 40] = 1000;
  EXPECT_EQ(Price(Ground(1, 40), zone, CwtEntries())->packages[0], 1000);
  PackageTerms one = Ground(1, 40);
  one.surcharge = 550;
  EXPECT_EQ(Price(one, zone, CwtEntries())->packages[0], 1055);
}

TEST(PackagePricing, ResidentialAndDeliveryAreaAmountsByVersion) {
  std::map<int, std::uint32_t> zone = ZoneEntries();
  zone[1] = 100;  // residential
  zone[3] = 40;   // delivery area (residential under version 2)
  zone[11] = 25;  // delivery area, not residential (version 2)
  std::map<int, std::uint32_t> cwt = CwtEntries();
  cwt[1] = 7;    // residential, version 1
  cwt[4] = 60;   // delivery area
  cwt[12] = 30;  // delivery area, not residential (version 2)
  cwt[13] = 11;  // residential, version 2

  PackageTerms v1 = Ground(5, 120);
  v1.residential = true;
  v1.destination_letter = 'D';
  Result<PackagePrices> r1 = Price(v1, zone, cwt);
  ASSERT_TRUE(r1.ok());
  EXPECT_EQ(r1->packages[0], 1600 + 100 + 40);
  EXPECT_EQ(r1->hundredweight, 10800);  // scheme 1, version 1: packages only

  PackageTerms v1s2 = v1;
  v1s2.scheme = 2;
  Result<PackagePrices> r2 = Price(v1s2, zone, cwt);
  ASSERT_TRUE(r2.ok());
  EXPECT_EQ(r2->packages[0], 1600 + 40 + 100);
  EXPECT_EQ(r2->hundredweight, 10800 + 60 + 5 * 7);  // the residential amount once per package

  PackageTerms v2 = v1;
  v2.version = 2;
  Result<PackagePrices> r3 = Price(v2, zone, cwt);
  ASSERT_TRUE(r3.ok());
  EXPECT_EQ(r3->packages[0], 1600 + 100 + 40);
  EXPECT_EQ(r3->hundredweight, 10800 + 11 + 60);  // scheme 1: residential once
  v2.residential = false;
  Result<PackagePrices> r4 = Price(v2, zone, cwt);
  ASSERT_TRUE(r4.ok());
  EXPECT_EQ(r4->packages[0], 1600 + 25);
  EXPECT_EQ(r4->hundredweight, 10800 + 30);
}

TEST(PackagePricing, ExpressRatesPerPoundWithTheirMinimums) {
  PackageTerms e = Ground(5, 120);
  e.service_code = "E1A";
  e.tier_index = 1;  // row of tier 2 starts at C0 + 3
  std::map<int, std::uint32_t> cwt = {{0, 20}, {7, 10}, {8, 9000}, {23, 30}, {24, 25}, {25, 20}};
  // 600 lb at 25 = 15000; 1000 lb at 20 = 20000; minimum 25 x 10 x 5 = 1250 below 9000.
  Result<PackagePrices> one = Price(e, ZoneEntries(), cwt);
  ASSERT_TRUE(one.ok());
  EXPECT_EQ(one->hundredweight, 15000);
  cwt[8] = 16000;
  EXPECT_EQ(Price(e, ZoneEntries(), cwt)->hundredweight, 16000);

  // Scheme 2 takes its minimum from the zone: n x the price of Z9 pounds, at least Z8.
  e.scheme = 2;
  std::map<int, std::uint32_t> zone = ZoneEntries();
  zone[9] = 100;  // 5 x 1500 = 7500
  zone[8] = 17000;
  EXPECT_EQ(Price(e, zone, cwt)->hundredweight, 17000);
}

TEST(PackagePricing, EnvelopesPriceFlatWithinTheLetterLimit) {
  PackageTerms letter = Ground(1, 0.4);
  letter.service_code = "E1A";
  letter.envelope = true;
  letter.whole_weights = {1};
  std::map<int, std::uint32_t> zone = ZoneEntries();
  zone[10] = 800;  // 8 oz = 0.5 lb
  Result<PackagePrices> flat = Price(letter, zone, CwtEntries());
  ASSERT_TRUE(flat.ok());
  EXPECT_EQ(flat->packages[0], 1000);
  letter.exact_weights = {0.6};
  EXPECT_EQ(Price(letter, zone, CwtEntries()).error(), kErrPkglwl);
  // Scheme 2 prices an "E1A" letter over half a pound by weight.
  zone[10] = 0;
  letter.scheme = 2;
  EXPECT_EQ(Price(letter, zone, CwtEntries())->packages[0], 1005);
}

TEST(PackagePricing, TariffValuesNeverOverflowOrReadOutsideTheRecord) {
  // A price base past the record's 172 entries.
  std::map<int, std::uint32_t> zone = ZoneEntries();
  zone[0] = 0xFFFFFF;
  EXPECT_EQ(Price(Ground(5, 120), zone, CwtEntries()).error(), kErrRtered);
  // Tier rows past the record.
  std::map<int, std::uint32_t> cwt = CwtEntries();
  cwt[0] = 170;
  EXPECT_EQ(Price(Ground(5, 120), ZoneEntries(), cwt).error(), kErrRtered);
  // 32-bit products of large rates: 99 packages x 0xFFFFFF x 0x7FFF would overflow; the
  // result is refused as too large for the response instead.
  cwt = CwtEntries();
  cwt[7] = 0x7FFF;
  cwt[23] = 0xFFFFFF;
  EXPECT_EQ(Price(Ground(99, 120), ZoneEntries(), cwt).error(), kErrSysmax);
  // An 'E' minimum of 99 x 32767 lb at 0xFFFFFF per lb with a percentage surcharge would
  // overflow even 64 bits.
  PackageTerms huge = Ground(99, 150);
  huge.service_code = "E1A";
  huge.surcharge = 999999;
  cwt = {{0, 20}, {7, 0x7FFF}, {22, 0xFFFFFF}};  // 14850 lb: break 2
  EXPECT_EQ(Price(huge, ZoneEntries(), cwt).error(), kErrSysmax);
  PackageTerms percent = Ground(5, 120);
  percent.surcharge = 999999;
  zone = ZoneEntries();
  zone[12 + 120] = 0xFFFFFF;
  EXPECT_EQ(Price(percent, zone, CwtEntries()).error(), kErrSysmax);
  // No weight breaks.
  PackageTerms none = Ground(5, 120);
  none.weight_breaks.clear();
  EXPECT_EQ(Price(none, ZoneEntries(), CwtEntries()).error(), kErrPkgwgt);
}

}  // namespace
}  // namespace tolv
