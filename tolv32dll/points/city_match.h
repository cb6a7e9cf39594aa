// The choice among the cities of one point code: the request's city for that end is
// matched against a candidate list, or the list is handed to the caller.
#ifndef TOLV32DLL_POINTS_CITY_MATCH_H_
#define TOLV32DLL_POINTS_CITY_MATCH_H_

#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"

namespace tolv {

// How an unresolved choice is treated.
enum class CityChoice {
  kOptional,  // point substitutions and city values: no match means "skip"
  kRequired,  // exception-point names: no match is an error (123) or a list for the caller (124)
};

// Returns the index of the chosen entry, list.size() for "none". The list normally ends
// with the "  None of the above" entry. Errors: 124/129 from handing the list to the
// caller in list mode 'F'; for kRequired also 123 (list mode 'E') or 124.
Result<int> MatchCity(ListRequest& request, const std::vector<CityEntry>& list,
                      const std::string& point_code, CityChoice choice);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_CITY_MATCH_H_
