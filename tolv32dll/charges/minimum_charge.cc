#include "tolv32dll/charges/minimum_charge.h"

#include <algorithm>
#include <array>

#include "platform/os/bytes.h"
#include "tolv32dll/charges/bracket_builder.h"
#include "tolv32dll/rates/bounded_list.h"

namespace tolv {
namespace {

namespace M = minimum_file;

struct Bracket {
  std::int32_t weight;
  std::int32_t charge;
};
using BracketGroup = BoundedList<Bracket, MinimumBrackets::kMax>;

// Inserts in weight order; a bracket goes after those of equal weight (a stable sort).
void InsertByWeight(BracketGroup& group, Bracket b) {
  group.push_back(b);
  std::size_t i = group.size() - 1;
  for (; i > 0 && b.weight < group[i - 1].weight; --i) group[i] = group[i - 1];
  group[i] = b;
}

}  // namespace

Result<MinimumRecord> ReadMinimumRecord(const FileView& file, const RateRecord& rate,
                                        std::size_t key_width) {
  std::array<std::uint8_t, M::kHeadSize> head{};
  if (!ReadExact(file, 0, head)) return Result<MinimumRecord>::Error(kErrMinred);
  const std::int32_t count = LoadValue24(head.data() + M::kValue.offset);
  if (count < 0 || count > static_cast<std::int32_t>(M::kMaxValues)) {
    return Result<MinimumRecord>::Error(kErrMinred);
  }
  MinimumRecord out;
  out.head_second = LoadValue24(head.data() + M::kValue.Nth(1).offset);
  // The base letter stands among the key bytes; a value byte of 0x41 is no letter.
  for (std::size_t i = M::kKey.offset; i < M::kKey.end(); ++i) {
    if (head[i] == 'A' || head[i] == 'B') {
      out.base_letter = static_cast<char>(head[i]);
      break;
    }
  }
  const std::size_t length = M::kValue.Nth(static_cast<std::size_t>(count)).offset;
  const std::string key = rate.Text(M::kKey.offset, std::min(key_width, M::kKey.width));
  std::vector<std::uint8_t> record(std::max(length, M::kHeadSize));
  record.resize(length);
  // The head stands in the place of record 0; records follow it at whole lengths.
  const std::int64_t records = RecordCount(file, length);
  for (std::int64_t n = 1; n < records; ++n) {
    if (!ReadExact(file, n * static_cast<std::int64_t>(length), record)) break;
    if (std::equal(key.begin(), key.end(), record.begin())) {
      for (std::int32_t i = 0; i < count; ++i) {
        out.values.push_back(LoadValue24(record.data() + M::kValue.Nth(i).offset));
      }
      return out;
    }
  }
  return Result<MinimumRecord>::Error(kErrMinred);
}

char RateBasisClassDigit(const RateRecord& rate) {
  return rate.Text(rate_record::kNumber.offset, 1)[0];
}

char RateBasisDetailDigit(const RateRecord& rate) {
  return rate.Text(rate_record::kNumber.offset + 1, 1)[0];
}

ErrorNumber BuildMinimumBrackets(const MinimumTerms& terms, ChargeResult& result,
                                 ClassRateTables* tables) {
  return BuildMinimumBrackets(terms, *terms.rate, terms.method_letter, result, tables);
}

ErrorNumber BuildMinimumBrackets(const MinimumTerms& terms, const RateRecord& rate,
                                 char method_letter, ChargeResult& result,
                                 ClassRateTables* tables) {
  MinimumBrackets& b = result.brackets;
  b = MinimumBrackets();
  result.pin_mc = terms.pin_mc;
  const std::int32_t d = rate.Value(0);
  b.charges[0] = d;
  BracketBuilder builder(terms, rate, method_letter, result, tables);
  if (d >= 1 && d <= 10) {
    b.method = static_cast<std::int16_t>(d);
    return builder.ByNumber();
  }
  return builder.ByMethod();
}

std::int32_t MinimumChargeFor(MinimumBrackets& brackets, std::int32_t weight,
                              bool single_shipment) {
  BracketGroup ordinary, single;
  const std::size_t count =
      std::min<std::size_t>(std::max<std::int16_t>(brackets.count, 0), MinimumBrackets::kMax);
  for (std::size_t i = 0; i < count; ++i) {
    const Bracket b{brackets.weights[i], brackets.charges[i]};
    if (brackets.kinds[i] == kOrdinaryBracket) InsertByWeight(ordinary, b);
    if (brackets.kinds[i] == kSingleShipmentBracket) InsertByWeight(single, b);
  }
  auto search = [weight](const BracketGroup& group, std::int32_t& charge) {
    for (std::size_t i = group.size(); i > 0; --i) {
      if (group[i - 1].weight <= weight) {
        charge = group[i - 1].charge;
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
