// Writers of the bill-of-lading files, from their published layouts: the bills of BOLData,
// the three address books, the product catalogue and BOLDef.dat. Texts are Windows-1252
// (plain ASCII here), blank-padded, cut at their width.
#ifndef TESTKIT_BOL_BOL_FILES_H_
#define TESTKIT_BOL_BOL_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace testkit::bol {

using Bytes = std::vector<std::uint8_t>;

struct Party {
  std::string name, address, city, county, state, zip, phone, shipper_number;
  std::uint8_t status = 0;  // 255: deleted
};

struct Product {
  std::string name, handling_unit_type, package_type, description;
  std::uint8_t hazmat = 0;
  std::int32_t weight_per_package = 0;
  std::string freight_class;
  std::uint8_t status = 0;
};

struct LineItem {
  std::string product_name;
  std::int32_t handling_units = 0;
  std::string handling_unit_type;
  std::int32_t packages = 0;
  std::string package_type;
  std::uint8_t hazmat = 0;
  std::string description;
  std::int32_t weight = 0;
  std::string freight_class;
  double cube = 0;
};

struct Bill {
  std::string number, ship_date, pro_number, shipper_number;
  Party shipper, consignee, third_party;  // the third party's county and phone are not kept
  std::string consignee_po;
  std::uint8_t freight_paid_by = 3, single_shipment = 1, section7_signed = 1;
  double cod_amount = 0;
  // Cashier's check only, consignee check OK, fee prepaid, fee collect, remit to shipper,
  // remit to third party.
  std::uint8_t cod_boxes[6] = {0, 0, 0, 0, 0, 0};
  std::string declared_value, declared_value_per, notify_name, notify_fax, notify_phone;
  std::string special_instructions;
  std::vector<LineItem> items;  // at most 20
};

// Records with only a name (or number) given, the rest blank.
inline Party NamedParty(std::string name, std::uint8_t status = 0) {
  Party p;
  p.name = std::move(name);
  p.status = status;
  return p;
}
inline Product NamedProduct(std::string name) {
  Product p;
  p.name = std::move(name);
  return p;
}
inline Bill NumberedBill(std::string number) {
  Bill b;
  b.number = std::move(number);
  return b;
}

// The sample's one-page bill: flooring from Maple Row Millworks to Quarry Hill Builders,
// prepaid, with a notify party, instructions on two lines and two items.
Bill FlooringBill();

inline constexpr std::size_t kBillSize = 7504;
inline constexpr std::size_t kPartySize = 169;
inline constexpr std::size_t kProductSize = 318;

Bytes PartyBytes(const Party& party);
Bytes ProductBytes(const Product& product);
Bytes BillBytes(const Bill& bill);
Bytes DefaultsBytes(std::int32_t shipper, std::int32_t consignee, std::int32_t third_party,
                    std::int32_t product);

// The records one after another, as a book file holds them.
Bytes Concatenate(const std::vector<Bytes>& records);

// Writes bytes to path (creating or replacing it); false on failure.
bool WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace testkit::bol

#endif  // TESTKIT_BOL_BOL_FILES_H_
