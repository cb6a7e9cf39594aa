#include "frelane/rating/lane_discounts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/core/zip_discount_file.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/lookup_files.h"
#include "platform/forms/text_controls.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/format.h"
#include "platform/runtime/record_file.h"

namespace frelane::modMain {

namespace {

namespace header = tolv::shipment_header;
namespace z = zipdisc;

constexpr int kValues = 10;
constexpr char kNoDiscount[] = "0000 ";
constexpr char kBlankDiscount[] = " 0000";

// The discount set of the settings for one of the three sources.
struct DiscountSet {
  double mc = 0, ltl = 0, tl = 0, floor = 0;
};

DiscountSet SetOf(const os::Field& field) {
  const SettingsRecord& s = Settings();
  return {s.F64(field, settings::kDiscountMc), s.F64(field, settings::kDiscountLtl),
          s.F64(field, settings::kDiscountTl), s.F64(field, settings::kDiscountMcFloor)};
}

class DiscountValues {
 public:
  explicit DiscountValues(os::RecordView block) : block_(block) {}
  // Values first..last (1-based) := text.
  void Set(int first, int last, const std::string& text) {
    for (int i = first; i <= last; ++i) {
      block_.SetText(tolv::discount_block::kValue.Nth(static_cast<std::size_t>(i - 1)), text);
    }
  }

 private:
  os::RecordView block_;
};

std::string HeaderText(const os::Field& field) {
  return std::as_const(modTolvDeclares32::ShipmentRecord()).header().Raw(field);
}

// The set of the settings that applies to the lane: intrastate, Canada or US.
DiscountSet LaneSet() {
  const SettingsRecord& s = Settings();
  const bool origin_numeric = SafeValue(HeaderText(header::kOriginZip)) > 0;
  const bool destination_numeric = SafeValue(HeaderText(header::kDestinationZip)) > 0;
  const LaneState& lane = Lane();
  if (lane.OriginState == lane.DestinationState && origin_numeric && destination_numeric &&
      s.On(settings::kIntrastateDiscountsEnabled)) {
    return SetOf(settings::kIntrastateDiscounts);
  }
  if ((!origin_numeric || !destination_numeric) && s.On(settings::kCanadaDiscountsEnabled)) {
    return SetOf(settings::kCanadaDiscounts);
  }
  return SetOf(settings::kUsDiscounts);
}

// A box counts when it holds more than a lone decimal character.
bool Filled(std::string_view text) {
  std::string trimmed = Trim(text);
  return !trimmed.empty() && trimmed != "." && trimmed != std::string(1, DecimalCharacter());
}

double BoxPercent(std::string_view text) {
  return std::min(SafeValue(text), kMaxPromptedDiscount);
}

}  // namespace

bool FindZipDiscount() {
  const std::string path = DataFilePath(z::kCreatedFileName);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    runtime::RecordFile created;
    created.Open(path, static_cast<int>(z::kRecordSize));
    return false;
  }
  // An existing table is only read: closing it after opening it for writing counts as a
  // change of the data directory, which would make every later file look-up ask again.
  z::Table table;
  std::string error;
  if (!z::ReadTable(path, &table, &error)) return false;
  const std::string origin = HeaderText(header::kOriginZip).substr(0, 5);
  const std::string destination = HeaderText(header::kDestinationZip).substr(0, 5);
  for (const z::Record& bytes : table.records) {
    if (z::IsDeleted(bytes)) continue;
    os::ConstRecordView record(bytes);
    if (lookup::InRange(Trim(record.Raw(z::kOriginLow)), origin,
                        Trim(record.Raw(z::kOriginHigh))) &&
        lookup::InRange(Trim(record.Raw(z::kDestinationLow)), destination,
                        Trim(record.Raw(z::kDestinationHigh)))) {
      Lane().FoundZipDiscount = bytes;
      return true;
    }
  }
  return false;
}

std::string FourDigitDiscount(double percent) { return runtime::Format(percent * 100, "0000") + " "; }

