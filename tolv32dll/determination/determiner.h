// The steps of tariff determination, shared by its source files.
#ifndef TOLV32DLL_DETERMINATION_DETERMINER_H_
#define TOLV32DLL_DETERMINATION_DETERMINER_H_

#include <algorithm>
#include <optional>
#include <vector>

#include "KMLIB/tdt_file.h"
#include "KMLIB/tdz_file.h"
#include "tolv32dll/determination/tariff_determination.h"

namespace tolv {

class Determiner {
 public:
  Determiner(int pass, const DeterminationRequest& request, DeterminationContext& context,
             DeterminationState& state)
      : pass_(pass), request_(request), context_(context), state_(state) {}

  ErrorNumber Run();

 private:
  const std::vector<EffectiveEntry>& entries() const { return context_.effective.entries(); }
  // Where the entries of a tariff number begin (or would begin). The table is sorted by
  // number, also after a reload, so they run from there to the first larger number.
  std::size_t FirstOfNumber(std::int16_t number) const {
    return static_cast<std::size_t>(
        std::lower_bound(entries().begin(), entries().end(), number,
                         [](const EffectiveEntry& e, std::int16_t n) { return e.tariff_number < n; }) -
        entries().begin());
  }
  ErrorNumber Select(std::size_t index) {
    return context_.effective.Select(static_cast<int>(index), &context_.current);
  }
  bool NotAfterShipDate(const EffectiveEntry& e) const {
    return e.date.Key() <= request_.ship_date.Key();
  }
  bool PassesKindFilter(char kind) const;

  std::optional<ErrorNumber> CanadianNamed();
  std::optional<ErrorNumber> NamedInFull();
  ErrorNumber FindPoint(std::string_view code, TdPoint* point, ErrorNumber out_of_range);
  // The select pass into a and b: true when some group found a line.
  bool SelectPass(std::vector<std::int16_t>& a, std::vector<std::int16_t>& b) const;
  ErrorNumber NamedPass();
  long NextNamedEntry(long start);
  ErrorNumber ByJurisdiction();
  // Whether group g0 has a tariff of the class (selecting each one found).
  Result<bool> GroupHasClass(std::size_t g0, bool intrastate);
  // The exception step: its walks and, between them, the city choice of each point.
  ErrorNumber CheckExceptions();
  // The choice among the exception names of the request's origin (or destination), which
  // keeps the groups of the name chosen: 123, 124 or 129 when the request does not choose.
  ErrorNumber ChooseExceptionPoint(bool origin);
  ErrorNumber ChooseByShipDate();
  bool CandidateMatches(const EffectiveEntry& a, const EffectiveEntry& b) const;

  int pass_;
  const DeterminationRequest& request_;
  DeterminationContext& context_;
  DeterminationState& state_;
  // Which tariff kinds the effective entries may have: 'Y' by ZIP codes, 'N' named in
  // full, or the kind the named pass leaves. Set by each determination before it is read.
  char kind_filter_ = ' ';
  // TDZ.BIN and TDT.BIN, found for the first point's look-up.
  std::optional<TdFiles::PointFiles> point_files_;
};

}  // namespace tolv

#endif  // TOLV32DLL_DETERMINATION_DETERMINER_H_
