#include "tolv32dll/ziptables/lite_methods.h"

#include <cstdio>
#include <cstring>

#include "tolv32dll/ratebasis/rate_file.h"

namespace tolv {
namespace {

bool LacksNumber(const RateRecord& record) { return record.Text(3, 6) == " 00000"; }

bool DiffersFromRecord(const LiteWork& work, const RateRecord& record) {
  return DiffersFromFirstTen(work, record);
}

void Print(LiteContext& ctx) {
  ctx.method.state.printed_number =
      CompactRateBasisNumber(ctx.method.state.record, ctx.method.terms.tariff.point_type);
}

ErrorNumber Reload(LiteContext& ctx, int factor_set) {
  if (!ctx.method.terms.reload_factor_set) return kOk;
  return ctx.method.terms.reload_factor_set(factor_set);
}

// Selects the table number of the letter and reloads the tariff with it.
ErrorNumber SelectAndReload(LiteContext& ctx, char letter) {
  Result<int> table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return table.error();
  return Reload(ctx, *table);
}

// The rate record buffer seeded with 10 bytes of text, the rest zero.
void Seed(LiteContext& ctx, const char* text) {
  std::vector<std::uint8_t> bytes(std::max<std::size_t>(ctx.method.record_length, 10), 0);
  std::memcpy(bytes.data(), text, 10);
  ctx.method.state.record = RateRecord(bytes);
  std::memcpy(ctx.work.lite_record.data(), text, 10);
}

ErrorNumber FinishWithoutNumber(LiteContext& ctx, ErrorNumber error) {
  ctx.tables.CloseLite();
  return error;
}

ErrorNumber MethodE(LiteContext& ctx) {
  TOLV_RETURN_IF_ERROR(RunLiteMethodStart(ctx.method));
  RateBasisState& state = ctx.method.state;
  if (state.record.Text(4, 5) != "00000") return kOk;
  if (PrepareLite(ctx) != kOk) return LacksNumber(state.record) ? kErrIvdcmb : kOk;
  ctx.work.CopyFrom(state.record);
  Result<int> table = SelectTableNumber(ctx, ctx.work.lite_record[9]);
  if (!table.ok()) return table.error();
  std::array<char, 2> type = TypeCode("A1");
  Result<int> found = LookupAddons(ctx, type);
  if (!found.ok()) return found.error();
  Result<char> letter = MatrixLetter(ctx, type);
  if (!letter.ok()) return letter.error();
  TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
  if (DiffersFromRecord(ctx.work, state.record)) TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
  if (LacksNumber(state.record)) return FinishWithoutNumber(ctx, kErrIvdcmb);
  TOLV_RETURN_IF_ERROR(SelectAndReload(ctx, ctx.work.lite_record[9]));
  Print(ctx);
  ctx.tables.CloseLite();
  return kOk;
}

ErrorNumber MethodI(LiteContext& ctx) {
  ctx.work.ClearAddons();
  ctx.work.rbno = RbnoAddons{};
  TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx.method, false, true));
  RateBasisState& state = ctx.method.state;
  PointState& points = ctx.method.points;
  ctx.work.CopyFrom(state.record);
  Result<RbnoAddons> rbno = SumRbnoAddons(ctx.tables, ctx.work.lite_record[9], points.origin.code,
                                          points.destination.code);
  if (!rbno.ok()) return rbno.error();
  ctx.work.rbno = *rbno;
  ctx.work.SetNumber(ParseLeadingNumber(ctx.work.Number()) + rbno->sum);
  char letter = ctx.work.lite_record[9];
  if (letter == 'B' || letter == 'M') {
    TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
    Result<int> step = LiteEAddon(ctx, letter);
    if (!step.ok()) return step.error();
    ctx.tables.CloseLite();
  }
  Result<int> table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return table.error();
  TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx, AddonReaders::kRbno));
  if (LacksNumber(state.record)) return FinishWithoutNumber(ctx, kErrInvrbn);
  TOLV_RETURN_IF_ERROR(SelectAndReload(ctx, letter));
  Print(ctx);
  if (letter == 'C') {
    Result<int> step = LiteEAddon(ctx, letter);
    if (!step.ok()) return step.error();
  }
  ctx.tables.CloseLite();
  return kOk;
}

ErrorNumber MethodJ(LiteContext& ctx) {
  ctx.lite_table.clear();
  TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
  Result<const FileView*> rates = ctx.method.files.Rates();
  if (!rates.ok()) return rates.error();
  Seed(ctx, "011 000000");
  Result<int> table = SelectTableNumber(ctx, '0');
  if (!table.ok()) return table.error();
  char letter = 'J';
  Result<int> step = AddonByMethod(ctx, letter);
  if (!step.ok()) return step.error();
  RateBasisState& state = ctx.method.state;
  if (*step == 1) TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
  if (state.record.Text(3, 7) == " 000000") {
    if (ctx.work.addon_flag == 1 && ctx.switch_to_companion) {
      Result<std::size_t> length = ctx.switch_to_companion();
      if (!length.ok()) return length.error();
      ctx.method.record_length = *length;
    }
    TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx.method, false, true));
    ctx.work.CopyFrom(state.record);
  }
  TOLV_RETURN_IF_ERROR(SelectAndReload(ctx, state.record.Text(4, 1)[0]));
  Print(ctx);
  ctx.tables.CloseLite();
  return kOk;
}

