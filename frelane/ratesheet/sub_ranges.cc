#include "frelane/ratesheet/sub_ranges.h"

#include <algorithm>

#include "frelane/core/zip_discount_file.h"
#include "frelane/ratesheet/zip_prefix.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

// The suffix after / before x under the prefix.
std::string After(std::string_view prefix, std::string_view x) {
  std::string zip = NextZipPrefix(std::string(prefix) + std::string(x));
  return zip.size() == 5 ? zip.substr(3) : std::string();
}

std::string Before(std::string_view x) { return PrevZipSuffix(x); }

// A bound of a discount range within the prefix: its characters 4-5 when it lies in the
// prefix, else the prefix's first or last suffix.
std::string BoundSuffix(std::string_view bound, std::string_view prefix, bool low) {
  if (bound.substr(0, 3) == prefix && bound.size() >= 5) return std::string(bound.substr(3, 2));
  return low ? FirstSuffix(prefix) : LastSuffix(prefix);
}

// Left(bound, n) <= text <= Left(high, n), n the length of the text.
bool Holds(std::string_view low, std::string_view high, std::string_view text) {
  const std::size_t n = text.size();
  return low.substr(0, n) <= text && text <= high.substr(0, n);
}

// One of the two lists being merged: its current range and the way to the next.
class Cursor {
 public:
  explicit Cursor(const std::vector<SuffixRange>& ranges) : ranges_(ranges) { Advance(); }
  void Advance() {
    if (next_ < ranges_.size()) {
      current = ranges_[next_++];
    } else {
      current = {};
    }
  }
  bool Empty() const { return current.start.empty() && current.end.empty(); }
  SuffixRange current;

 private:
  const std::vector<SuffixRange>& ranges_;
  std::size_t next_ = 0;
};

}  // namespace

std::vector<SuffixRange> SortedWithoutOverlap(std::vector<SuffixRange> ranges) {
  std::sort(ranges.begin(), ranges.end(), [](const SuffixRange& a, const SuffixRange& b) {
    return a.start + a.end < b.start + b.end;
  });
  std::vector<SuffixRange> out;
  for (SuffixRange r : ranges) {
    if (r.start.size() != 2 || r.end.size() != 2) continue;
    if (!out.empty() && r.start <= out.back().end) {
      // Starts inside the previous range: keep only what lies after it.
      if (out.back().end >= r.end) continue;
      r.start = NextZipPrefix(out.back().end);
    }
    if (r.start <= r.end) out.push_back(r);
  }
  return out;
}

std::vector<SuffixRange> MergeSubRanges(const std::vector<SuffixRange>& blocks,
                                        const std::vector<SuffixRange>& discounts,
                                        std::string_view prefix) {
  std::vector<SuffixRange> out;
  Cursor b(blocks), d(discounts);
  std::string &bs = b.current.start, &be = b.current.end;
  std::string &ds = d.current.start, &de = d.current.end;
  // Each step appends one sub-range and moves on at least one list; the bound keeps a
  // damaged list from holding the loop.
  const std::size_t limit = 4 * (blocks.size() + discounts.size()) + 4;
  while (!(b.Empty() && d.Empty()) && out.size() < limit) {
    if (d.Empty()) {
      out.push_back({bs, be});
      b.Advance();
    } else if (b.Empty()) {
      out.push_back({ds, de});
      d.Advance();
    } else if (ds == bs && de == be) {
      out.push_back({bs, be});
      b.Advance();
      d.Advance();
    } else if (ds == bs) {
      if (be > de) {
        out.push_back({bs, de});
        bs = After(prefix, de);
        d.Advance();
      } else {
        out.push_back({bs, be});
        ds = After(prefix, be);
        b.Advance();
      }
    } else if (bs < ds) {
      const std::string p = Before(ds);
      if (be <= p) {
        out.push_back({bs, be});
        b.Advance();
      } else {
        out.push_back({bs, p});
        bs = ds;
        if (bs > be) b.Advance();
      }
    } else {
      const std::string p = Before(bs);
      if (de > p) {
        out.push_back({ds, p});
        ds = bs;
        if (ds > de) d.Advance();
      } else {
        out.push_back({ds, de});
        d.Advance();
      }
    }
  }
  return out;
}

std::vector<SuffixRange> LoadZipDiscountRanges(const std::string& path, std::string_view origin,
                                               std::string_view destination,
                                               std::string_view prefix, bool from_headline) {
  std::vector<SuffixRange> ranges;
  zipdisc::Table table;
  std::string error;
  if (!zipdisc::ReadTable(path, &table, &error)) return ranges;
  const std::string o = runtime::Trim(origin).substr(0, 5);
  const std::string d = runtime::Trim(destination).substr(0, 5);
  for (const zipdisc::Record& record : table.records) {
    if (zipdisc::IsDeleted(record)) continue;
    const os::ConstRecordView v{std::span<const std::uint8_t>(record)};
    const std::string ol = v.Raw(zipdisc::kOriginLow), oh = v.Raw(zipdisc::kOriginHigh);
    const std::string dl = v.Raw(zipdisc::kDestinationLow), dh = v.Raw(zipdisc::kDestinationHigh);
    if (!Holds(ol, oh, o) || !Holds(dl, dh, d)) continue;
    const std::string& low = from_headline ? dl : ol;
    const std::string& high = from_headline ? dh : oh;
    ranges.push_back({BoundSuffix(low, prefix, true), BoundSuffix(high, prefix, false)});
  }
  return SortedWithoutOverlap(std::move(ranges));
}

}  // namespace frelane::ratesheet
