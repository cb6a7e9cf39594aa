#include "tolv32dll/servguide/service_guide_query.h"

#include <cstring>
#include <string>

#include "platform/os/ascii_text.h"
#include "tolv32dll/records/shipment_record.h"

namespace tolv {
namespace {

namespace h = shipment_header;
namespace qr = service_guide_query_record;
namespace qs = service_guide_query_status;

bool NamesCarrier(const std::string& code) {
  return code != "    " && code != std::string(4, '\0') && code != "0000";
}

// The status read as a number, as the library's callers read it: leading blanks, then
// digits up to the first other character.
int StatusNumber(const ServiceGuideStatus& status) {
  std::size_t i = 0;
  while (i < status.size() && status[i] == ' ') ++i;
  int n = 0;
  for (; i < status.size() && os::IsAsciiDigit(status[i]); ++i) {
    n = n * 10 + (status[i] - '0');
  }
  return n;
}

}  // namespace

ServiceGuideStatus ServiceGuide_Query(const ServiceGuideBinding& binding, char engine_flag,
                                      os::RecordView header, const ServiceRequest& request,
                                      ServiceChoice& choice) {
  const std::string carrier = header.Raw(h::kServiceCarrierCode);
  if (engine_flag != 'Y' || !binding.entry_points.complete() || !NamesCarrier(carrier)) {
    return kNoServiceGuideStatus;
  }
  std::array<std::uint8_t, qs::kSize> status_block{};
  os::RecordView status_view(status_block);
  status_view.SetRaw(qs::kQueryKind, "UNQ");
  status_view.SetRaw(qs::kCarrierCode, carrier);
  const char kind = static_cast<char>(header.at(h::kServiceGuideKind)[0]);
  status_view.SetRaw(qs::kGuideKind, std::string(1, kind == ' ' || kind == '\0' ? 'A' : kind));

  std::array<std::uint8_t, qr::kSize> query{};
  os::RecordView query_view(query);
  query_view.SetRaw(qr::kOriginZip, header.Raw(h::kOriginZip));
  query_view.SetRaw(qr::kDestinationZip, header.Raw(h::kDestinationZip));

  binding.entry_points.get_serv_guide_data(reinterpret_cast<char*>(status_block.data()),
                                           reinterpret_cast<char*>(query.data()));
  ServiceGuideStatus status;
  std::memcpy(status.data(), status_block.data(), status.size());

  if (StatusNumber(status) == 1001) {
    const std::string result = query_view.Raw(qr::kResult);
    if (result != std::string(2, '\0')) header.SetRaw(h::kServiceGuideResult, result);
    // An end the guide gives no letter for keeps the letter the tariff gave it.
    const char origin = static_cast<char>(query[qr::kOriginService.offset]);
    const char destination = static_cast<char>(query[qr::kDestinationService.offset]);
    choice = ServiceLettersFromGuide(request, origin != '\0' ? origin : choice.origin,
                                     destination != '\0' ? destination : choice.destination);
  } else {
    header.SetText(h::kServiceGuideResult, "");
  }
  return status;
}

void ServiceGuide_WriteStatus(const ServiceGuideStatus& status, os::RecordView header) {
  if (status == kNoServiceGuideStatus) return;
  if (std::string(status.data(), status.size()) == "1001") return;
  header.SetRaw(h::kStatus, std::string(status.data(), status.size()));
}

}  // namespace tolv
