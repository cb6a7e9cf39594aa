#include "frelane/rating/zip_surcharge.h"

#include <optional>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/rating/carrier_contact.h"
#include "frelane/rating/data_file_bytes.h"
#include "frelane/rating/zip_adjustment_record.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace zipadj {

namespace {

constexpr char kCrLf[] = "\r\n";

bool IsNote(double code) { return code == -1.0 || code == -2.0 || code == -3.0; }
bool IsOriginNote(double code) { return code == -1.0 || code == -2.0; }

std::string Money(double amount) { return runtime::Format(amount, "0.00"); }

std::string SurchargeSentence(double amount) {
  return "An additional $ " + Money(amount) + " surcharge applies to this zip/postal code. " +
         kCrLf + "See Rules Item ";
}

}  // namespace

PointAdjustment FindAdjustment(const std::vector<std::uint8_t>& file, std::string_view zip,
                               std::int32_t weight) {
  const std::string key = modMain::Trim(zip);
  const std::size_t n = RecordCount(file, kRecordSize);
  for (std::size_t i = 1; i <= n; ++i) {
    os::ConstRecordView r(RecordOf(file, kRecordSize, i));
    const std::int32_t to = r.I32(kToWeight);
    if (modMain::Trim(r.Text(kLowZip)) <= key && key <= modMain::Trim(r.Text(kHighZip)) &&
        weight >= r.I32(kFromWeight) && (to == 0 || weight <= to)) {
      return {r.FiniteF64(kAmount), modMain::Trim(r.Text(kRulesItem))};
    }
  }
  return {};
}

std::string NoteText(double code, const std::string& telephone) {
  if (code == -1.0) {
    return std::string("An additional charge applies to this zip/postal code. ") + kCrLf +
           "See Rules Item";
  }
  if (code == -2.0) {
    const std::string contact =
        telephone.empty() ? "Please contact the carrier" : "Please contact the carrier at " + telephone;
    return "This location is not a service point. " + contact +
           " for a quote and service options. " + kCrLf + "See Rules Item";
  }
  if (code == -3.0) {
    return std::string("An Additional charge applies to this zip/postal code ") + kCrLf +
           "if the destination is in the Alberta Oil Sands. See Rules Item";
  }
  return "";
}

double CombineAdjustments(const PointAdjustment& origin, const PointAdjustment& destination,
                          const std::string& telephone, std::string& message) {
  const double o = origin.amount;
  const double d = destination.amount;
  const std::string& ro = origin.rules_item;
  const std::string& rd = destination.rules_item;
  auto note = [&](double code, const std::string& item) {
    return NoteText(code, telephone) + " " + item;
  };
  message.clear();
  if (o < 0 && d < 0) {
    if (o == d && IsOriginNote(o)) {
      message = NoteText(o, telephone) + "s " + ro + " and " + rd;
      return 0.0;
    }
    if (IsOriginNote(o) && IsNote(d)) {
      message = note(o, ro) + kCrLf + note(d, rd);
      return 0.0;
    }
    return 0.0;  // any other pair of codes says nothing
  }
  if (o > 0 && d > 0) {
    message = "An additional $ " + Money(o + d) + " surcharge applies to this zip/postal code. " +
              kCrLf + "See Rules Items " + ro + " and " + rd;
    return o + d;
  }
  if (o > 0) {
    message = SurchargeSentence(o) + ro;
    if (d < 0) message += kCrLf + (IsNote(d) ? note(d, rd) : "");
    return o;
  }
  if (d > 0) {
    message = SurchargeSentence(d) + rd;
    if (o < 0) message += kCrLf + (IsOriginNote(o) ? note(o, ro) : "");
    return d;
  }
  if (d < 0 && IsNote(d)) message = note(d, rd);
  if (o < 0 && IsOriginNote(o)) message = note(o, ro);
  return 0.0;
}

}  // namespace zipadj

namespace modMain {

double GetZipSurcharge(std::string_view origin_zip, std::string_view destination_zip,
                       std::int32_t weight, std::string& message) {
  message.clear();
  std::optional<std::vector<std::uint8_t>> file = ReadDataFile(DataDirectory(), zipadj::kFileName);
  if (!file) return 0.0;
  return zipadj::CombineAdjustments(zipadj::FindAdjustment(*file, origin_zip, weight),
                                    zipadj::FindAdjustment(*file, destination_zip, weight),
                                    CarrierTelephone(), message);
}

}  // namespace modMain

}  // namespace frelane
