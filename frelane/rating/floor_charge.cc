#include "frelane/rating/floor_charge.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/data_file_bytes.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/lookup_files.h"
#include "platform/os/file_lookup.h"
#include "platform/runtime/line_input.h"

namespace frelane {

namespace floors {

namespace {

constexpr std::uint8_t kBlankCell = ' ';

// The key of a code as the range files compare it: trimmed, cut or blank-filled to 5.
std::string RangeKey(std::string_view zip) {
  std::string key = modMain::Trim(zip).substr(0, 5);
  key.resize(5, ' ');
  return key;
}

bool Covers(std::span<const std::uint8_t> range, const std::string& key) {
  os::ConstRecordView r(range);
  return r.Raw(kLowZip) <= key && key <= r.Raw(kHighZip);
}

// One pass over the matrix: the index of the first filled cell whose column range covers
// `column_key` and whose row range covers `row_key`; 0 when none.
std::uint8_t FindCell(const std::vector<std::uint8_t>& columns,
                      const std::vector<std::uint8_t>& rows,
                      const std::vector<std::uint8_t>& matrix, const std::string& column_key,
                      const std::string& row_key) {
  const std::size_t n_columns = RecordCount(columns, kRangeRecordSize);
  const std::size_t n_rows = RecordCount(rows, kRangeRecordSize);
  for (std::size_t i = 1; i <= n_columns; ++i) {
    if (!Covers(RecordOf(columns, kRangeRecordSize, i), column_key)) continue;
    for (std::size_t j = 1; j <= n_rows; ++j) {
      if (!Covers(RecordOf(rows, kRangeRecordSize, j), row_key)) continue;
      const std::size_t cell = (j - 1) * n_columns + i;
      if (cell > matrix.size()) continue;
      const std::uint8_t index = matrix[cell - 1];
      if (index != kBlankCell && index != 0) return index;
    }
  }
  return 0;
}

std::vector<std::uint8_t> FileOrEmpty(const std::string& directory, const char* name) {
  return ReadLookupFile(directory, name).value_or(std::vector<std::uint8_t>{});
}

// Columns 1-based, as the file's layout names them; shorter lines give shorter texts.
std::string Columns(const std::string& line, std::size_t first, std::size_t count) {
  if (first - 1 >= line.size()) return "";
  return line.substr(first - 1, count);
}

}  // namespace

std::optional<double> MatrixFloor(const std::string& directory, std::string_view origin_zip,
                                  std::string_view destination_zip) {
  const std::vector<std::uint8_t> columns = FileOrEmpty(directory, kOriginRangesFile);
  const std::vector<std::uint8_t> rows = FileOrEmpty(directory, kDestinationRangesFile);
  const std::vector<std::uint8_t> matrix = FileOrEmpty(directory, kMatrixFile);
  const std::string origin = RangeKey(origin_zip);
  const std::string destination = RangeKey(destination_zip);
  std::uint8_t index = FindCell(columns, rows, matrix, origin, destination);
  if (index == 0) index = FindCell(columns, rows, matrix, destination, origin);
  if (index == 0) return std::nullopt;
  const std::vector<std::uint8_t> amounts = FileOrEmpty(directory, kAmountsFile);
  std::span<const std::uint8_t> amount = RecordOf(amounts, kAmountRecordSize, index);
  if (amount.empty()) return std::nullopt;
  return os::ConstRecordView(amount).I32(kAmountCents) / 100.0;
}

double FloorAdditionFor(const std::string& path, std::string_view origin_zip,
                        std::string_view destination_zip) {
  runtime::LineReader reader;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || !reader.Open(path)) {
    lookup::ReportUnreadableFile(kAdditionsFile);
    return 0.0;
  }
  const std::string origin = modMain::Trim(origin_zip);
  const std::string destination = modMain::Trim(destination_zip);
  std::string line;
  while (reader.ReadLine(line)) {
    if (origin >= Columns(line, 1, 5) && origin <= Columns(line, 6, 5) &&
        destination >= Columns(line, 11, 5) && destination <= Columns(line, 16, 5)) {
      return modMain::SafeValue(Columns(line, 21, 6)) / 100.0;
    }
  }
  return 0.0;
}

}  // namespace floors

namespace modMain {

namespace {

std::pair<std::string, std::string> LaneZips() {
  const tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  return {record.header().Text(tolv::shipment_header::kOriginZip),
          record.header().Text(tolv::shipment_header::kDestinationZip)};
}

}  // namespace

double GetFloorAddition() {
  std::optional<std::string> path = os::FindFileNoCase(DataDirectory(), floors::kAdditionsFile);
  if (!path) return 0.0;
  auto [origin, destination] = LaneZips();
  return floors::FloorAdditionFor(*path, origin, destination);
}

double GetFloorCharge() {
  LaneState& lane = Lane();
  const bool trim_haul = modMain::CompanyNameStartsWith("TRIM HAUL");
  if (!trim_haul && lane.LaneMcFloor > runtime::Currency{}) {
    lane.FloorAddition = GetFloorAddition();
    return (lane.LaneMcFloor + runtime::Currency::FromDouble(lane.FloorAddition)).ToDouble();
  }
  lane.FloorAddition = 0.0;
  double floor = 0.0;
  if (Settings().On(settings::kFloorMatrixInUse)) {
    auto [origin, destination] = LaneZips();
    floor = floors::MatrixFloor(DataDirectory(), origin, destination).value_or(0.0);
  }
  if (trim_haul && floor > lane.LaneMcFloor.ToDouble()) floor = lane.LaneMcFloor.ToDouble();
  return floor;
}

}  // namespace modMain

}  // namespace frelane
