// The service-guide query of a rating: when the engine has the library and the request
// names a carrier, the library is asked about the lane; a found answer gives the header's
// ServiceGuideResult and the service letters of both ends, and the library's status is
// kept for the response's Status.
#ifndef TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_QUERY_H_
#define TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_QUERY_H_

#include <array>

#include "platform/os/record_layout.h"
#include "tolv32dll/servguide/service_guide_thread.h"
#include "tolv32dll/sidetables/service_letters.h"

namespace tolv {

using ServiceGuideStatus = std::array<char, 4>;
inline constexpr ServiceGuideStatus kNoServiceGuideStatus = {' ', ' ', ' ', ' '};

// Runs the query when engine_flag is 'Y', the binding is complete and the header's
// ServiceCarrierCode is not four blanks, four NULs or "0000". A found answer ("1001")
// writes its result code (unless two NULs) into the header and takes its service letters
// into choice with the discount set they choose; any other status blanks the result
// code. Returns the library's status, or four blanks when no query ran.
ServiceGuideStatus ServiceGuide_Query(const ServiceGuideBinding& binding, char engine_flag,
                                      os::RecordView header, const ServiceRequest& request,
                                      ServiceChoice& choice);

// The kept status into the header's Status, unless it is "1001" or four blanks.
void ServiceGuide_WriteStatus(const ServiceGuideStatus& status, os::RecordView header);

}  // namespace tolv

#endif  // TOLV32DLL_SERVGUIDE_SERVICE_GUIDE_QUERY_H_
