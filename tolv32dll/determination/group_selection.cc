// The named pass and the selection of groups by jurisdiction.
#include <algorithm>
#include <array>

#include "tolv32dll/determination/determiner.h"

namespace tolv {

long Determiner::NextNamedEntry(long start) {
  if (entries().empty()) {
    ErrorNumber error = context_.effective.Load();
    if (error != kOk) return -2 - error;  // the caller turns this back into the error
  }
  for (std::size_t i = static_cast<std::size_t>(std::max(0L, start)); i < entries().size(); ++i) {
    const EffectiveEntry& e = entries()[i];
    bool kind_ok = kind_filter_ == ' ' || e.tariff_kind == kind_filter_ ||
                   (kind_filter_ == 'N' && e.tariff_kind == 'X');
    if (!kind_ok || e.date.IsZero() || !NameAgrees(e.Name(), request_.tariff_name)) continue;
    return e.tariff_number == 0 ? -1 : static_cast<long>(i);
  }
  return -1;
}

ErrorNumber Determiner::NamedPass() {
  const std::size_t n = state_.a.size();
  std::fill(state_.a.begin(), state_.a.end(), 0);
  std::fill(state_.b.begin(), state_.b.end(), 0);
  if (n == 0) return kErrIvdtar;
  std::vector<char> slot_kind(n, ' ');
  bool late = false;
  bool found_any = false;
  long entry = -1;
  // Each slot keeps the next entry of a tariff number not kept yet; the first kept entry
  // fixes the kind of those that may follow.
  for (std::size_t s = 0; s < n; ++s) {
    bool kept = false;
    while (!kept) {
      entry = NextNamedEntry(entry + 1);
      if (entry < -1) return static_cast<ErrorNumber>(-2 - entry);
      if (entry < 0) break;
      found_any = true;
      const EffectiveEntry& e = entries()[static_cast<std::size_t>(entry)];
      if (!NotAfterShipDate(e)) {
        late = true;
        continue;
      }
      if (std::find(state_.a.begin(), state_.a.begin() + static_cast<long>(s),
                    e.tariff_number) != state_.a.begin() + static_cast<long>(s)) {
        continue;
      }
      state_.a[s] = e.tariff_number;
      slot_kind[s] = e.tariff_kind;
      kind_filter_ = e.tariff_kind == 'X' ? 'N' : e.tariff_kind;
      late = false;
      kept = true;
    }
    if (entry < 0) break;
  }
  if (!found_any) return kErrIvdtar;

  bool any_x = std::find(slot_kind.begin(), slot_kind.end(), 'X') != slot_kind.end();
  if (kind_filter_ == 'N' && !any_x) {
    state_.b = state_.a;
    return kOk;
  }
  std::vector<std::int16_t> a2, b2;
  SelectPass(a2, b2);
  // A slot is confirmed when the ZIP pair's groups give its tariff number; failing any,
  // the slots of kind 'N' stand as named.
  auto confirm = [&](bool kind_n) {
    std::vector<bool> confirmed(n, false);
    bool any = false;
    for (std::size_t s = 0; s < n; ++s) {
      if (state_.a[s] == 0) continue;
      confirmed[s] = kind_n ? slot_kind[s] == 'N'
                            : std::find(a2.begin(), a2.end(), state_.a[s]) != a2.end();
      any = any || confirmed[s];
    }
    if (!any) return false;
    for (std::size_t s = 0; s < n; ++s) {
      state_.a[s] = state_.b[s] = confirmed[s] ? state_.a[s] : 0;
    }
    return true;
  };
  if (confirm(false) || confirm(true)) return kOk;
  return late ? kErrIvdtsd : kErrIvdefc;
}

Result<bool> Determiner::GroupHasClass(std::size_t g0, bool intrastate) {
  bool selected = false;
  int latest = -1;
  const std::int16_t number = state_.a[g0];
  for (std::size_t i = FirstOfNumber(number); i < entries().size(); ++i) {
    const EffectiveEntry& e = entries()[i];
    if (e.tariff_number > number) break;
    if (e.tariff_number != number || e.date.Key() <= latest || !NotAfterShipDate(e)) continue;
    if (request_.named() && !NameAgrees(e.Name(), request_.tariff_name)) continue;
    if (!PassesKindFilter(e.tariff_kind)) continue;
    bool of_class = intrastate ? (e.jurisdiction != 'N' && e.jurisdiction != 'C')
                               : e.jurisdiction != 'Y';
    if (!of_class) continue;
    const int date = e.date.Key();  // kept: selecting may reload the table under e
    ErrorNumber error = Select(i);
    if (error != kOk) return Result<bool>::Error(error);
    latest = date;
    selected = true;
  }
  return selected;
}

ErrorNumber Determiner::ByJurisdiction() {
  const std::size_t n = state_.a.size();  // at most kMaxGroups
  std::array<bool, kmlib::kMaxGroups> intra{};
  bool some_intrastate = false;
  for (std::size_t g = 0; g < n; ++g) {
    if (state_.a[g] == 0) continue;
    Result<bool> has = GroupHasClass(g, true);
    if (!has.ok()) return has.error();
    intra[g] = *has;
    some_intrastate = some_intrastate || *has;
  }
  // Two unknown states ("**") are not one state.
  const StateCode& so = state_.origin.state;
  const StateCode& sd = state_.destination.state;
  state_.intrastate = some_intrastate && so == sd && so != StateCode{'*', '*'} &&
                      request_.intrastate_flag;
  for (std::size_t g = 0; g < n; ++g) {
    if (state_.a[g] == 0) continue;
    if (state_.intrastate) {
      if (!intra[g]) state_.DropGroup(g);
      continue;
    }
    Result<bool> has = GroupHasClass(g, false);
    if (!has.ok()) return has.error();
    if (!*has) state_.DropGroup(g);
  }
  return kOk;
}

}  // namespace tolv
