#include "sample/bol_files.h"

#include <cstdio>
#include <string>
#include <vector>

#include "testkit/bol/bol_files.h"

namespace sample {
namespace {

namespace fs = std::filesystem;
using testkit::bol::Bill;
using testkit::bol::Party;
using testkit::bol::Product;

const std::vector<Party>& Shippers() {
  static const std::vector<Party> kShippers = {
      {"Maple Row Millworks", "14 Sawmill Rd", "Harlow", "Dane", "WI", "53701", "608-555-0101",
       "MRM-100", 0},
      {"Birch Lane Foods", "9 Orchard St", "Tenley", "Polk", "IA", "50309", "515-555-0177",
       "BLF-220", 0},
      {"Cedar Point Glass", "700 Kiln Ave", "Ostrow", "Erie", "OH", "44101", "216-555-0142",
       "CPG-031", 0},
  };
  return kShippers;
}

const std::vector<Party>& Consignees() {
  static const std::vector<Party> kConsignees = {
      {"Harbor View Supply", "2200 Wharf St", "Port Ellis", "Kent", "MI", "49503",
       "616-555-0188", "", 0},
      {"Quarry Hill Builders", "48 Granite Way", "Granby", "Lyon", "MN", "55401",
       "612-555-0123", "", 0},
      {"Northgate Hardware", "310 Rue Principale", "Lac Vert", "", "ON", "K1A0B1",
       "613-555-0166", "", 0},
  };
  return kConsignees;
}

const std::vector<Party>& ThirdParties() {
  static const std::vector<Party> kThirdParties = {
      {"Lakeshore Freight Audit", "77 Ledger Ln", "Harlow", "", "WI", "53703", "", "", 0},
  };
  return kThirdParties;
}

const std::vector<Product>& Products() {
  static const std::vector<Product> kProducts = {
      {"Oak flooring", "PT", "BD", "Prefinished oak flooring boards, cartoned", 0, 150, "55", 0},
      {"Canned tomatoes", "PT", "CT", "Canned tomatoes, 24 cans per carton", 0, 38, "50", 0},
      {"Tempered glass panels", "CR", "PC", "Tempered glass panels in wooden crates", 0, 220,
       "85", 0},
      {"Pool acid", "PT", "DR", "Hydrochloric acid solution, UN1789, 8, PG II", 1, 450, "55", 0},
  };
  return kProducts;
}

std::vector<Bill> Bills() {
  Bill flooring = testkit::bol::FlooringBill();

  Bill glass;
  glass.number = "CPG-0007";
  glass.ship_date = "12/03/2026";
  glass.shipper_number = "CPG-031";
  glass.shipper = Shippers()[2];
  glass.consignee = Consignees()[2];
  glass.third_party = ThirdParties()[0];
  glass.freight_paid_by = 2;
  glass.single_shipment = 1;
  glass.section7_signed = 0;
  glass.cod_amount = 1250;
  glass.cod_boxes[0] = 1;  // cashier's check only
  glass.cod_boxes[2] = 1;  // fee prepaid
  glass.cod_boxes[4] = 1;  // remit to the shipper
  glass.items = {
      {"Tempered glass panels", 3, "CR", 12, "PC", 0, "Tempered glass panels in wooden crates",
       2640, "85", 96},
      {"Pool acid", 1, "PT", 2, "DR", 1, "Hydrochloric acid solution, UN1789, 8, PG II", 900,
       "55", 0},
  };
  return {flooring, glass};
}

bool WriteIfMissing(const fs::path& path, const testkit::bol::Bytes& bytes) {
  if (fs::exists(path)) return true;
  if (testkit::bol::WriteBytes(path.string(), bytes)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

template <typename Record, typename Encode>
testkit::bol::Bytes Book(const std::vector<Record>& records, Encode encode) {
  std::vector<testkit::bol::Bytes> all;
  for (const Record& r : records) all.push_back(encode(r));
  return testkit::bol::Concatenate(all);
}

}  // namespace

bool BuildBolFiles(const fs::path& target) {
  std::error_code error;
  fs::create_directories(target / "BOLData", error);
  bool ok = WriteIfMissing(target / "Shipper.dat", Book(Shippers(), testkit::bol::PartyBytes)) &&
            WriteIfMissing(target / "Consigne.dat", Book(Consignees(), testkit::bol::PartyBytes)) &&
            WriteIfMissing(target / "ThirdPty.dat",
                           Book(ThirdParties(), testkit::bol::PartyBytes)) &&
            WriteIfMissing(target / "Product.dat", Book(Products(), testkit::bol::ProductBytes)) &&
            WriteIfMissing(target / "BOLDef.dat", testkit::bol::DefaultsBytes(1, 0, 0, 0));
  for (const Bill& bill : Bills()) {
    std::string name = bill.number.substr(0, 8) + ".BOL";
    ok = ok && WriteIfMissing(target / "BOLData" / name, testkit::bol::BillBytes(bill));
  }
  return ok;
}

}  // namespace sample
