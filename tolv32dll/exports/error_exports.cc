// The error-string export: an error number's message.
#include <cstdint>

#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/errors/error_table.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"

char* Tolv_GetErrorStringEx(TolvHandle /*handle*/, char* record) {
  tolv::ExportCall call;
  return tolv::Guarded<char*>(nullptr, [&]() -> char* {
    if (record == nullptr || tolv::CurrentEngine() == nullptr) return nullptr;
    tolv::FillErrorString(reinterpret_cast<std::uint8_t*>(record));
    return record;
  });
}

char* Tolv_GetErrorString(char* record) {
  return Tolv_GetErrorStringEx(tolv::CurrentEngine(), record);
}
