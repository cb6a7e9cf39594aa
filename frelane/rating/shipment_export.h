// modShipmentExport: appends the quote on the rating screen, as one line of text, to the
// export file other programs read: comma-separated values under a header line, or fixed-width
// columns. The export settings live in memory for the program's run (empty at start) and are
// written to Defaults.ini, which the program never reads back.
#ifndef FRELANE_RATING_SHIPMENT_EXPORT_H_
#define FRELANE_RATING_SHIPMENT_EXPORT_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "tolv32dll/records/shipment_record.h"

namespace frelane {

class frmRatingScreen;

namespace modShipmentExport {

inline constexpr char kIniFileName[] = "Defaults.ini";
inline constexpr char kIniSection[] = "ShipmentExport";

struct ExportSettingsState {
  std::string ExportAll;       // "Y": every rated shipment is exported
  std::string Append;          // "N": the next export replaces the file
  std::string CommaSeparated;  // "Y": comma-separated values
  std::string PathFile;        // as chosen, not trimmed
};

// The program's one set of export settings.
ExportSettingsState& ExportSettings();
// The data directory's Defaults.ini.
std::string IniFilePath();
// Writes the keys, in their order, to the export section of Defaults.ini. When a write
// fails, one message names the file; false then.
bool WriteIniKeys(std::initializer_list<std::pair<const char*, std::string_view>> keys);

// What the export line takes from the rating screen besides the ShipmentRecord.
struct QuoteCaptions {
  std::string origin_state;        // lblOriginState
  std::string destination_state;   // lblDestinationState
  std::string discount;            // lblDiscount
  std::string accessorial_charge;  // lblAccessorialCharge
  std::string total_charge;        // lblTotalCharge
  std::string service_days;        // lblServiceDays
  double floor_charge = 0;         // the minimum-charge floor, dollars
};

// Appends one field: quoted ("value",) or plain (value,) when comma-separated, else alone.
void AppendField(std::string& line, std::string_view field, bool comma_separated, bool quoted);
// The comma-separated header line (ends with a comma, no line end).
std::string HeaderLine();
// The shipment's line, without its line end.
std::string ExportLine(const tolv::ShipmentRecord& record, const QuoteCaptions& captions,
                       bool comma_separated);

// Opens the export file for appending (creating it) and closes it; false, after the
// export's error message, when that fails or another program holds the file locked.
bool CanOpenExportFile();
// Appends the header line; false, after the error message, when it cannot be written.
bool WriteHeader();

// True when every rated shipment is exported as the user finishes it.
inline bool ExportsEveryShipment() { return ExportSettings().ExportAll == "Y"; }

// Exports the shipment: replaces the file in replace mode, writes the header first to a new
// comma-separated file, appends the line and says where it went, or says why not.
void ExportShipment(const QuoteCaptions& captions);
// The same for the quote the screen shows.
void ExportShipment(frmRatingScreen& screen);

}  // namespace modShipmentExport

// Exports the quote the screen shows when every rated shipment is to be exported.
void ExportShipmentWhenExportAll(frmRatingScreen& screen);

}  // namespace frelane

#endif  // FRELANE_RATING_SHIPMENT_EXPORT_H_
