// Searches over the sorted files of fixed-length records that the tariff files are. They
// work on the open file itself: a file held in memory is probed in place, any other with
// one positioned read of at most 80 bytes per probe into a buffer on the stack; no
// allocation, so a lookup costs about log2(records) reads.
//
// A Source is any file view with
//   std::int64_t Size() const;                                  // -1 when unknown
//   std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const;  // count, -1
// and optionally os::ByteSpan HeldBytes() const (the whole file when held in memory).
// Record i sits at record_length * i from the start of the file. A compare callable
// int(os::ByteSpan key, os::ByteSpan record) orders the key against a record (only its
// first min(record_length, 80) bytes): negative when the key sorts before the record, 0 on
// a match, positive after it. Only the sign counts.
//
// Every search returns -1 when nothing matches, when the size cannot be taken, when the
// file is empty or when a record cannot be read whole; none raises an error number: the
// caller chooses it.
#ifndef TOLV32DLL_TARIFF_RECORD_SEARCH_H_
#define TOLV32DLL_TARIFF_RECORD_SEARCH_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "KMLIB/lower_bound.h"
#include "platform/os/bytes.h"

namespace tolv {

inline constexpr std::size_t kSearchRecordBytes = 80;

namespace search_internal {

using RecordBuffer = std::array<std::uint8_t, kSearchRecordBytes>;

inline std::size_t ProbeBytes(std::size_t record_length) {
  return std::min(record_length, kSearchRecordBytes);
}

// The file's bytes when its view holds them in memory (see FileView::HeldBytes); empty for
// a source that reads each probe.
template <typename Source>
os::ByteSpan HeldBytesOf(const Source& file) {
  if constexpr (requires { file.HeldBytes(); }) {
    return file.HeldBytes();
  } else {
    return {};
  }
}

// The probed part of record index: in place in held when the file is held in memory, else
// read into buffer. Empty on a short read.
template <typename Source>
os::ByteSpan ProbeRecord(const Source& file, os::ByteSpan held, std::size_t record_length,
                         std::int64_t index, RecordBuffer& buffer) {
  std::size_t n = ProbeBytes(record_length);
  std::int64_t offset = static_cast<std::int64_t>(record_length) * index;
  if (!held.empty()) {
    if (offset < 0 || static_cast<std::uint64_t>(offset) + n > held.size()) return {};
    return held.subspan(static_cast<std::size_t>(offset), n);
  }
  if (file.ReadAt(offset, os::MutableByteSpan(buffer.data(), n)) != static_cast<std::int64_t>(n)) {
    return {};
  }
  return os::ByteSpan(buffer.data(), n);
}

inline bool SameFirstThree(os::ByteSpan key, os::ByteSpan record) {
  return key.size() >= 3 && record.size() >= 3 && std::memcmp(key.data(), record.data(), 3) == 0;
}

// The first record of [low, high] for which compare(key, record) <= 0, when that record
// matches (compare == 0); found is left showing its bytes (in place, or copied into
// storage). -1 otherwise. The files are sorted consistently with compare, so this is the
// first record of the run of matches.
template <typename Source, typename Compare>
std::int64_t FirstMatch(os::ByteSpan key, const Source& file, std::size_t record_length,
                        Compare& compare, std::int64_t low, std::int64_t high,
                        RecordBuffer& storage, os::ByteSpan& found) {
  found = os::ByteSpan(storage.data(), ProbeBytes(record_length));
  if (record_length == 0 || low < 0 || high < low) return -1;
  const os::ByteSpan held = HeldBytesOf(file);
  RecordBuffer probe;
  // found shows each probe that the key does not sort after, so at the end the record of
  // the answer, once there is one.
  std::optional<std::int64_t> first =
      kmlib::LowerBound(low, high + 1, [&](std::int64_t mid) -> std::optional<bool> {
        const os::ByteSpan record = ProbeRecord(file, held, record_length, mid, probe);
        if (record.empty()) return std::nullopt;
        if (compare(key, record) > 0) return true;
        if (held.empty()) {
          storage = probe;
        } else {
          found = record;
        }
        return false;
      });
  if (!first || *first > high) return -1;
  return compare(key, found) == 0 ? *first : -1;
}

template <typename Source>
std::int64_t RecordCountOf(const Source& file, std::size_t record_length) {
  std::int64_t size = file.Size();
  if (size <= 0 || record_length == 0) return 0;
  return size / static_cast<std::int64_t>(record_length);
}

}  // namespace search_internal

// The first matching record of the whole file.
template <typename Source, typename Compare>
std::int64_t RecordFile_Search(os::ByteSpan key, const Source& file, std::size_t record_length,
                               Compare compare) {
  search_internal::RecordBuffer storage{};
  os::ByteSpan found;
  std::int64_t count = search_internal::RecordCountOf(file, record_length);
  return search_internal::FirstMatch(key, file, record_length, compare, 0, count - 1, storage,
                                     found);
}

// RecordFile_Search whose compare also receives a context (the shipment work area) as a
// third argument.
template <typename Source, typename Compare>
std::int64_t RecordFile_SearchCtx(os::ByteSpan key, const Source& file, std::size_t record_length,
                                  Compare compare, const void* context) {
  return RecordFile_Search(key, file, record_length,
                           [&](os::ByteSpan k, os::ByteSpan r) { return compare(k, r, context); });
}

// Converts bounds given in unit 'B' (byte positions: low / length, and high taken as a file
// size, high / length - 1) to record indexes; any other unit means record indexes already.
inline void BoundsToRecords(char unit, std::size_t record_length, std::int64_t& low,
                            std::int64_t& high) {
  if (unit != 'B' || record_length == 0) return;
  auto length = static_cast<std::int64_t>(record_length);
  low = low / length;
  high = high / length - 1;
}

// The first matching record among records low..high, which must also agree with the key
// over its first 3 bytes. The search never reaches below low, so a file's head records are
// never taken for data.
template <typename Source, typename Compare>
std::int64_t FileSearch_Binary(os::ByteSpan key, const Source& file, std::size_t record_length,
                               Compare compare, char unit, std::int64_t low, std::int64_t high) {
  BoundsToRecords(unit, record_length, low, high);
  high = std::min(high, search_internal::RecordCountOf(file, record_length) - 1);
  search_internal::RecordBuffer storage{};
  os::ByteSpan found;
  std::int64_t index =
      search_internal::FirstMatch(key, file, record_length, compare, low, high, storage, found);
  if (index < 0 || !search_internal::SameFirstThree(key, found)) return -1;
  return index;
}

// A binary search that settles its answer by walking back from the probe that matched:
// at each step the key is compared whole (min(length, 80) bytes) with the record read
// last, then over 10 bytes with record mid; equal there gives mid, a greater key gives
// mid + 1, a smaller one steps back. At low the record must agree with the key over 3
// bytes. The walk never reaches below low.
template <typename Source, typename Compare>
std::int64_t FileSearch_BinaryFirst(os::ByteSpan key, const Source& file, std::size_t record_length,
                                    Compare compare, char unit, std::int64_t low,
                                    std::int64_t high) {
  BoundsToRecords(unit, record_length, low, high);
  high = std::min(high, search_internal::RecordCountOf(file, record_length) - 1);
  if (record_length == 0 || low < 0 || high < low) return -1;
  const std::int64_t low_bound = low;
  const std::int64_t high_bound = high;
  std::size_t n = search_internal::ProbeBytes(record_length);
  const os::ByteSpan held = search_internal::HeldBytesOf(file);
  search_internal::RecordBuffer buffer;
  os::ByteSpan in_hand;
  auto probe = [&](std::int64_t index) {
    in_hand = search_internal::ProbeRecord(file, held, record_length, index, buffer);
    return !in_hand.empty();
  };
  std::int64_t mid = low + (high - low) / 2;
  for (;;) {
    if (!probe(mid)) return -1;
    int order = compare(key, in_hand);
    if (order == 0) break;
    if (high <= low) return -1;
    if (order < 0) {
      high = std::min(mid - 1, high_bound);
    } else {
      low = std::max(mid + 1, low_bound);
    }
    if (high < low) return -1;
    mid = low + (high - low) / 2;
  }
  bool whole = key.size() >= n;
  std::size_t ten = std::min<std::size_t>({10, n, key.size()});
  while (mid > low_bound) {
    if (whole && std::memcmp(key.data(), in_hand.data(), n) == 0) return mid;
    if (!probe(mid)) return -1;
    int order = ten == 0 ? 0 : std::memcmp(key.data(), in_hand.data(), ten);
    if (order == 0) return mid;
    if (order > 0) return mid + 1;
    --mid;
  }
  if (!probe(mid)) return -1;
  return search_internal::SameFirstThree(key, in_hand) ? mid : -1;
}

// Reads records one by one from start (a byte position with unit 'B', which also makes
// limit a byte count, else a record index and a record count) and returns how many were
// read before the first for which compare gives 0 or less; -1 at a short read or after
// limit records.
template <typename Source, typename Compare>
std::int64_t FileSearch_Linear(os::ByteSpan key, const Source& file, std::size_t record_length,
                               Compare compare, char unit, std::int64_t start, std::int64_t limit) {
  if (record_length == 0 || start < 0) return -1;
  auto length = static_cast<std::int64_t>(record_length);
  std::int64_t offset = unit == 'B' ? start : start * length;
  if (unit == 'B') limit /= length;
  std::size_t n = search_internal::ProbeBytes(record_length);
  search_internal::RecordBuffer record;
  for (std::int64_t i = 0; i < limit; ++i, offset += length) {
    if (file.ReadAt(offset, os::MutableByteSpan(record.data(), n)) != static_cast<std::int64_t>(n))
      return -1;
    if (compare(key, os::ByteSpan(record.data(), n)) <= 0) return i;
  }
  return -1;
}

// The record holds an inclusive range of 10-character keys: low at bytes 0-9, high at
// 10-19. -1 below low, 1 above high, else 0; both compared as strncmp over 10 characters.
int Compare_Range10(os::ByteSpan key, os::ByteSpan record);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_RECORD_SEARCH_H_
