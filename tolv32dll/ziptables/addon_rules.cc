// The add-on rows by rate basis letter.
#include <cstring>

#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/ziptables/addon_steps.h"

namespace tolv {
namespace {

std::int64_t NumberOf(const LiteWork& work, std::size_t width = 5) {
  return ParseLeadingNumber(work.Number(width));
}

bool HasHcity(const LiteContext& ctx) { return ctx.hcity != nullptr && ctx.hcity->count > 0; }

// The add-on point of an end without a record: its ZIP's first 3 digits and "99".
void PrefixPoint(const LiteContext& ctx, const std::string& zip, AddonRecord& record) {
  const LiteBaseForm& b = ctx.text_form() ? kLiteBaseText : kLiteBasePacked;
  std::string code = zip.substr(0, std::min<std::size_t>(zip.size(), 3));
  code.resize(3, ' ');
  code += "99";
  if (ctx.text_form()) {
    std::memcpy(record.bytes.data() + b.point.offset, code.data(), 5);
  } else {
    Bcd_Pack(record.bytes.data() + b.point.offset, code, 5);
  }
}

// Lookup, then the matrix step; a letter found replaces `letter`.
Result<int> LookupAndMatrix(LiteContext& ctx, const char* type, char& letter) {
  std::array<char, 2> code = TypeCode(type);
  Result<int> found = LookupAddons(ctx, code);
  if (!found.ok()) return found;
  Result<char> matrix = MatrixLetter(ctx, code);
  if (!matrix.ok()) return Result<int>::Error(matrix.error());
  if (*matrix == '\0') return 0;
  letter = *matrix;
  return 1;
}

// The 'H' rule for a pair inside one add-on point: the HCITY value of the sum. The list
// is the one just found non-empty: the letter's table number is chosen, not loaded.
Result<std::int64_t> CityNumber(LiteContext& ctx, char letter, std::int64_t sum) {
  Result<int> table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return Result<std::int64_t>::Error(table.error());
  return static_cast<std::int64_t>(
      HcityValue(ctx.hcity, sum).value_or(static_cast<std::int32_t>(sum)));
}

}  // namespace

Result<int> AddonByMethod(LiteContext& ctx, char& letter) {
  LiteWork& work = ctx.work;
  switch (letter) {
    case 'A': {
      for (const char* type : {"A1", "A2"}) {
        std::array<char, 2> code = TypeCode(type);
        Result<int> found = LookupAddons(ctx, code);
        if (!found.ok()) return found;
        if (*found != 1) continue;
        Result<char> matrix = MatrixLetter(ctx, code);
        if (!matrix.ok()) return Result<int>::Error(matrix.error());
        if (*matrix != '\0') {
          letter = *matrix;
          return 1;
        }
      }
      return 0;
    }
    case 'C': {
      Result<int> found = LookupAddons(ctx, TypeCode("C "));
      if (!found.ok()) return found;
      return 0;
    }
    case 'D':
    case 'F': {
      std::array<char, 2> code = TypeCode(letter == 'D' ? "D " : "F ");
      Result<int> found = LookupAddons(ctx, code);
      if (!found.ok()) return found;
      if (work.origin.found != work.destination.found) {
        if (!work.origin.found) PrefixPoint(ctx, ctx.method.points.origin.code, work.origin);
        if (!work.destination.found) {
          PrefixPoint(ctx, ctx.method.points.destination.code, work.destination);
        }
      }
      Result<char> matrix = MatrixLetter(ctx, code);
      if (!matrix.ok()) return Result<int>::Error(matrix.error());
      if (*matrix == '\0') return 0;
      letter = *matrix;
      return 1;
    }
    case 'E': {
      Result<int> found = LookupAddons(ctx, TypeCode("E "));
      if (!found.ok()) return found;
      std::int64_t number = NumberOf(work);
      for (const AddonRecord* end : {&work.origin, &work.destination}) {
        if (end->found && end->bytes[0] == 'E') number += 70;
      }
      work.SetNumber(number);
      return 0;
    }
    case 'H': {
      std::array<char, 2> code = TypeCode("H ");
      Result<std::int32_t> sum = SumAddons(ctx, code);
      if (!sum.ok()) return Result<int>::Error(sum.error());
      const std::int64_t base = NumberOf(work);
      Result<char> matrix = MatrixLetter(ctx, code);
      if (!matrix.ok()) return Result<int>::Error(matrix.error());
      const int found = *matrix != '\0' ? 1 : 0;
      if (found) letter = *matrix;
      if (SameAddonPoints(ctx) && HasHcity(ctx)) {
        Result<std::int64_t> city = CityNumber(ctx, letter, *sum);
        if (!city.ok()) return Result<int>::Error(city.error());
        work.SetNumber(*city);
      } else {
        work.SetNumber((found ? NumberOf(work) : base) + *sum);
      }
      return found;
    }
    case 'J': {
      const RateRecord& rate = ctx.method.state.record;
      int found = 0;
      if (rate.Text(3, 6) == " 00000") {
        std::array<char, 2> lookup = TypeCode("J2");
        Result<int> looked = LookupAddons(ctx, lookup);
        if (!looked.ok()) return looked;
        std::array<char, 2> code = TypeCode("J ");
        Result<char> matrix = MatrixLetter(ctx, code);
        if (!matrix.ok()) return Result<int>::Error(matrix.error());
        if (*matrix == '\0') return 0;
        letter = *matrix;
        found = 1;
      } else {
        work.CopyFrom(rate);
      }
      Result<std::int32_t> sum = SumAddons(ctx, TypeCode("J1"));
      if (!sum.ok()) return Result<int>::Error(sum.error());
      // Point type 'J' numbers its records with six digits, the matrix letter being the last.
      const std::size_t width = ctx.point_type() == 'J' ? 6 : 5;
      work.SetNumber(NumberOf(work, width) + *sum, width);
      return found;
    }
    default:
      return 0;
  }
}

Result<int> LiteEAddon(LiteContext& ctx, char& letter) {
  LiteWork& work = ctx.work;
  switch (letter) {
    case 'B':
      return LookupAndMatrix(ctx, "B ", letter);
    case 'C':
      return AddonByMethod(ctx, letter);
    case 'M': {
      std::array<char, 2> code = TypeCode("M ");
      const std::int64_t running = NumberOf(work);
      Result<std::int32_t> sum = SumAddons(ctx, code);
      if (!sum.ok()) return Result<int>::Error(sum.error());
      Result<char> matrix = MatrixLetter(ctx, code);
      if (!matrix.ok()) return Result<int>::Error(matrix.error());
      if (*matrix != '\0') {
        letter = *matrix;
        return 1;
      }
      const std::int64_t number = running + *sum;
      work.SetNumber(number);
      Result<int> table = SelectTableNumber(ctx, letter);
      if (!table.ok()) return Result<int>::Error(table.error());
      if (ctx.method.terms.reload_factor_set) {
        const ErrorNumber e = ctx.method.terms.reload_factor_set(*table);
        if (e != kOk) return Result<int>::Error(e);
      }
      if (std::optional<std::int32_t> city = HcityValue(ctx.hcity, number)) work.SetNumber(*city);
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace tolv
