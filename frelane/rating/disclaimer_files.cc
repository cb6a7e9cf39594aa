#include "frelane/rating/disclaimer_files.h"

#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/record_reader.h"
#include "platform/os/cp1252.h"
#include "platform/os/regular_file.h"

namespace frelane {

namespace {

constexpr unsigned char kShift = 65;

std::string Unshift(std::string_view line) {
  std::string shown;
  shown.reserve(line.size());
  for (char c : line) {
    unsigned char code = static_cast<unsigned char>(c);
    shown.push_back(static_cast<char>(code >= kShift ? code - kShift : code));
  }
  return shown;
}

bool SearchRanges(RecordReader& file, const std::string& key) {
  namespace z = zip_disclaimer_record;
  // Every record below lo ends before the key, every record from hi on starts after it.
  std::int64_t lo = 0;
  std::int64_t hi = file.record_count() + 1;
  while (hi - lo >= 2) {
    std::int64_t mid = (lo + hi) / 2;
    std::optional<std::vector<std::uint8_t>> record = file.Read(mid);
    if (!record) return false;
    const os::ConstRecordView v(*record);
    std::string low = v.Raw(z::kLowCode);
    std::string high = v.Raw(z::kHighCode);
    if (low <= key && key <= high) return true;
    if (key < high) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return false;
}

}  // namespace

std::string DecodeDisclaimerText(std::string_view stored) {
  std::string caption;
  std::size_t at = 0;
  while (at < stored.size()) {
    std::size_t end = stored.find_first_of("\r\n", at);
    std::string_view line =
        stored.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (!modMain::Trim(caption).empty()) caption += "\r\n";
    caption += Unshift(line);
    if (end == std::string_view::npos) break;
    at = end + 1;
    if (stored[end] == '\r' && at < stored.size() && stored[at] == '\n') ++at;
  }
  return os::Cp1252ToUtf8(caption);
}

std::optional<std::string> ReadDisclaimerFile(const std::string& path) {
  std::optional<std::vector<std::uint8_t>> bytes = os::ReadRegularFile(path);
  if (!bytes) return std::nullopt;
  return DecodeDisclaimerText(std::string(bytes->begin(), bytes->end()));
}

bool IsZipInDisclaimerRanges(const std::string& path, std::string_view origin_zip,
                             std::string_view destination_zip) {
  std::optional<RecordReader> file = RecordReader::Open(path, zip_disclaimer_record::kSize);
  if (!file || file->record_count() == 0) return false;
  auto first_five = [](std::string_view zip) {
    std::string key(zip.substr(0, 5));
    key.resize(5, ' ');
    return key;
  };
  std::string origin = first_five(origin_zip);
  if (SearchRanges(*file, origin)) return true;
  std::string destination = first_five(destination_zip);
  return destination != origin && SearchRanges(*file, destination);
}

}  // namespace frelane
