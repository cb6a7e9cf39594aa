// The rating steps' view of the selected tariff's files, over the engine's tariff file
// set: each file is opened by the set when a step first asks for it and read in place.
#ifndef TOLV32DLL_DRIVER_ENGINE_RATING_FILES_H_
#define TOLV32DLL_DRIVER_ENGINE_RATING_FILES_H_

#include "tolv32dll/points/point_state.h"
#include "tolv32dll/points/rating_files.h"
#include "tolv32dll/points/tariff_file_view.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/tariff_file_set.h"

namespace tolv {

// The destination's point file: the second slot, or the first when one file serves both.
class DestinationPointsView : public FileView {
 public:
  explicit DestinationPointsView(const TariffFileSet& set) : set_(set) {}
  std::int64_t Size() const override { return set_.points_destination().Size(); }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const override {
    return set_.points_destination().ReadAt(offset, out);
  }
  os::ByteSpan HeldBytes() const override {
    const os::FileImagePtr& image = set_.points_destination().image();
    return image ? image->bytes() : os::ByteSpan();
  }

 private:
  const TariffFileSet& set_;
};

class EngineRatingFiles : public RatingFiles {
 public:
  // points gives the working codes of both ends, which choose the rate index and the
  // point files of the directional modes.
  EngineRatingFiles(TariffFileSet& set, const CurrentTariff& tariff, const PointState& points);

  Result<const FileView*> Exp() override;
  Result<PointFiles> Points(char side, bool alternate) override;
  Result<const FileView*> RateIndex() override;
  Result<const FileView*> Rates() override;
  Result<const FileView*> RbaCompanion() override;
  Result<const FileView*> Rba() override;
  Result<const FileView*> Min() override;
  Result<const FileView*> DirectIndirect() override;
  Result<const FileView*> Exceptions() override;
  Result<const FileView*> EBase() override;
  Result<const FileView*> EMatrix() override;
  void Close(ReadOnce file) override;

 private:
  Result<const FileView*> Kind(TariffFileKind kind, const TariffFileView& view, bool optional);

  TariffFileSet& set_;
  const CurrentTariff& tariff_;
  const PointState& points_;
  TariffFileView exp_, min_, e_base_, e_matrix_;
  DestinationPointsView points_destination_;
  TariffFileView points_origin_, rate_index_, rates_, rba_,
      direct_indirect_, exceptions_;
};

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_ENGINE_RATING_FILES_H_
