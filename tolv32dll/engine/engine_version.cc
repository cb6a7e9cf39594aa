#include "tolv32dll/engine/engine_version.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>

#include "tolv32dll/engine/version.h"

namespace tolv {
namespace {

// Copies text with its terminator into field f of the view, cut to fit.
void PutText(const os::RecordView& out, const os::Field& f, const std::string& text) {
  std::size_t n = std::min(text.size(), f.width - 1);
  std::memcpy(out.at(f), text.data(), n);
  out.at(f)[n] = 0;
}

// The NUL-terminated text that begins field f.
std::string GetText(const os::ConstRecordView& in, const os::Field& f) {
  const auto* p = reinterpret_cast<const char*>(in.at(f));
  return std::string(p, strnlen(p, f.width));
}

std::string MinorWithLetter() {
  std::string minor = std::to_string(kVersionMinor);
  // The release letter stands for the third number: 1 = 'a', 2 = 'b', ...; none for 0.
  if (kVersionPatch >= 1 && kVersionPatch <= 26)
    minor += static_cast<char>('a' + kVersionPatch - 1);
  return minor;
}

}  // namespace

void FillEngineVersionText(std::uint8_t* out) {
  namespace v = engine_version_text;
  const os::RecordView text(std::span<std::uint8_t>(out, v::kSize));
  std::memset(out, 0, v::kSize);
  for (std::size_t g = 0; g < v::kGroups.count; ++g) {
    const os::RecordView group = text.Sub(v::kGroups.Nth(g));
    PutText(group, v::group::kName, kProductName);
    PutText(group, v::group::kMajor, std::to_string(kVersionMajor));
    PutText(group, v::group::kMinor, MinorWithLetter());
  }
  PutText(text, v::kFourth, std::to_string(kVersionTweak));
}

std::string EngineVersionLogText() {
  namespace v = engine_version_text;
  std::uint8_t bytes[v::kSize];
  FillEngineVersionText(bytes);
  const os::ConstRecordView text(std::span<const std::uint8_t>(bytes, v::kSize));
  const os::ConstRecordView third = text.Sub(v::kGroups.Nth(2));
  return GetText(third, v::group::kMajor) + "." + GetText(third, v::group::kMinor) + "," +
         GetText(text, v::kFourth) + "," + GetText(text, v::kLogTail);
}

std::string EngineRevisionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

}  // namespace tolv
