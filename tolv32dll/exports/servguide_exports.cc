// Service-guide exports. The outside service-guide library is not bound, so every call
// reports it unavailable: status "0700" and false.
#include <cstdint>
#include <cstring>

#include "tolv32dll/include/tolv32.h"

namespace {

uint8_t NotAvailable(char* status) {
  if (status != nullptr) std::memcpy(status, "0700", 4);
  return 0;
}

}  // namespace

uint8_t ServGd_GetCarrierTypes(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_GetCarriers(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_GetServGuideData(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_GetTermToTermDays(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_GetTerminals(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_Initialize(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_SetCarrierDataPath(char* status, char* /*record*/) { return NotAvailable(status); }
uint8_t ServGd_Terminate(void) { return 1; }
