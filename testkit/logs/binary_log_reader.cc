#include "testkit/logs/binary_log_reader.h"

#include "platform/os/bytes.h"

namespace testkit {

BinaryLog ParseBinaryLog(const std::string& bytes) {
  BinaryLog log;
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 12) {
      log.truncated = true;
      break;
    }
    std::int32_t length = os::LoadI32Le(p + at);
    if (length < 0 || bytes.size() - at - 12 < static_cast<std::size_t>(length)) {
      log.truncated = true;
      break;
    }
    BinaryLogEntry e;
    e.kind = os::LoadI32Le(p + at + 4);
    e.thread_id = os::LoadI32Le(p + at + 8);
    e.data = bytes.substr(at + 12, static_cast<std::size_t>(length));
    log.entries.push_back(std::move(e));
    at += 12 + static_cast<std::size_t>(length);
  }
  return log;
}

std::int32_t DataI32(const BinaryLogEntry& entry, std::size_t at) {
  if (entry.data.size() < at + 4) return 0;
  return os::LoadI32Le(reinterpret_cast<const std::uint8_t*>(entry.data.data()) + at);
}

}  // namespace testkit
