#include "frelane/core/tolv_declares.h"

#include <cassert>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv32_binding.h"
#include "platform/os/bytes.h"
#include "platform/os/cp1252.h"
#include "platform/runtime/error.h"
#include "tolv32dll/records/tariff_tables_record.h"

namespace frelane::modTolvDeclares32 {

namespace {

static_assert(tolv::ShipmentRecord::kSize == kShipmentRecordSize);
static_assert(tolv::tariff_tables_record::kSize == kTariffTablesRecordSize);

struct State {
  tolv::ShipmentRecord record;
  std::unique_ptr<EngineApi> engine;
};

State& Get() {
  static State state;
  return state;
}

}  // namespace

tolv::ShipmentRecord& ShipmentRecord() { return Get().record; }

std::string RecordText(std::span<const std::uint8_t> record, std::size_t offset,
                       std::size_t width) {
  assert(offset + width <= record.size());
  return os::Cp1252ToUtf8(os::LoadText(record.data() + offset, width));
}

void SetRecordText(std::span<std::uint8_t> record, std::size_t offset, std::size_t width,
                   std::string_view utf8) {
  assert(offset + width <= record.size());
  os::StoreText(record.data() + offset, width, os::Utf8ToCp1252(utf8));
}

EngineApi& Engine() {
  State& state = Get();
  if (state.engine == nullptr) {
    state.engine = std::make_unique<Tolv32Binding>(modMain::DataDirectory());
  }
  return *state.engine;
}

void InstallEngine(std::unique_ptr<EngineApi> engine) { Get().engine = std::move(engine); }

void Reset() { Get() = State(); }

namespace {

std::int32_t ValueOrRaise(const EngineOutcome& outcome) {
  if (!outcome.ok()) throw runtime::RuntimeError(outcome.error->number, outcome.error->description);
  return outcome.value;
}

}  // namespace

// Paths are handed over as the operating system spells them: the engine opens files with
// these bytes, so they are not converted.
std::int32_t Tolv_InitializeTolv(const std::string& data_path) {
  return ValueOrRaise(Engine().Tolv_InitializeTolv(data_path));
}

std::int32_t Tolv_Set_Tolvdata(const std::string& data_path) {
  return ValueOrRaise(Engine().Tolv_Set_Tolvdata(data_path));
}

void Tolv_RateShipment() { ValueOrRaise(Engine().Tolv_RateShipment(ShipmentRecord().bytes())); }

std::int32_t Tolv_GetTables(TariffTablesRecordBytes& record) {
  return ValueOrRaise(Engine().Tolv_GetTables(record));
}

std::int32_t Tolv_EndTolv() { return ValueOrRaise(Engine().Tolv_EndTolv()); }

}  // namespace frelane::modTolvDeclares32
