// A text lane file as parsed from the bytes of a view, kept among the parsed files while
// the view reads the same image (see platform/os/parsed_files.h): the kept form, or the
// kept error, is the answer without splitting a line. A file rewritten between two ratings
// comes as a new image and is parsed afresh; a view without an image is parsed each time.
#ifndef TOLV32DLL_LANES_TEXT_LANE_CACHE_H_
#define TOLV32DLL_LANES_TEXT_LANE_CACHE_H_

#include <memory>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/text_lane_file.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

struct ParsedTextLanes {
  ErrorNumber error = kOk;
  TextLaneFile file;  // when error is 0
};

// ParseTextLaneFile of the view's bytes: 0 with *parsed set, or its error (*parsed null
// when the bytes could not be read).
ErrorNumber ParseTextLaneView(const FileView& view, std::shared_ptr<const ParsedTextLanes>* parsed);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_TEXT_LANE_CACHE_H_
