// A stand-in for the outside service-guide library, for the tests of the engine's bridge:
// the eight entry points, answering what a script file says. The file named by the
// environment variable DRAYMAP_STUB_SCRIPT holds "key=value" lines, read at every call:
//   initialize=0|1         result of ServGd_Initialize (default 1)
//   status=XXXX            status of ServGd_GetServGuideData (default "1001")
//   result=XX              its 2-character result at byte 75 (default: left zero)
//   origin_service=D       its service letters at bytes 77 and 78 (default: left zero)
//   destination_service=I
//   call_status=XXXX       status of the other calls (default "1001")
//   log=/path              one line appended per call: name|status bytes|record bytes
// Built twice: whole, and without ServGd_GetCarriers (DRAYMAP_STUB_WITHOUT_CARRIERS).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Script {
  bool initialize = true;
  std::string status = "1001";
  std::string result;
  std::string origin_service;
  std::string destination_service;
  std::string call_status = "1001";
  std::string log;
};

Script ReadScript() {
  Script s;
  const char* path = std::getenv("DRAYMAP_STUB_SCRIPT");
  if (path == nullptr) return s;
  std::FILE* f = std::fopen(path, "r");
  if (f == nullptr) return s;
  char line[512];
  while (std::fgets(line, sizeof line, f) != nullptr) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::size_t eq = text.find('=');
    if (eq == std::string::npos) continue;
    std::string key = text.substr(0, eq), value = text.substr(eq + 1);
    if (key == "initialize") s.initialize = value != "0";
    if (key == "status") s.status = value;
    if (key == "result") s.result = value;
    if (key == "origin_service") s.origin_service = value;
    if (key == "destination_service") s.destination_service = value;
    if (key == "call_status") s.call_status = value;
    if (key == "log") s.log = value;
  }
  std::fclose(f);
  return s;
}

// Bytes as text, a NUL shown as '.'.
std::string Shown(const char* bytes, std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += bytes[i] == '\0' ? '.' : bytes[i];
  return s;
}

void Log(const Script& s, const char* name, const char* status, std::size_t status_n,
         const char* record, std::size_t record_n) {
  if (s.log.empty()) return;
  std::FILE* f = std::fopen(s.log.c_str(), "a");
  if (f == nullptr) return;
  std::string line = std::string(name) + "|" + (status ? Shown(status, status_n) : "") + "|" +
                     (record ? Shown(record, record_n) : "") + "\n";
  std::fputs(line.c_str(), f);
  std::fclose(f);
}

void SetStatus(char* status, const std::string& text) {
  std::memcpy(status, (text + "    ").data(), 4);
}

// The other calls: the record's meaning is the library's own; only the status is set.
std::uint8_t PlainCall(const char* name, char* status, char* record) {
  Script s = ReadScript();
  Log(s, name, status, 4, record, 0);
  SetStatus(status, s.call_status);
  return s.call_status == "1001" ? 1 : 0;
}

}  // namespace

STUB_EXPORT std::uint8_t ServGd_Initialize(char* status, char* record) {
  Script s = ReadScript();
  // The directory text the engine put at byte 17.
  Log(s, "ServGd_Initialize", status, 22, record + 17, ::strnlen(record + 17, 260));
  if (!s.initialize) return 0;
  std::memcpy(record + 300, "STUB-READY", 10);
  SetStatus(status, "1001");
  return 1;
}

STUB_EXPORT std::uint8_t ServGd_Terminate() {
  Log(ReadScript(), "ServGd_Terminate", nullptr, 0, nullptr, 0);
  return 1;
}

STUB_EXPORT std::uint8_t ServGd_GetServGuideData(char* status, char* record) {
  Script s = ReadScript();
  Log(s, "ServGd_GetServGuideData", status, 12, record, 12);
  SetStatus(status, s.status);
  if (s.result.size() >= 2) std::memcpy(record + 75, s.result.data(), 2);
  if (!s.origin_service.empty()) record[77] = s.origin_service[0];
  if (!s.destination_service.empty()) record[78] = s.destination_service[0];
  return s.status == "1001" ? 1 : 0;
}

STUB_EXPORT std::uint8_t ServGd_GetCarrierTypes(char* status, char* record) {
  return PlainCall("ServGd_GetCarrierTypes", status, record);
}
#ifndef DRAYMAP_STUB_WITHOUT_CARRIERS
STUB_EXPORT std::uint8_t ServGd_GetCarriers(char* status, char* record) {
  return PlainCall("ServGd_GetCarriers", status, record);
}
#endif
STUB_EXPORT std::uint8_t ServGd_GetTerminals(char* status, char* record) {
  return PlainCall("ServGd_GetTerminals", status, record);
}
STUB_EXPORT std::uint8_t ServGd_GetTermToTermDays(char* status, char* record) {
  return PlainCall("ServGd_GetTermToTermDays", status, record);
}
STUB_EXPORT std::uint8_t ServGd_SetCarrierDataPath(char* status, char* record) {
  return PlainCall("ServGd_SetCarrierDataPath", status, record);
}
