#include "tolv32dll/lanes/engine_lane_files.h"

namespace tolv {

EngineLaneFiles::~EngineLaneFiles() {
  if (!opened_) return;
  set_.Close(TariffFileKind::kLaneAdjBinary);
  set_.Close(TariffFileKind::kLaneAdjA);
  set_.Close(TariffFileKind::kLaneBaseU);
  set_.Close(TariffFileKind::kLaneBaseV);
}

Result<const FileView*> EngineLaneFiles::Open(TariffFileKind kind, const SlotView& view) {
  opened_ = true;
  const ErrorNumber e = set_.Open(kind, tariff_);
  if (e != kOk) return Result<const FileView*>::Error(e);
  return static_cast<const FileView*>(&view);
}

}  // namespace tolv

namespace tolv {

const FileView* EngineLaneFiles::OpenBase(TariffFileKind kind, const SlotView& view) {
  opened_ = true;
  return set_.Open(kind, tariff_) == kOk ? &view : nullptr;
}

}  // namespace tolv
