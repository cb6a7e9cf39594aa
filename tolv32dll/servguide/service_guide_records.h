// The blocks that cross to the outside service-guide library. The engine fills the fields
// named here; the library answers in the rest. Status blocks carry the library's
// 4-character status first; "1001" means found.
#ifndef TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_RECORDS_H_
#define TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_RECORDS_H_

#include <cstddef>

#include "tolv32dll/records/field.h"

namespace tolv {

// ServiceGuideInitRecord: zero-filled, the library's directory at 17; the library fills
// the rest at its initialisation.
namespace service_guide_init_record {
inline constexpr std::size_t kSize = 537;
inline constexpr Field kLibraryArea{0, 17, FieldKind::kRaw};
inline constexpr Field kDirectory{17, 260, FieldKind::kText};
inline constexpr Field kLibraryRest{277, 260, FieldKind::kRaw};
static_assert(FieldsTile({kLibraryArea, kDirectory, kLibraryRest}, kSize));
}  // namespace service_guide_init_record

// The status block the library's initialisation receives, zero-filled.
inline constexpr std::size_t kServiceGuideInitStatusSize = 22;

// The query of a rating, zero-filled: the two ZIPs in; the result code and the service
// letters of both ends out (a NUL: none given).
namespace service_guide_query_record {
inline constexpr std::size_t kSize = 81;
inline constexpr Field kOriginZip{0, 6, FieldKind::kText};
inline constexpr Field kDestinationZip{6, 6, FieldKind::kText};
inline constexpr Field kLibraryArea{12, 63, FieldKind::kRaw};
inline constexpr Field kResult{75, 2, FieldKind::kRaw};
inline constexpr Field kOriginService{77, 1, FieldKind::kRaw};
inline constexpr Field kDestinationService{78, 1, FieldKind::kRaw};
inline constexpr Field kLibraryTail{79, 2, FieldKind::kRaw};
static_assert(FieldsTile({kOriginZip, kDestinationZip, kLibraryArea, kResult, kOriginService,
                          kDestinationService, kLibraryTail},
                         kSize));
}  // namespace service_guide_query_record

// The status block of the query, zero-filled: the library's status out; the query kind,
// the carrier and the guide kind in.
namespace service_guide_query_status {
inline constexpr std::size_t kSize = 24;
inline constexpr Field kStatus{0, 4, FieldKind::kText};
inline constexpr Field kQueryKind{4, 3, FieldKind::kText};  // "UNQ"
inline constexpr Field kCarrierCode{7, 4, FieldKind::kText};
inline constexpr Field kGuideKind{11, 1, FieldKind::kText};  // "A" when the request has none
inline constexpr Field kUnused{12, 12, FieldKind::kRaw};
static_assert(FieldsTile({kStatus, kQueryKind, kCarrierCode, kGuideKind, kUnused}, kSize));
}  // namespace service_guide_query_status

}  // namespace tolv

#endif  // TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_RECORDS_H_
