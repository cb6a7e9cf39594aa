#include "tolv32dll/logs/text_log_sections.h"

#include <algorithm>

namespace tolv {
namespace {

namespace h = shipment_header;
namespace sr = shipment_record;

// The header as logged: all but its last two bytes.
constexpr std::size_t kLoggedHeader = h::kSize - 2;

std::string Raw(os::ConstRecordView view, std::size_t offset, std::size_t width) {
  return std::string(reinterpret_cast<const char*>(view.bytes().data() + offset), width);
}

void AppendDetails(const ShipmentRecord& record, const char* label, std::string& out) {
  const int count = LoggedDetailCount(record);
  for (int i = 0; i < count; ++i) {
    out += label;
    out += Raw(record.detail(static_cast<std::size_t>(i)), 0, shipment_detail::kWrittenSize);
  }
}

}  // namespace

std::string InitLogSection(std::string_view version_text, std::string_view effective_path,
                           int result) {
  std::string out = "\r\nVersion=";
  out += version_text;
  out += "\r\nEffectivePath=";
  out += effective_path;
  out += "EndofString\r\nTolvInitializeTolv Return Code=";
  out += std::to_string(result);
  return out;
}

std::string SetTolvdataLogSection(std::string_view directory) {
  std::string out = "\r\nToPath in Tolv_Set_Tolvdata=";
  out += directory;
  out += "EndofString";
  return out;
}

int LoggedDetailCount(const ShipmentRecord& record) {
  return std::clamp(record.DetailCount().value_or(0), 0, static_cast<int>(sr::kDetailSlots));
}

std::string RatingRequestLogSection(const ShipmentRecord& request) {
  std::string out = "\r\nBeforeHeader=";
  out += Raw(request.header(), 0, kLoggedHeader);
  AppendDetails(request, "\r\nBeforeDetail=", out);
  out += "\r\nwDiscnt=";
  out += Raw(request.discount_a(), 0, discount_block::kSize);
  out += "\r\niDiscnt=";
  out += Raw(request.discount_b(), 0, discount_block::kSize);
  out += "\r\nEnddll=";
  out += static_cast<char>(*request.view().at(sr::kTrailer));
  return out;
}

std::string RatingResponseLogSection(const ShipmentRecord& response) {
  std::string out = "\r\nAfterHeader=";
  out += Raw(response.header(), 0, kLoggedHeader);
  AppendDetails(response, "\r\nAfterDetail=", out);
  return out;
}

std::string PackageRequestLogSection(const PackageRequestLogFields& f) {
  std::string out = "\r\nBeforePackageRequest=";
  out += f.request;
  out += "\r\nBeforePackage_Residential=";
  out += f.residential;
  out += "\r\nBeforePackage_DropoffCode=";
  out += f.dropoff_code;
  out += "\r\nBeforePackage_PackagingCode=";
  out += f.packaging_code;
  out += "\r\nBeforePackage_SurchargeType=";
  out += f.surcharge_type;
  out += "\r\nBeforePackage_Surcharge=";
  out += f.surcharge;
  out += "\r\nBeforePackage_ServiceCode=";
  out += f.service_code;
  out += "\r\nBeforePackage_Tier=";
  out += f.tier;
  out += "\r\nBeforePackage_NumberPackages=";
  out += f.number_packages;
  for (std::size_t k = 0; k < f.weights.size(); ++k) {
    out += "\r\nBeforePackage" + std::to_string(k + 1) + "_Weight=";
    out += f.weights[k];
  }
  out += "\r\nBeforePackage_End\n";
  return out;
}

std::string PackageResponseLogSection(const PackageResponseLogFields& f) {
  std::string out = "\r\nAfterPackageResults=";
  out += f.request;
  out += "\r\nAfterPackage_SegmentCode=";
  out += f.segment_code;
  out += "\r\nAfterPackage_Status=";
  out += f.status;
  out += "\r\nAfterPackage_TierUsed=";
  out += f.tier_used;
  out += "\r\nAfterPackage_Zone=";
  out += f.zone;
  out += "\r\nAfterPackage_CwtCharges=";
  out += f.cwt_charges;
  out += "\r\nAfterPackage_NoPackages=";
  out += f.no_packages;
  for (std::size_t k = 0; k < f.charges.size(); ++k) {
    out += "\r\nAfterPackage" + std::to_string(k + 1) + "_Charge=";
    out += f.charges[k];
  }
  out += "\r\nAfterPackage_End\n";
  return out;
}

}  // namespace tolv
