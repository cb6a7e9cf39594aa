#include "frelane/core/service_guide.h"

#include <cstring>
#include <limits>
#include <optional>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/record_reader.h"
#include "platform/os/cp1252.h"

namespace frelane::ServGuid {

namespace {

ServiceZipRecord& MutableLastServiceZip() {
  static ServiceZipRecord record;
  return record;
}

TerminalRecord& MutableLastTerminal() {
  static TerminalRecord record;
  return record;
}

// The trimmed single-byte text of a field, for comparisons by character code.
std::string StoredText(const std::vector<std::uint8_t>& record, const os::Field& field) {
  return modMain::Trim(os::ConstRecordView(record).Text(field));
}

}  // namespace

std::int32_t FindServiceTerminal(std::string_view zip, std::string_view kind, std::string& code,
                                 std::int16_t& days) {
  namespace f = service_zip_record;
  code.clear();
  days = 0;
  std::optional<RecordReader> file =
      RecordReader::Open(modMain::DataFilePath(kServiceZipFileName), f::kSize);
  if (!file) return 0;
  const std::string key = os::Utf8ToCp1252(modMain::Trim(zip));
  // The records are sorted by range. Every record below lo ends before the key and every
  // record from hi on starts after it; 0 and count + 1 stand for the ends of the file.
  std::int64_t lo = 0;
  std::int64_t hi = file->record_count() + 1;
  while (hi - lo > 1) {
    std::int64_t mid = (lo + hi) / 2;
    std::optional<std::vector<std::uint8_t>> record = file->Read(mid);
    if (!record) return 0;
    std::string low = StoredText(*record, f::kLowCode);
    std::string high = StoredText(*record, f::kHighCode);
    if (low <= key && key <= high) {
      ServiceZipRecord& last = MutableLastServiceZip();
      std::memcpy(last.bytes().data(), record->data(), f::kSize);
      bool origin = kind == "O";
      days = last.I16(origin ? f::kOriginDays : f::kDestinationDays);
      code = last.Text(origin ? f::kOriginServiceCode : f::kDestinationServiceCode);
      return last.I32(f::kTerminalNumber);
    }
    if (key < high) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return 0;
}

std::string ReadTerminal(std::int32_t n) {
  // A terminal that cannot be read leaves a blank record, never the previous terminal's.
  TerminalRecord& last = MutableLastTerminal();
  last.Clear();
  std::optional<RecordReader> file =
      RecordReader::Open(modMain::DataFilePath(kTerminalFileName), terminal_record::kSize);
  if (!file) return "";
  std::optional<std::vector<std::uint8_t>> record = file->Read(n);
  if (!record) return "";
  std::memcpy(last.bytes().data(), record->data(), terminal_record::kSize);
  return os::Cp1252ToUtf8(last.Raw(terminal_record::kCode));
}

std::int16_t GetTerminalDays(std::int32_t origin_terminal, std::int32_t destination_terminal,
                             std::int16_t extra_days) {
  std::int64_t terminals =
      static_cast<std::int64_t>(FileLengthOrZero(modMain::DataFilePath(kTerminalFileName)) /
                                terminal_record::kSize);
  if (origin_terminal < 1 || origin_terminal > terminals || destination_terminal < 1 ||
      destination_terminal > terminals) {
    return 0;
  }
  std::optional<RecordReader> matrix = RecordReader::Open(
      modMain::DataFilePath(kTransitMatrixFileName), transit_days_record::kSize);
  if (!matrix) return 0;
  std::int64_t cell = (origin_terminal - 1) * terminals + destination_terminal;
  std::optional<std::vector<std::uint8_t>> record = matrix->Read(cell);
  if (!record) return 0;
  std::int32_t total = os::ConstRecordView(*record).I16(transit_days_record::kDays) +
                       static_cast<std::int32_t>(extra_days);
  if (total < std::numeric_limits<std::int16_t>::min() ||
      total > std::numeric_limits<std::int16_t>::max()) {
    return 0;
  }
  return static_cast<std::int16_t>(total);
}

const ServiceZipRecord& LastServiceZip() { return MutableLastServiceZip(); }
const TerminalRecord& LastTerminal() { return MutableLastTerminal(); }

}  // namespace frelane::ServGuid
