// The city choice among the exception names of a point when tariff determination left
// several groups: the chosen name keeps the groups whose results carry its code and drops
// the others.
#ifndef TOLV32DLL_POINTS_EXCEPTION_CITY_H_
#define TOLV32DLL_POINTS_EXCEPTION_CITY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"

namespace tolv {

// One exception name of the point (19 characters) with its code.
struct ExceptionName {
  std::string name;
  std::int16_t code = 0;
};

// The groups' results, A(g) and B(g) at [g]; a dropped group reads 0 in both.
struct ExceptionGroups {
  std::vector<std::int16_t>& a;
  std::vector<std::int16_t>& b;
};

// At most this many names are considered.
inline constexpr std::size_t kMaxExceptionNames = 66;

// With two groups or more left and two names or more, the given city (or the request's
// city, or the caller) chooses a name; `city` receives it and the groups without its code
// are dropped. Returns the number of distinct names. Errors: 123, 124, 129 of the city
// choice when nothing chooses.
Result<int> ChooseExceptionCity(ListRequest& request, const std::string& point_code,
                                std::string& city, const std::vector<ExceptionName>& names,
                                ExceptionGroups groups);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_EXCEPTION_CITY_H_
