// The records of the bill-of-lading files: one bill (BOLRecord with its 20 line items), an
// address-book entry (PartyRecord, shared by the shipper, consignee and third-party books),
// a catalogue entry (ProductRecord) and the defaults record (BOLDefaults). Each is kept as
// its raw bytes and read and written through the fields declared here.
#ifndef FRELANE_BOL_BOL_RECORDS_H_
#define FRELANE_BOL_BOL_RECORDS_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/os/record_layout.h"

namespace frelane::bol {

// A record held as its bytes, with views for reading and writing its fields.
template <std::size_t N>
struct Record {
  static constexpr std::size_t kSize = N;
  std::array<std::uint8_t, N> bytes{};

  os::RecordView View() { return os::RecordView(bytes); }
  os::ConstRecordView View() const { return os::ConstRecordView(bytes); }
  bool operator==(const Record&) const = default;
};

// One line of a bill: 333 bytes.
namespace item {
inline constexpr os::Field kProductName = os::TextField(0, 50);
inline constexpr os::Field kHandlingUnits = os::I32Field(50);
inline constexpr os::Field kHandlingUnitType = os::TextField(54, 4);
inline constexpr os::Field kPackages = os::I32Field(58);
inline constexpr os::Field kPackageType = os::TextField(62, 4);
inline constexpr os::Field kHazmat = os::RawField(66, 1);  // 0 no, 1 yes
inline constexpr os::Field kDescription = os::TextField(67, 250);
inline constexpr os::Field kWeight = os::I32Field(317);  // pounds
inline constexpr os::Field kClass = os::TextField(321, 4);
inline constexpr os::Field kCube = os::F64Field(325);  // 0 when not given
inline constexpr std::size_t kSize = 333;
static_assert(os::FieldsTile({kProductName, kHandlingUnits, kHandlingUnitType, kPackages,
                              kPackageType, kHazmat, kDescription, kWeight, kClass, kCube},
                             kSize));
}  // namespace item

// One bill: an 844-byte header and 20 line items.
namespace bill {
inline constexpr os::Field kBOLNumber = os::TextField(0, 25);
inline constexpr os::Field kShipDate = os::TextField(25, 10);
inline constexpr os::Field kCarrierProNumber = os::TextField(35, 25);
inline constexpr os::Field kShipperNumber = os::TextField(60, 25);
inline constexpr os::Field kShipperName = os::TextField(85, 25);
inline constexpr os::Field kShipperAddress = os::TextField(110, 35);
inline constexpr os::Field kShipperCity = os::TextField(145, 25);
inline constexpr os::Field kShipperCounty = os::TextField(170, 25);
inline constexpr os::Field kShipperState = os::TextField(195, 2);
inline constexpr os::Field kShipperZip = os::TextField(197, 6);
inline constexpr os::Field kShipperPhone = os::TextField(203, 25);
inline constexpr os::Field kConsigneePO = os::TextField(228, 25);
inline constexpr os::Field kConsigneeName = os::TextField(253, 25);
inline constexpr os::Field kConsigneeAddress = os::TextField(278, 35);
inline constexpr os::Field kConsigneeCity = os::TextField(313, 25);
inline constexpr os::Field kConsigneeCounty = os::TextField(338, 25);
inline constexpr os::Field kConsigneeState = os::TextField(363, 2);
inline constexpr os::Field kConsigneeZip = os::TextField(365, 6);
inline constexpr os::Field kConsigneePhone = os::TextField(371, 25);
inline constexpr os::Field kThirdPartyName = os::TextField(396, 25);
inline constexpr os::Field kThirdPartyAddress = os::TextField(421, 35);
inline constexpr os::Field kThirdPartyCity = os::TextField(456, 25);
inline constexpr os::Field kThirdPartyState = os::TextField(481, 2);
inline constexpr os::Field kThirdPartyZip = os::TextField(483, 6);
// 0 shipper (prepaid), 1 consignee (collect), 2 third party (prepaid), 3 not chosen yet.
inline constexpr os::Field kFreightPaidBy = os::RawField(489, 1);
inline constexpr os::Field kSingleShipment = os::RawField(490, 1);  // 0 Yes, 1 No
inline constexpr os::Field kSection7Signed = os::RawField(491, 1);  // 0 Yes, 1 No
inline constexpr os::Field kCODAmount = os::F64Field(492);          // dollars; 0 = no COD
// Six check-box bytes (0 or 1), in three pairs of which at most one is 1.
inline constexpr os::Field kCashiersCheckOnly = os::RawField(500, 1);
inline constexpr os::Field kConsigneeCheckOK = os::RawField(501, 1);
inline constexpr os::Field kCODFeePrepaid = os::RawField(502, 1);
inline constexpr os::Field kCODFeeCollect = os::RawField(503, 1);
inline constexpr os::Field kRemitCODToShipper = os::RawField(504, 1);
inline constexpr os::Field kRemitCODToThirdParty = os::RawField(505, 1);
inline constexpr os::Field kDeclaredValue = os::TextField(506, 6);
inline constexpr os::Field kDeclaredValuePer = os::TextField(512, 6);
inline constexpr os::Field kNotifyName = os::TextField(518, 25);
inline constexpr os::Field kNotifyFax = os::TextField(543, 25);
inline constexpr os::Field kNotifyPhone = os::TextField(568, 25);
inline constexpr os::Field kItemCount = os::RawField(593, 1);  // 0 to 20
inline constexpr os::Field kSpecialInstructions = os::TextField(594, 250);
inline constexpr int kMaxItems = 20;
// Slot n (1 to 20) is LineItems.Element(n).
inline constexpr os::Field kLineItems = os::RawField(844, item::kSize, kMaxItems);
inline constexpr std::size_t kSize = 7504;
static_assert(os::FieldsTile(
    {kBOLNumber, kShipDate, kCarrierProNumber, kShipperNumber, kShipperName, kShipperAddress,
     kShipperCity, kShipperCounty, kShipperState, kShipperZip, kShipperPhone, kConsigneePO,
     kConsigneeName, kConsigneeAddress, kConsigneeCity, kConsigneeCounty, kConsigneeState,
     kConsigneeZip, kConsigneePhone, kThirdPartyName, kThirdPartyAddress, kThirdPartyCity,
     kThirdPartyState, kThirdPartyZip, kFreightPaidBy, kSingleShipment, kSection7Signed,
     kCODAmount, kCashiersCheckOnly, kConsigneeCheckOK, kCODFeePrepaid, kCODFeeCollect,
     kRemitCODToShipper, kRemitCODToThirdParty, kDeclaredValue, kDeclaredValuePer, kNotifyName,
     kNotifyFax, kNotifyPhone, kItemCount, kSpecialInstructions, kLineItems},
    kSize));
}  // namespace bill

// An address-book entry of Shipper.dat, Consigne.dat or ThirdPty.dat: 169 bytes.
namespace party {
inline constexpr os::Field kName = os::TextField(0, 25);
inline constexpr os::Field kAddress = os::TextField(25, 35);
inline constexpr os::Field kCity = os::TextField(60, 25);
inline constexpr os::Field kCounty = os::TextField(85, 25);
inline constexpr os::Field kState = os::TextField(110, 2);
inline constexpr os::Field kZip = os::TextField(112, 6);
inline constexpr os::Field kPhone = os::TextField(118, 25);
inline constexpr os::Field kShipperNumber = os::TextField(143, 25);  // shipper book only
inline constexpr os::Field kStatus = os::RawField(168, 1);          // 0 in use, 255 deleted
inline constexpr std::size_t kSize = 169;
static_assert(os::FieldsTile(
    {kName, kAddress, kCity, kCounty, kState, kZip, kPhone, kShipperNumber, kStatus}, kSize));
}  // namespace party

// A catalogue entry of Product.dat: 318 bytes.
namespace product {
inline constexpr os::Field kName = os::TextField(0, 50);
inline constexpr os::Field kHandlingUnitType = os::TextField(50, 4);
inline constexpr os::Field kPackageType = os::TextField(54, 4);
inline constexpr os::Field kDescription = os::TextField(58, 250);
inline constexpr os::Field kHazmat = os::RawField(308, 1);
inline constexpr os::Field kWeightPerPackage = os::I32Field(309);  // pounds
inline constexpr os::Field kClass = os::TextField(313, 4);
inline constexpr os::Field kStatus = os::RawField(317, 1);  // 0 in use, 255 deleted
inline constexpr std::size_t kSize = 318;
static_assert(os::FieldsTile({kName, kHandlingUnitType, kPackageType, kDescription, kHazmat,
                              kWeightPerPackage, kClass, kStatus},
                             kSize));
}  // namespace product

// BOLDef.dat's record: the default record numbers of the four books, 0 = none.
namespace defaults {
inline constexpr os::Field kShipperDefault = os::I32Field(0);
inline constexpr os::Field kConsigneeDefault = os::I32Field(4);
inline constexpr os::Field kThirdPartyDefault = os::I32Field(8);
inline constexpr os::Field kProductDefault = os::I32Field(12);
inline constexpr std::size_t kSize = 16;
static_assert(os::FieldsTile({kShipperDefault, kConsigneeDefault, kThirdPartyDefault,
                              kProductDefault},
                             kSize));
}  // namespace defaults

inline constexpr std::uint8_t kStatusInUse = 0;
inline constexpr std::uint8_t kStatusDeleted = 255;

using BOLRecord = Record<bill::kSize>;
using BOLLineItem = Record<item::kSize>;
using PartyRecord = Record<party::kSize>;
using ProductRecord = Record<product::kSize>;
using BOLDefaults = Record<defaults::kSize>;

// A one-byte field's value, and storing one.
inline std::uint8_t ByteOf(os::ConstRecordView v, const os::Field& f) { return *v.at(f); }
inline void SetByte(os::RecordView v, const os::Field& f, std::uint8_t b) { *v.at(f) = b; }

// The view of line item n (1 to 20) of a bill.
inline os::RecordView ItemView(BOLRecord& r, int n) {
  return r.View().Sub(bill::kLineItems.Element(n));
}
inline os::ConstRecordView ItemView(const BOLRecord& r, int n) {
  return r.View().Sub(bill::kLineItems.Element(n));
}

// The file names of the books, as the data directory holds them.
inline constexpr char kShipperFile[] = "Shipper.dat";
inline constexpr char kConsigneeFile[] = "Consigne.dat";
inline constexpr char kThirdPartyFile[] = "ThirdPty.dat";
inline constexpr char kProductFile[] = "Product.dat";
inline constexpr char kDefaultsFile[] = "BOLDef.dat";
inline constexpr char kBillFolder[] = "BOLData";

}  // namespace frelane::bol

#endif  // FRELANE_BOL_BOL_RECORDS_H_
