// Test support of the rate-sheet tests: an engine that reports a chosen tariff table and
// rates every lane by its sideline code as the test says, and a fixture with a fresh
// program state over a temporary data directory.
#ifndef FRELANE_RATESHEET_TESTS_SHEET_TEST_SUPPORT_H_
#define FRELANE_RATESHEET_TESTS_SHEET_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frelane/core/engine_api.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/discount_sets.h"
#include "frelane/ratesheet/lane_lookups.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/records/shipment_record.h"
#include "tolv32dll/records/tariff_tables_record.h"

namespace frelane::ratesheet::testing {

struct Table {
  std::vector<std::string> classes = {"100", "85", "92"};
  std::vector<std::int32_t> breaks = {0, 500, 1000, 2000, 5000, 10000};
};

// Writes a table through the four fields that hold one in a record (a rated shipment's
// result area or the tariff-tables answer).
inline void PutTable(os::RecordView v, const Table& t, const os::Field& class_count,
                     const os::Field& break_count, const os::Field& class_code,
                     const os::Field& weight_break) {
  v.SetI16(class_count, static_cast<std::int16_t>(t.classes.size()));
  v.SetI16(break_count, static_cast<std::int16_t>(t.breaks.size()));
  for (std::size_t i = 0; i < t.classes.size(); ++i) v.SetText(class_code.Nth(i), t.classes[i]);
  for (std::size_t k = 0; k < t.breaks.size(); ++k) v.SetI32(weight_break.Nth(k), t.breaks[k]);
}

class SheetEngine : public EngineApi {
 public:
  struct Log {
    int rate_calls = 0;
    std::vector<std::string> origins, destinations;
    std::vector<std::string> discount_blocks;  // the 50 value bytes at each call
  };
  SheetEngine() : log_(std::make_shared<Log>()) {}

  Table table;
  bool tables_found = true;
  // The status and base rate of a lane by its two codes; default: rated, rate 1000.
  std::function<std::string(const std::string& origin, const std::string& destination)> status =
      [](const std::string&, const std::string&) { return std::string("    "); };
  std::function<std::int32_t(const std::string& origin, const std::string& destination)> rate =
      [](const std::string&, const std::string&) { return 1000; };

  std::shared_ptr<Log> log() const { return log_; }

  EngineOutcome Tolv_InitializeTolv(const std::string&) override { return {}; }
  EngineOutcome Tolv_Set_Tolvdata(const std::string&) override { return {}; }
  EngineOutcome Tolv_EndTolv() override { return {}; }
  EngineOutcome Tolv_GetTables(TariffTablesBytes bytes) override {
    namespace tt = tolv::tariff_tables_record;
    if (!tables_found) return {0, {}};
    os::RecordView v{std::span<std::uint8_t>(bytes.data(), bytes.size())};
    std::fill(bytes.begin(), bytes.begin() + tt::kOutputSize, 0);
    PutTable(v, table, tt::kClassCount, tt::kWeightBreakCount, tt::kClassCode, tt::kWeightBreak);
    return {1, {}};
  }
  EngineOutcome Tolv_RateShipment(ShipmentBytes bytes) override {
    namespace h = tolv::shipment_header;
    namespace rec = tolv::shipment_record;
    tolv::ShipmentRecord record = tolv::ShipmentRecord::FromBytes(bytes.data());
    const std::string origin = record.header().Text(h::kOriginZip);
    const std::string destination = record.header().Text(h::kDestinationZip);
    ++log_->rate_calls;
    log_->origins.push_back(origin);
    log_->destinations.push_back(destination);
    log_->discount_blocks.push_back(record.discount_a().Raw({2, 50, os::FieldKind::kRaw}));
    const std::string st = status(origin, destination);
    record.header().SetText(h::kStatus, st);
    if (st == "    ") {
      PutTable(record.view(), table, rec::kClassCount, rec::kWeightBreakCount, rec::kClassCode,
               rec::kWeightBreak);
      const std::int32_t base = rate(origin, destination);
      const int cells = static_cast<int>(table.classes.size() * table.breaks.size());
      for (int i = 0; i < cells; ++i) record.view().SetI32(rec::kRateMatrix.Nth(i), base + i);
      record.view().SetText(rec::kBracketKinds, "1");
      record.view().SetI16(rec::kBracketCount, 1);
      record.view().SetI32(rec::kBracketCharge.Nth(0), base * 5);
      record.header().SetText(h::kRateBasisNumber, "       " + std::to_string(base % 10000));
    }
    record.CopyTo(bytes.data());
    return {};
  }

 private:
  std::shared_ptr<Log> log_;
};

// A header field of the program's ShipmentRecord.
inline std::string HeaderTextOf(const os::Field& field) {
  return std::as_const(modTolvDeclares32::ShipmentRecord()).header().Text(field);
}

class SheetTest : public ::testing::Test {
 protected:
  SheetTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    auto engine = std::make_unique<SheetEngine>();
    engine_ = engine.get();
    log_ = engine->log();
    modTolvDeclares32::InstallEngine(std::move(engine));
    modMain::Get().data_directory = dir_.path();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetText(settings::kRatingDate, "12-09-2026");
    UseZipDiscounts() = false;
    saved_lookups_ = Lookups();
    Lookups().SelectTariff = [](bool) {
      modTolvDeclares32::ShipmentRecord().header().SetText(tolv::shipment_header::kTariffName,
                                                           "NORTHW01");
    };
    Lookups().FindZipDiscount = [] { return false; };
    Lookups().GetFloorCharge = [] { return 0.0; };
  }
  void TearDown() override {
    Lookups() = saved_lookups_;
    UseZipDiscounts() = false;
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
  SheetEngine* engine_ = nullptr;
  std::shared_ptr<SheetEngine::Log> log_;
  LaneLookups saved_lookups_;
};

}  // namespace frelane::ratesheet::testing

#endif  // FRELANE_RATESHEET_TESTS_SHEET_TEST_SUPPORT_H_
