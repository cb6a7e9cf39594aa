#include "frelane/ratesheet/sideline_pair.h"

#include "frelane/core/field_helpers.h"
#include "frelane/ratesheet/zip_prefix.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

bool IsPrefix(std::string_view text) { return text.size() == 3 && modMain::IsValidZip(text); }

}  // namespace

PairCheck CheckSidelinePair(std::string_view low, std::string_view high) {
  const std::string l = runtime::Trim(low), h = runtime::Trim(high);
  if (!IsPrefix(l)) return PairCheck::kInvalidLow;
  if (!IsPrefix(h) || IsNumericPrefix(l) != IsNumericPrefix(h)) return PairCheck::kInvalidHigh;
  if (h < l) return PairCheck::kLowAboveHigh;
  return PairCheck::kOk;
}

bool StepWithinPair(std::string& prefix, std::string_view high) {
  std::string next = NextZipPrefix(prefix);
  if (!(next > prefix) || next > high) return false;
  prefix = std::move(next);
  return true;
}

}  // namespace frelane::ratesheet
