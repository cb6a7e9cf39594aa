#include "tolv32dll/package/package_pricing.h"

#include <string_view>

#include "tolv32dll/rates/class_rate_tables.h"
#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {
namespace {

namespace pe = package_entries;

// Packages heavier than this are priced by the hundredweight charge alone.
constexpr std::int64_t kHeaviestPricedPackage = 150;
// Pounds per hundredth of an ounce, after the limit is taken in whole ounces.
constexpr double kPoundsPerOunce = 0.0625;
// The widest number a 7-character "%07d" field holds.
constexpr std::int64_t kFieldMax = 9'999'999;
constexpr std::int64_t kFieldMin = -999'999;
// Far beyond any price, yet small enough that the amounts and the percentage added later
// cannot overflow 64 bits: a value beyond it is refused before they are applied.
constexpr std::int64_t kWildAmount = 1'000'000'000'000;

bool Fits(std::int64_t v, std::int64_t low, std::int64_t high) { return v >= low && v <= high; }

// Entry reads with a sticky first error: after a failed read every later read gives 0 and
// the pricer stops at its next check.
class Pricer {
 public:
  Pricer(const PackageTerms& terms, const PackageRateRecord& zone) : t_(terms), zone_(zone) {}

  Result<PackagePrices> Run(const HundredweightReader& read_hundredweight);

 private:
  std::int64_t Get(const PackageRateRecord& r, std::int64_t i) { return Read(r.Entry(i)); }
  std::int64_t Get16(const PackageRateRecord& r, std::int64_t i) { return Read(r.Entry16(i)); }
  std::int64_t Read(Result<std::int64_t> value) {
    if (!value.ok()) {
      if (error_ == kOk) error_ = value.error();
      return 0;
    }
    return *value;
  }
  bool Family(char letter) const { return t_.family() == letter; }
  bool DropoffIs(std::string_view code) const { return t_.dropoff_code == code; }
  bool DeliveryAreaLetter(bool b_too) const {
    return t_.destination_letter == 'D' || (b_too && t_.destination_letter == 'B');
  }

  ErrorNumber PricePackage(std::size_t k);
  ErrorNumber Hundredweight(const HundredweightReader& read);
  void ApplySurcharge();
  void ApplyResidentialAndArea();
  void ApplyOnCall();

