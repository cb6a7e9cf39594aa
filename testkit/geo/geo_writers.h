// Writers of the geography and terminal files: state.dat, ServZipsA.dat, ServTerm.dat and
// ServMatx.dat, laid out field by field from the file formats. Each returns the file's
// bytes; tests and the sample builder write them out.
#ifndef TESTKIT_GEO_GEO_WRITERS_H_
#define TESTKIT_GEO_GEO_WRITERS_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testkit {

using GeoBytes = std::vector<std::uint8_t>;

// 3-byte records, record n the state of ZIP prefix n, up to the highest prefix given;
// prefixes not given are blank.
GeoBytes StateFile(const std::map<int, std::string>& state_of_prefix);

struct ServiceZipRange {
  std::string low, high;  // postal codes, at most 6 characters
  std::int32_t terminal = 0;
  char origin_code = 'D', destination_code = 'D';
  std::int16_t origin_days = 0, destination_days = 0;
  char kind = 'A';
};
// 23-byte records in the order given (callers give them sorted).
GeoBytes ServiceZipFile(const std::vector<ServiceZipRange>& ranges);

struct Terminal {
  std::string name, code, address1, address2, city, state, postal_code, phone, toll_free, fax,
      email, contact_name, contact_title;
};
// 433-byte records, record n terminal n.
GeoBytes TerminalFile(const std::vector<Terminal>& terminals);

// days[o - 1][d - 1] is the transit time from terminal o to terminal d; 2-byte records,
// row by row. REQUIRES: a square matrix.
GeoBytes TransitMatrixFile(const std::vector<std::vector<std::int16_t>>& days);

}  // namespace testkit

#endif  // TESTKIT_GEO_GEO_WRITERS_H_
