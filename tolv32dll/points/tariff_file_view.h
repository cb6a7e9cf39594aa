// A FileView of one slot of the engine's tariff file set: it reads whatever the slot holds
// when asked, so a file the set opens or reopens later is seen through the same view.
#ifndef TOLV32DLL_POINTS_TARIFF_FILE_VIEW_H_
#define TOLV32DLL_POINTS_TARIFF_FILE_VIEW_H_

#include <cstdint>

#include "platform/os/bytes.h"
#include "tolv32dll/points/file_view.h"
#include "tolv32dll/tariff/file_io.h"

namespace tolv {

class TariffFileView : public FileView {
 public:
  explicit TariffFileView(const TariffFile& file) : file_(file) {}
  std::int64_t Size() const override { return file_.Size(); }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const override {
    return file_.ReadAt(offset, out);
  }
  os::FileImagePtr Image() const override { return file_.image(); }
  os::ByteSpan HeldBytes() const override {
    const os::FileImagePtr& image = file_.image();
    return image ? image->bytes() : os::ByteSpan();
  }

 private:
  const TariffFile& file_;
};

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_TARIFF_FILE_VIEW_H_
