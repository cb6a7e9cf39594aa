#include "KMLIB/tdz_file.h"

#include <algorithm>
#include <cstring>

#include "KMLIB/packed_zip.h"
#include "platform/os/ascii_text.h"
#include "platform/os/bytes.h"

namespace kmlib {

std::int16_t TdzRecord::sub_area() const {
  return os::ConstRecordView(bytes).I16(tdz_record::kSubArea);
}

namespace {

// strncmp over n characters (at most 5), the code padded with NULs when shorter.
int CompareText(std::string_view code, const ZipText& end, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char a = i < code.size() ? static_cast<unsigned char>(code[i]) : 0;
    unsigned char b = static_cast<unsigned char>(end.chars[i]);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
  return 0;
}

// A code as the compares of a search take it, worked out once for all its probes.
struct ZipKey {
  explicit ZipKey(std::string_view code)
      : code(code),
        width(!code.empty() && os::IsAsciiAlpha(code[0]) ? 3 : 5),
        digits(PackedDigits(code)) {}
  std::string_view code;
  std::size_t width;
  std::optional<std::uint32_t> digits;  // the first five characters, when digits, packed
};

// The key against one packed end of a range. Digits against digits compare as packed
// numbers, with no NUL on either side to stop the compare.
int CompareEnd(const ZipKey& key, std::span<const std::uint8_t> packed) {
  if (key.digits) {
    if (const std::optional<std::uint32_t> end = PackedDigitsOf(packed)) {
      return *key.digits < *end ? -1 : (*key.digits > *end ? 1 : 0);
    }
  }
  return CompareText(key.code, UnpackZipText(packed), key.width);
}

int CompareZipWithBytes(const ZipKey& key, std::uint8_t version,
                        std::span<const std::uint8_t> record) {
  namespace Z = tdz_record;
  if (CompareEnd(key, record.subspan(Z::kLowZip.offset, Z::kLowZip.width)) < 0) return -1;
  if (CompareEnd(key, record.subspan(Z::kHighZip.offset, Z::kHighZip.width)) > 0) return 1;
  if (version < record[Z::kFirstVersion.offset]) return -1;
  if (version >= record[Z::kEndVersion.offset]) return 1;
  return 0;
}

}  // namespace

int CompareZipWithRecord(std::string_view code, std::uint8_t version, const TdzRecord& record) {
  return CompareZipWithBytes(ZipKey(code), version, record.bytes);
}

std::optional<ZipRangeFile> ZipRangeFile::Open(std::string path) {
  std::optional<RecordFile> file = RecordFile::Open(path, tdz_record::kSize);
  if (!file) return std::nullopt;
  return ZipRangeFile(std::move(path), std::move(*file));
}

TdStatus ZipRangeFile::Find(std::string_view code, std::uint8_t version, TdzRecord* out) const {
  NoteOpenedFile(path_);
  if (const Found* found = found_.Recall([&](const Found& f) {
        return f.version == version && std::string_view(f.code.data(), f.size) == code;
      })) {
    *out = found->record;
    return TdStatus::kOk;
  }
  const ZipKey key(code);
  long index = file_.FindFirst([&](std::span<const std::uint8_t> record) {
    return CompareZipWithBytes(key, version, record);
  });
  if (index < 0) return TdStatus::kNotFound;
  const std::span<const std::uint8_t> record =
      file_.Record(static_cast<std::size_t>(index), out->bytes);
  if (record.empty()) return TdStatus::kNotFound;
  if (record.data() != out->bytes.data()) std::copy(record.begin(), record.end(), out->bytes.begin());
  Remember(code, version, *out);
  return TdStatus::kOk;
}

void ZipRangeFile::Remember(std::string_view code, std::uint8_t version,
                            const TdzRecord& record) const {
  Found found;
  if (code.size() > found.code.size()) return;
  std::copy(code.begin(), code.end(), found.code.begin());
  found.size = code.size();
  found.version = version;
  found.record = record;
  found_.Remember(found);
}

TdStatus FindZip(const std::string& path, std::string_view code, std::uint8_t version,
                 TdzRecord* out) {
  std::optional<ZipRangeFile> file = ZipRangeFile::Open(path);
  if (!file) return TdStatus::kCannotOpen;
  return file->Find(code, version, out);
}

}  // namespace kmlib
