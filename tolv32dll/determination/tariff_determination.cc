#include "tolv32dll/determination/tariff_determination.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "KMLIB/packed_zip.h"
#include "KMLIB/tdt_file.h"
#include "KMLIB/tdz_file.h"
#include "platform/os/ascii_text.h"
#include "tolv32dll/determination/determiner.h"

namespace tolv {

namespace {
constexpr StateCode kMexico{'M', 'X'};
}  // namespace

bool NameAgrees(std::string_view entry_name, std::string_view requested, std::string_view other) {
  if (requested.empty()) {
    return entry_name.substr(0, 3) == other.substr(0, std::min<std::size_t>(3, other.size()));
  }
  return entry_name.substr(0, requested.size()) == requested;
}

Result<std::uint8_t> ReadTdVersion(TdFiles& files, std::string_view dir,
                                   const TariffDate& ship_date) {
  const TdVersions& versions = files.Versions(dir);
  switch (versions.status) {
    case kmlib::TdStatus::kOk:
      break;
    case kmlib::TdStatus::kCannotOpen:
      return Result<std::uint8_t>::Error(kErrOpntdv);
    default:
      return Result<std::uint8_t>::Error(kErrRedtdv);
  }
  for (const kmlib::TdVersionRow& r : versions.rows) {
    if (TariffDate{r.century, r.year, r.month, r.day}.Key() <= ship_date.Key()) return r.version;
  }
  return Result<std::uint8_t>::Error(kErrSertdv);
}

std::optional<StateCode> LookupState(const TdDataSet& data, std::string_view dir,
                                     std::string_view zip) {
  if (zip.size() >= 6 && zip[5] == 'M') return kMexico;
  // The look-up is made as of version 98 (the letter b): a range counts when its
  // versions of validity hold it.
  constexpr std::uint8_t kAnyVersion = 98;
  kmlib::TdzRecord record;
  if (kmlib::FindZip(TdFilePath(dir, kTdzFile), zip, kAnyVersion, &record) !=
      kmlib::TdStatus::kOk) {
    return std::nullopt;
  }
  if (!kmlib::CodeInPackedRange(zip, record.low_zip(), record.high_zip())) return std::nullopt;
  return data.StateOf(record.area());
}

ErrorNumber DetermineTariff(int pass, const DeterminationRequest& request,
                            DeterminationContext& context, DeterminationState* state) {
  return Determiner(pass, request, context, *state).Run();
}

bool Determiner::PassesKindFilter(char kind) const {
  if (kind_filter_ == 'Y') return kind != 'N' && kind != 'X';
  if (kind_filter_ == 'N') return kind != 'Y';
  return true;
}

// A Canadian shipment naming a tariff in full takes the latest entry of that name in
// force for Canadian (or Mexican, or bureau-point) rating.
std::optional<ErrorNumber> Determiner::CanadianNamed() {
  auto letter_first = [](const std::string& code) {
    return !code.empty() && os::IsAsciiAlpha(code[0]);
  };
  bool origin_letter = letter_first(request_.origin_zip);
  if (!(origin_letter || letter_first(request_.destination_zip)) || !request_.named8()) {
    return std::nullopt;
  }
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < entries().size(); ++i) {
    const EffectiveEntry& e = entries()[i];
    if (e.Name() == request_.tariff_name && NotAfterShipDate(e) &&
        (e.jurisdiction == 'C' || e.jurisdiction == 'M' || e.point_type == 'Y')) {
      found.push_back(i);
    }
  }
  if (found.empty()) return origin_letter ? kErrBadorg : kErrBaddst;
  std::stable_sort(found.begin(), found.end(), [&](std::size_t x, std::size_t y) {
    return entries()[x].date.Key() < entries()[y].date.Key();
  });
  return Select(found.back());
}

// A tariff named in full is taken as it stands when an entry of this pass is in force.
std::optional<ErrorNumber> Determiner::NamedInFull() {
  if (request_.mexican() && !request_.named8()) return kErrMxtrnm;
  if (!request_.named8()) return std::nullopt;
  kind_filter_ = 'N';
  for (std::size_t i = entries().size(); i-- > 0;) {
    const EffectiveEntry& e = entries()[i];
    if (e.Name() == request_.tariff_name && e.tariff_number == pass_ && NotAfterShipDate(e)) {
      return Select(i);
    }
  }
  if (request_.mexican()) return kErrIvdefc;
  return std::nullopt;
}

