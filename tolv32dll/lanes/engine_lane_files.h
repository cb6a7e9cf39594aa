// The lane files of the selected tariff over the engine's tariff file set. The lane file
// and the adjustment records (and the bases of kind G) are opened when first asked for and
// closed when this goes away, at the end of the shipment's charge step.
#ifndef TOLV32DLL_LANES_ENGINE_LANE_FILES_H_
#define TOLV32DLL_LANES_ENGINE_LANE_FILES_H_

#include "tolv32dll/lanes/lane_files.h"
#include "tolv32dll/points/tariff_file_view.h"
#include "tolv32dll/tariff/tariff_file_set.h"

namespace tolv {

class EngineLaneFiles : public LaneFiles {
 public:
  EngineLaneFiles(TariffFileSet& set, const CurrentTariff& tariff, RatingFiles& side_tables)
      : set_(set), tariff_(tariff), side_tables_(side_tables) {}
  ~EngineLaneFiles() override;
  EngineLaneFiles(const EngineLaneFiles&) = delete;
  EngineLaneFiles& operator=(const EngineLaneFiles&) = delete;

  Result<const FileView*> Lanes() override { return Open(TariffFileKind::kLaneAdjBinary, lanes_); }
  Result<const FileView*> Adjustments() override {
    return Open(TariffFileKind::kLaneAdjA, adjustments_);
  }
  const FileView* BaseU() override { return OpenBase(TariffFileKind::kLaneBaseU, base_u_); }
  const FileView* BaseV() override { return OpenBase(TariffFileKind::kLaneBaseV, base_v_); }
  RatingFiles& side_tables() override { return side_tables_; }

 private:
  using SlotView = TariffFileView;

  Result<const FileView*> Open(TariffFileKind kind, const SlotView& view);
  const FileView* OpenBase(TariffFileKind kind, const SlotView& view);

  TariffFileSet& set_;
  const CurrentTariff& tariff_;
  RatingFiles& side_tables_;
  SlotView lanes_{set_.file(TariffFileKind::kLaneAdjBinary)};
  SlotView adjustments_{set_.file(TariffFileKind::kLaneAdjA)};
  SlotView base_u_{set_.file(TariffFileKind::kLaneBaseU)};
  SlotView base_v_{set_.file(TariffFileKind::kLaneBaseV)};
  bool opened_ = false;
};

}  // namespace tolv

#endif  // TOLV32DLL_LANES_ENGINE_LANE_FILES_H_
