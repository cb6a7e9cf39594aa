#include "tolv32dll/logs/text_log.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <type_traits>

#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"

namespace tolv {
namespace {

constexpr long kMegabyte = 1048576;

// Sections of different threads may come in any order, but each is written whole, and
// no thread deletes the log while another writes to it. Nothing to destroy, so a thread
// still logging while the process ends does not meet a dead mutex.
std::mutex& TextLogLock() {
  static_assert(std::is_trivially_destructible_v<std::mutex>);
  static constinit std::mutex lock;
  return lock;
}

using File = os::Stream;

// The log at path opened to append, if it is a regular file or absent.
File OpenToAppend(const std::string& path) {
  return File(os::StreamOver(os::OpenRegularFileToAppend(path), "ab"));
}

}  // namespace

std::string TextLogPath(std::string_view tariff_data_dir) {
  return os::JoinPath(tariff_data_dir, kTextLogName);
}

bool AppendTextLog(const std::string& path, int mb_log_size, std::string_view section,
                   bool apply_size_rule) {
  std::lock_guard<std::mutex> hold(TextLogLock());
  // Binary: the sections carry their own "\r\n" line ends.
  File file = OpenToAppend(path);
  if (!file) return false;
  if (apply_size_rule && std::fseek(file.get(), 0, SEEK_END) == 0) {
    long size = std::ftell(file.get());
    if (size > 0 && size / kMegabyte >= mb_log_size) {
      file.reset();
      std::remove(path.c_str());
      file = OpenToAppend(path);
      if (!file) return false;
    }
  }
  bool written = std::fwrite(section.data(), 1, section.size(), file.get()) == section.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace tolv
