// Whole small data files of the data directory read at once, for the look-ups that scan
// them from the first record on every call.
#ifndef FRELANE_RATING_DATA_FILE_BYTES_H_
#define FRELANE_RATING_DATA_FILE_BYTES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace frelane {

// The file's bytes; no value when it is missing, cannot be read or is not a plain file. The
// name is matched in `directory` without regard to case.
std::optional<std::vector<std::uint8_t>> ReadDataFile(const std::string& directory,
                                                      const std::string& name);

// The same for a look-up whose answer the user relies on: a file that is there but cannot
// be read is reported once by name ("Unable to read <name>") and counts as missing.
std::optional<std::vector<std::uint8_t>> ReadLookupFile(const std::string& directory,
                                                        const std::string& name);

// Record n (1-based) of `record_size` bytes; empty when the file holds no whole record n.
inline std::span<const std::uint8_t> RecordOf(const std::vector<std::uint8_t>& bytes,
                                              std::size_t record_size, std::size_t n) {
  if (n < 1 || n * record_size > bytes.size()) return {};
  return std::span<const std::uint8_t>(bytes).subspan((n - 1) * record_size, record_size);
}

inline std::size_t RecordCount(const std::vector<std::uint8_t>& bytes, std::size_t record_size) {
  return bytes.size() / record_size;
}

}  // namespace frelane

#endif  // FRELANE_RATING_DATA_FILE_BYTES_H_
