// Writer of the ShipmentRecord a caller hands to the rating calls: the request fields at
// their fixed places, the rest blank, lead byte "F" and trailer "*".
#ifndef TESTKIT_DRIVER_SHIPMENT_REQUEST_H_
#define TESTKIT_DRIVER_SHIPMENT_REQUEST_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

struct RequestLine {
  std::string class_text;  // left-aligned in 3
  std::string weight;      // left-aligned in 6, as the screens send it
};

struct ShipmentRequest {
  std::string tariff_name;  // 8, blank = determine
  char list_mode = ' ';     // 'E': an ambiguous city or tariff fails; 'F': listed to the caller
  char process_mode = ' ';
  std::string ship_date = "06/15/2024";
  std::string origin_zip = "15000";
  std::string destination_zip = "25000";
  std::string origin_city;
  std::string destination_city;
  std::vector<RequestLine> lines;
  std::string detail_count;  // empty: the number of lines as "%02d"
  char single_shipment = 'N';
  char discount_switch = 'N';
  char discount_kind = 'C';
  std::string adjustment_factor = "10000";
  // Block A's ten values ("2500 " = 25 %); empty: ten "0000 ".
  std::vector<std::string> block_a;
};

// A request of the tariff (blank: determine), the two points and the lines; the rest as
// above.
ShipmentRequest LaneRequest(const std::string& tariff, const std::string& origin,
                            const std::string& destination, std::vector<RequestLine> lines);

// The 2160 bytes of the record.
std::array<std::uint8_t, 2160> ShipmentRequestBytes(const ShipmentRequest& request);

}  // namespace testkit

#endif  // TESTKIT_DRIVER_SHIPMENT_REQUEST_H_
