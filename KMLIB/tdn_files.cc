#include "KMLIB/tdn_files.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "KMLIB/packed_zip.h"
#include "KMLIB/record_file.h"
#include "platform/os/ascii_text.h"
#include "platform/os/bytes.h"
#include "platform/os/read_only_file.h"

namespace kmlib {

namespace {

struct IndexEntry {
  ZipText zip;
  std::int16_t name_code;
  std::uint8_t first_version;
  std::uint8_t end_version;
  std::int32_t offset;
};

IndexEntry Decode(std::span<const std::uint8_t> b) {
  namespace I = tdn_index_record;
  const os::ConstRecordView v(b);
  return {UnpackZipText(b.subspan(I::kZip.offset, I::kZip.width)), v.I16(I::kNameCode),
          *v.at(I::kFirstVersion), *v.at(I::kEndVersion), v.I32(I::kNameOffset)};
}

// The code as packing and unpacking leave it, which is how the index compares it.
std::optional<ZipText> KeyOf(std::string_view code) {
  const std::optional<std::array<std::uint8_t, 3>> packed = PackZip(code);
  if (!packed) return std::nullopt;
  return UnpackZipText(*packed);
}

// Over 5 characters, ending at a NUL, as unsigned bytes.
int CompareZip5(const ZipText& key, const ZipText& zip) {
  for (std::size_t i = 0; i < 5; ++i) {
    const auto a = static_cast<unsigned char>(key.chars[i]);
    const auto b = static_cast<unsigned char>(zip.chars[i]);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
  return 0;
}

// The name at offset, or nullopt when the offset or the name lies outside the file.
std::optional<std::string> ReadName(std::FILE* names, std::int32_t offset) {
  if (offset < 0 || std::fseek(names, offset, SEEK_SET) != 0) return std::nullopt;
  int length = std::fgetc(names);
  if (length == EOF) return std::nullopt;
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), kMaxTdnNameChars);
  std::string name(n, ' ');
  if (n > 0 && std::fread(name.data(), 1, n, names) != n) return std::nullopt;
  return name;
}

}  // namespace

std::vector<TdnName> ReadExceptionNames(const std::string& index_path,
                                        const std::string& names_path, std::string_view code,
                                        const std::vector<std::int16_t>& name_codes,
                                        std::uint8_t version, std::size_t limit) {
  std::vector<TdnName> result;
  const std::optional<ZipText> key = KeyOf(code);
  if (!key) return result;
  std::optional<RecordFile> index = RecordFile::Open(index_path, tdn_index_record::kSize);
  if (!index) return result;
  NoteOpenedFile(index_path);
  os::ReadOnlyStream names = os::OpenReadOnlyStream(names_path, "rb");
  if (!names.is_open()) return result;
  NoteOpenedFile(names_path);
  std::array<std::uint8_t, tdn_index_record::kSize> bytes;
  for (std::int16_t name_code : name_codes) {
    if (name_code == 0) continue;
    long found = index->FindFirst([&](std::span<const std::uint8_t> b) {
      IndexEntry e = Decode(b);
      if (int c = CompareZip5(*key, e.zip); c != 0) return c;
      if (name_code != e.name_code) return name_code < e.name_code ? -1 : 1;
      if (version < e.first_version) return -1;
      if (version >= e.end_version) return 1;
      return 0;
    });
    if (found < 0) continue;
    for (std::size_t i = static_cast<std::size_t>(found); index->Read(i, bytes); ++i) {
      IndexEntry e = Decode(bytes);
      if (CompareZip5(*key, e.zip) != 0 || e.name_code != name_code) break;
      if (version < e.first_version || version > e.end_version) break;
      std::optional<std::string> name = ReadName(names.get(), e.offset);
      if (!name) break;
      if (name->size() < 3) continue;
      if (result.size() == limit) return result;
      result.push_back({std::move(*name), name_code});
    }
  }
  return result;
}

}  // namespace kmlib
