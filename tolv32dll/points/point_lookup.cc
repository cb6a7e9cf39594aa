#include "tolv32dll/points/point_lookup.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "KMLIB/packed_zip.h"
#include "platform/os/ascii_text.h"
#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/points/city_match.h"
#include "tolv32dll/points/exp_record.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

// The work area holds at most this many EXP records of one key.
constexpr std::size_t kMaxExpRecords = 100;

std::string Pad(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

struct ExpCandidate {
  std::string substitute;
  std::string city;
};

// The key comparison of the EXP file: for the ZIP form both packed keys are unpacked and
// compared on 5 characters (3 for a postal prefix); the postal form compares 6 characters.
// unpacked_key is the ZIP form's key unpacked once for the whole search, key_digits its
// packed number when the key is five digits.
int CompareExpKey(ExpForm form, os::ByteSpan key, std::string_view unpacked_key,
                  std::optional<std::uint32_t> key_digits, os::ByteSpan record) {
  int c;
  if (form == ExpForm::kZip) {
    // Five digits against a record packed as digits: the numbers order as the texts do.
    if (key_digits) {
      if (const std::optional<std::uint32_t> digits = kmlib::PackedDigitsOf(record)) {
        return *key_digits < *digits ? -1 : (*key_digits > *digits ? 1 : 0);
      }
    }
    const kmlib::ZipText b = kmlib::UnpackZipText(record);
    std::size_t n = (unpacked_key[0] >= '0' && unpacked_key[0] <= '9') ? 5 : 3;
    c = std::memcmp(unpacked_key.data(), b.chars.data(),
                    std::min({n, unpacked_key.size(), b.size}));
  } else {
    c = std::memcmp(key.data(), record.data(), exp_postal_record::kCode.width);
  }
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

ErrorNumber SubstituteExpPoint(const FileView* exp_file, ExpForm form, ListRequest& request,
                               WorkingPoint& point) {
  point.exp_found = false;
  if (exp_file == nullptr) return kOk;
  const std::size_t record_length =
      form == ExpForm::kZip ? exp_zip_record::kSize : exp_postal_record::kSize;
  const os::Field city_field =
      form == ExpForm::kZip ? exp_zip_record::kCity : exp_postal_record::kCity;

  std::string key;
  if (form == ExpForm::kZip) {
    std::optional<PackedZip> packed = Zip_Pack(point.code);
    if (!packed) return kOk;  // a code that packs to nothing is in no file
    key.assign(packed->begin(), packed->end());
  } else {
    key = Pad(point.code, exp_postal_record::kCode.width);
  }
  os::ByteSpan key_bytes(reinterpret_cast<const std::uint8_t*>(key.data()), key.size());
  const kmlib::ZipText unpacked =
      form == ExpForm::kZip ? kmlib::UnpackZipText(key_bytes) : kmlib::ZipText{};
  const std::string_view unpacked_key = unpacked.view();
  const std::optional<std::uint32_t> key_digits =
      form == ExpForm::kZip ? kmlib::PackedDigitsOf(key_bytes) : std::nullopt;
  auto compare = [form, unpacked_key, key_digits](os::ByteSpan k, os::ByteSpan record) {
    return CompareExpKey(form, k, unpacked_key, key_digits, record);
  };
  std::int64_t first = RecordFile_Search(key_bytes, *exp_file, record_length, compare);
  if (first < 0) return kOk;

  // Collect the run of records with this key, in file order.
  std::vector<ExpCandidate> candidates;
  std::vector<CityEntry> list;
  std::vector<std::uint8_t> record(record_length);
  for (std::int64_t i = first; candidates.size() < kMaxExpRecords; ++i) {
    if (!ReadExact(*exp_file, i * static_cast<std::int64_t>(record_length), record)) break;
    if (compare(key_bytes, record) != 0) break;
    const os::ConstRecordView v(record);
    ExpCandidate c;
    if (form == ExpForm::kZip) {
      c.substitute = Pad(
          kmlib::UnpackZip(std::span<const std::uint8_t>(v.at(exp_zip_record::kSubstitute), 3)), 6);
    } else {
      c.substitute = v.Raw(exp_postal_record::kSubstitute);
    }
    c.city = v.Raw(city_field);
    list.push_back(MakeCityEntry(c.city));
    candidates.push_back(std::move(c));
  }

  std::string city = Pad(point.city, 19);
  for (const ExpCandidate& c : candidates) {
    if (c.city.compare(0, 2, "**") == 0 || os::EqualAsciiNoCase(c.city, city)) {
      point.code = c.substitute;
      point.exp_found = true;
      return kOk;
    }
  }
  list.push_back(NoneOfTheAboveEntry());
  Result<int> chosen = MatchCity(request, list, point.code, CityChoice::kOptional);
  if (!chosen.ok()) return chosen.error();
  if (*chosen >= 0 && static_cast<std::size_t>(*chosen) < candidates.size()) {
    const ExpCandidate& c = candidates[*chosen];
    point.code = c.substitute;
    point.city = c.city;
    point.exp_found = true;
  }
  return kOk;
}

namespace {

// to = from cut or blank-padded to n characters. Once to has held n characters, this
// writes in place.
void AssignPadded(std::string& to, const std::string& from, std::size_t n) {
  const std::size_t kept = std::min(n, from.size());
  to.resize(n);
  if (&to != &from) std::copy_n(from.data(), kept, to.data());
  std::fill(to.begin() + static_cast<std::ptrdiff_t>(kept), to.end(), ' ');
}

// record = PointRecord{}, its strings emptied in place rather than built anew.
void ClearPointRecord(PointRecord& record) {
  static_assert(sizeof(PointRecord) == 2 * sizeof(std::string) + 8,
                "a new PointRecord member must be cleared here too");
  record.high_zip.clear();
  record.low_zip.clear();
  record.index = 0;
  record.addon_factor = 0;
  record.second_addon_factor = 0;
}

}  // namespace

void PointState::Reset(const std::string& origin_zip, const std::string& origin_city,
                       const std::string& destination_zip, const std::string& destination_city) {
  // The four strings are written over, keeping their storage from one shipment to the next;
  // everything else goes back to its start.
  AssignPadded(origin.code, origin_zip, 6);
  AssignPadded(origin.city, origin_city, 19);
  AssignPadded(destination.code, destination_zip, 6);
  AssignPadded(destination.city, destination_city, 19);
  origin.exp_found = false;
  destination.exp_found = false;
  ClearPointRecord(origin_record);
  ClearPointRecord(destination_record);
  destination_point_count = 0;
}

namespace {

// Finds the record of one end in a point file and decodes it.
Result<PointRecord> FindPoint(const FileView* file, const std::string& code, bool compact,
                              std::size_t record_length, ErrorNumber not_found) {
  if (file == nullptr) return Result<PointRecord>::Error(kErrPntopn);
  const PointRangeKey key = PointRangeKeyOf(code);
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    return compact ? CompareCodeWithCompactRange(code, record) : ComparePointRangeKey(key, record);
  };
  std::int64_t index = RecordFile_Search(os::ByteSpan(), *file, record_length, compare);
  if (index < 0) return Result<PointRecord>::Error(not_found);
  std::array<std::uint8_t, point_record::kSizeWithSecondFactor> buffer;
  assert(record_length <= buffer.size());
  const os::MutableByteSpan record(buffer.data(), record_length);
  if (!ReadExact(*file, index * static_cast<std::int64_t>(record_length), record)) {
    return Result<PointRecord>::Error(not_found);
  }
  return compact ? DecodeCompactPointRecord(record) : DecodePointRecord(record);
}

}  // namespace

Result<std::int32_t> LookupPoints(RatingFiles& files, PointLookupMode mode, PointState& state) {
  const std::size_t record_length =
      mode.point_file_mode == 'Y' ? point_record::kSizeWithSecondFactor : point_record::kSize;
  Result<PointFiles> origin_files = files.Points('O', state.origin.exp_found);
  if (!origin_files.ok()) return Result<std::int32_t>::Error(origin_files.error());
  Result<PointRecord> origin =
      FindPoint(origin_files->origin, state.origin.code, false, record_length, kErrBadorg);
  if (!origin.ok()) return Result<std::int32_t>::Error(origin.error());
  state.origin_record = *origin;

  Result<PointFiles> destination_files = files.Points('D', state.destination.exp_found);
  if (!destination_files.ok()) return Result<std::int32_t>::Error(destination_files.error());
  const FileView* destination_file = destination_files->destination;
  Result<PointRecord> destination =
      FindPoint(destination_file, state.destination.code, false, record_length, kErrBaddst);
  if (!destination.ok()) return Result<std::int32_t>::Error(destination.error());
  state.destination_record = *destination;
  std::array<std::uint8_t, 4> count{};
  std::int64_t size = destination_file->Size();
  state.destination_point_count =
      size >= 4 && ReadExact(*destination_file, size - 4, count) ? os::LoadI32Le(count.data()) : 0;

  if (mode.point_file_mode == 'Y') {
    state.destination_record.addon_factor = state.destination_record.second_addon_factor;
  }
  std::int64_t number = Util_PairIndex(state.origin_record.index, state.destination_record.index);
  if (mode.point_file_mode == 'S') {
    number = static_cast<std::int64_t>(state.destination_record.index) +
             static_cast<std::int64_t>(state.origin_record.index) * state.destination_point_count;
    if (number < 0 || number > INT32_MAX) return Result<std::int32_t>::Error(kErrBadcmb);
  }
  // The slots are built only for a log that will take them.
  if (ThreadBinaryDebug()) {
    LogBinary(BinaryLogKind::kOriginPoint, EncodePointSlot(state.origin_record));
    LogBinary(BinaryLogKind::kDestinationPoint, EncodePointSlot(state.destination_record));
  }
  return static_cast<std::int32_t>(number);
}

Result<std::int32_t> LookupCompactPoints(RatingFiles& files, PointLookupMode mode,
                                         PointState& state) {
  if (mode.point_file_mode == 'S') return Result<std::int32_t>::Error(kErrPntred);
  Result<PointFiles> point_files = files.Points('O', false);
  if (!point_files.ok()) return Result<std::int32_t>::Error(point_files.error());
  constexpr std::size_t kLength = compact_point_record::kSize;
  Result<PointRecord> origin =
      FindPoint(point_files->origin, state.origin.code, true, kLength, kErrBadorg);
  if (!origin.ok()) return Result<std::int32_t>::Error(origin.error());
  Result<PointRecord> destination =
      FindPoint(point_files->destination, state.destination.code, true, kLength, kErrBaddst);
  if (!destination.ok()) return Result<std::int32_t>::Error(destination.error());
  state.origin_record = *origin;
  state.destination_record = *destination;
  return Util_PairIndex(origin->index, destination->index);
}

}  // namespace tolv
