#include "tolv32dll/tariff/record_search.h"

#include <cstring>

namespace tolv {
namespace {

// strncmp over n characters of two byte runs that need not end in NUL; a run shorter than
// n ends where it ends, as a NUL would.
int CompareText(os::ByteSpan a, os::ByteSpan b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char ca = i < a.size() ? a[i] : 0;
    unsigned char cb = i < b.size() ? b[i] : 0;
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
  return 0;
}

}  // namespace

int Compare_Range10(os::ByteSpan key, os::ByteSpan record) {
  os::ByteSpan low = record.subspan(0, std::min<std::size_t>(10, record.size()));
  os::ByteSpan high = record.size() > 10
                          ? record.subspan(10, std::min<std::size_t>(10, record.size() - 10))
                          : os::ByteSpan();
  if (CompareText(key, low, 10) < 0) return -1;
  if (CompareText(key, high, 10) > 0) return 1;
  return 0;
}

}  // namespace tolv
