#include "tolv32dll/charges/minimum_charge.h"

#include <algorithm>
#include <array>

#include "platform/os/bytes.h"

namespace tolv {
namespace {

using Layout = MinimumFileLayout;

std::int32_t Value24(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
}

// The four weights and kinds the method numbers share.
constexpr std::array<std::int32_t, 4> kPinnedWeights = {0, 200, 300, 400};
constexpr std::array<std::int32_t, 4> kSplitWeights = {100, 0, 0, 100};
constexpr std::array<char, 4> kSplitKinds = {'1', '0', '1', '0'};

class BracketBuilder {
 public:
  BracketBuilder(const MinimumTerms& terms, ChargeResult& result)
      : terms_(terms), result_(result), b_(result.brackets) {}

  ErrorNumber ByNumber();
  void ByMethod();

 private:
  std::int32_t V(int i) const { return terms_.rate->Value(i); }
  char Kind() const { return terms_.rate->KindLetter(); }
  // Four charges into the first four slots, kinds and weights as given.
  void Four(const std::array<char, 4>& kinds, const std::array<std::int32_t, 4>& weights,
            const std::array<std::int32_t, 4>& charges) {
    for (std::size_t i = 0; i < 4; ++i) b_.Set(i, kinds[i], weights[i], charges[i]);
  }
  std::array<std::int32_t, 4> RateCharges() const { return {V(0), V(1), V(2), V(3)}; }
  void Pinned(const std::array<std::int32_t, 4>& charges, std::int16_t count) {
    result_.pin_mc = true;
    b_.method = 1;
    Four({'1', '1', '1', '1'}, kPinnedWeights, charges);
    b_.count = count;
  }
  void Split(const std::array<std::int32_t, 4>& charges) {
    b_.method = 2;
    Four(kSplitKinds, kSplitWeights, charges);
    b_.count = 4;
  }
  void SingleShipmentPair(std::int16_t method) {
    b_.method = method;
    b_.kinds[0] = '1';
    b_.kinds[1] = '0';
    b_.weights[0] = b_.weights[1] = 0;
    b_.count = 2;
  }
  // One ordinary bracket of weight 0, the other three cleared.
  void Single(std::int32_t charge) {
    b_.Set(0, kOrdinaryBracket, 0, charge);
    for (std::size_t i = 1; i < 4; ++i) b_.Blank(i);
    b_.method = 0;
    b_.count = 1;
  }
  void TwoBracket(std::int16_t count) {
    b_.weights[0] = 0;
    b_.weights[1] = 100;
    b_.kinds[0] = b_.kinds[1] = '1';
    if (b_.charges[2] != 0) {
      b_.charges[1] = b_.charges[0];
      b_.charges[0] = b_.charges[2];
      b_.charges[2] = 0;
    }
    b_.count = count;
  }
  // Charges V(0)-V(3), the first bracket ordinary at weight 0, method 0, one bracket.
  void RateChargesOneBracket() {
    std::array<std::int32_t, 4> c = RateCharges();
    for (std::size_t i = 0; i < 4; ++i) b_.charges[i] = c[i];
    b_.kinds[0] = '1';
    b_.weights[0] = 0;
    b_.method = 0;
    b_.count = 1;
  }
  void LettersFG();
  void LettersJL();

