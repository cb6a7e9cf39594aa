#include "frelane/rating/data_file_bytes.h"

#include "frelane/rating/lookup_files.h"
#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"

namespace frelane {

std::optional<std::vector<std::uint8_t>> ReadDataFile(const std::string& directory,
                                                      const std::string& name) {
  std::optional<std::string> path = os::FindFileNoCase(directory, name);
  if (!path) return std::nullopt;
  return os::ReadRegularFile(*path);
}

std::optional<std::vector<std::uint8_t>> ReadLookupFile(const std::string& directory,
                                                        const std::string& name) {
  std::optional<std::string> path = os::FindFileNoCase(directory, name);
  if (!path) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes = os::ReadRegularFile(*path);
  if (!bytes) lookup::ReportUnreadableFile(name);
  return bytes;
}

}  // namespace frelane
