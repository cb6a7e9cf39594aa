#include "testkit/temp_dir.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace testkit {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "frelane-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(std::string_view name) const { return path_ + std::string(name); }

void TempDir::Write(std::string_view name, std::span<const std::uint8_t> bytes) const {
  std::filesystem::path target = File(name);
  std::filesystem::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", target.c_str());
    std::abort();
  }
}

void TempDir::Write(std::string_view name, std::string_view text) const {
  Write(name, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size()));
}

void TempDir::CopyFilesOf(const std::string& from) const {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(from, error)) {
    if (!entry.is_regular_file()) continue;
    std::filesystem::copy_file(entry.path(), File(entry.path().filename().string()),
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) break;
  }
  if (error) {
    std::fprintf(stderr, "cannot copy %s: %s\n", from.c_str(), error.message().c_str());
    std::abort();
  }
}

std::string LinkedDirectoryOfLength(const std::string& base, std::size_t length,
                                    const std::string& from) {
  std::string path = base;
  while (path.size() < length) {
    const std::size_t left = length - path.size();  // at least 2 while the loop runs
    const std::size_t part = left > 101 ? std::min<std::size_t>(100, left - 3) : left - 1;
    path += std::string(part, 'd') + "/";
  }
  std::error_code error;
  std::filesystem::create_directories(path, error);
  for (const auto& entry : std::filesystem::directory_iterator(from, error)) {
    if (!entry.is_regular_file()) continue;
    const std::string target = path + entry.path().filename().string();
    std::filesystem::remove(target, error);
    std::filesystem::create_hard_link(entry.path(), target, error);
    if (error) break;
  }
  if (error || path.size() != length) {
    std::fprintf(stderr, "cannot make %s: %s\n", path.c_str(), error.message().c_str());
    std::abort();
  }
  return path;
}

}  // namespace testkit
