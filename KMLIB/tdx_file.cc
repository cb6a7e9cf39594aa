#include "KMLIB/tdx_file.h"

#include <array>

#include "platform/os/bytes.h"

namespace kmlib {

TdxRecord DecodeTdxRecord(std::span<const std::uint8_t> b) {
  namespace X = tdx_record;
  const os::ConstRecordView v(b);
  TdxRecord r;
  r.first_version = *v.at(X::kFirstVersion);
  r.end_version = *v.at(X::kEndVersion);
  r.group_result = v.I16(X::kGroupResult);
  r.origin_key = v.I16(X::kOriginKey);
  r.link = v.I16(X::kLink);
  r.destination_key = v.I16(X::kDestinationKey);
  r.origin_order_key = v.I16(X::kOriginOrderKey);
  r.destination_order_key = v.I16(X::kDestinationOrderKey);
  r.origin_mark = v.I16(X::kOriginMark);
  r.destination_mark = v.I16(X::kDestinationMark);
  r.other_group_result = v.I16(X::kOtherGroupResult);
  return r;
}

std::optional<ExceptionFile> ExceptionFile::Open(const std::string& path) {
  std::optional<RecordFile> file = RecordFile::Open(path, tdx_record::kSize);
  if (!file) return std::nullopt;
  NoteOpenedFile(path);
  return ExceptionFile(std::move(*file));
}

bool ExceptionFile::Take(std::size_t index) {
  std::array<std::uint8_t, tdx_record::kSize> buffer;
  std::span<const std::uint8_t> bytes = file_.Record(index, buffer);
  if (bytes.empty()) {
    in_hand_ = false;
    return false;
  }
  index_ = index;
  in_hand_ = true;
  record_ = DecodeTdxRecord(bytes);
  return true;
}

bool ExceptionFile::Find(std::int16_t group_result, std::int16_t origin_key,
                         std::int16_t destination_key, std::uint8_t version) {
  long index = file_.FindFirst([&](std::span<const std::uint8_t> bytes) {
    TdxRecord r = DecodeTdxRecord(bytes);
    if (group_result != r.group_result) return group_result < r.group_result ? -1 : 1;
    if (origin_key != r.origin_key) return origin_key < r.origin_key ? -1 : 1;
    if (destination_key != r.destination_key) return destination_key < r.destination_key ? -1 : 1;
    if (version < r.first_version) return -1;
    if (version >= r.end_version) return 1;
    return 0;
  });
  if (index < 0) {
    in_hand_ = false;
    return false;
  }
  return Take(static_cast<std::size_t>(index));
}

bool ExceptionFile::Next() {
  if (!in_hand_) return false;
  return Take(index_ + 1);
}

}  // namespace kmlib
