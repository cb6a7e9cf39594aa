#include "frelane/rating/service_days.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/record_reader.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/lane_records.h"
#include "frelane/rating/lookup_files.h"
#include "platform/runtime/record_file.h"

namespace frelane::modMain {

namespace {

// The 5-character key of a point: its trimmed code cut to 5 and blank-filled.
std::string RangeKey(const os::Field& field) {
  std::string key = Trim(std::as_const(modTolvDeclares32::ShipmentRecord()).header().Raw(field));
  key.resize(5, ' ');
  return key;
}

// False, after saying so once, when the named file is there but cannot be read.
bool Readable(const char* name) {
  if (lookup::DataFileState(name) != lookup::FileState::kUnreadable) return true;
  lookup::ReportUnreadableFile(name);
  return false;
}

// The ranges of one of the two range files, in file order; a missing file is created
// empty, as the look-up always did, and a file that cannot be opened has no ranges.
std::vector<std::array<std::uint8_t, zip_range_record::kSize>> ReadRanges(const char* name) {
  std::vector<std::array<std::uint8_t, zip_range_record::kSize>> ranges;
  runtime::RecordFile file;
  if (!Readable(name) ||
      !file.Open(DataFilePath(name), static_cast<int>(zip_range_record::kSize))) {
    return ranges;
  }
  ranges.resize(static_cast<std::size_t>(file.RecordCount()));
  for (std::size_t n = 0; n < ranges.size(); ++n) {
    if (!file.Get(static_cast<std::int64_t>(n + 1), ranges[n])) ranges.resize(n);
  }
  return ranges;
}

bool Covers(const std::array<std::uint8_t, zip_range_record::kSize>& range,
            const std::string& key) {
  os::ConstRecordView view(range);
  return lookup::InRange(view.RawView(zip_range_record::kLow), key,
                         view.RawView(zip_range_record::kHigh));
}

// The ServiceUS.dat record number of the lane's cell; nullopt when it has none.
std::optional<int> FindServiceCell() {
  const std::string origin = RangeKey(tolv::shipment_header::kOriginZip);
  const std::string destination = RangeKey(tolv::shipment_header::kDestinationZip);
  auto columns = ReadRanges(kServiceOriginRangesFileName);
  auto rows = ReadRanges(kServiceDestinationRangesFileName);
  if (!Readable(kServiceMatrixFileName)) return std::nullopt;
  std::optional<RecordReader> matrix =
      RecordReader::Open(DataFilePath(kServiceMatrixFileName), service_cell_record::kSize);
  if (!matrix) return std::nullopt;
  const std::int64_t column_count = static_cast<std::int64_t>(columns.size());
  for (std::int64_t i = 1; i <= column_count; ++i) {
    if (!Covers(columns[static_cast<std::size_t>(i - 1)], origin)) continue;
    for (std::int64_t j = 1; j <= static_cast<std::int64_t>(rows.size()); ++j) {
      if (!Covers(rows[static_cast<std::size_t>(j - 1)], destination)) continue;
      std::optional<std::vector<std::uint8_t>> cell = matrix->Read((j - 1) * column_count + i);
      if (!cell || (*cell)[0] == service_cell_record::kEmpty) continue;
      if ((*cell)[0] == 0) return std::nullopt;
      return (*cell)[0];
    }
  }
  return std::nullopt;
}

}  // namespace

bool IsServedZipPair(std::string_view origin_prefix, std::string_view destination_prefix) {
  namespace r = served_lane_record;
  switch (lookup::DataFileState(kServedLanesFileName)) {
    case lookup::FileState::kMissing:
      return false;
    case lookup::FileState::kUnreadable:
      lookup::ReportUnreadableFile(kServedLanesFileName);
      return false;
    case lookup::FileState::kReadable:
      break;
  }
  std::optional<RecordReader> file =
      RecordReader::Open(DataFilePath(kServedLanesFileName), r::kSize);
  if (!file) {
    lookup::ReportUnreadableFile(kServedLanesFileName);
    return false;
  }
  for (std::int64_t n = 1; n <= file->record_count(); ++n) {
    std::optional<std::vector<std::uint8_t>> bytes = file->Read(n);
    if (!bytes) break;
    os::ConstRecordView lane(*bytes);
    if (lookup::InRange(lane.RawView(r::kOriginLow), origin_prefix, lane.RawView(r::kOriginHigh)) &&
        lookup::InRange(lane.RawView(r::kDestinationLow), destination_prefix,
                        lane.RawView(r::kDestinationHigh))) {
      return true;
    }
  }
  return false;
}

std::string GetServiceDays() {
  namespace d = service_days_record;
  std::optional<int> cell = FindServiceCell();
  if (!cell) return "";
  runtime::RecordFile file;
  std::array<std::uint8_t, d::kSize> bytes{};
  if (!Readable(kServiceDaysFileName) ||
      !file.Open(DataFilePath(kServiceDaysFileName), static_cast<int>(d::kSize)) ||
      !file.Get(*cell, bytes)) {
    return "";
  }
  os::ConstRecordView days(bytes);
  const std::int16_t fewest = days.I16(d::kMinDays);
  const std::int16_t most = days.I16(d::kMaxDays);
  if (fewest != most) return std::to_string(fewest) + "-" + std::to_string(most);
  return fewest == 0 ? "" : std::to_string(fewest);
}

}  // namespace frelane::modMain
