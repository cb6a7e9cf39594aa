// The ZIP-keyed files of the selected tariff as the look-ups need them. The engine
// implements this over its tariff file set (EngineZipTableFiles); tests over files held in
// memory. Each accessor opens its file when first asked and gives the file's error number
// when it cannot.
#ifndef TOLV32DLL_ZIPTABLES_ZIP_TABLE_FILES_H_
#define TOLV32DLL_ZIPTABLES_ZIP_TABLE_FILES_H_

#include <array>
#include <cstdint>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// One row of the rate file's segment index: rows give, in code order, the byte offset in
// ".R" where the records of a factor-set code begin; the row "***" carries the file size.
struct RateSegment {
  std::array<char, 3> code{};
  std::int64_t offset = 0;
};

class ZipTableFiles {
 public:
  virtual ~ZipTableFiles() = default;
  virtual Result<const FileView*> ZipPairs() = 0;     // ".Z": 205
  virtual Result<const FileView*> ClassRanges() = 0;  // ".C": 270
  virtual Result<const FileView*> RbnoAddons() = 0;   // ".H" of point type 'I': 260
  virtual Result<const FileView*> LiteBase() = 0;     // ".B": 221
  virtual Result<const FileView*> LiteMatrix() = 0;   // ".K": 222
  // Closes ".B" and ".K" (the steps close them when they are done with them).
  virtual void CloseLite() = 0;
  // Closes ".Z", ".C" and ".H" (each look-up closes its file when done, so no file of
  // another tariff is read later).
  virtual void CloseZipFiles() = 0;
  // The segment index of the open rate file.
  virtual std::vector<RateSegment> RateSegments() = 0;
};

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ZIP_TABLE_FILES_H_
