// Rating exports: shipments and packages.
#include <cstdint>
#include <span>

#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/thread_slot.h"
#include "tolv32dll/exports/export_guard.h"
#include "tolv32dll/include/tolv32.h"
#include "tolv32dll/package/package_info.h"
#include "tolv32dll/package/package_log.h"
#include "tolv32dll/package/package_rate.h"
#include "tolv32dll/package/package_records.h"

using tolv::CurrentEngine;

static_assert(TOLV32_PACKAGE_REQUEST_SIZE == tolv::package_request::kSize);
static_assert(TOLV32_PACKAGE_RESPONSE_SIZE == tolv::package_response::kMaxSize);
static_assert(TOLV32_PACKAGE_INFO_REQUEST_SIZE == tolv::package_info_request::kSize);
static_assert(TOLV32_PACKAGE_INFO_RESPONSE_SIZE == tolv::package_info_response::kSize);

void Tolv_RateShipment2Ex(TolvHandle /*handle*/, char* record, char* candidate_list) {
  tolv::ExportCall call;
  tolv::GuardedVoid([&] {
    if (record == nullptr) return;
    auto* bytes = reinterpret_cast<std::uint8_t*>(record);
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr) {
      tolv::MarkNoEngine(bytes);
      return;
    }
    tolv::RateShipmentRecord(*engine, bytes, reinterpret_cast<std::uint8_t*>(candidate_list));
  });
}

void Tolv_RateShipment2(char* record, char* candidate_list) {
  Tolv_RateShipment2Ex(CurrentEngine(), record, candidate_list);
}

void Tolv_RateShipmentEx(TolvHandle handle, char* record) {
  Tolv_RateShipment2Ex(handle, record, nullptr);
}

void Tolv_RateShipment(char* record) { Tolv_RateShipmentEx(CurrentEngine(), record); }

// Package calls without an engine (or without records) write nothing. Package rating takes
// no rating lock.
void Tolv_RatePackageEx(TolvHandle /*handle*/, char* request, char* response) {
  tolv::ExportCall call;
  tolv::GuardedVoid([&] {
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr || request == nullptr || response == nullptr) return;
    std::span<std::uint8_t> in(reinterpret_cast<std::uint8_t*>(request),
                               tolv::package_request::kSize);
    std::span<std::uint8_t> out(reinterpret_cast<std::uint8_t*>(response),
                                tolv::package_response::kMaxSize);
    tolv::LogPackageRequest(*engine, in);
    tolv::PackageRate(*engine, in, out);
    tolv::LogPackageResponse(*engine, in, out);
  });
}

void Tolv_RatePackage(char* request, char* response) {
  Tolv_RatePackageEx(CurrentEngine(), request, response);
}

void Tolv_PackageInfoEx(TolvHandle /*handle*/, char* request, char* response) {
  tolv::ExportCall call;
  tolv::GuardedVoid([&] {
    tolv::RatingEngine* engine = CurrentEngine();
    if (engine == nullptr || request == nullptr || response == nullptr) return;
    tolv::PackageInfo(*engine,
                      std::span<const std::uint8_t>(reinterpret_cast<std::uint8_t*>(request),
                                                    tolv::package_info_request::kSize),
                      std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(response),
                                              tolv::package_info_response::kSize));
  });
}

void Tolv_PackageInfo(char* request, char* response) {
  Tolv_PackageInfoEx(CurrentEngine(), request, response);
}
