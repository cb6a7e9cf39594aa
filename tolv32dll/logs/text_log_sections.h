// The sections of the text log, each as the bytes to append. Labels begin with "\r\n";
// every record field follows its label as its raw characters, with nothing after it, so a
// field runs on until the next label.
#ifndef TOLV32DLL_LOGS_TEXT_LOG_SECTIONS_H_
#define TOLV32DLL_LOGS_TEXT_LOG_SECTIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "tolv32dll/records/shipment_record.h"

namespace tolv {

// An initialisation: the version text, the effective path and the initialisation's result.
std::string InitLogSection(std::string_view version_text, std::string_view effective_path,
                           int result);

// A new tariff data directory.
std::string SetTolvdataLogSection(std::string_view directory);

// A shipment as the caller sent it: header, each detail of its DetailCount, both discount
// blocks and the trailer byte.
std::string RatingRequestLogSection(const ShipmentRecord& request);

// A shipment as the engine answered it: header and each detail of its DetailCount.
std::string RatingResponseLogSection(const ShipmentRecord& response);

// The DetailCount of a header as the log reads it ("%2hd"); a count the record cannot
// hold is limited to its twenty slots, and unreadable text counts as none.
int LoggedDetailCount(const ShipmentRecord& record);

// A package request's fields, each the raw characters of its field in the request. The
// package rating fills it from its own record layout.
struct PackageRequestLogFields {
  std::string_view request;  // the whole request
  std::string_view residential;
  std::string_view dropoff_code;
  std::string_view packaging_code;
  std::string_view surcharge_type;
  std::string_view surcharge;
  std::string_view service_code;
  std::string_view tier;
  std::string_view number_packages;
  std::vector<std::string_view> weights;  // one per package of NumberPackages
};

// A package response's fields, with the request it answers.
struct PackageResponseLogFields {
  std::string_view request;  // the whole request
  std::string_view segment_code;
  std::string_view status;
  std::string_view tier_used;
  std::string_view zone;
  std::string_view cwt_charges;
  std::string_view no_packages;
  std::vector<std::string_view> charges;  // one per package of the request's NumberPackages
};

std::string PackageRequestLogSection(const PackageRequestLogFields& fields);
std::string PackageResponseLogSection(const PackageResponseLogFields& fields);

}  // namespace tolv

#endif  // TOLV32DLL_LOGS_TEXT_LOG_SECTIONS_H_
