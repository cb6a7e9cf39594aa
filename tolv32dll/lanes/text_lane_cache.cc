#include "tolv32dll/lanes/text_lane_cache.h"

#include <utility>

namespace tolv {

ErrorNumber TextLaneFileCache::Parse(const FileView& file, const TextLaneFile** parsed) {
  *parsed = nullptr;
  if (!ReadTextLaneBytes(file, reading_)) return kErrBadlal;
  if (!kept_ || reading_ != bytes_) {
    kept_ = false;
    Result<TextLaneFile> result = ParseTextLaneBytes(reading_);
    error_ = result.error();
    file_ = result.ok() ? std::move(*result) : TextLaneFile{};
    std::swap(bytes_, reading_);
    kept_ = true;
  }
  if (error_ != kOk) return error_;
  *parsed = &file_;
  return kOk;
}

TextLaneFileCache& ThreadTextLaneCache() {
  thread_local TextLaneFileCache cache;
  return cache;
}

}  // namespace tolv
