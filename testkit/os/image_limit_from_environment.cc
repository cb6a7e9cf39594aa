// Linked into the test programs that run once more with their files read through
// descriptors: FRELANE_TEST_MAX_IMAGE_SIZE sets the file cache's image limit before any
// test runs.
#include <cstdlib>
#include <string>

#include "platform/os/file_cache.h"

namespace {

const bool kLimitTaken = [] {
  if (const char* limit = std::getenv("FRELANE_TEST_MAX_IMAGE_SIZE")) {
    os::SetMaxFileImageSizeForTesting(std::stoul(limit));
  }
  return true;
}();

}  // namespace