  const MinimumTerms& terms_;
  ChargeResult& result_;
  MinimumBrackets& b_;
};

ErrorNumber BracketBuilder::ByNumber() {
  if (!terms_.min_file) return kErrMinopn;
  Result<const FileView*> file = terms_.min_file();
  if (!file.ok()) return file.error();
  if (*file == nullptr) return kErrMinopn;
  Result<MinimumRecord> read = ReadMinimumRecord(**file, *terms_.rate, terms_.key_width);
  if (!read.ok()) return read.error();
  const MinimumRecord& m = *read;
  switch (b_.method) {
    case 1:
      Pinned({m.M(0), m.M(1), m.M(2), m.M(3)}, 4);
      break;
    case 2:
      Four(kSplitKinds, kSplitWeights, {m.M(0), m.M(1), m.M(2), m.M(3)});
      b_.count = 4;
      break;
    case 3:
      b_.Set(0, '1', 0, m.M(0));
      b_.Set(1, '1', 100, m.M(1));
      b_.count = 2;
      break;
    case 4:
      b_.Set(0, '1', 0, m.M(0));
      b_.Set(1, '0', 0, m.M(1));
      b_.count = 2;
      break;
    case 5: {
      // k pairs of brackets; the bracket area holds at most 15 pairs.
      const std::size_t k = static_cast<std::size_t>(
          std::clamp<std::int32_t>(m.M(0), 0, MinimumBrackets::kMax / 2));
      bool differ = false;
      for (std::size_t i = 1; i <= k; ++i) {
        b_.Set(i - 1, '0', m.M(i), m.M(k + i));
        b_.Set(k + i - 1, '1', m.M(i), m.M(2 * k + i));
        differ = differ || m.M(k + i) != m.M(2 * k + i);
      }
      if (differ) {
        b_.count = static_cast<std::int16_t>(2 * k);
      } else {
        for (std::size_t i = 0; i < k; ++i) b_.kinds[i] = '1';
        for (std::size_t i = k; i < 2 * k; ++i) b_.Blank(i);
        b_.count = static_cast<std::int16_t>(k);
      }
      break;
    }
    default:
      b_.kinds[0] = kOrdinaryBracket;
      b_.weights[0] = 0;
      for (std::size_t i = 1; i < 4; ++i) b_.Blank(i);
      b_.count = 1;
      break;
  }
  return kOk;
}

void BracketBuilder::LettersFG() {
  // Early tariffs of one family always pin their minimum charges.
  if (terms_.tariff_date_key < 19920101 && terms_.first_factor_set == 16 &&
      terms_.tariff_name.compare(0, 3, "QZC") == 0) {
    result_.pin_mc = true;
  }
  std::array<std::int32_t, 4> c = RateCharges();
  if (result_.pin_mc) {
    Pinned(c, 4);
    return;
  }
  for (std::size_t i = 0; i < 4; ++i) b_.charges[i] = c[i];
  b_.kinds[0] = '1';
  b_.weights[0] = 0;
  if ((c[1] == 0 && c[2] == 0 && c[3] == 0) || (c[0] == c[2] && c[1] == 0 && c[3] == 0)) {
    Single(c[0]);
  } else if (c[0] != 0 && c[2] != 0 && c[1] == 0 && c[3] == 0) {
    b_.method = 3;
    TwoBracket(2);
  } else if (c[0] != 0 && c[1] != 0 && c[2] != 0 && c[3] != 0) {
    Split(c);
  } else {
    b_.count = 1;
  }
}

void BracketBuilder::LettersJL() {
  RateChargesOneBracket();
  const char kind = Kind();
  if (kind == 'C' && b_.charges[1] != 0) SingleShipmentPair(4);
  if (kind == 'J') {
    if (b_.charges[2] != 0) {
      Split(RateCharges());
    } else if (b_.charges[1] != 0) {
      SingleShipmentPair(4);
    }
  }
  if (b_.method == 0 && b_.charges[2] != 0) Split(RateCharges());
}

void BracketBuilder::ByMethod() {
  switch (terms_.method_letter) {
    case '1':
    case 'D':
      Split(RateCharges());
      break;
    case 'C': {
      static constexpr std::string_view kRows = "ABCNS";
      const std::size_t r = kRows.find(Kind());
      const std::int64_t g =
          r == std::string_view::npos || !terms_.break_factor
              ? 10000
              : terms_.break_factor(5 + static_cast<int>(r), 0);
      const std::int64_t scaled = (static_cast<std::int64_t>(V(0)) * g + 5000) / 10000;
      Single(static_cast<std::int32_t>((scaled + 2) / 5 * 5));
      break;
    }
    case 'F':
    case 'G':
      LettersFG();
      break;
    case 'J':
    case 'L':
      LettersJL();
      break;
    case 'I':
      RateChargesOneBracket();
      break;
    default:
      Single(V(0));
      break;
  }
}

}  // namespace

Result<MinimumRecord> ReadMinimumRecord(const FileView& file, const RateRecord& rate,
                                        std::size_t key_width) {
  std::array<std::uint8_t, Layout::kHeadSize> head{};
  if (!ReadExact(file, 0, head)) return Result<MinimumRecord>::Error(kErrMinred);
  const std::int32_t count = Value24(head.data() + Layout::kValues);
  if (count < 0 || count > static_cast<std::int32_t>(Layout::kMaxValues)) {
    return Result<MinimumRecord>::Error(kErrMinred);
  }
  MinimumRecord out;
  for (std::uint8_t byte : head) {
    if (byte == 'A' || byte == 'B') {
      out.base_letter = static_cast<char>(byte);
      break;
    }
  }
  const std::size_t length = Layout::kValues + Layout::kValueWidth * static_cast<std::size_t>(count);
  const std::string key = rate.Text(Layout::kKey, std::min(key_width, Layout::kKeyWidth));
  std::vector<std::uint8_t> record(std::max(length, Layout::kHeadSize));
  record.resize(length);
  // The head stands in the place of record 0; records follow it at whole lengths.
  const std::int64_t records = RecordCount(file, length);
  for (std::int64_t n = 1; n < records; ++n) {
    if (!ReadExact(file, n * static_cast<std::int64_t>(length), record)) break;
    if (std::equal(key.begin(), key.end(), record.begin())) {
      for (std::int32_t i = 0; i < count; ++i) {
        out.values.push_back(Value24(record.data() + Layout::kValues + Layout::kValueWidth * i));
      }
      return out;
    }
  }
  return Result<MinimumRecord>::Error(kErrMinred);
}

ErrorNumber BuildMinimumBrackets(const MinimumTerms& terms, ChargeResult& result) {
  MinimumBrackets& b = result.brackets;
  b = MinimumBrackets();
  const std::int32_t d = terms.rate->Value(0);
  b.charges[0] = d;
  BracketBuilder builder(terms, result);
  if (d >= 1 && d <= 10) {
    b.method = static_cast<std::int16_t>(d);
    return builder.ByNumber();
  }
  builder.ByMethod();
  return kOk;
}

std::int32_t MinimumChargeFor(MinimumBrackets& brackets, std::int32_t weight, bool single_shipment) {
  struct Bracket {
    std::int32_t weight;
    std::int32_t charge;
  };
  std::vector<Bracket> ordinary, single;
  const std::size_t count = std::min<std::size_t>(std::max<std::int16_t>(brackets.count, 0),
                                                  MinimumBrackets::kMax);
  for (std::size_t i = 0; i < count; ++i) {
    if (brackets.kinds[i] == kOrdinaryBracket) ordinary.push_back({brackets.weights[i], brackets.charges[i]});
    if (brackets.kinds[i] == kSingleShipmentBracket) single.push_back({brackets.weights[i], brackets.charges[i]});
  }
  auto by_weight = [](const Bracket& a, const Bracket& b) { return a.weight < b.weight; };
  std::stable_sort(ordinary.begin(), ordinary.end(), by_weight);
  std::stable_sort(single.begin(), single.end(), by_weight);
  auto search = [weight](const std::vector<Bracket>& group, std::int32_t& charge) {
    for (auto it = group.rbegin(); it != group.rend(); ++it) {
      if (it->weight <= weight) {
        charge = it->charge;
        return true;
      }
    }
    return false;
  };
  std::int32_t charge = 0;
  if (!(single_shipment && search(single, charge))) search(ordinary, charge);

  std::size_t i = 0;
  for (const Bracket& b : ordinary) brackets.Set(i++, kOrdinaryBracket, b.weight, b.charge);
  for (const Bracket& b : single) brackets.Set(i++, kSingleShipmentBracket, b.weight, b.charge);
  for (std::size_t j = i; j < count; ++j) brackets.Blank(j);
  brackets.count = static_cast<std::int16_t>(i);
  return charge;
}

}  // namespace tolv
