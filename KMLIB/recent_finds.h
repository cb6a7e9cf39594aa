// The last few look-ups of a file that found their record, asked before the file is
// searched again. The file is taken to stay as it was opened (its holder drops it when the
// file changes), so a steady run of ratings of the same points searches it once each.
#ifndef KMLIB_RECENT_FINDS_H_
#define KMLIB_RECENT_FINDS_H_

#include <array>
#include <cstddef>
#include <optional>

namespace kmlib {

template <typename Found, std::size_t kCount = 2>  // two: an origin's and a destination's
class RecentFinds {
 public:
  // The most recent find that matches, or null.
  template <typename Matches>
  const Found* Recall(Matches matches) const {
    for (const std::optional<Found>& found : finds_) {
      if (found && matches(*found)) return &*found;
    }
    return nullptr;
  }
  // Remembers found in place of the oldest.
  void Remember(const Found& found) {
    finds_[next_] = found;
    next_ = (next_ + 1) % kCount;
  }

 private:
  std::array<std::optional<Found>, kCount> finds_;
  std::size_t next_ = 0;
};

}  // namespace kmlib

#endif  // KMLIB_RECENT_FINDS_H_
