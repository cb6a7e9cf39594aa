#include "tolv32dll/engine/engine_version.h"

#include <cstdio>
#include <cstring>

#include "tolv32dll/engine/version.h"

namespace tolv {
namespace {

// Copies text with its terminator into out + at, cut to width - 1 characters.
void PutText(std::uint8_t* out, std::size_t at, std::size_t width, const std::string& text) {
  std::size_t n = std::min(text.size(), width - 1);
  std::memcpy(out + at, text.data(), n);
  out[at + n] = 0;
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
  std::memset(out, 0, v::kSize);
  for (std::size_t g = 0; g < v::kGroups; ++g) {
    std::uint8_t* group = out + g * v::kGroupSize;
    PutText(group, v::kNameAt, v::kNameWidth, kProductName);
    PutText(group, v::kMajorAt, v::kMinorAt - v::kMajorAt, std::to_string(kVersionMajor));
    PutText(group, v::kMinorAt, v::kGroupSize - v::kMinorAt, MinorWithLetter());
  }
  PutText(out, v::kFourthAt, v::kSize - 1 - v::kFourthAt, std::to_string(kVersionTweak));
}

std::string EngineVersionLogText() {
  std::uint8_t text[engine_version_text::kSize];
  FillEngineVersionText(text);
  auto at = [&](std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(text + offset));
  };
  constexpr std::size_t kThird = 2 * engine_version_text::kGroupSize;
  return at(kThird + engine_version_text::kMajorAt) + "." +
         at(kThird + engine_version_text::kMinorAt) + "," + at(engine_version_text::kFourthAt) +
         "," + at(99);
}

std::string EngineRevisionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

}  // namespace tolv
