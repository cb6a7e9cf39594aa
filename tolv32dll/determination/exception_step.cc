// The exception step: TDX.TBL records that remove a group from a shipment's groups when
// another group also covers it, keyed by the areas and order bytes of the two points; and
// between its walks the choice among the exception names (TDN.IDX, TDN.IDA) of each point.
#include <optional>

#include "KMLIB/tdn_files.h"
#include "KMLIB/tdx_file.h"
#include "tolv32dll/determination/determiner.h"
#include "tolv32dll/points/exception_city.h"

namespace tolv {
namespace {

// The exception names of a code for the groups that have a result: those filed under
// A(g), then under B(g) when it differs; at most limit in all.
std::vector<ExceptionName> ExceptionNames(std::string_view dir, const DeterminationState& state,
                                          std::string_view code, std::size_t limit) {
  std::vector<std::int16_t> codes;
  for (std::size_t g = 0; g < state.a.size(); ++g) {
    if (state.a[g] == 0) continue;
    codes.push_back(state.a[g]);
    if (state.b[g] != state.a[g]) codes.push_back(state.b[g]);
  }
  std::vector<ExceptionName> names;
  for (kmlib::TdnName& n :
       kmlib::ReadExceptionNames(TdFilePath(dir, kTdnIndexFile), TdFilePath(dir, kTdnNamesFile),
                                 code, codes, state.version, limit)) {
    names.push_back({std::move(n.name), n.code});
  }
  return names;
}

}  // namespace

class ExceptionWalker {
 public:
  ExceptionWalker(kmlib::ExceptionFile& file, DeterminationState& state)
      : file_(file), state_(state) {
    a_o_ = state.origin.tdz.area();
    r_o_ = state.origin.tdz.order();
    a_d_ = state.destination.tdz.area();
    r_d_ = state.destination.tdz.order();
  }

  // Whether a group other than g0 has a result equal to x (any result when x is 0,
  // and no result either when zero_matches_none).
  bool OtherGroupHas(std::size_t g0, std::int16_t x, bool zero_matches_none) const {
    for (std::size_t g = 0; g < state_.a.size(); ++g) {
      if (g == g0) continue;
      std::int16_t r = state_.a[g];
      if (x == 0 ? (zero_matches_none ? r == 0 : r != 0) : (r != 0 && r == x)) return true;
    }
    return false;
  }

  // Evaluates the exceptions of the run that begins at the record in hand.
  void ApplyRun(std::size_t g0, std::int16_t result) {
    const std::int16_t origin_key = file_.record().origin_key;
    bool more = true;
    while (more && state_.a[g0] != 0 && file_.record().group_result == result &&
           file_.record().origin_key == origin_key) {
      const kmlib::TdxRecord r = file_.record();
      if ((r.destination_key != 0 && r.destination_key != a_d_) || r.destination_key >= 98) {
        more = file_.Next();
        continue;
      }
      bool o;
      bool d;
      if (r.origin_mark == ' ' && r.destination_mark == ' ') {
        o = r.origin_order_key == 0 || r.origin_order_key == r_o_;
        d = o && (r.destination_order_key == 0 || r.destination_order_key == r_d_);
        more = file_.Next();
      } else {
        o = r.origin_mark != ' ';
        d = r.destination_mark != ' ';
        const std::int16_t link = r.link;
        bool first = true;
        // This record and the "=" records that continue it, within its group.
        while (more) {
          const kmlib::TdxRecord c = file_.record();
          bool continues = c.origin_mark == '=' || c.destination_mark == '=';
          if (!first && (!continues || c.link != link || c.group_result != result)) break;
          first = false;
          if (c.origin_mark == ' ' && (c.origin_order_key == 0 || c.origin_order_key == r_o_)) {
            o = true;
          } else if (c.origin_mark != ' ' && c.origin_order_key == r_o_) {
            o = false;
          }
          bool dest_key = c.destination_order_key == 0 || c.destination_order_key == r_d_;
          if (c.destination_mark == ' ' && dest_key) {
            d = true;
          } else if (c.destination_mark != ' ' && dest_key) {
            d = false;
          }
          more = file_.Next();
        }
      }
      if (o && d && OtherGroupHas(g0, r.other_group_result, false)) state_.DropGroup(g0);
    }
  }

  void KeyedWalks() {
    for (std::size_t g = 0; g < state_.a.size(); ++g) {
      const std::int16_t result = state_.a[g];
      if (result == 0) continue;
      const std::int16_t pairs[4][2] = {{0, 0}, {a_o_, 0}, {0, a_d_}, {a_o_, a_d_}};
      for (const auto& pair : pairs) {
        if (state_.a[g] == 0) break;
        if (file_.Find(result, pair[0], pair[1], state_.version)) ApplyRun(g, result);
      }
      if (state_.a[g] == 0) continue;
      WalkAll(g, result, 99, /*zero_matches_none=*/true);
    }
  }

  void AltWalks() {
    for (std::size_t g = 0; g < state_.a.size(); ++g) {
      const std::int16_t result = state_.a[g];
      if (result != 0) WalkAll(g, result, 98, /*zero_matches_none=*/false);
    }
  }

 private:
  // The walk of the records keyed (key, key): g0 goes when another group's result equals
  // a record's other-group result. For key 98 a result of 0 removes g0 outright.
  void WalkAll(std::size_t g0, std::int16_t result, std::int16_t key, bool zero_matches_none) {
    if (!file_.Find(result, key, key, state_.version)) return;
    do {
      const kmlib::TdxRecord& r = file_.record();
      if (r.group_result != result || r.origin_key != key || r.destination_key != key) break;
      bool drop = key == 98 && r.other_group_result == 0
                      ? true
                      : OtherGroupHas(g0, r.other_group_result, zero_matches_none);
      if (drop) {
        state_.DropGroup(g0);
        break;
      }
    } while (file_.Next());
  }

  kmlib::ExceptionFile& file_;
  DeterminationState& state_;
  std::int16_t a_o_, a_d_;
  std::uint8_t r_o_, r_d_;
};

ErrorNumber Determiner::ChooseExceptionPoint(bool origin) {
  if (state_.active_groups() < 2) return kOk;
  const std::string& code = origin ? request_.origin_zip : request_.destination_zip;
  const std::vector<ExceptionName> names =
      ExceptionNames(context_.data_dir, state_, code, kMaxExceptionNames);
  ListRequest no_list;
  ListRequest& list = context_.list_request ? *context_.list_request : no_list;
  std::string city = origin ? list.origin_city : list.destination_city;
  const Result<int> chosen = ChooseExceptionCity(list, code, city, names, {state_.a, state_.b});
  return chosen.ok() ? kOk : chosen.error();
}

ErrorNumber Determiner::CheckExceptions() {
  const std::string path = TdFilePath(context_.data_dir, kTdxFile);
  // Without TDX.TBL the walks are skipped and nothing is reported.
  if (std::optional<kmlib::ExceptionFile> file = kmlib::ExceptionFile::Open(path)) {
    ExceptionWalker(*file, state_).KeyedWalks();
  }
  // The point that stood first for the walks is asked first.
  const bool origin_first = state_.direction == 'F';
  TOLV_RETURN_IF_ERROR(ChooseExceptionPoint(origin_first));
  TOLV_RETURN_IF_ERROR(ChooseExceptionPoint(!origin_first));
  if (std::optional<kmlib::ExceptionFile> file = kmlib::ExceptionFile::Open(path)) {
    ExceptionWalker(*file, state_).AltWalks();
  }
  return kOk;
}

}  // namespace tolv
