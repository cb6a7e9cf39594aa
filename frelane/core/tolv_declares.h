// modTolvDeclares32: the program's binding of the engine's five calls and its one
// ShipmentRecord, which the rating screens fill, hand to the engine and read back.
//
// The engine is the real library (Tolv32Binding on the data directory) unless a test
// installs another binding first. Records are kept as their single-byte bytes; text goes in
// and out as UTF-8 and is converted to and from Windows-1252 here, at the boundary.
#ifndef FRELANE_CORE_TOLV_DECLARES_H_
#define FRELANE_CORE_TOLV_DECLARES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "frelane/core/engine_api.h"
#include "tolv32dll/records/shipment_record.h"

namespace frelane::modTolvDeclares32 {

using TariffTablesRecordBytes = std::array<std::uint8_t, kTariffTablesRecordSize>;

// The program's one ShipmentRecord (its fields: tolv32dll/records/shipment_record.h).
tolv::ShipmentRecord& ShipmentRecord();

// Text of a field of a single-byte record, without trailing blanks, as UTF-8.
// REQUIRES: offset + width <= record size.
std::string RecordText(std::span<const std::uint8_t> record, std::size_t offset,
                       std::size_t width);
// Stores UTF-8 text left-aligned and blank-padded in a field, cut at its width; characters
// without a single-byte form become "?". REQUIRES: offset + width <= record size.
void SetRecordText(std::span<std::uint8_t> record, std::size_t offset, std::size_t width,
                   std::string_view utf8);

// The binding in use; the real library unless one was installed.
EngineApi& Engine();
// Installs `engine` as the binding (tests install a fake before start-up).
void InstallEngine(std::unique_ptr<EngineApi> engine);
// Drops the binding and clears the record (for tests).
void Reset();

// The five calls, through the binding in use. A call that cannot be made (library or entry
// point missing) raises its run-time error (runtime::RuntimeError, 53 or 453) in the
// caller, which the form model reports in a message box.
std::int32_t Tolv_InitializeTolv(const std::string& data_path);
std::int32_t Tolv_Set_Tolvdata(const std::string& data_path);
// Rates the program's one ShipmentRecord in place; the outcome is its status field.
void Tolv_RateShipment();
std::int32_t Tolv_GetTables(TariffTablesRecordBytes& record);
std::int32_t Tolv_EndTolv();

}  // namespace frelane::modTolvDeclares32

#endif  // FRELANE_CORE_TOLV_DECLARES_H_