  const PackageTerms& t_;
  const PackageRateRecord& zone_;
  PackageRateRecord cwt_;
  ErrorNumber error_ = kOk;
  PackagePrices out_;
  // Zone values.
  std::int64_t z0_ = 0, z1_ = 0, z2_ = 0, z3_ = 0, z5_ = 0, z8_ = 0, z9_ = 0, z10_ = 0, z11_ = 0;
  // Hundredweight values.
  std::int64_t c0_ = 0, cwt_residential_ = 0, c2_ = 0, c4_ = 0, c7_ = 0, c8_ = 0, c12_ = 0;
  std::int64_t e_minimum_ = 0;
};

ErrorNumber Pricer::PricePackage(std::size_t k) {
  const double x = t_.exact_weights[k];
  const std::int64_t w = t_.whole_weights[k];
  std::int64_t& price = out_.packages[k];
  if (!t_.envelope) {
    if (w <= kHeaviestPricedPackage) price = Get(zone_, z0_ + w);
    return error_;
  }
  // An envelope: a flat price, or by weight for the services that price letters so.
  const double limit = z10_ > 0 ? static_cast<double>(z10_ / 100) * kPoundsPerOunce : 0.0;
  if (limit > 0 && x > limit) return kErrPkglwl;
  std::int64_t entry = z0_;
  if (t_.scheme == 2) {
    const bool by_half_pound = t_.service_code == "E1A" || t_.service_code == "E1P";
    if (!by_half_pound || x > 0.5) entry = z0_ + w;
  }
  price = Get(zone_, entry);
  return error_;
}

ErrorNumber Pricer::Hundredweight(const HundredweightReader& read) {
  const std::int64_t n = static_cast<std::int64_t>(t_.exact_weights.size());
  const std::int64_t total = t_.total_weight;
  // The 'E' minimum of scheme 2 comes from the zone record.
  if (t_.scheme == 2 && Family('E') && total >= z5_) {
    e_minimum_ = n * Get(zone_, z0_ + z9_);
    if (e_minimum_ < z8_ && z8_ != 0) e_minimum_ = z8_;
  }
  if (error_ != kOk) return error_;
  const bool eligible = !(t_.scheme == 1 && !DropoffIs("DPS")) && total >= z5_;
  if (!eligible) return kOk;

  Result<PackageRateRecord> record = read();
  if (!record.ok()) return record.error();
  cwt_ = std::move(*record);
  out_.hundredweight_record_read = true;
  c0_ = Get(cwt_, pe::kTierBase);
  cwt_residential_ = Get(cwt_, t_.version == 2 ? pe::kCwtResidentialV2 : pe::kCwtResidential);
  c2_ = Get16(cwt_, pe::kCwtOnCall);
  c4_ = Get(cwt_, pe::kCwtDeliveryArea);
  c7_ = Get16(cwt_, pe::kMinimumWeight);
  c8_ = Get16(cwt_, pe::kCwtLeastEMinimum);
  if (t_.version == 2) c12_ = Get(cwt_, pe::kCwtDeliveryAreaOther);
  if (error_ != kOk) return error_;

  ClassRateTables breaks;
  breaks.weight_breaks = t_.weight_breaks;
  const std::int64_t b = breaks.WeightBreakIndex(static_cast<std::int32_t>(total));
  if (b < 0) return kErrPkgwgt;
  const std::int64_t count = static_cast<std::int64_t>(t_.weight_breaks.size());
  const bool next = b + 1 < count;
  const std::int64_t next_break = next ? t_.weight_breaks[static_cast<std::size_t>(b + 1)] : 0;
  std::int64_t at_weight = 0;
  std::int64_t at_next = 0;
  std::int64_t minimum = 0;
  if (Family('G')) {
    // Row of tier t: entry j is the minimum candidate at break j, entry j + 1 its rate per
    // 100 lb.
    const std::int64_t g = c0_ + (count + 1) * t_.tier_index;
    const std::int64_t rate = Get(cwt_, g + b + 1);
    if (next) at_next = LineCharge(next_break, Get(cwt_, g + b + 2));
    minimum = Rounded100(rate * c7_ * n);
    const std::int64_t floor = Get16(cwt_, g + b);
    if (minimum < floor && floor != 0) minimum = floor;
    at_weight = LineCharge(total, rate);
  } else {
    // Row of tier t: entry j is the rate per pound at break j.
    const std::int64_t e = c0_ + count * t_.tier_index;
    const std::int64_t rate = Get(cwt_, e + b);
    if (next) at_next = next_break * Get(cwt_, e + b + 1);
    if (t_.scheme == 1) {
      e_minimum_ = rate * c7_ * n;
      if (e_minimum_ < c8_ && c8_ != 0) e_minimum_ = c8_;
    }
    minimum = e_minimum_;
    at_weight = total * rate;
  }
  if (error_ != kOk) return error_;
  std::int64_t w = at_next != 0 && at_next <= at_weight ? at_next : at_weight;
  if (minimum > w) w = minimum;
  out_.hundredweight = w;
  return kOk;
}

void Pricer::ApplySurcharge() {
  const std::int64_t s = t_.surcharge;
  std::int64_t& w = out_.hundredweight;
  if (t_.surcharge_is_amount) {
    for (std::int64_t& p : out_.packages) p += s;
    if (w != 0) w += s;
    return;
  }
  for (std::int64_t& p : out_.packages) p = ApplyFactor(p, 10000 + s);
  if (w != 0) w = ApplyFactor(w, 10000 + s);
}

void Pricer::ApplyResidentialAndArea() {
  std::vector<std::int64_t>& prices = out_.packages;
  std::int64_t& w = out_.hundredweight;
  const bool r = t_.residential;
  auto add_to_priced = [&prices](std::int64_t amount) {
    for (std::int64_t& p : prices) {
      if (p != 0) p += amount;
    }
  };
  if (t_.version == 1) {
    if (r && t_.scheme == 1) {
      for (std::int64_t& p : prices) {
        if (p == 0) continue;
        p += z1_;
        if (DeliveryAreaLetter(false)) p += z3_;
      }
    }
    if (t_.scheme == 2 && DeliveryAreaLetter(true)) {
      add_to_priced(z3_);
      if (w != 0) w += c4_;
    }
    if (r && t_.scheme == 2) {
      for (std::int64_t& p : prices) {
        if (p != 0) p += z1_;
        if (w != 0) w += cwt_residential_;
      }
    }
  } else if (t_.version == 2) {
    if (r) {
      for (std::int64_t& p : prices) {
        if (p != 0) p += z1_;
        if (w != 0 && t_.scheme == 2 && !Family('G')) w += cwt_residential_;
      }
      if (w != 0 && (t_.scheme == 1 || (t_.scheme == 2 && Family('G')))) w += cwt_residential_;
    }
    if ((t_.scheme == 2 && DeliveryAreaLetter(true)) ||
        (t_.scheme == 1 && DeliveryAreaLetter(false))) {
      add_to_priced(r ? z3_ : z11_);
      if (w != 0) w += r ? c4_ : c12_;
    }
  }
}

void Pricer::ApplyOnCall() {
  if (!DropoffIs("OTP") && !DropoffIs("OCA")) return;
  if (!(t_.scheme == 1 || (t_.scheme == 2 && Family('E')))) return;
  const std::int64_t amount = out_.hundredweight_record_read ? c2_ : z2_;
  for (std::int64_t& p : out_.packages) {
    if (p != 0) p += amount;
  }
  if (t_.scheme == 2 && out_.hundredweight > 0) out_.hundredweight += amount;
}

Result<PackagePrices> Pricer::Run(const HundredweightReader& read_hundredweight) {
  z0_ = Get(zone_, pe::kPriceBase);
  z1_ = Get(zone_, pe::kResidential);
  z2_ = Get16(zone_, pe::kOnCall);
  z3_ = Get(zone_, pe::kDeliveryArea);
  z5_ = Get16(zone_, pe::kLeastCwtWeight);
  z8_ = Get16(zone_, pe::kLeastEMinimum);
  z9_ = Get16(zone_, pe::kEMinimumWeight);
  z10_ = Get16(zone_, pe::kLetterLimit);
  if (t_.version == 2) z11_ = Get(zone_, pe::kDeliveryAreaOther);
  if (error_ != kOk) return Result<PackagePrices>::Error(error_);

  out_.packages.assign(t_.exact_weights.size(), 0);
  for (std::size_t k = 0; k < out_.packages.size(); ++k) {
    ErrorNumber e = PricePackage(k);
    if (e != kOk) return Result<PackagePrices>::Error(e);
  }
  ErrorNumber e = Hundredweight(read_hundredweight);
  if (e != kOk) return Result<PackagePrices>::Error(e);
  if (!Fits(out_.hundredweight, -kWildAmount, kWildAmount)) {
    return Result<PackagePrices>::Error(kErrSysmax);
  }

  const bool surcharged = t_.surcharge != 0;
  if (t_.scheme == 2 && surcharged) ApplySurcharge();
  ApplyResidentialAndArea();
  ApplyOnCall();
  if (t_.scheme == 1 && surcharged) ApplySurcharge();

  for (std::int64_t p : out_.packages) {
    if (!Fits(p, kFieldMin, kFieldMax)) return Result<PackagePrices>::Error(kErrSysmax);
  }
  if (!Fits(out_.hundredweight, kFieldMin, kFieldMax))
    return Result<PackagePrices>::Error(kErrSysmax);
  return out_;
}

}  // namespace

Result<PackagePrices> PricePackages(const PackageTerms& terms, const PackageRateRecord& zone,
                                    const HundredweightReader& read_hundredweight) {
  Pricer pricer(terms, zone);
  return pricer.Run(read_hundredweight);
}

}  // namespace tolv
