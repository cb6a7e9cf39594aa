#include "testkit/driver/shipment_request.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace testkit {
namespace {

// Text of exactly n bytes at offset, blank-padded.
void Put(std::array<std::uint8_t, 2160>& r, std::size_t offset, const std::string& text,
         std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    r[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
  }
}

}  // namespace

ShipmentRequest LaneRequest(const std::string& tariff, const std::string& origin,
                            const std::string& destination, std::vector<RequestLine> lines) {
  ShipmentRequest q;
  q.tariff_name = tariff;
  q.origin_zip = origin;
  q.destination_zip = destination;
  q.lines = std::move(lines);
  return q;
}

std::array<std::uint8_t, 2160> ShipmentRequestBytes(const ShipmentRequest& q) {
  std::array<std::uint8_t, 2160> r;
  r.fill(' ');
  r[0] = 'F';
  r[2159] = '*';
  // Header fields, record offsets (header offset + 1).
  Put(r, 1, "01", 2);
  Put(r, 9, std::string(1, q.list_mode), 1);
  Put(r, 10, std::string(1, q.process_mode), 1);
  Put(r, 11, q.tariff_name, 8);
  Put(r, 19, "N", 1);
  Put(r, 20, q.ship_date, 10);
  Put(r, 30, q.origin_zip, 6);
  Put(r, 36, q.origin_city, 19);
  Put(r, 55, q.destination_zip, 6);
  Put(r, 61, q.destination_city, 19);
  char count[8];
  std::snprintf(count, sizeof count, "%02d", static_cast<int>(q.lines.size() % 100));
  Put(r, 80, q.detail_count.empty() ? count : q.detail_count, 2);
  Put(r, 177, std::string(1, q.single_shipment), 1);
  Put(r, 194, std::string(1, q.discount_switch), 1);
  Put(r, 214, std::string(1, q.discount_kind), 1);
  Put(r, 236, q.adjustment_factor, 5);
  for (std::size_t i = 0; i < q.lines.size() && i < 20; ++i) {
    const std::size_t at = 265 + 30 * i;
    Put(r, at, "02", 2);
    Put(r, at + 2, q.lines[i].class_text, 3);
    Put(r, at + 5, q.lines[i].weight, 6);
  }
  Put(r, 865, "D%", 2);
  for (std::size_t i = 0; i < 10; ++i) {
    Put(r, 867 + 5 * i, i < q.block_a.size() ? q.block_a[i] : "0000 ", 5);
  }
  // Everything past the discount blocks is the engine's to write.
  std::memset(r.data() + 973, 0, 2159 - 973);
  return r;
}

}  // namespace testkit
