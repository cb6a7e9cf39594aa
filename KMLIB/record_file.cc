#include "KMLIB/record_file.h"

#include <atomic>
#include <utility>

namespace kmlib {
namespace {
std::atomic<OpenedFileHook> opened_file_hook{nullptr};
}  // namespace

void SetOpenedFileHook(OpenedFileHook hook) { opened_file_hook.store(hook); }

void NoteOpenedFile(const std::string& path) {
  if (OpenedFileHook hook = opened_file_hook.load()) hook(path);
}

std::optional<RecordFile> RecordFile::Open(const std::string& path, std::size_t record_size) {
  if (record_size == 0) return std::nullopt;
  os::ReadOnlyFile file = os::ReadOnlyFile::Open(path);
  const std::int64_t size = file.Size();
  if (size < 0) return std::nullopt;
  const std::size_t count = static_cast<std::size_t>(size) / record_size;
  return RecordFile(std::move(file), record_size, count);
}

bool RecordFile::Read(std::size_t index, std::span<std::uint8_t> out) const {
  if (index >= count_ || out.size() < record_size_) return false;
  const auto offset = static_cast<std::int64_t>(index * record_size_);
  return file_.ReadAt(offset, out.first(record_size_)) == static_cast<std::int64_t>(record_size_);
}

}  // namespace kmlib
