// The last text lane file parsed, kept to be handed out again. A parse depends on nothing
// but the file's bytes, so while the file holds the very bytes of the kept parse, the
// kept form (or the kept error) is the answer without splitting a line. A file rewritten
// between two ratings differs in its bytes and is parsed afresh.
//
// Thread safety: none; each thread keeps its own (see ThreadTextLaneCache).
#ifndef TOLV32DLL_LANES_TEXT_LANE_CACHE_H_
#define TOLV32DLL_LANES_TEXT_LANE_CACHE_H_

#include <cstdint>
#include <vector>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/text_lane_file.h"

namespace tolv {

class TextLaneFileCache {
 public:
  // ParseTextLaneFile of file: 0 with *parsed set to the parsed form (valid until the
  // next call), or its error.
  ErrorNumber Parse(const FileView& file, const TextLaneFile** parsed);

 private:
  bool kept_ = false;
  std::vector<std::uint8_t> bytes_;    // of the kept parse
  std::vector<std::uint8_t> reading_;  // the bytes read now
  ErrorNumber error_ = kOk;
  TextLaneFile file_;
};

// The calling thread's cache.
TextLaneFileCache& ThreadTextLaneCache();

}  // namespace tolv

#endif  // TOLV32DLL_LANES_TEXT_LANE_CACHE_H_
