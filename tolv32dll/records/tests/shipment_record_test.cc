#include "tolv32dll/records/shipment_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "tolv32dll/records/tariff_tables_record.h"

namespace tolv {
namespace {

// Writes text at a literal offset, the way the record's table lays it out.
void Put(std::vector<std::uint8_t>& b, std::size_t offset, const char* text) {
  std::memcpy(b.data() + offset, text, std::strlen(text));
}
void PutI32(std::vector<std::uint8_t>& b, std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(ShipmentRecordTest, FieldsReadFromRecordBuiltByHand) {
  std::vector<std::uint8_t> b(2160, ' ');
  b[0] = 'F';
  Put(b, 1, "01");                       // record code
  Put(b, 3, "0216");                     // status
  Put(b, 11, "TESTLTL1");                // tariff name
  Put(b, 20, "03-15-2026");              // ship date
  Put(b, 30, "12345 ");                  // origin zip
  Put(b, 36, "SPRINGFIELD");             // origin city
  Put(b, 55, "K1A0B1");                  // destination zip
  Put(b, 80, " 2");                      // detail count
  Put(b, 214, "R");                      // discount kind
  Put(b, 236, "15000");                  // adjustment factor
  Put(b, 263, "zz");                     // last caller bytes
  Put(b, 265, "02100000500");            // detail 1: code, class, weight
  Put(b, 295 + 2, "92 ");                // detail 2 class
  Put(b, 865, "D%2500  9999 ");          // block A marker, values 1 and 2
  Put(b, 919, "I%");                     // block B marker
  PutI32(b, 976, 12345);                 // minimum charge cents
  PutI32(b, 992 + 4 * 170, 0xFFFFFFFF);  // last rate matrix cell: -1
  Put(b, 1676 + 6 * 19, "500   ");       // class code 20
  PutI32(b, 1796 + 4 * 19, 20000);       // weight break 20
  b[1876] = 19;
  b[1877] = 0;  // class count
  b[1878] = 9;
  b[1879] = 0;                     // weight-break count
  Put(b, 1880, "10");              // bracket kinds
  PutI32(b, 2032 + 4 * 29, 7777);  // bracket charge 30
  b[2152] = 3;
  b[2153] = 0;  // method
  b[2154] = 30;
  b[2155] = 0;  // bracket count
  b[2159] = '*';

  ShipmentRecord r = ShipmentRecord::FromBytes(b.data());
  namespace h = shipment_header;
  namespace d = shipment_detail;
  namespace s = shipment_record;
  EXPECT_EQ(r.header().Text(h::kRecordCode), "01");
  EXPECT_EQ(r.header().Text(h::kStatus), "0216");
  EXPECT_EQ(r.header().Text(h::kTariffName), "TESTLTL1");
  EXPECT_EQ(r.header().Text(h::kShipDate), "03-15-2026");
  EXPECT_EQ(r.header().Raw(h::kOriginZip), "12345 ");
  EXPECT_EQ(r.header().Text(h::kOriginCity), "SPRINGFIELD");
  EXPECT_EQ(r.header().Text(h::kDestinationZip), "K1A0B1");
  EXPECT_EQ(r.header().Raw(h::kDetailCount), " 2");
  EXPECT_EQ(r.header().Text(h::kDiscountKind), "R");
  EXPECT_EQ(r.header().Text(h::kAdjustmentFactor), "15000");
  EXPECT_EQ(r.header().Raw(h::kCallerArea262), "zz");
  EXPECT_EQ(r.detail(0).Text(d::kDetailCode), "02");
  EXPECT_EQ(r.detail(0).Text(d::kClass), "100");
  EXPECT_EQ(r.detail(0).Text(d::kWeight), "000500");
  EXPECT_EQ(r.detail(1).Text(d::kClass), "92");
  EXPECT_EQ(r.discount_a().Text(discount_block::kMarker), "D%");
  EXPECT_EQ(r.discount_a().Raw(discount_block::kValue), "2500 ");
  EXPECT_EQ(r.discount_a().Raw(discount_block::kValue.Nth(1)),
            std::string(discount_block::kNoValue));
  EXPECT_EQ(r.discount_b().Text(discount_block::kMarker), "I%");
  EXPECT_EQ(r.view().I32(s::kMinimumChargeCents), 12345);
  EXPECT_EQ(r.view().I32(s::kRateMatrix.Nth(170)), -1);
  EXPECT_EQ(r.view().Text(s::kClassCode.Nth(19)), "500");
  EXPECT_EQ(r.view().I32(s::kWeightBreak.Nth(19)), 20000);
  EXPECT_EQ(r.view().I16(s::kClassCount), 19);
  EXPECT_EQ(r.view().I16(s::kWeightBreakCount), 9);
  EXPECT_EQ(r.view().Text(s::kBracketKinds), "10");
  EXPECT_EQ(r.view().I32(s::kBracketCharge.Nth(29)), 7777);
  EXPECT_EQ(r.view().I16(s::kMinimumMethod), 3);
  EXPECT_EQ(r.view().I16(s::kBracketCount), 30);
  EXPECT_EQ(r.view().Raw(s::kTrailer), "*");
  EXPECT_EQ(r.view().Raw(s::kLeadByte), "F");
}

TEST(ShipmentRecordTest, WritesLandAtTheirOffsetsAndNowhereElse) {
  ShipmentRecord r;
  r.bytes().fill('.');
  r.header().SetText(shipment_header::kStatus, "");
  r.header().SetText(shipment_header::kTotalWeight, "001234");
  r.detail(19).SetText(shipment_detail::kCharge, "000012.34");
  r.view().SetI16(shipment_record::kBracketCount, -2);
  r.view().SetI32(shipment_record::kRateMatrix.Nth(0), 0x01020304);

  std::vector<std::uint8_t> expect(2160, '.');
  Put(expect, 3, "    ");
  Put(expect, 101, "001234");
  Put(expect, 265 + 30 * 19 + 18, "000012.34");
  expect[2154] = 0xFE;
  expect[2155] = 0xFF;
  PutI32(expect, 992, 0x01020304);
  EXPECT_EQ(std::vector<std::uint8_t>(r.bytes().begin(), r.bytes().end()), expect);
}

// The detail count must read every two bytes exactly as "%2hd" reads their C string.
TEST(ShipmentRecordTest, DetailCountReadsEveryPairOfBytesAsScanf) {
  ShipmentRecord r;
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      std::uint8_t* field = r.header().at(shipment_header::kDetailCount);
      field[0] = static_cast<std::uint8_t>(first);
      field[1] = static_cast<std::uint8_t>(second);
      const char text[3] = {static_cast<char>(first), static_cast<char>(second), '\0'};
      short count = 0;
      const int read = std::sscanf(text, "%2hd", &count);
      const std::optional<int> expect = read == EOF ? std::optional<int>(0)
                                        : read == 1 ? std::optional<int>(count)
                                                    : std::nullopt;
      ASSERT_EQ(r.DetailCount(), expect) << first << " " << second;
    }
  }
}

TEST(TariffTablesRecordTest, FieldsReadFromRecordBuiltByHand) {
  std::vector<std::uint8_t> b(224, 0);
  Put(b, 0, "50    ");
  Put(b, 6 * 19, "500   ");
  PutI32(b, 120, 500);
  PutI32(b, 120 + 4 * 19, 40000);
  b[200] = 18;
  b[202] = 9;
  Put(b, 204, "TESTLTL1");
  Put(b, 212, "3/5/2026  ");
  os::ConstRecordView v(b);
  namespace t = tariff_tables_record;
  EXPECT_EQ(v.Text(t::kClassCode), "50");
  EXPECT_EQ(v.Text(t::kClassCode.Nth(19)), "500");
  EXPECT_EQ(v.I32(t::kWeightBreak), 500);
  EXPECT_EQ(v.I32(t::kWeightBreak.Nth(19)), 40000);
  EXPECT_EQ(v.I16(t::kClassCount), 18);
  EXPECT_EQ(v.I16(t::kWeightBreakCount), 9);
  EXPECT_EQ(v.Text(t::kTariffName), "TESTLTL1");
  EXPECT_EQ(v.Text(t::kDate), "3/5/2026");
}

}  // namespace
}  // namespace tolv
