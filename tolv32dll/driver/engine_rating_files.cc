#include "tolv32dll/driver/engine_rating_files.h"

namespace tolv {
namespace {

template <typename T>
Result<T> Fail(ErrorNumber e) {
  return Result<T>::Error(e);
}

}  // namespace

EngineRatingFiles::EngineRatingFiles(TariffFileSet& set, const CurrentTariff& tariff,
                                     const PointState& points)
    : set_(set),
      tariff_(tariff),
      points_(points),
      exp_(set.file(TariffFileKind::kExp)),
      min_(set.file(TariffFileKind::kMin)),
      e_base_(set.file(TariffFileKind::kEBase)),
      e_matrix_(set.file(TariffFileKind::kEMatrix)),
      points_destination_(set),
      points_origin_(set.points_origin()),
      rate_index_(set.rate_index()),
      rates_(set.rates()),
      rba_(set.rba()),
      direct_indirect_(set.direct_indirect()),
      exceptions_(set.exceptions()) {}

Result<const FileView*> EngineRatingFiles::Kind(TariffFileKind kind, const TariffFileView& view,
                                                bool optional) {
  const ErrorNumber e = set_.Open(kind, tariff_);
  if (e != kOk) {
    if (optional) return static_cast<const FileView*>(nullptr);
    return Fail<const FileView*>(e);
  }
  return static_cast<const FileView*>(&view);
}

// A tariff without EXP points has no substitutions.
Result<const FileView*> EngineRatingFiles::Exp() { return Kind(TariffFileKind::kExp, exp_, true); }

Result<PointFiles> EngineRatingFiles::Points(char side, bool alternate) {
  const ErrorNumber e = set_.TariffFile_OpenPoints(tariff_, points_.origin.code,
                                                   points_.destination.code, side, alternate);
  if (e != kOk) return Fail<PointFiles>(e);
  return PointFiles{&points_origin_, &points_destination_};
}

Result<const FileView*> EngineRatingFiles::RateIndex() {
  const ErrorNumber e =
      set_.TariffFile_OpenRateIndex(tariff_, points_.origin.code, points_.destination.code);
  if (e != kOk) return Fail<const FileView*>(e);
  return static_cast<const FileView*>(&rate_index_);
}

Result<const FileView*> EngineRatingFiles::Rates() {
  const ErrorNumber e = set_.TariffFile_OpenRates(tariff_);
  if (e != kOk) return Fail<const FileView*>(e);
  return static_cast<const FileView*>(&rates_);
}

Result<const FileView*> EngineRatingFiles::RbaCompanion() {
  const ErrorNumber e = set_.TariffFile_OpenRbaCompanion(tariff_);
  if (e == -1) return static_cast<const FileView*>(nullptr);
  if (e != kOk) return Fail<const FileView*>(e);
  return static_cast<const FileView*>(&rba_);
}

Result<const FileView*> EngineRatingFiles::Rba() {
  const ErrorNumber e = set_.TariffFile_OpenRba(tariff_);
  if (e != kOk) return Fail<const FileView*>(e);
  return static_cast<const FileView*>(&rba_);
}

Result<const FileView*> EngineRatingFiles::Min() { return Kind(TariffFileKind::kMin, min_, false); }

Result<const FileView*> EngineRatingFiles::DirectIndirect() {
  set_.TariffFile_OpenD(tariff_);
  if (!set_.direct_indirect().is_open()) return static_cast<const FileView*>(nullptr);
  return static_cast<const FileView*>(&direct_indirect_);
}

Result<const FileView*> EngineRatingFiles::Exceptions() {
  if (set_.TariffFile_OpenExceptions(tariff_) != kOk) return static_cast<const FileView*>(nullptr);
  return static_cast<const FileView*>(&exceptions_);
}

Result<const FileView*> EngineRatingFiles::EBase() {
  return Kind(TariffFileKind::kEBase, e_base_, false);
}

Result<const FileView*> EngineRatingFiles::EMatrix() {
  return Kind(TariffFileKind::kEMatrix, e_matrix_, false);
}

void EngineRatingFiles::Close(ReadOnce file) {
  switch (file) {
    case ReadOnce::kDirectIndirect:
      set_.CloseD();
      return;
    case ReadOnce::kExceptions:
      set_.CloseExceptions();
      return;
    case ReadOnce::kEBase:
      set_.Close(TariffFileKind::kEBase);
      set_.Close(TariffFileKind::kEMatrix);
      return;
  }
}

}  // namespace tolv
