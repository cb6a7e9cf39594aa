#include "tolv32dll/lanes/engine_lane_files.h"

namespace tolv {

EngineLaneFiles::~EngineLaneFiles() {
  if (!opened_) return;
  set_.Close(TariffFileKind::kLaneAdjBinary);
  set_.Close(TariffFileKind::kLaneAdjA);
}

Result<const FileView*> EngineLaneFiles::Open(TariffFileKind kind, const SlotView& view) {
  opened_ = true;
  const ErrorNumber e = set_.Open(kind, tariff_);
  if (e != kOk) return Result<const FileView*>::Error(e);
  return static_cast<const FileView*>(&view);
}

}  // namespace tolv