ErrorNumber Determiner::FindPoint(std::string_view code, TdPoint* point, ErrorNumber out_of_range) {
  if (!point_files_) {
    point_files_ = context_.data.files().ForPoints(context_.data_dir, context_.data.group_count());
  }
  if (point_files_->zip_ranges == nullptr) return kErrOpntdz;
  if (point_files_->zip_ranges->Find(code, state_.version, &point->tdz) != kmlib::TdStatus::kOk) {
    return kErrGettdz;
  }
  if (!kmlib::CodeInPackedRange(code, point->tdz.low_zip(), point->tdz.high_zip())) {
    return out_of_range;
  }
  switch (point_files_->area_status) {
    case kmlib::TdStatus::kOk:
      break;
    case kmlib::TdStatus::kCannotOpen:
      return kErrOpntdt;
    default:
      return kErrGettdt;
  }
  if (point_files_->area_values->Find(point->tdz.area(), point->tdz.sub_area(), &point->tdt) !=
      kmlib::TdStatus::kOk) {
    return kErrGettdt;
  }
  return kOk;
}

bool Determiner::SelectPass(std::vector<std::int16_t>& a, std::vector<std::int16_t>& b) const {
  const int n = context_.data.group_count();
  a.assign(static_cast<std::size_t>(n), 0);
  b.assign(static_cast<std::size_t>(n), 0);
  bool any = false;
  for (int g = 1; g <= n; ++g) {
    std::int16_t o = state_.origin.tdt.values[static_cast<std::size_t>(g - 1)];
    std::int16_t d = state_.destination.tdt.values[static_cast<std::size_t>(g - 1)];
    for (const kmlib::TdSelectRow& row : context_.data.select().rows) {
      if (row.group != g || state_.version < row.first_version ||
          state_.version > row.last_version) {
        continue;
      }
      // The pair matches in either order.
      if ((row.origin_value == o && row.destination_value == d) ||
          (row.origin_value == d && row.destination_value == o)) {
        a[static_cast<std::size_t>(g - 1)] = row.result;
        b[static_cast<std::size_t>(g - 1)] = row.second_result;
        any = true;
        break;
      }
    }
  }
  return any;
}

ErrorNumber Determiner::Run() {
  const int n = context_.data.group_count();
  state_.a.assign(static_cast<std::size_t>(n), 0);
  state_.b.assign(static_cast<std::size_t>(n), 0);
  if (request_.mexican_origin) state_.origin.state = kMexico;
  if (request_.mexican_destination) state_.destination.state = kMexico;

  if (std::optional<ErrorNumber> done = CanadianNamed()) return *done;
  if (std::optional<ErrorNumber> done = NamedInFull()) return *done;

  Result<std::uint8_t> version =
      ReadTdVersion(context_.data.files(), context_.data_dir, request_.ship_date);
  if (!version.ok()) return version.error();
  state_.version = *version;
  TOLV_RETURN_IF_ERROR(FindPoint(request_.origin_zip, &state_.origin, kErrIvdorg));
  TOLV_RETURN_IF_ERROR(FindPoint(request_.destination_zip, &state_.destination, kErrIvddst));
  for (TdPoint* p : {&state_.origin, &state_.destination}) {
    p->state = context_.data.StateOf(p->tdz.area()).value_or(StateCode{'*', '*'});
  }

  const kmlib::TdzRecord& o = state_.origin.tdz;
  const kmlib::TdzRecord& d = state_.destination.tdz;
  bool own_order = d.area() > o.area() || (d.area() == o.area() && d.order() >= o.order());
  state_.direction = own_order ? 'F' : 'T';
  if (!own_order) std::swap(state_.origin, state_.destination);

  if (request_.named()) {
    kind_filter_ = ' ';
    TOLV_RETURN_IF_ERROR(NamedPass());
  } else {
    kind_filter_ = 'Y';
    if (!SelectPass(state_.a, state_.b)) return kErrIvdcmb;
  }

  TOLV_RETURN_IF_ERROR(ByJurisdiction());
  char kind = context_.current.tariff_kind;
  if (state_.active_groups() >= 2 && ((kind == 'X' && request_.named()) || kind == 'Y')) {
    TOLV_RETURN_IF_ERROR(CheckExceptions());
  }
  if (state_.direction == 'T') std::swap(state_.origin, state_.destination);
  if (state_.active_groups() == 0) return kErrIvdcmb;
  return ChooseByShipDate();
}

}  // namespace tolv
