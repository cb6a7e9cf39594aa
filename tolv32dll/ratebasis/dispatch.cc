#include "tolv32dll/ratebasis/dispatch.h"

#include "tolv32dll/points/point_lookup.h"
#include "tolv32dll/ratebasis/kind_table.h"
#include "tolv32dll/ratebasis/methods.h"
#include "tolv32dll/ratebasis/rate_file.h"

namespace tolv {
namespace {

// Letters with a kind row but no method of their own here, or none at all.
bool HasMethod(char letter) {
  return (letter >= '0' && letter <= '7') || (letter >= 'A' && letter <= 'N');
}

ErrorNumber RunMethod(MethodContext& ctx, char letter) {
  switch (letter) {
    case '2':
      return kOk;  // no rate basis number is produced
    case '7':
      return RunAddonMethod(ctx);
    case 'N':
      return RunLanePointsMethod(ctx);
    case 'E':
    case 'F':
    case 'G':
    case 'H':
      return RunLiteMethod(ctx, 'E');
    case 'I':
    case 'J':
    case 'L':
    case 'M':
      return RunLiteMethod(ctx, letter);
    case 'K': {
      // The add-on rules of 'K' changed by effective year; other years run no method.
      int year = ctx.terms.tariff.year;
      if (year < 92 || year > 95) return kOk;
      return RunLiteMethod(ctx, 'K');
    }
    default:
      return RunPlainMethod(ctx, letter);
  }
}

}  // namespace

ErrorNumber FindRateBasis(RatingFiles& files, const RateBasisTerms& terms, PointState& points,
                          ListRequest& request, RateBasisState& state) {
  state.Clear();
  const CurrentTariff& tariff = terms.tariff;

  Result<const FileView*> exp = files.Exp();
  if (!exp.ok()) return exp.error();
  ExpForm form = tariff.exp_file_no[0] == 'A' ? ExpForm::kPostal : ExpForm::kZip;
  TOLV_RETURN_IF_ERROR(SubstituteExpPoint(*exp, form, request, points.origin));
  TOLV_RETURN_IF_ERROR(SubstituteExpPoint(*exp, form, request, points.destination));

  const char letter = tariff.point_type;
  std::optional<KindRow> row = FindKindRow(letter == 'N' ? tariff.alt_point_type : letter);
  if (!row || !HasMethod(letter)) return kErrTyptar;
  std::size_t record_length = static_cast<std::size_t>(row->record_length);
  if (letter == 'A' && tariff.point_file_mode == 'M') record_length = 16;
  MethodContext ctx{files, terms, points, request, state, row->index_bits, record_length};
  TOLV_RETURN_IF_ERROR(RunMethod(ctx, letter));

  if (terms.stepped) {
    std::optional<KindRow> own = FindKindRow(letter);
    if (!own) return kErrTyptar;
    return SeekSteppedRateNumber(files, terms, static_cast<std::size_t>(own->record_length), state);
  }
  return kOk;
}

}  // namespace tolv
