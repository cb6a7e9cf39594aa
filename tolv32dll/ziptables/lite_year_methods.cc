// Method 'K': the add-on rules of the effective years 92 and 93, 94 and 95.
#include <cstring>
#include <optional>

#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/ziptables/lite_methods.h"

namespace tolv {
namespace {

std::int64_t NumberOf(const LiteWork& work) { return ParseLeadingNumber(work.Number()); }

// Selects the table number of the letter, reloads with it and gives the HCITY value of
// the sum; `fallback` when no entry gives one.
Result<std::int64_t> CityValue(LiteContext& ctx, char letter, std::int64_t sum,
                               std::int64_t fallback) {
  Result<int> table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return Result<std::int64_t>::Error(table.error());
  if (ctx.method.terms.reload_factor_set) {
    const ErrorNumber e = ctx.method.terms.reload_factor_set(*table);
    if (e != kOk) return Result<std::int64_t>::Error(e);
  }
  std::optional<std::int32_t> city = HcityValue(ctx.hcity, sum);
  return city ? static_cast<std::int64_t>(*city) : fallback;
}

// The city-or-sum rule of letters 'I' (92/93) and 'M' (94): equal add-on points take the
// HCITY value of the sum, others add it; the letter becomes the matrix letter.
ErrorNumber CityOrSum(LiteContext& ctx, const char* type_text, char& letter) {
  TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
  std::array<char, 2> type = TypeCode(type_text);
  Result<std::int32_t> sum = SumAddons(ctx, type);
  if (!sum.ok()) return sum.error();
  Result<char> matrix = MatrixLetter(ctx, type);
  if (!matrix.ok()) return matrix.error();
  // A matrix entry has just given the Lite record its number.
  std::int64_t number = NumberOf(ctx.work) + *sum;
  if (SameAddonPoints(ctx)) {
    Result<std::int64_t> city = CityValue(ctx, letter, *sum, *sum);
    if (!city.ok()) return city.error();
    number = *city;
  }
  ctx.work.SetNumber(number);
  if (*matrix != '\0') letter = *matrix;
  ctx.work.lite_record[9] = letter;
  ctx.tables.CloseLite();
  return kOk;
}

// The type of letters 'H' and 'N' in year 95 by the record's special numbers " 00001"...;
// none for any other number, which takes no add-on.
std::optional<std::array<char, 2>> NumberedType(char letter, const RateRecord& record,
                                                int numbers) {
  const std::string field = record.Text(3, 6);
  for (int i = 1; i <= numbers; ++i) {
    if (field == " 0000" + std::to_string(i))
      return std::array<char, 2>{letter, static_cast<char>('0' + i)};
  }
  return std::nullopt;
}

ErrorNumber StepJ(LiteContext& ctx, char& letter) {
  TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
  Result<int> step = AddonByMethod(ctx, letter);
  if (!step.ok()) return step.error();
  ctx.tables.CloseLite();
  return kOk;
}

ErrorNumber StepOnlyPrepare(LiteContext& ctx) {
  TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
  ctx.tables.CloseLite();
  return kOk;
}

ErrorNumber Year9293(LiteContext& ctx, int year, char& letter, bool& keep_digit) {
  const std::string field = ctx.method.state.record.Text(3, 6);
  switch (letter) {
    case 'E':
    case 'J':
    case 'Z': {
      bool take = true;
      if ((letter == 'E' && year == 92) || (letter == 'Z' && year == 93)) take = field > " 20000";
      if (letter == 'J') take = field > " 40000";
      if (!take) return kOk;
      TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
      Result<std::int32_t> sum = SumAddons(ctx, {letter, '1'});
      if (!sum.ok()) return sum.error();
      ctx.work.SetNumber(NumberOf(ctx.work) + *sum);
      ctx.tables.CloseLite();
      return kOk;
    }
    case 'I':
      keep_digit = true;
      return CityOrSum(ctx, "I ", letter);
    default:
      return StepOnlyPrepare(ctx);
  }
}

ErrorNumber Year94(LiteContext& ctx, char& letter, bool& keep_digit) {
  switch (letter) {
    case 'H': {
      TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
      std::array<char, 2> type = TypeCode("H ");
      const std::int64_t running = NumberOf(ctx.work);
      Result<std::int32_t> sum = SumAddons(ctx, type);
      if (!sum.ok()) return sum.error();
      Result<char> matrix = MatrixLetter(ctx, type);
      if (!matrix.ok()) return matrix.error();
      if (*matrix != '\0') letter = *matrix;
      ctx.work.SetNumber((*matrix != '\0' ? NumberOf(ctx.work) : running) + *sum);
      ctx.work.lite_record[9] = letter;
      ctx.tables.CloseLite();
      return kOk;
    }
    case 'J':
      return StepJ(ctx, letter);
    case 'M':
      keep_digit = true;
      return CityOrSum(ctx, "M ", letter);
    default:
      return StepOnlyPrepare(ctx);
  }
}

ErrorNumber Year95(LiteContext& ctx, char& letter, bool& keep_digit) {
  const RateRecord& record = ctx.method.state.record;
  switch (letter) {
    case 'B': {
      TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
      Result<int> step = LiteEAddon(ctx, letter);
      if (!step.ok()) return step.error();
      ctx.tables.CloseLite();
      return kOk;
    }
    case 'H':
    case 'N':
    case 'M': {
      std::optional<std::array<char, 2>> type =
          letter == 'M' ? TypeCode("M ") : NumberedType(letter, record, letter == 'H' ? 2 : 3);
      if (!type) return StepOnlyPrepare(ctx);
      TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
      const std::int64_t running = NumberOf(ctx.work);
      Result<std::int32_t> sum = SumAddons(ctx, *type);
      if (!sum.ok()) return sum.error();
      const bool same = SameAddonPoints(ctx);
      std::array<char, 2> matrix_type = *type;
      Result<char> matrix = MatrixLetter(ctx, matrix_type);
      if (!matrix.ok()) return matrix.error();
      std::int64_t number = running;
      if (letter == 'N' && same) {
        // One add-on point: the city value, or the sum (type "N3" lies 5000 further on).
        const std::int64_t fallback = *sum + (*type == TypeCode("N3") ? 5000 : 0);
        Result<std::int64_t> city = CityValue(ctx, letter, *sum, fallback);
        if (!city.ok()) return city.error();
        number = *city;
      } else if (*matrix != '\0') {
        if (letter == 'H') {
          Result<int> table = SelectTableNumber(ctx, *matrix);
          if (!table.ok()) return table.error();
        }
        number = NumberOf(ctx.work) + *sum;
        letter = *matrix;
      } else if (letter == 'M') {
        Result<std::int64_t> city = CityValue(ctx, letter, *sum, *sum);
        if (!city.ok()) return city.error();
        number = *city;
      } else if (letter == 'N') {
        number = running + *sum;
      }
      // Both ends of the 'M' step read under a first digit of '0'.
      keep_digit = *type == TypeCode("M ");
      ctx.work.SetNumber(number);
      ctx.work.lite_record[9] = letter;
      ctx.tables.CloseLite();
      return kOk;
    }
    case 'J':
      return StepJ(ctx, letter);
    default:
      return StepOnlyPrepare(ctx);
  }
}

}  // namespace

ErrorNumber RunYearMethod(LiteContext& ctx) {
  const int year = ctx.method.terms.tariff.year;
  ctx.work.ClearAddons();
  ctx.work.rbno = RbnoAddons{};
  ctx.lite_table.clear();
  TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx.method, false, true));
  RateBasisState& state = ctx.method.state;
  ctx.work.CopyFrom(state.record);
  // The record's own letter chooses the table number afterwards; the steps may give the
  // Lite record the matrix letter.
  const char letter = ctx.work.lite_record[9];
  char step_letter = letter;
  bool keep_digit = false;
  ErrorNumber step = kOk;
  if (year == 92 || year == 93) step = Year9293(ctx, year, step_letter, keep_digit);
  if (year == 94) step = Year94(ctx, step_letter, keep_digit);
  if (year == 95) step = Year95(ctx, step_letter, keep_digit);
  TOLV_RETURN_IF_ERROR(step);
  // The number's first digit stays aside while the record is read.
  const char kept = ctx.work.lite_record[4];
  if (keep_digit) ctx.work.lite_record[4] = '0';

  Result<int> table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return table.error();
  bool read = false;
  if (ctx.work.addon_flag != 1 && DiffersFromFirstTen(ctx.work, state.record)) {
    TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx, AddonReaders::kYear, &read));
  }
  if (state.record.Text(3, 6) == " 00000") {
    ctx.tables.CloseLite();
    return kErrInvrbn;
  }
  table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return table.error();
  if (ctx.method.terms.reload_factor_set) {
    TOLV_RETURN_IF_ERROR(ctx.method.terms.reload_factor_set(*table));
  }
  if (keep_digit) {
    ctx.work.lite_record[4] = kept;
    // Only the record read under the digit '0' takes it back: the lane's own record, when
    // none was read, keeps its number.
    if (read && state.record.bytes().size() > 4) {
      state.record.mutable_bytes()[4] = static_cast<std::uint8_t>(kept);
    }
  }
  state.printed_number = CompactRateBasisNumber(state.record, ctx.method.terms.tariff.point_type);
  if (letter == 'C') {
    char again_letter = letter;
    Result<int> again = LiteEAddon(ctx, again_letter);
    if (!again.ok()) return again.error();
  }
  ctx.tables.CloseLite();
  if (letter == 'I' && (year == 92 || year == 93)) return ReadMinimumBlock(ctx.method.files, state);
  return kOk;
}

}  // namespace tolv
