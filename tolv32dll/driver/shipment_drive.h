// The rating of one shipment step by step, on the engine of the calling thread. Used by
// the rating driver only; the tariff steps and the legs of a shipment live in their own
// files.
#ifndef TOLV32DLL_DRIVER_SHIPMENT_DRIVE_H_
#define TOLV32DLL_DRIVER_SHIPMENT_DRIVE_H_

#include <string>

#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/determination/tariff_determination.h"
#include "tolv32dll/driver/request_parse.h"
#include "tolv32dll/driver/tariff_choice.h"
#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"
#include "tolv32dll/rates/class_totals.h"
#include "tolv32dll/records/shipment_record.h"
#include "tolv32dll/sidetables/service_letters.h"

namespace tolv {

// The tariff name with NULs read as blanks.
std::string NameText(const TariffNameText& name);

class ShipmentDrive {
 public:
  // The detail lines live in the engine's buffer of the last rating, emptied.
  ShipmentDrive(RatingEngine& engine, ShipmentRecord& record, std::uint8_t* candidate_list)
      : engine_(engine),
        record_(record),
        candidate_list_(candidate_list),
        basis_(engine.work.rate_basis),
        tables_(engine.work.class_tables) {
    request_.lines.swap(engine_.work.detail_lines);
    request_.lines.clear();
  }
  ~ShipmentDrive() { engine_.work.detail_lines.swap(request_.lines); }
  ShipmentDrive(const ShipmentDrive&) = delete;
  ShipmentDrive& operator=(const ShipmentDrive&) = delete;
  ErrorNumber Run();
  const ChargeResult& charges() const { return charges_; }

 private:
  DeterminationContext Context();
  ErrorNumber ChooseTariff();
  ErrorNumber CrossBorder();
  ErrorNumber Rate();
  ErrorNumber RateLeg();
  ErrorNumber RateSecondLeg();
  void ResetPoints(const std::string& origin, const std::string& origin_city,
                   const std::string& destination, const std::string& destination_city) {
    engine_.work.points.Reset(origin, origin_city, destination, destination_city);
  }

  RatingEngine& engine_;
  ShipmentRecord& record_;
  std::uint8_t* candidate_list_;  // the caller's, or null
  bool mexican_ = false;          // one end of the shipment lies in Mexico
  ParsedRequest request_;
  DeterminationRequest determination_;
  ListRequest list_;
  ServiceChoice service_;
  TypeFactors type_;
  RateBasisState& basis_;  // the engine's, cleared before each leg
  ClassRateTables& tables_;  // the engine's, loaded by each leg
  CellRuleContext cell_;
  ChargeResult charges_;
  ShipmentTotals totals_;
  bool use_request_name_ = false;
  std::string mexican_zip_;  // the Mexican point of a border shipment
  std::string crossing_zip_;
};


}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_SHIPMENT_DRIVE_H_
