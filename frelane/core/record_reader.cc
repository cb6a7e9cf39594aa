#include "frelane/core/record_reader.h"

#include <filesystem>
#include <system_error>

namespace frelane {

std::optional<RecordReader> RecordReader::Open(const std::string& path,
                                               std::size_t record_size) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::uint64_t length = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return RecordReader(std::move(file), length, record_size);
}

std::optional<std::vector<std::uint8_t>> RecordReader::Read(std::int64_t n) {
  if (n < 1 || n > record_count()) return std::nullopt;
  std::vector<std::uint8_t> record(record_size_);
  file_.clear();
  file_.seekg(static_cast<std::streamoff>((n - 1) * static_cast<std::int64_t>(record_size_)));
  file_.read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(record_size_));
  if (file_.gcount() != static_cast<std::streamsize>(record_size_)) return std::nullopt;
  return record;
}

std::uint64_t FileLengthOrZero(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return 0;
  std::uint64_t length = std::filesystem::file_size(path, error);
  return error ? 0 : length;
}

}  // namespace frelane
