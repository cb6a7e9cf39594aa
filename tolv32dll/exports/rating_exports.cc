// Rating exports: shipments and packages. Until package rating is built the package calls
// leave their records as sent.
#include <cstdint>

#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"

using tolv::CurrentEngine;

void Tolv_RateShipment2Ex(TolvHandle /*handle*/, char* record, char* candidate_list) {
  tolv::GuardedVoid([&] {
    if (record == nullptr) return;
    auto* bytes = reinterpret_cast<std::uint8_t*>(record);
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr) {
      tolv::MarkNoEngine(bytes);
      return;
    }
    engine->candidate_list = candidate_list;
    tolv::RateShipmentRecord(*engine, bytes);
    engine->candidate_list = nullptr;
  });
}

void Tolv_RateShipment2(char* record, char* candidate_list) {
  Tolv_RateShipment2Ex(CurrentEngine(), record, candidate_list);
}

void Tolv_RateShipmentEx(TolvHandle handle, char* record) {
  Tolv_RateShipment2Ex(handle, record, nullptr);
}

void Tolv_RateShipment(char* record) { Tolv_RateShipmentEx(CurrentEngine(), record); }

void Tolv_RatePackageEx(TolvHandle /*handle*/, char* /*request*/, char* /*response*/) {}

void Tolv_RatePackage(char* request, char* response) {
  Tolv_RatePackageEx(CurrentEngine(), request, response);
}

void Tolv_PackageInfoEx(TolvHandle /*handle*/, char* /*request*/, char* /*response*/) {}

void Tolv_PackageInfo(char* request, char* response) {
  Tolv_PackageInfoEx(CurrentEngine(), request, response);
}
