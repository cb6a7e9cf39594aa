// The choice, among the tariffs of the groups left, of the one in force on the ship date.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>

#include "platform/os/record_layout.h"
#include "tolv32dll/determination/determiner.h"
#include "tolv32dll/points/candidate_list.h"

namespace tolv {

namespace {
constexpr std::size_t kMaxCandidates = 30;
}  // namespace

bool Tariff_CandidateMatches(const EffectiveEntry& a, const EffectiveEntry& b, bool canadian,
                             std::string_view requested_name) {
  if (a.tariff_number != b.tariff_number || !(a.date == b.date) ||
      a.jurisdiction != b.jurisdiction || a.tariff_kind != b.tariff_kind) {
    return false;
  }
  bool jurisdiction_ok = canadian ? (b.jurisdiction == 'C' || b.point_type == 'Y')
                                  : (b.jurisdiction != 'C' || b.point_type == 'Y');
  if (!jurisdiction_ok) return false;
  const std::size_t n = std::min(requested_name.size(), a.name.size());
  return requested_name.empty() || a.Name().substr(0, n) == b.Name().substr(0, n);
}

bool Determiner::CandidateMatches(const EffectiveEntry& a, const EffectiveEntry& b) const {
  return Tariff_CandidateMatches(a, b, request_.canadian, request_.tariff_name);
}

ErrorNumber Determiner::ChooseByShipDate() {
  struct Candidate {
    std::size_t index;
    EffectiveEntry entry;
  };
  std::vector<Candidate> candidates;
  char lookup = kind_filter_;
  for (std::size_t g = 0; g < state_.a.size(); ++g) {
    if (state_.a[g] == 0) continue;
    const std::int16_t number = state_.a[g];
    const std::size_t first = FirstOfNumber(number);
    std::size_t end = first;
    while (end < entries().size() && entries()[end].tariff_number == number) ++end;
    const EffectiveEntry* found = nullptr;
    for (std::size_t i = end; i-- > first;) {
      const EffectiveEntry& e = entries()[i];
      if (!NotAfterShipDate(e)) continue;
      if (state_.intrastate ? e.jurisdiction != 'Y' : e.jurisdiction == 'Y') continue;
      if (request_.canadian ? !(e.jurisdiction == 'C' || e.point_type == 'Y')
                            : e.jurisdiction == 'C') {
        continue;
      }
      if (!(e.tariff_kind == lookup || (e.tariff_kind == 'X' && lookup == 'N'))) continue;
      if (request_.named() && !NameAgrees(e.Name(), request_.tariff_name)) continue;
      found = &e;
      break;
    }
    if (found == nullptr) continue;
    const EffectiveEntry key = *found;
    for (std::size_t i = first; i < entries().size() && candidates.size() < kMaxCandidates; ++i) {
      if (entries()[i].tariff_number > number) break;
      const EffectiveEntry e = entries()[i];  // a copy: selecting may reload the table
      if (!CandidateMatches(key, e)) continue;
      bool seen = std::any_of(candidates.begin(), candidates.end(),
                              [&](const Candidate& c) { return c.entry.SameTariff(e); });
      if (seen) continue;
      TOLV_RETURN_IF_ERROR(Select(i));
      candidates.push_back({i, e});
    }
  }
  if (candidates.empty()) return kErrIvdefc;

  const Candidate* chosen = &candidates.front();
  bool one_name = std::all_of(candidates.begin(), candidates.end(), [&](const Candidate& c) {
    return c.entry.name == candidates.front().entry.name;
  });
  if (one_name) {
    // A single candidate needs no sorting (which would still take a buffer).
    if (candidates.size() > 1) {
      std::stable_sort(candidates.begin(), candidates.end(),
                       [](const Candidate& x, const Candidate& y) {
                         return x.entry.date.Key() < y.entry.date.Key();
                       });
    }
    for (const Candidate& c : candidates) {
      if (NotAfterShipDate(c.entry)) chosen = &c;
    }
  } else {
    std::vector<TariffEntry> rows;
    for (const Candidate& c : candidates) {
      TariffEntry row;
      row.fill(' ');
      char text[16];
      std::snprintf(text, sizeof text, "%02d%02d%02d", c.entry.date.year % 100,
                    c.entry.date.month % 100, c.entry.date.day % 100);
      const os::RecordView view(
          std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(row.data()), row.size()));
      view.SetRaw(tariff_entry::kName, c.entry.Name());
      view.SetText(tariff_entry::kDate, text);
      rows.push_back(row);
    }
    ListRequest no_list;
    ListRequest& list = context_.list_request ? *context_.list_request : no_list;
    Result<int> picked = MatchTariffName(list, rows);
    if (!picked.ok()) return picked.error();
    if (*picked < 0 || static_cast<std::size_t>(*picked) >= candidates.size()) return kErrIvdefc;
    chosen = &candidates[static_cast<std::size_t>(*picked)];
  }
  // The table may have been reloaded by the selections above: select by the entry kept.
  const std::vector<EffectiveEntry>& now = entries();
  for (std::size_t i = FirstOfNumber(chosen->entry.tariff_number); i < now.size(); ++i) {
    if (now[i].tariff_number > chosen->entry.tariff_number) break;
    if (now[i].SameTariff(chosen->entry)) {
      TOLV_RETURN_IF_ERROR(Select(i));
      state_.tariff_date = chosen->entry.date;
      return kOk;
    }
  }
  return kErrEfcred;
}

}  // namespace tolv
