#include "KMLIB/td_text_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "KMLIB/td_scan.h"
#include "platform/os/file_cache.h"
#include "platform/os/read_only_file.h"

namespace kmlib {

namespace {

using File = os::ReadOnlyStream;

// A stream over image, the file's shared image, or over the file itself when there is no
// image or it is empty.
File OpenImage(const std::string& path, const os::FileImagePtr& image) {
  return os::StreamOf(path, image, "rb");
}

File OpenForReading(const std::string& path, os::FileImagePtr* image) {
  *image = os::ReadFileImage(path);
  return OpenImage(path, *image);
}

// The numbers of a line as one sscanf of "%<w1>hd%<w2>hd..." reads them: in order, the
// first that does not read ending the line. Numbers not read are 0; the count read.
template <std::size_t N>
std::size_t ReadShorts(std::string_view line, const std::array<int, N>& widths,
                       std::array<std::int16_t, N>* out) {
  out->fill(0);
  FieldScanner scan(line);
  std::size_t read = 0;
  while (read < N) {
    std::optional<std::int16_t> v = scan.Short(widths[read]);
    if (!v) break;
    (*out)[read++] = *v;
  }
  return read;
}

}  // namespace

TdStatus ReadTdv(const std::string& path, std::vector<TdVersionRow>* rows) {
  return ReadTdvImage(path, os::ReadFileImage(path), rows);
}

TdStatus ReadTdvImage(const std::string& path, const os::FileImagePtr& image,
                      std::vector<TdVersionRow>* rows) {
  rows->clear();
  File file = OpenImage(path, image);
  if (!file.is_open()) return TdStatus::kCannotOpen;
  std::string line;
  while (ReadLinePiece(file.get(), kTdvLineChars, &line)) {
    std::array<std::int16_t, 5> n;
    if (ReadShorts(line, {2, 2, 2, 2, 2}, &n) == 0) continue;  // its version number must read
    if (rows->size() == kMaxTdvRows) return TdStatus::kBadData;
    rows->push_back({static_cast<std::uint8_t>(n[0]), static_cast<std::uint8_t>(n[1]),
                     static_cast<std::uint8_t>(n[2]), static_cast<std::uint8_t>(n[3]),
                     static_cast<std::uint8_t>(n[4])});
  }
  return rows->empty() ? TdStatus::kEmpty : TdStatus::kOk;
}

TdStatus ReadTds(const std::string& path, TdSelectTable* table) {
  *table = TdSelectTable{};
  os::FileImagePtr image;
  File file = OpenForReading(path, &image);
  if (!file.is_open()) return TdStatus::kCannotOpen;
  std::string line;
  while (table->rows.size() < kMaxTdsRows && ReadLinePiece(file.get(), kTdsLineChars, &line)) {
    std::array<std::int16_t, 7> n;
    if (ReadShorts(line, {2, 3, 3, 3, 3, 2, 2}, &n) == 0) continue;  // its group must read
    if (n[0] < 1 || n[0] > kMaxGroups) return TdStatus::kBadData;
    table->rows.push_back({n[0], n[1], n[2], n[3], n[4], n[5], n[6]});
    table->group_count = std::max<int>(table->group_count, n[0]);
  }
  return TdStatus::kOk;
}

TdStatus ReadTda(const std::string& path, std::vector<TdAreaEntry>* entries) {
  entries->clear();
  os::FileImagePtr image;
  File file = OpenForReading(path, &image);
  if (!file.is_open()) return TdStatus::kCannotOpen;
  // No more than the file held when it was opened: the areas are sized by it.
  std::size_t limit = image ? image->size() : 0;
  struct stat st;
  if (!image && ::fstat(::fileno(file.get()), &st) == 0) limit = static_cast<std::size_t>(st.st_size);
  if (limit > kMaxTdaBytes) return TdStatus::kBadData;
  std::string bytes;
  char buffer[4096];
  std::size_t got;
  while (bytes.size() < limit &&
         (got = std::fread(buffer, 1, std::min(sizeof buffer, limit - bytes.size()), file.get())) > 0) {
    bytes.append(buffer, got);
  }
  if (std::ferror(file.get())) return TdStatus::kCannotOpen;
  std::size_t count = bytes.size() / kTdaLineBytes;
  entries->reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string_view line(bytes.data() + i * kTdaLineBytes, kTdaLineBytes);
    // Each line is exactly 6 bytes; a file with other line ends would be read askew.
    if (line.substr(4, 2) != "\r\n") return TdStatus::kBadData;
    FieldScanner scan(line);
    std::optional<std::int16_t> area = scan.Short(2);
    std::optional<std::string> code = scan.Word(3);
    if (!area || !code) return TdStatus::kBadData;
    TdAreaEntry entry;
    entry.area = *area;
    entry.state[0] = (*code)[0];
    entry.state[1] = code->size() > 1 ? (*code)[1] : ' ';
    entries->push_back(entry);
  }
  // Look-ups search by area; keep file order among equal areas.
  std::stable_sort(entries->begin(), entries->end(),
                   [](const TdAreaEntry& a, const TdAreaEntry& b) { return a.area < b.area; });
  return TdStatus::kOk;
}

}  // namespace kmlib
