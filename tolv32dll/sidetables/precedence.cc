#include "tolv32dll/sidetables/precedence.h"

#include <cstdio>
#include <cstring>

#include "KMLIB/packed_zip.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace H = precedence_header;
namespace R = precedence_record;

struct T1Table {
  std::size_t record_length = 0;
  std::int64_t first = 0;
  std::int64_t last = 0;
};

// The "T1" header of the header run; nullopt when the run ends without one or its record
// length is too short to hold a table record.
std::optional<T1Table> FindT1(const FileView& file) {
  std::array<std::uint8_t, H::kSize> header{};
  for (std::int64_t at = 0; ReadExact(file, at, header); at += H::kSize) {
    if (header[H::kMarker.offset] != '0') return std::nullopt;
    if (header[H::kName.offset] == 'T' && header[H::kName.offset + 1] == '1') {
      T1Table t{header[H::kRecordLength.offset], os::LoadI32Le(header.data() + H::kFirst.offset),
                os::LoadI32Le(header.data() + H::kLast.offset)};
      if (t.record_length < R::kSize || t.first < 0 || t.last < t.first) return std::nullopt;
      return t;
    }
  }
  return std::nullopt;
}

// The key of a look-up: "T1", the two packed ZIPs, the entry kind and the number.
std::optional<std::array<std::uint8_t, R::kSize>> MakeKey(const PrecedenceLane& lane, char kind,
                                                          std::int16_t number) {
  std::optional<PackedZip> origin = Zip_Pack(lane.origin_zip);
  std::optional<PackedZip> destination = Zip_Pack(lane.destination_zip);
  if (!origin || !destination) return std::nullopt;
  std::array<std::uint8_t, R::kSize> key{};
  key[0] = 'T';
  key[1] = '1';
  std::memcpy(key.data() + R::kOrigin.offset, origin->data(), 3);
  std::memcpy(key.data() + R::kDestination.offset, destination->data(), 3);
  key[R::kKind.offset] = static_cast<std::uint8_t>(kind);
  os::StoreI16Le(key.data() + R::kLow.offset, number);
  os::StoreI16Le(key.data() + R::kHigh.offset, number);
  return key;
}

int CompareZips(const std::uint8_t* key, const std::uint8_t* record) {
  int c = kmlib::UnpackZipText(std::span<const std::uint8_t>(key, 3))
              .view()
              .compare(kmlib::UnpackZipText(std::span<const std::uint8_t>(record, 3)).view());
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareEntry(os::ByteSpan key, os::ByteSpan record) {
  if (int c = CompareZips(key.data() + R::kOrigin.offset, record.data() + R::kOrigin.offset))
    return c;
  if (int c =
          CompareZips(key.data() + R::kDestination.offset, record.data() + R::kDestination.offset))
    return c;
  const std::uint8_t kind = key[R::kKind.offset];
  if (kind == 'A') return 0;
  if (kind != '0' && kind != record[R::kKind.offset])
    return kind < record[R::kKind.offset] ? -1 : 1;
  const std::int16_t number = os::LoadI16Le(key.data() + R::kLow.offset);
  if (number < os::LoadI16Le(record.data() + R::kLow.offset)) return -1;
  if (number > os::LoadI16Le(record.data() + R::kHigh.offset)) return 1;
  return 0;
}

// The first table record matching the key, read whole; nullopt when none. A plain
// first-match search: stepping back from a match byte-wise over 10 characters would land on
// a neighbouring record whose number range does not hold the key's number.
Result<std::optional<PrecedenceRecord>> Search(const FileView& file, const T1Table& table,
                                               const std::array<std::uint8_t, R::kSize>& key) {
  using Found = std::optional<PrecedenceRecord>;
  std::int64_t i = FileSearch_Binary(os::ByteSpan(key), file, table.record_length, CompareEntry,
                                     'R', table.first, table.last);
  if (i < 0) return Found();
  PrecedenceRecord found;
  if (!ReadExact(file, i * static_cast<std::int64_t>(table.record_length), found.bytes)) {
    return Result<Found>::Error(kErrXcpred);
  }
  if (CompareEntry(os::ByteSpan(key), found.bytes) != 0) return Found();
  return Found(found);
}

}  // namespace

std::optional<std::string> PrecedenceRecord::FlagDigits() const {
  std::int16_t a = os::LoadI16Le(bytes.data() + R::kLow.offset);
  std::int16_t b = os::LoadI16Le(bytes.data() + R::kHigh.offset);
  if (a < 0 || a > 9999 || b < 0 || b > 9999) return std::nullopt;
  char text[16];
  std::snprintf(text, sizeof text, "%04d%04d", a, b);
  return std::string(text);
}

Result<std::optional<PrecedenceRecord>> FindPrecedence(RatingFiles& files,
                                                       const PrecedenceLane& lane,
                                                       std::int16_t lane_adjustment_number) {
  using Found = std::optional<PrecedenceRecord>;
  CloseAfterUse close(files, RatingFiles::ReadOnce::kExceptions);
  Result<const FileView*> opened = files.Exceptions();
  if (!opened.ok() || *opened == nullptr) return Found();
  std::optional<T1Table> table = FindT1(**opened);
  if (!table) return Found();
  char kind = lane.effective_year > 1998 ? 'A' : '0';
  auto key = MakeKey(lane, kind, kind == 'A' ? 0 : lane_adjustment_number);
  if (!key) return Found();
  return Search(**opened, *table, *key);
}

ErrorNumber FilterHitsByPrecedence(RatingFiles& files, const PrecedenceLane& lane,
                                   std::vector<LaneAdjustmentHit>& hits) {
  CloseAfterUse close(files, RatingFiles::ReadOnce::kExceptions);
  Result<const FileView*> opened = files.Exceptions();
  if (!opened.ok() || *opened == nullptr) return kOk;
  std::optional<T1Table> table = FindT1(**opened);
  if (!table) return kOk;
  for (LaneAdjustmentHit& hit : hits) {
    auto key = MakeKey(lane, hit.kind, hit.number);
    if (!key) continue;
    Result<std::optional<PrecedenceRecord>> found = Search(**opened, *table, *key);
    if (!found.ok()) return found.error();
    if (found->has_value()) hit.number = 0;
  }
  return kOk;
}

}  // namespace tolv
