#include "tolv32dll/ratebasis/methods.h"

#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/points/point_lookup.h"
#include "tolv32dll/ratebasis/rate_file.h"

namespace tolv {
namespace {

// The number bytes 3-8 of a Lite record that has not been given its rate basis yet.
bool LacksNumber(const RateRecord& record) { return record.Text(3, 6) == " 00000"; }

}  // namespace

ErrorNumber RunCommonSkeleton(MethodContext& ctx, bool compact_points, bool add_factors) {
  PointLookupMode mode{ctx.terms.tariff.point_file_mode};
  Result<std::int32_t> number = compact_points ? LookupCompactPoints(ctx.files, mode, ctx.points)
                                               : LookupPoints(ctx.files, mode, ctx.points);
  if (!number.ok()) return number.error();
  ctx.state.rate_basis_number = *number;
  LogBinaryI32(BinaryLogKind::kRateBasisNumber, *number);
  Result<std::int32_t> index = FetchRateIndex(ctx.files, ctx.terms.tariff, ctx.index_bits, *number);
  if (!index.ok()) return index.error();
  ctx.state.rate_index = *index;
  std::int64_t record_number = *index;
  if (add_factors) {
    record_number += ctx.points.origin_record.addon_factor;
    record_number += ctx.points.destination_record.addon_factor;
  }
  // The index as fetched, then the record it leads to with the add-ons (16 bits as logged).
  LogBinaryI32(BinaryLogKind::kRateBasisValue, *index);
  LogBinaryI16(BinaryLogKind::kAddOnSum, static_cast<std::int16_t>(record_number));
  TOLV_RETURN_IF_ERROR(ReadRateRecord(ctx.files, ctx.terms.tariff, record_number,
                                      ctx.record_length, ctx.points, ctx.request, ctx.state));
  ctx.state.printed_number = CompactRateBasisNumber(ctx.state.record, ctx.terms.tariff.point_type);
  return kOk;
}

ErrorNumber RunPlainMethod(MethodContext& ctx, char letter) {
  switch (letter) {
    case '0':
      return RunCommonSkeleton(ctx, false, true);
    case '3':
      return RunCommonSkeleton(ctx, true, true);
    case '1':
    case 'D':
      TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx, letter == '1', true));
      ctx.state.printed_number = CodedRateBasisNumber(ctx.state.record);
      return kOk;
    default:  // '4', '5', '6', 'A', 'B', 'C': the rate index alone
      return RunCommonSkeleton(ctx, false, false);
  }
}

ErrorNumber RunLiteMethodStart(MethodContext& ctx) {
  TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx, false, true));
  int factor_set = ctx.state.record.FactorSetNumber();
  if (ctx.terms.reload_factor_set) TOLV_RETURN_IF_ERROR(ctx.terms.reload_factor_set(factor_set));
  bool has_factors = ctx.points.origin_record.addon_factor != 0 ||
                     ctx.points.destination_record.addon_factor != 0;
  if (ctx.terms.no_rbn_addon && has_factors) {
    TOLV_RETURN_IF_ERROR(ReadRateRecord(ctx.files, ctx.terms.tariff, ctx.state.rate_index,
                                        ctx.record_length, ctx.points, ctx.request, ctx.state));
    ctx.state.printed_number =
        CompactRateBasisNumber(ctx.state.record, ctx.terms.tariff.point_type);
  }
  return kOk;
}

ErrorNumber RunLiteMethod(MethodContext& ctx, char method) {
  if (ctx.terms.lite_steps) return ctx.terms.lite_steps(method, ctx);
  if (method == 'E') {
    TOLV_RETURN_IF_ERROR(RunLiteMethodStart(ctx));
  } else {
    TOLV_RETURN_IF_ERROR(RunCommonSkeleton(ctx, false, true));
  }
  if (LacksNumber(ctx.state.record)) {
    return method == 'I' || method == 'K' ? kErrInvrbn : kErrIvdcmb;
  }
  return kOk;
}

}  // namespace tolv
