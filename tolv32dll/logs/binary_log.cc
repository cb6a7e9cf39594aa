#include "tolv32dll/logs/binary_log.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <type_traits>
#include <vector>

#include "platform/os/bytes.h"
#include "platform/os/regular_file.h"
#include "platform/os/thread_id.h"

namespace tolv {
namespace {

thread_local bool thread_binary_debug = false;

// The binary-log lock, shared by every thread of the process. Nothing to destroy, so a
// thread still logging while the process ends does not meet a dead mutex.
std::mutex& BinaryLogLock() {
  static_assert(std::is_trivially_destructible_v<std::mutex>);
  static constinit std::mutex lock;
  return lock;
}

}  // namespace

void SetThreadBinaryDebug(char flag) { thread_binary_debug = flag == 'Y'; }

bool ThreadBinaryDebug() { return thread_binary_debug; }

bool AppendBinaryLogRecord(const std::string& path, BinaryLogKind kind, std::int32_t thread_id,
                           std::span<const std::uint8_t> data) {
  if (!BinaryLogLengthFits(kind, data.size())) return false;
  // One buffer, one write: the record reaches the file whole or not at all.
  const std::vector<std::uint8_t> record = EncodeBinaryLogRecord(kind, thread_id, data);
  std::lock_guard<std::mutex> hold(BinaryLogLock());
  // Only a regular file (or none) at the name is written: a FIFO there must not block.
  const int fd = os::OpenRegularFileToAppend(path);
  if (fd < 0) return false;
  ssize_t n;
  do {
    n = ::write(fd, record.data(), record.size());
  } while (n < 0 && errno == EINTR);
  return ::close(fd) == 0 && n == static_cast<ssize_t>(record.size());
}

bool LogBinary(BinaryLogKind kind, std::span<const std::uint8_t> data) {
  if (!thread_binary_debug) return false;
  return AppendBinaryLogRecord(kBinaryLogName, kind, os::CurrentThreadId(), data);
}

bool LogBinaryI32(BinaryLogKind kind, std::int32_t value) {
  std::uint8_t data[4];
  os::StoreI32Le(data, value);
  return LogBinary(kind, data);
}

bool LogBinaryI16(BinaryLogKind kind, std::int16_t value) {
  std::uint8_t data[2];
  os::StoreI16Le(data, value);
  return LogBinary(kind, data);
}

bool LogBinaryI32s(BinaryLogKind kind, std::span<const std::int32_t> values) {
  if (!thread_binary_debug) return false;
  std::vector<std::uint8_t> data(values.size() * 4);
  for (std::size_t i = 0; i < values.size(); ++i) os::StoreI32Le(data.data() + 4 * i, values[i]);
  return LogBinary(kind, data);
}

bool LogBinaryText(BinaryLogKind kind, std::string_view text) {
  return LogBinary(kind, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool LogBinaryOpenedFile(std::string_view full_name) {
  if (!thread_binary_debug) return false;
  return LogBinary(BinaryLogKind::kOpenedFile, BinaryLogFileName(full_name));
}

bool LogBinaryTime(BinaryLogKind kind) {
  return LogBinaryI32(kind, static_cast<std::int32_t>(std::time(nullptr)));
}

}  // namespace tolv
