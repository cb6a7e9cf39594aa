#include "testkit/bol/bol_files.h"

#include <fstream>

#include "platform/os/bytes.h"

namespace testkit::bol {
namespace {

void Text(Bytes& b, std::size_t at, std::size_t width, const std::string& text) {
  os::StoreText(b.data() + at, width, text);
}
void I32(Bytes& b, std::size_t at, std::int32_t v) { os::StoreI32Le(b.data() + at, v); }
void F64(Bytes& b, std::size_t at, double v) { os::StoreF64Le(b.data() + at, v); }

// The name, address, city, county, state, zip and phone of a party, as each record keeps them.
void PartyAt(Bytes& b, std::size_t at, const Party& p) {
  Text(b, at, 25, p.name);
  Text(b, at + 25, 35, p.address);
  Text(b, at + 60, 25, p.city);
  Text(b, at + 85, 25, p.county);
  Text(b, at + 110, 2, p.state);
  Text(b, at + 112, 6, p.zip);
  Text(b, at + 118, 25, p.phone);
}

}  // namespace

Bytes PartyBytes(const Party& p) {
  Bytes b(kPartySize, 0);
  PartyAt(b, 0, p);
  Text(b, 143, 25, p.shipper_number);
  b[168] = p.status;
  return b;
}

Bytes ProductBytes(const Product& p) {
  Bytes b(kProductSize, 0);
  Text(b, 0, 50, p.name);
  Text(b, 50, 4, p.handling_unit_type);
  Text(b, 54, 4, p.package_type);
  Text(b, 58, 250, p.description);
  b[308] = p.hazmat;
  I32(b, 309, p.weight_per_package);
  Text(b, 313, 4, p.freight_class);
  b[317] = p.status;
  return b;
}

Bytes BillBytes(const Bill& s) {
  Bytes b(kBillSize, 0);
  Text(b, 0, 25, s.number);
  Text(b, 25, 10, s.ship_date);
  Text(b, 35, 25, s.pro_number);
  Text(b, 60, 25, s.shipper_number);
  PartyAt(b, 85, s.shipper);
  Text(b, 228, 25, s.consignee_po);
  PartyAt(b, 253, s.consignee);
  Text(b, 396, 25, s.third_party.name);
  Text(b, 421, 35, s.third_party.address);
  Text(b, 456, 25, s.third_party.city);
  Text(b, 481, 2, s.third_party.state);
  Text(b, 483, 6, s.third_party.zip);
  b[489] = s.freight_paid_by;
  b[490] = s.single_shipment;
  b[491] = s.section7_signed;
  F64(b, 492, s.cod_amount);
  for (int i = 0; i < 6; ++i) b[500 + i] = s.cod_boxes[i];
  Text(b, 506, 6, s.declared_value);
  Text(b, 512, 6, s.declared_value_per);
  Text(b, 518, 25, s.notify_name);
  Text(b, 543, 25, s.notify_fax);
  Text(b, 568, 25, s.notify_phone);
  b[593] = static_cast<std::uint8_t>(s.items.size());
  Text(b, 594, 250, s.special_instructions);
  for (std::size_t n = 0; n < 20; ++n) {
    std::size_t at = 844 + n * 333;
    LineItem item = n < s.items.size() ? s.items[n] : LineItem{};
    Text(b, at + 0, 50, item.product_name);
    I32(b, at + 50, item.handling_units);
    Text(b, at + 54, 4, item.handling_unit_type);
    I32(b, at + 58, item.packages);
    Text(b, at + 62, 4, item.package_type);
    b[at + 66] = item.hazmat;
    Text(b, at + 67, 250, item.description);
    I32(b, at + 317, item.weight);
    Text(b, at + 321, 4, item.freight_class);
    F64(b, at + 325, item.cube);
  }
  return b;
}

Bill FlooringBill() {
  Bill b;
  b.number = "MRM-0101";
  b.ship_date = "12/01/2026";
  b.pro_number = "10442187";
  b.shipper_number = "MRM-100";
  b.shipper = {"Maple Row Millworks", "14 Sawmill Rd", "Harlow", "Dane", "WI", "53701",
               "608-555-0101", "MRM-100", 0};
  b.consignee = {"Quarry Hill Builders", "48 Granite Way", "Granby", "Lyon", "MN", "55401",
                 "612-555-0123", "", 0};
  b.consignee_po = "QHB-5521";
  b.freight_paid_by = 0;
  b.declared_value = "2.50";
  b.declared_value_per = "lb";
  b.notify_name = "Dana at Quarry Hill";
  b.notify_phone = "612-555-0124";
  b.special_instructions = "Liftgate needed at delivery.\r\nCall one hour ahead.";
  b.items = {
      {"Oak flooring", 4, "PT", 24, "BD", 0, "Prefinished oak flooring boards, cartoned", 3600,
       "55", 180},
      {"", 1, "PT", 10, "CT", 0, "Flooring trim and thresholds", 240, "70", 12.5},
  };
  return b;
}

Bytes DefaultsBytes(std::int32_t shipper, std::int32_t consignee, std::int32_t third_party,
                    std::int32_t product) {
  Bytes b(16, 0);
  I32(b, 0, shipper);
  I32(b, 4, consignee);
  I32(b, 8, third_party);
  I32(b, 12, product);
  return b;
}

Bytes Concatenate(const std::vector<Bytes>& records) {
  Bytes all;
  for (const Bytes& r : records) all.insert(all.end(), r.begin(), r.end());
  return all;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace testkit::bol
