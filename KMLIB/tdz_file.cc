#include "KMLIB/tdz_file.h"

#include <cctype>
#include <cstring>

#include "KMLIB/packed_zip.h"
#include "KMLIB/record_file.h"
#include "platform/os/bytes.h"

namespace kmlib {

std::int16_t TdzRecord::sub_area() const { return os::LoadI16Le(&bytes[TdzLayout::kSubArea]); }

namespace {

// strncmp over n characters, the code padded with NULs when shorter.
int CompareText(std::string_view code, const std::string& end, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char a = i < code.size() ? static_cast<unsigned char>(code[i]) : 0;
    unsigned char b = i < end.size() ? static_cast<unsigned char>(end[i]) : 0;
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
  return 0;
}

}  // namespace

int CompareZipWithRecord(std::string_view code, std::uint8_t version, const TdzRecord& record) {
  std::size_t width =
      !code.empty() && std::isalpha(static_cast<unsigned char>(code[0])) ? 3 : 5;
  std::array<std::uint8_t, 3> low = record.low_zip();
  std::array<std::uint8_t, 3> high = record.high_zip();
  if (CompareText(code, UnpackZip(low), width) < 0) return -1;
  if (CompareText(code, UnpackZip(high), width) > 0) return 1;
  if (version < record.first_version()) return -1;
  if (version >= record.end_version()) return 1;
  return 0;
}

TdStatus FindZip(const std::string& path, std::string_view code, std::uint8_t version,
                 TdzRecord* out) {
  std::unique_ptr<RecordFile> file = RecordFile::Open(path, TdzLayout::kSize);
  if (!file) return TdStatus::kCannotOpen;
  long index = file->FindFirst([&](std::span<const std::uint8_t> bytes) {
    TdzRecord record;
    std::memcpy(record.bytes.data(), bytes.data(), TdzLayout::kSize);
    return CompareZipWithRecord(code, version, record);
  });
  if (index < 0 || !file->Read(static_cast<std::size_t>(index), out->bytes)) {
    return TdStatus::kNotFound;
  }
  return TdStatus::kOk;
}

}  // namespace kmlib