std::string PlainDiscount(double percent) {
  std::string text = Trim(runtime::Str(percent * 100)) + " ";
  text.resize(5, ' ');
  return text;
}

bool PromptedDiscountFits(std::string_view text) {
  return SafeValue(text) <= kMaxPromptedDiscount;
}

void RefuseDiscountBeyondLimit(forms::TextBox& box, int& key_ascii) {
  if (key_ascii < 32) return;  // Backspace, Tab, Enter and refused keys
  std::string text = box.Text();
  std::size_t start = std::min(static_cast<std::size_t>(std::max(box.SelStart(), 0)), text.size());
  std::size_t length = std::min(static_cast<std::size_t>(std::max(box.SelLength(), 0)),
                                text.size() - start);
  text.replace(start, length, 1, static_cast<char>(key_ascii));
  if (!PromptedDiscountFits(text)) key_ascii = 0;
}

void FillLaneDiscounts(const DiscountBoxes& boxes) {
  const SettingsRecord& s = Settings();
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  DiscountValues values(record.discount_a());
  LaneState& lane = Lane();
  lane.LaneMcFloor = runtime::Currency();
  record.header().SetText(header::kDiscountSwitch, "N");
  const int count = s.I16(settings::kDiscountCount);
  const bool multiple = count == 3;

  if (count == 0) {
    values.Set(1, kValues, kNoDiscount);
  } else if (s.On(settings::kDiscountsFixed)) {
    const bool found = FindZipDiscount();
    record.header().SetText(header::kDiscountSwitch, "Y");
    if (found && s.On(settings::kZipDiscountsUsed) && s.On(settings::kZipDiscountsOffered)) {
      os::ConstRecordView zip(lane.FoundZipDiscount);
      values.Set(1, 1, PlainDiscount(zip.FiniteF64(z::kMcDiscount)));
      values.Set(2, 7, FourDigitDiscount(zip.FiniteF64(z::kLtlDiscount)));
      values.Set(8, 10, FourDigitDiscount(zip.FiniteF64(z::kTlDiscount)));
      lane.LaneMcFloor = runtime::Currency::FromDouble(zip.FiniteF64(z::kMcFloor));
    } else {
      DiscountSet set = LaneSet();
      if (multiple) {
        values.Set(1, 1, FourDigitDiscount(set.mc));
        values.Set(2, 7, FourDigitDiscount(set.ltl));
        values.Set(8, 10, FourDigitDiscount(set.tl));
      } else {
        values.Set(1, kValues, FourDigitDiscount(set.ltl));
      }
      lane.LaneMcFloor = runtime::Currency::FromDouble(set.floor);
    }
  } else {
    record.header().SetText(header::kDiscountSwitch, "Y");
    auto four = [](const std::string& box) {
      return Filled(box) ? FourDigitDiscount(BoxPercent(box)) : kNoDiscount;
    };
    auto plain = [](const std::string& box) {
      return Filled(box) ? PlainDiscount(BoxPercent(box)) : kBlankDiscount;
    };
    if (multiple) {
      values.Set(1, 1, four(boxes.mc));
      values.Set(2, 7, plain(boxes.ltl));
      values.Set(8, 10, plain(boxes.tl));
    } else {
      values.Set(1, 1, four(boxes.ltl));
      values.Set(2, kValues, plain(boxes.ltl));
    }
    if (Filled(boxes.floor)) lane.LaneMcFloor = runtime::Currency::FromDouble(SafeValue(boxes.floor));
  }
  if (s.On(settings::kTlDiscountHidden)) values.Set(8, 10, kBlankDiscount);
  if (CompanyNameStartsWith("VORNHALT")) values.Set(1, 1, kNoDiscount);
  record.header().SetText(header::kDiscountKind, s.On(settings::kDiscountOnCharges) ? "C" : "R");
}

}  // namespace frelane::modMain

namespace frelane {

void frmRatingScreen::FillDiscountFields() {
  modMain::FillLaneDiscounts({txtDiscount(1).Text(), txtDiscount(2).Text(),
                              txtDiscount(3).Text(), txtDiscount(4).Text()});
}

}  // namespace frelane
