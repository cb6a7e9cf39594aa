#include "frelane/rating/city_files.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/record_reader.h"
#include "frelane/rating/lane_records.h"
#include "frelane/rating/lookup_files.h"
#include "platform/os/cp1252.h"

namespace frelane::modMain {

namespace {

namespace c = city_zip_record;

std::string Upper(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

// A random-access file of the city files, or nothing when it is missing or unreadable.
std::optional<RecordReader> OpenCityFile(const char* name, std::size_t record_size) {
  switch (lookup::DataFileState(name)) {
    case lookup::FileState::kMissing:
      return std::nullopt;
    case lookup::FileState::kUnreadable:
      lookup::ReportUnreadableFile(name);
      return std::nullopt;
    case lookup::FileState::kReadable:
      break;
  }
  std::optional<RecordReader> file = RecordReader::Open(DataFilePath(name), record_size);
  if (!file) lookup::ReportUnreadableFile(name);
  return file;
}

// City records through the postal-code index.
class IndexedCities {
 public:
  IndexedCities(RecordReader& index, RecordReader& cities) : index_(index), cities_(cities) {}
  std::int64_t size() const { return index_.record_count(); }
  // The city record that index entry n names; nullopt past either file.
  std::optional<std::vector<std::uint8_t>> City(std::int64_t n) {
    std::optional<std::vector<std::uint8_t>> entry = index_.Read(n);
    if (!entry) return std::nullopt;
    return cities_.Read(os::ConstRecordView(*entry).I32(zip_city_record::kCityRecord));
  }

 private:
  RecordReader& index_;
  RecordReader& cities_;
};

std::string ZipKey(const std::vector<std::uint8_t>& city) {
  return Upper(Trim(os::ConstRecordView(city).Text(c::kZip)));
}

// The upper-cased first `length` characters of the record's city.
std::string CityKey(const std::vector<std::uint8_t>& city, std::size_t length) {
  return Upper(os::ConstRecordView(city).Raw(c::kCity).substr(0, length));
}

// The first of records 1..count that sort equal to the key, by halving: order(n) tells
// where record n sorts against the key (< 0 before, 0 equal, > 0 after), nullopt when it
// cannot be read, which ends the search.
template <typename Order>
std::optional<std::int64_t> FirstEqual(std::int64_t count, Order order) {
  // Records at or below low sort before the key, records at or above high after it.
  std::int64_t low = 0;
  std::int64_t high = count + 1;
  while (high - low > 1) {
    std::int64_t mid = (low + high) / 2;
    std::optional<int> where = order(mid);
    if (!where) return std::nullopt;
    if (*where == 0) {
      while (mid > 1 && order(mid - 1) == 0) --mid;
      return mid;
    }
    (*where < 0 ? low : high) = mid;
  }
  return std::nullopt;
}

int Compare(const std::string& a, const std::string& b) { return a < b ? -1 : a == b ? 0 : 1; }

}  // namespace

std::vector<std::string> CitiesOfZip(std::string_view zip) {
  std::vector<std::string> names;
  std::optional<RecordReader> index = OpenCityFile(kCityIndexFileName, zip_city_record::kSize);
  std::optional<RecordReader> cities = OpenCityFile(kCityFileName, c::kSize);
  if (!index || !cities) return names;
  IndexedCities file(*index, *cities);
  const std::string key = Upper(os::Utf8ToCp1252(zip));
  std::optional<std::int64_t> first = FirstEqual(file.size(), [&](std::int64_t n) {
    std::optional<std::vector<std::uint8_t>> city = file.City(n);
    return city ? std::optional<int>(Compare(ZipKey(*city), key)) : std::nullopt;
  });
  if (!first) return names;
  for (std::int64_t n = *first; n <= file.size(); ++n) {
    std::optional<std::vector<std::uint8_t>> city = file.City(n);
    if (!city || ZipKey(*city) != key) break;
    names.push_back(Trim(os::ConstRecordView(*city).Utf8Text(c::kCity)));
  }
  return names;
}

std::vector<CityEntry> CitiesStartingWith(std::string_view prefix) {
  std::vector<CityEntry> found;
  std::optional<RecordReader> file = OpenCityFile(kCityFileName, c::kSize);
  if (!file || prefix.empty()) return found;
  const std::string key = Upper(os::Utf8ToCp1252(prefix));
  std::optional<std::int64_t> first = FirstEqual(file->record_count(), [&](std::int64_t n) {
    std::optional<std::vector<std::uint8_t>> city = file->Read(n);
    return city ? std::optional<int>(Compare(CityKey(*city, key.size()), key)) : std::nullopt;
  });
  if (!first) return found;
  for (std::int64_t n = *first; n <= file->record_count(); ++n) {
    std::optional<std::vector<std::uint8_t>> city = file->Read(n);
    if (!city || CityKey(*city, key.size()) != key) break;
    os::ConstRecordView view(*city);
    found.push_back({Trim(view.Utf8Text(c::kCity)), Trim(view.Utf8Text(c::kState)),
                     Trim(view.Utf8Text(c::kZip))});
  }
  return found;
}

}  // namespace frelane::modMain
