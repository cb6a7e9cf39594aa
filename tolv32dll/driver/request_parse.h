// The request of one rating as the engine reads it from a ShipmentRecord: the header's
// points, tariff name and date, the detail lines, the discount switch, kind and blocks,
// and the adjustment factor. Every numeric field is checked before it is used, so a
// record of garbage ends in an error number, never in a read past a field.
#ifndef TOLV32DLL_DRIVER_REQUEST_PARSE_H_
#define TOLV32DLL_DRIVER_REQUEST_PARSE_H_

#include <string>
#include <vector>

#include "tolv32dll/effective/effective_entry.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/rates/class_totals.h"
#include "tolv32dll/records/shipment_record.h"
#include "tolv32dll/sidetables/service_letters.h"

namespace tolv {

struct ParsedRequest {
  std::string origin_zip;        // 6 characters
  std::string origin_city;       // 19
  std::string destination_zip;   // 6
  std::string destination_city;  // 19
  std::string tariff_name;       // the requested name up to its first blank; may be empty
  TariffDate ship_date;          // zero when the record gives none
  bool intrastate = false;
  bool canadian = false;
  char process_mode = ' ';
  std::vector<DetailLine> lines;
  bool discount_on = false;
  char discount_kind = 'C';
  DiscountSet block_a;
  DiscountSet block_b;
  int usable_breaks = 100;  // weight-break values of block A before the first " 9999"
  float adjustment_factor = 1.0f;
  bool single_shipment = false;
};

// Header: points, date (396), tariff name (395), flags. The header's NULs read as blanks.
ErrorNumber ParseHeader(const ShipmentRecord& record, ParsedRequest& out);

// The detail count (391 when it is not 0-20 or not a number) and each line: code "02"
// (382), class, weight (500 + line for 0; a weight that is not a number reads as 0).
ErrorNumber ParseDetails(const ShipmentRecord& record, ParsedRequest& out);

// Discount switch, kind and both blocks; block A's count of weight-break values.
void ParseDiscounts(const ShipmentRecord& record, ParsedRequest& out);

// The adjustment factor (text x 0.0001; blank or 0 = 1.0) and the single-shipment flag.
void ParseFactor(const ShipmentRecord& record, ParsedRequest& out);

// A text field read as the C library's decimal conversion reads it: leading blanks, an
// optional sign, digits and one decimal point; 0 when nothing reads.
double DecimalValue(std::string_view text);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_REQUEST_PARSE_H_
