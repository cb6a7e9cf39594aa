#include "tolv32dll/points/city_match.h"

#include <cstring>

namespace tolv {
namespace {

bool SameZip(const std::string& a, const std::string& b) {
  std::string x = a.substr(0, 5), y = b.substr(0, 5);
  x.resize(5, ' ');
  y.resize(5, ' ');
  return x == y;
}

bool IsAnyCity(const std::string& city) { return city.compare(0, 2, "**") == 0; }

std::string City19(std::string city) {
  city.resize(19, ' ');
  return city;
}

}  // namespace

Result<int> MatchCity(ListRequest& request, const std::vector<CityEntry>& list,
                      const std::string& point_code, CityChoice choice) {
  const int none = static_cast<int>(list.size());
  if (choice == CityChoice::kOptional) request.list_kind = 'B';
  bool is_origin = SameZip(point_code, request.origin_zip);
  bool is_destination = SameZip(point_code, request.destination_zip);
  // A request city of "**" for this end asks for no choice at all.
  if ((is_origin && IsAnyCity(request.origin_city)) ||
      (is_destination && IsAnyCity(request.destination_city))) {
    return none;
  }
  std::string city;  // the destination wins when the code names both ends
  if (is_origin) city = request.origin_city;
  if (is_destination) city = request.destination_city;
  city = City19(city);

  if (choice == CityChoice::kRequired) {
    if (request.list_mode == 'E') return Result<int>::Error(kErrCityMustBeSpecified);
    ErrorNumber copied = CopyCitiesToCaller(request, list, point_code);
    return Result<int>::Error(copied == kOk ? kErrCityListBuilt : copied);
  }
  if (request.list_mode == 'F') {
    ErrorNumber copied = CopyCitiesToCaller(request, list, point_code);
    if (copied != kOk) return Result<int>::Error(copied);
  }
  if (city.find_first_not_of(' ') == std::string::npos) city.replace(0, 2, "**");
  for (int i = 0; i < none; ++i) {
    if (std::memcmp(list[i].data(), city.data(), 19) == 0) return i;
  }
  return none;
}

}  // namespace tolv
