// The records of the carrier's terminal files, which answer which terminal serves a postal
// code and how many days a lane takes:
//   ServZipsA.dat  ServiceZipRecord, sorted ascending by postal-code range;
//   ServTerm.dat   TerminalRecord, record n is terminal n;
//   ServMatx.dat   a square matrix of 16-bit transit days, one 2-byte record per cell;
// and state.dat, the US state of each 3-digit ZIP prefix. All are random-access files of
// fixed-length records numbered from 1; the program only reads them.
#ifndef FRELANE_CORE_SERVICE_GUIDE_RECORDS_H_
#define FRELANE_CORE_SERVICE_GUIDE_RECORDS_H_

#include <array>
#include <cstddef>

#include "platform/os/record_layout.h"

namespace frelane {

inline constexpr char kStateFileName[] = "state.dat";
inline constexpr char kServiceZipFileName[] = "ServZipsA.dat";
inline constexpr char kTerminalFileName[] = "ServTerm.dat";
inline constexpr char kTransitMatrixFileName[] = "ServMatx.dat";

// state.dat: record n (n = the ZIP prefix 1 to 999) holds the prefix's state code.
namespace state_record {
inline constexpr os::Field kState = os::TextField(0, 2);
inline constexpr os::Field kUnread = os::TextField(2, 1);
inline constexpr std::size_t kSize = 2 + 1;
static_assert(os::FieldsTile(std::array{kState, kUnread}, kSize));
}  // namespace state_record

// ServiceZipRecord: one range of postal codes served by one terminal.
namespace service_zip_record {
inline constexpr os::Field kKind = os::TextField(0, 1);  // not read
inline constexpr os::Field kLowCode = os::TextField(1, 6);
inline constexpr os::Field kHighCode = os::TextField(7, 6);
inline constexpr os::Field kTerminalNumber = os::I32Field(13);  // record number in ServTerm.dat
inline constexpr os::Field kOriginServiceCode = os::TextField(17, 1);       // "D" = direct
inline constexpr os::Field kDestinationServiceCode = os::TextField(18, 1);  // "D" = direct
inline constexpr os::Field kOriginDays = os::I16Field(19);
inline constexpr os::Field kDestinationDays = os::I16Field(21);
inline constexpr std::size_t kSize = 1 + 6 + 6 + 4 + 1 + 1 + 2 + 2;
static_assert(os::FieldsTile(std::array{kKind, kLowCode, kHighCode, kTerminalNumber,
                                        kOriginServiceCode, kDestinationServiceCode, kOriginDays,
                                        kDestinationDays},
                             kSize));
}  // namespace service_zip_record

// TerminalRecord: a terminal's name, code and address.
namespace terminal_record {
inline constexpr os::Field kName = os::TextField(0, 50);
inline constexpr os::Field kCode = os::TextField(50, 5);
inline constexpr os::Field kAddress = os::TextField(55, 50, 2);  // lines 1 and 2
inline constexpr os::Field kCity = os::TextField(155, 30);
inline constexpr os::Field kState = os::TextField(185, 2);
inline constexpr os::Field kPostalCode = os::TextField(187, 10);
inline constexpr os::Field kPhone = os::TextField(197, 12);
inline constexpr os::Field kTollFreePhone = os::TextField(209, 12);
inline constexpr os::Field kFax = os::TextField(221, 12);
inline constexpr os::Field kEmail = os::TextField(233, 100);
inline constexpr os::Field kContactName = os::TextField(333, 50);
inline constexpr os::Field kContactTitle = os::TextField(383, 50);
inline constexpr std::size_t kSize = 50 + 5 + 2 * 50 + 30 + 2 + 10 + 3 * 12 + 100 + 2 * 50;
static_assert(os::FieldsTile(std::array{kName, kCode, kAddress, kCity, kState, kPostalCode, kPhone,
                                        kTollFreePhone, kFax, kEmail, kContactName, kContactTitle},
                             kSize));
}  // namespace terminal_record

// ServMatx.dat: record (o - 1) x n + d holds the days from terminal o to terminal d, where n
// is the number of whole records in ServTerm.dat.
namespace transit_days_record {
inline constexpr os::Field kDays = os::I16Field(0);
inline constexpr std::size_t kSize = 2;
static_assert(os::FieldsTile(std::array{kDays}, kSize));
}  // namespace transit_days_record

}  // namespace frelane

#endif  // FRELANE_CORE_SERVICE_GUIDE_RECORDS_H_