// One add-on step of method 'L', and the second one of letter 'E' over a rate record of
// letter 'A'.
ErrorNumber LStep(LiteContext& ctx, char& letter, bool second_allowed) {
  Result<int> step = AddonByMethod(ctx, letter);
  if (!step.ok()) return step.error();
  if (second_allowed && letter == 'E' && ctx.method.state.record.KindLetter() == 'A') {
    step = AddonByMethod(ctx, letter);
    if (!step.ok()) return step.error();
  }
  return kOk;
}

ErrorNumber MethodL(LiteContext& ctx) {
  TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx.method, false, true));
  RateBasisState& state = ctx.method.state;
  ctx.lite_table.clear();
  TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
  ctx.work.CopyFrom(state.record);
  char letter = ctx.work.lite_record[9];
  Result<int> table = SelectTableNumber(ctx, letter);
  if (!table.ok()) return table.error();
  const bool unnumbered = ctx.work.Number() == "00000";
  const bool addon_mode_zero = ctx.method.terms.tariff.addon_mode == '0';
  switch (letter) {
    case 'A':
      if (unnumbered || !addon_mode_zero) TOLV_RETURN_IF_ERROR(LStep(ctx, letter, true));
      break;
    case 'D':
    case 'F':
      TOLV_RETURN_IF_ERROR(LStep(ctx, letter, false));
      break;
    case 'E':
    case 'H':
    case 'J':
      TOLV_RETURN_IF_ERROR(LStep(ctx, letter, true));
      break;
    case 'X':
    case 'Y':
      if (unnumbered || !addon_mode_zero) {
        char as_e = 'E';
        TOLV_RETURN_IF_ERROR(LStep(ctx, as_e, true));
      }
      break;
    default:
      break;
  }
  TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
  if (DiffersFromRecord(ctx.work, state.record)) TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
  if (LacksNumber(state.record)) return FinishWithoutNumber(ctx, kErrIvdcmb);
  letter = ctx.work.lite_record[9];
  TOLV_RETURN_IF_ERROR(SelectAndReload(ctx, letter));
  Print(ctx);
  if (letter == 'C') {
    Result<int> step = AddonByMethod(ctx, letter);
    if (!step.ok()) return step.error();
  }
  ctx.tables.CloseLite();
  if (letter == 'H') return ReadMinimumBlock(ctx.method.files, state);
  return kOk;
}

ErrorNumber MethodM(LiteContext& ctx) {
  ctx.lite_table.clear();
  TOLV_RETURN_IF_ERROR(PrepareLite(ctx));
  Result<const FileView*> rates = ctx.method.files.Rates();
  if (!rates.ok()) return rates.error();
  Seed(ctx, "001 00000H");
  Result<int> table = SelectTableNumber(ctx, '0');
  if (!table.ok()) return table.error();
  std::array<char, 2> type = TypeCode("H ");
  Result<int> found = LookupAddons(ctx, type);
  if (!found.ok()) return found.error();
  RateBasisState& state = ctx.method.state;
  if (ctx.work.origin.found && ctx.work.destination.found) {
    const LiteBaseForm& b = kLiteBaseText;
    auto amount = [&](const AddonRecord& r) {
      const std::int32_t a = PackedDigitsValue(r.bytes.data() + b.amount.offset, 5);
      return a == 2020 ? 0 : a;
    };
    const std::int64_t s = amount(ctx.work.origin) + amount(ctx.work.destination);
    Result<char> letter = MatrixLetter(ctx, type);
    if (!letter.ok()) return letter.error();
    if (*letter != '\0') {
      table = SelectTableNumber(ctx, *letter);
      if (!table.ok()) return table.error();
      ctx.work.SetNumber(ParseLeadingNumber(ctx.work.Number()) + s % 10000);
      ctx.work.lite_record[9] = *letter;
      TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
    }
  }
  if (LacksNumber(state.record)) {
    TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx.method, false, true));
    ctx.work.CopyFrom(state.record);
  }
  table = SelectTableNumber(ctx, ctx.work.lite_record[9]);
  if (!table.ok()) return table.error();
  TOLV_RETURN_IF_ERROR(ReadAddonTable(ctx));
  TOLV_RETURN_IF_ERROR(SelectAndReload(ctx, state.record.KindLetter()));
  Print(ctx);
  ctx.tables.CloseLite();
  return kOk;
}

}  // namespace

bool DiffersFromFirstTen(const LiteWork& work, const RateRecord& record) {
  return std::memcmp(work.lite_record.data(), record.Text(0, 10).data(), 10) != 0;
}

ErrorNumber RunLiteSteps(char method, LiteContext& ctx) {
  switch (method) {
    case 'E':
      return MethodE(ctx);
    case 'I':
      return MethodI(ctx);
    case 'J':
      return MethodJ(ctx);
    case 'K':
      return RunYearMethod(ctx);
    case 'L':
      return MethodL(ctx);
    case 'M':
      return MethodM(ctx);
    default:
      return kErrTyptar;
  }
}

ErrorNumber RunLiteMethod(const LiteEnvironment& environment, char method, MethodContext& m) {
  LiteContext ctx{m,
                  environment.tables,
                  environment.lite_table,
                  environment.work,
                  environment.hcity,
                  environment.switch_to_companion,
                  environment.log};
  return RunLiteSteps(method, ctx);
}

LiteSteps MakeLiteSteps(LiteEnvironment environment) {
  return [environment](char method, MethodContext& m) {
    return RunLiteMethod(environment, method, m);
  };
}

}  // namespace tolv
