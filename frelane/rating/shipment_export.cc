#include "frelane/rating/shipment_export.h"

#include <filesystem>
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/ini_writer.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/export_file.h"
#include "frelane/rating/floor_charge.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/format.h"

namespace frelane {
namespace modShipmentExport {

namespace {

namespace h = tolv::shipment_header;
namespace d = tolv::shipment_detail;

constexpr int kLineItems = 8;

// The header names of the 17 shipment fields and of one line item's three.
constexpr const char* kFieldNames[] = {
    "ID_#",   "ORG_ZIP", "ORG_ST",  "DST_ZIP",  "DST_ST", "ACTL_WT", "DEF_WT",
    "BLD_WT", "SHIP/DSC_STAT",      "DISC_%",   "GROSS_$", "MIN_CHG", "MC_FLOOR",
    "DISC_$", "ACCS_$",  "NET_$",   "FILLER   ", "CLASS",  "WEIGHT",  "RATE_CWT"};

// A text cut or blank-padded to exactly `width` characters.
std::string Fit(std::string_view text, std::size_t width) {
  std::string s(text.substr(0, width));
  s.resize(width, ' ');
  return s;
}

// A record field as stored, a NUL read as a blank.
std::string Stored(os::ConstRecordView view, const os::Field& field) {
  std::string s = os::Cp1252ToUtf8(view.Raw(field));
  for (char& c : s) {
    if (c == '\0') c = ' ';
  }
  return s;
}

std::string Number(std::string_view text, std::string_view pattern) {
  return runtime::Format(modMain::SafeValue(text), pattern);
}

// The service days as two characters: blanks for none, a number as two digits, other text
// as it stands.
std::string ServiceDaysField(const std::string& caption) {
  if (modMain::Trim(caption).empty()) return "  ";
  std::string first = caption.substr(0, 2);
  if (runtime::IsNumeric(first)) return runtime::Format(runtime::CDbl(first), "00");
  return first;
}

void ShowExportError(const FileFailure& failure) {
  std::string message = "Export Error - ";
  if (failure.number == kErrPermissionDenied) {
    message += "\rAnother process has the output file locked.";
  } else {
    message += failure.description +
               ".\rCheck your Export Setup for valid path and file name by selecting Edit - "
               "Export Setup.";
  }
  message += "\rThis shipment was not exported.";
  forms::MsgBox(message, forms::msgbox::kOKOnly);
}

std::string OpenPath() { return ExportOpenPath(ExportSettings().PathFile); }

bool Append(std::string_view text) {
  FileFailure failure = AppendToFile(OpenPath(), text);
  if (failure) ShowExportError(failure);
  return !failure;
}

}  // namespace

ExportSettingsState& ExportSettings() {
  static ExportSettingsState state;
  return state;
}

std::string IniFilePath() { return modMain::DataFilePath(kIniFileName); }

bool WriteIniKeys(std::initializer_list<std::pair<const char*, std::string_view>> keys) {
  const std::string ini = IniFilePath();
  bool written = true;
  for (const auto& [key, value] : keys) {
    written = modIniFile::WriteIniString(kIniSection, key, value, ini) && written;
  }
  if (!written) {
    forms::MsgBox("The export settings could not be written to " + ini + ".",
                  forms::msgbox::kOKOnly);
  }
  return written;
}

void AppendField(std::string& line, std::string_view field, bool comma_separated, bool quoted) {
  if (comma_separated && quoted) {
    line += '"';
    line += field;
    line += "\",";
  } else {
    line += field;
    if (comma_separated) line += ',';
  }
}

std::string HeaderLine() {
  std::string line;
  for (const char* name : kFieldNames) AppendField(line, name, true, true);
  return line;
}

std::string ExportLine(const tolv::ShipmentRecord& record, const QuoteCaptions& captions,
                       bool csv) {
  os::ConstRecordView header = record.header();
  std::string line;
  AppendField(line, std::string(15, ' '), csv, true);
  AppendField(line, Stored(header, h::kOriginZip).substr(0, 5), csv, true);
  AppendField(line, Fit(captions.origin_state, 2), csv, true);
  AppendField(line, Stored(header, h::kDestinationZip).substr(0, 5), csv, true);
  AppendField(line, Fit(captions.destination_state, 2), csv, true);
  AppendField(line, Number(header.Text(h::kTotalWeight), "000000"), csv, false);
  AppendField(line, Number(header.Text(h::kDeficitWeight), "000000"), csv, false);
  AppendField(line, Number(header.Text(h::kBilledWeight), "000000"), csv, false);
  AppendField(line, "LB", csv, true);
  AppendField(line, Number(header.Text(h::kDiscountPercent), "00.00"), csv, false);
  AppendField(line, Number(header.Text(h::kCharges), "00000000000.00"), csv, false);
  AppendField(line, Number(header.Text(h::kMinimumCharge), "000000.00"), csv, false);
  AppendField(line, runtime::Format(captions.floor_charge, "000000.00"), csv, false);
  AppendField(line, Number(captions.discount, "00000000000.00"), csv, false);
  AppendField(line, Number(captions.accessorial_charge, "000000.00"), csv, false);
  AppendField(line, Number(captions.total_charge, "00000000000.00"), csv, false);
  AppendField(line, ServiceDaysField(captions.service_days), csv, false);
  for (std::size_t i = 0; i < kLineItems; ++i) {
    os::ConstRecordView item = record.detail(i);
    const bool shipped = modMain::SafeValue(item.Text(d::kWeight)) > 0;
    AppendField(line, shipped ? Stored(item, d::kClass) : std::string(3, ' '), csv, true);
    AppendField(line, shipped ? Stored(item, d::kWeight) : std::string(6, ' '), csv, false);
    AppendField(line, shipped ? Stored(item, d::kRate) : std::string(7, ' '), csv, false);
  }
  if (csv && !line.empty() && line.back() == ',') line.pop_back();
  return line;
}

bool CanOpenExportFile() { return Append(""); }

bool WriteHeader() { return Append(os::Utf8ToCp1252(HeaderLine() + "\r\n")); }

void ExportShipment(const QuoteCaptions& captions) {
  ExportSettingsState& settings = ExportSettings();
  if (!CanOpenExportFile()) return;
  const std::string path = OpenPath();
  if (settings.Append == "N") {
    if (FileFailure failure = RemoveRegularFile(path)) {
      ShowExportError(failure);
      return;
    }
    settings.Append = "Y";
    WriteIniKeys({{"Append", "Y"}});
  }
  const bool csv = settings.CommaSeparated == "Y";
  if (csv) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    const bool empty = !exists || (std::filesystem::is_regular_file(path, error) &&
                                   std::filesystem::file_size(path, error) == 0);
    if (empty && !WriteHeader()) return;
  }
  const std::string line =
      ExportLine(modTolvDeclares32::ShipmentRecord(), captions, csv) + "\r\n";
  if (!Append(os::Utf8ToCp1252(line))) return;
  forms::MsgBox("Rating data exported to " + modMain::Trim(settings.PathFile),
                forms::msgbox::kOKOnly);
}

void ExportShipment(frmRatingScreen& screen) {
  QuoteCaptions captions;
  captions.origin_state = screen.lblOriginState.Caption();
  captions.destination_state = screen.lblDestinationState.Caption();
  captions.discount = screen.lblDiscount.Caption();
  captions.accessorial_charge = screen.lblAccessorialCharge.Caption();
  captions.total_charge = screen.lblTotalCharge.Caption();
  captions.service_days = screen.lblServiceDays.Caption();
  captions.floor_charge = modMain::GetFloorCharge();
  ExportShipment(captions);
}

}  // namespace modShipmentExport

void ExportShipmentWhenExportAll(frmRatingScreen& screen) {
  // A shipment cleared before it was quoted (refused, or over the spot-quote limit) has
  // nothing to export.
  if (modMain::Trim(screen.lblTotalCharge.Caption()).empty()) return;
  if (modShipmentExport::ExportsEveryShipment()) modShipmentExport::ExportShipment(screen);
}

}  // namespace frelane
