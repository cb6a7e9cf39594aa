#include "frelane/ratesheet/lane_rating.h"

#include <utility>
#include <vector>

#include "frelane/core/decimal_comma.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/geography.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/discount_block.h"
#include "frelane/ratesheet/discount_sets.h"
#include "frelane/ratesheet/grouping.h"
#include "frelane/ratesheet/lane_lookups.h"
#include "frelane/ratesheet/sub_ranges.h"
#include "frelane/ratesheet/zip_block_file.h"
#include "frelane/core/zip_discount_record.h"
#include "frelane/rating/lane_state.h"
#include "platform/forms/application.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

namespace h = tolv::shipment_header;

constexpr int kOriginNotInTariff = 216;
constexpr int kDestinationNotInTariff = 217;

std::string HeaderText(const os::Field& field) {
  return std::as_const(modTolvDeclares32::ShipmentRecord()).header().Text(field);
}

void SetHeaderText(const os::Field& field, std::string_view utf8) {
  modTolvDeclares32::SetRecordText(modTolvDeclares32::ShipmentRecord().bytes(),
                                   tolv::shipment_record::kHeader.offset + field.offset,
                                   field.width, utf8);
}

}  // namespace

void LaneRating::BuildSubRanges(const std::string& prefix) {
  run_.SubRanges.clear();
  const bool from_headline = definition_.FromHeadline();
  const std::string headline = definition_.HeadlineZip();
  SetHeaderText(h::kOriginZip, from_headline ? headline : prefix);
  SetHeaderText(h::kDestinationZip, from_headline ? prefix : headline);
  const std::string origin = HeaderText(h::kOriginZip);
  const std::string destination = HeaderText(h::kDestinationZip);
  modMain::LaneState& lane = modMain::Lane();
  lane.OriginState = modMain::StateOrProvince(origin);
  lane.DestinationState = modMain::StateOrProvince(destination);
  Lookups().SelectTariff(true);
  const std::string tariff_field =
      std::as_const(modTolvDeclares32::ShipmentRecord()).header().Raw(h::kTariffName);
  if (runtime::Trim(tariff_field).empty()) return;

  ZipBlockFile blocks(modMain::DataDirectory(), tariff_field, prefix);
  std::vector<SuffixRange> discounts;
  if (UseZipDiscounts()) {
    discounts = LoadZipDiscountRanges(modMain::DataFilePath(zipdisc::kFileName), origin,
                                      destination, prefix, from_headline);
  }
  run_.ZipDiscountRanges = discounts;
  run_.SubRanges = MergeSubRanges(SortedWithoutOverlap(blocks.Blocks()), discounts, prefix);
}

void LaneRating::RateLane(const std::string& prefix) {
  std::vector<RateSheetGroup> groups;
  BuildSubRanges(prefix);
  const std::vector<SuffixRange> sub_ranges = run_.SubRanges;
  for (const SuffixRange& range : sub_ranges) {
    const bool from_headline = definition_.FromHeadline();
    SetHeaderText(from_headline ? h::kDestinationZip : h::kOriginZip, prefix + range.start);
    Lookups().SelectTariff(true);
    ApplyDiscounts();
    modTolvDeclares32::Tolv_RateShipment();
    if (modMain::DecimalCharacter() == ',') modMain::UseDecimalComma();

    const std::string status = HeaderText(h::kStatus);
    if (!status.empty()) {
      // Results are not to be used; only a refused headline stops the run.
      const int number = static_cast<int>(modMain::SafeValue(status));
      if ((from_headline && number == kOriginNotInTariff) ||
          (!from_headline && number == kDestinationNotInTariff)) {
        forms::MsgBox(kInvalidHeadlineZip, forms::msgbox::kOKOnly);
        run_.RunStopped = true;
        run_.HeadlineInvalid = true;
        return;
      }
      continue;
    }
    // The floor is one value for the lane: asked once, not once per bracket.
    const double floor_cents = Lookups().GetFloorCharge() * 100;
    const RateSheetGroup candidate =
        CandidateFromRecord(modTolvDeclares32::ShipmentRecord(), floor_cents);
    FileSubRange(groups, candidate, range.start, range.end, prefix, run_.WithNotes);
  }
  HandOffGroups(run_, groups, prefix, writer_);
}

}  // namespace frelane::ratesheet
