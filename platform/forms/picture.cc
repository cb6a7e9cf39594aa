#include "platform/forms/picture.h"

#include <cstdint>
#include <vector>

#include "platform/forms/desktop.h"
#include "platform/forms/types.h"
#include "platform/os/bytes.h"
#include "platform/os/regular_file.h"

namespace forms {
namespace {

// Enough of the file to find the size in: JPEG markers can sit after large metadata.
constexpr std::size_t kMaxHeaderBytes = 1 << 20;

std::uint16_t LoadU16Be(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
std::uint32_t LoadU32Be(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(LoadU16Be(p)) << 16) | LoadU16Be(p + 2);
}

bool JpegSize(const std::vector<std::uint8_t>& b, int& w, int& h) {
  std::size_t i = 2;
  while (i + 4 <= b.size()) {
    if (b[i] != 0xFF) return false;
    std::uint8_t marker = b[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      i += 2;
      continue;
    }
    std::size_t length = LoadU16Be(&b[i + 2]);
    if (length < 2) return false;
    bool sof =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (sof) {
      if (i + 9 > b.size()) return false;
      h = LoadU16Be(&b[i + 5]);
      w = LoadU16Be(&b[i + 7]);
      return true;
    }
    i += 2 + length;
  }
  return false;
}

}  // namespace

std::optional<Picture> ReadPictureHeader(const std::string& path) {
  std::optional<os::FileHead> head = os::ReadRegularFileHead(path, kMaxHeaderBytes);
  if (!head) return std::nullopt;
  const std::vector<std::uint8_t>& b = head->bytes;
  int w = -1;
  int h = -1;
  if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
    w = os::LoadI32Le(&b[18]);
    h = os::LoadI32Le(&b[22]);
    if (h < 0) h = -h;  // top-down bitmaps store a negative height
  } else if (b.size() >= 10 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8') {
    w = os::LoadU16Le(&b[6]);
    h = os::LoadU16Le(&b[8]);
  } else if (b.size() >= 24 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') {
    w = static_cast<int>(LoadU32Be(&b[16]));
    h = static_cast<int>(LoadU32Be(&b[20]));
  } else if (b.size() >= 4 && b[0] == 0xFF && b[1] == 0xD8) {
    if (!JpegSize(b, w, h)) return std::nullopt;
  } else if (b.size() >= 8 && b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0) {
    w = b[6] == 0 ? 256 : b[6];
    h = b[7] == 0 ? 256 : b[7];
  } else {
    return std::nullopt;
  }
  // Sizes beyond what a twips int can hold mean a damaged header.
  if (w < 0 || h < 0 || w > 100000 || h > 100000) return std::nullopt;
  return Picture{path, w * kTwipsPerPixel, h * kTwipsPerPixel};
}

Picture Desktop::LoadPicture(const std::string& path) {
  if (path.empty()) return {};
  return ReadPictureHeader(path).value_or(Picture{});
}

}  // namespace forms
