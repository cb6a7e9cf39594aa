// The blocks that cross to the outside service-guide library. The engine fills the fields
// named here; the library answers in the rest. Status blocks carry the library's
// 4-character status first; "1001" means found.
#ifndef TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_RECORDS_H_
#define TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_RECORDS_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace tolv {

// ServiceGuideInitRecord: zero-filled, the library's directory at 17; the library fills
// the rest at its initialisation.
namespace service_guide_init_record {
inline constexpr std::size_t kSize = 537;
inline constexpr os::Field kLibraryArea = os::RawField(0, 17);
inline constexpr os::Field kDirectory = os::TextField(17, 260);
inline constexpr os::Field kLibraryRest = os::RawField(277, 260);
static_assert(os::FieldsTile({kLibraryArea, kDirectory, kLibraryRest}, kSize));
}  // namespace service_guide_init_record

// The status block the library's initialisation receives, zero-filled.
inline constexpr std::size_t kServiceGuideInitStatusSize = 22;

// The query of a rating, zero-filled: the two ZIPs in; the result code and the service
// letters of both ends out (a NUL: none given).
namespace service_guide_query_record {
inline constexpr std::size_t kSize = 81;
inline constexpr os::Field kOriginZip = os::TextField(0, 6);
inline constexpr os::Field kDestinationZip = os::TextField(6, 6);
inline constexpr os::Field kLibraryArea = os::RawField(12, 63);
inline constexpr os::Field kResult = os::RawField(75, 2);
inline constexpr os::Field kOriginService = os::RawField(77, 1);
inline constexpr os::Field kDestinationService = os::RawField(78, 1);
inline constexpr os::Field kLibraryTail = os::RawField(79, 2);
static_assert(os::FieldsTile({kOriginZip, kDestinationZip, kLibraryArea, kResult, kOriginService,
                              kDestinationService, kLibraryTail},
                             kSize));
}  // namespace service_guide_query_record

// The status block of the query, zero-filled: the library's status out; the query kind,
// the carrier and the guide kind in.
namespace service_guide_query_status {
inline constexpr std::size_t kSize = 24;
inline constexpr os::Field kStatus = os::TextField(0, 4);
inline constexpr os::Field kQueryKind = os::TextField(4, 3);  // "UNQ"
inline constexpr os::Field kCarrierCode = os::TextField(7, 4);
inline constexpr os::Field kGuideKind = os::TextField(11, 1);  // "A" when the request has none
inline constexpr os::Field kUnused = os::RawField(12, 12);
static_assert(os::FieldsTile({kStatus, kQueryKind, kCarrierCode, kGuideKind, kUnused}, kSize));
}  // namespace service_guide_query_status

}  // namespace tolv

#endif  // TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_RECORDS_H_
