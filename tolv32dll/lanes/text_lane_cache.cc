#include "tolv32dll/lanes/text_lane_cache.h"

#include <utility>
#include <vector>

#include "platform/os/parsed_files.h"

namespace tolv {

ErrorNumber ParseTextLaneView(const FileView& view,
                              std::shared_ptr<const ParsedTextLanes>* parsed) {
  const os::FileImagePtr image = view.Image();
  *parsed = os::KeptParse<ParsedTextLanes>(image);
  if (*parsed == nullptr) {
    std::vector<std::uint8_t> bytes;
    if (!ReadTextLaneBytes(view, bytes)) return kErrBadlal;
    auto made = std::make_shared<ParsedTextLanes>();
    Result<TextLaneFile> result = ParseTextLaneBytes(bytes);
    made->error = result.error();
    if (result.ok()) made->file = std::move(*result);
    os::KeepParse<ParsedTextLanes>(image, made);
    *parsed = std::move(made);
  }
  return (*parsed)->error;
}

}  // namespace tolv
