#include "frelane/rating/data_file_bytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "frelane/rating/lookup_files.h"
#include "platform/os/file_lookup.h"

namespace frelane {

namespace {

std::optional<std::vector<std::uint8_t>> ReadPlainFile(const std::string& path) {
  // Only a plain file is read: opening a pipe or a device would wait for a writer.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadDataFile(const std::string& directory,
                                                      const std::string& name) {
  std::optional<std::string> path = os::FindFileNoCase(directory, name);
  if (!path) return std::nullopt;
  return ReadPlainFile(*path);
}

std::optional<std::vector<std::uint8_t>> ReadLookupFile(const std::string& directory,
                                                        const std::string& name) {
  std::optional<std::string> path = os::FindFileNoCase(directory, name);
  if (!path) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes = ReadPlainFile(*path);
  if (!bytes) lookup::ReportUnreadableFile(name);
  return bytes;
}

}  // namespace frelane
