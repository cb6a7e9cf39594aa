#include "tolv32dll/points/exception_city.h"

#include <algorithm>
#include <cstring>

#include "platform/os/ascii_text.h"
#include "tolv32dll/points/city_match.h"

namespace tolv {
namespace {

std::string Name19(const std::string& name) {
  std::string s = name.substr(0, 19);
  s.resize(19, ' ');
  return s;
}

}  // namespace

Result<int> ChooseExceptionCity(ListRequest& request, const std::string& point_code,
                                std::string& city, const std::vector<ExceptionName>& all_names,
                                ExceptionGroups groups) {
  int active = 0;
  for (std::size_t g = 0; g < groups.a.size(); ++g) active += groups.a[g] != 0;
  if (active < 2) return 0;
  std::vector<ExceptionName> names(
      all_names.begin(), all_names.begin() + std::min(all_names.size(), kMaxExceptionNames));
  if (names.size() < 2) return static_cast<int>(names.size());

  std::vector<std::string> distinct;
  for (const ExceptionName& n : names) {
    std::string name = Name19(n.name);
    bool seen = std::any_of(distinct.begin(), distinct.end(),
                            [&](const std::string& d) { return os::EqualAsciiNoCase(d, name); });
    if (!seen) distinct.push_back(name);
  }
  const int count = static_cast<int>(distinct.size());

  std::string chosen;
  std::string given = Name19(city);
  if (city.find_first_not_of(' ') != std::string::npos) {
    for (const std::string& d : distinct) {
      if (os::EqualAsciiNoCase(d, given)) chosen = d;
    }
  }
  if (chosen.empty()) {
    std::sort(distinct.begin(), distinct.end());
    std::vector<CityEntry> list;
    for (const std::string& d : distinct) list.push_back(MakeCityEntry(d));
    list.push_back(NoneOfTheAboveEntry());
    Result<int> index = MatchCity(request, list, point_code, CityChoice::kRequired);
    if (!index.ok()) return Result<int>::Error(index.error());
    if (*index < 0 || *index >= count) return count;
    chosen = distinct[*index];
    city = chosen;
  }

  // One point's name of code 901 also claims the groups of its old code 906.
  if (point_code.compare(0, 5, "25530") == 0) {
    for (const ExceptionName& n : names) {
      if (n.code != 901 || !os::EqualAsciiNoCase(Name19(n.name), chosen)) continue;
      for (std::int16_t& a : groups.a) {
        if (a == 906) a = 901;
      }
    }
  }
  std::vector<bool> marked(groups.a.size(), false);
  for (const ExceptionName& n : names) {
    if (!os::EqualAsciiNoCase(Name19(n.name), chosen)) continue;
    for (std::size_t g = 0; g < groups.a.size(); ++g) {
      if (groups.a[g] == n.code || (g < groups.b.size() && groups.b[g] == n.code)) marked[g] = true;
    }
  }
  for (std::size_t g = 0; g < groups.a.size(); ++g) {
    if (!marked[g]) {
      groups.a[g] = 0;
      if (g < groups.b.size()) groups.b[g] = 0;
    }
  }
  return count;
}

}  // namespace tolv
