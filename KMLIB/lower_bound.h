// The binary search of the sorted record files, for records that may live on disk: a
// probe may fail to read its record, which ends the search.
#ifndef KMLIB_LOWER_BOUND_H_
#define KMLIB_LOWER_BOUND_H_

#include <optional>

namespace kmlib {

// The first index of [first, last) whose record the key does not sort after.
// key_after(i) is true when the key sorts after record i and nullopt when record i cannot
// be read; the records are in order, so it is true on a leading run of the range only.
// last when the key sorts after every record; nullopt when a probe could not read.
template <typename Index, typename KeyAfter>
std::optional<Index> LowerBound(Index first, Index last, KeyAfter&& key_after) {
  // Invariant: the key sorts after every record before first and after none from last on.
  while (first < last) {
    const Index mid = first + (last - first) / 2;
    const std::optional<bool> after = key_after(mid);
    if (!after) return std::nullopt;
    if (*after) {
      first = mid + 1;
    } else {
      last = mid;
    }
  }
  return first;
}

}  // namespace kmlib

#endif  // KMLIB_LOWER_BOUND_H_
