// The files of one tariff held in memory, handed to the rating steps in place of the
// engine's file set. Files are keyed by their suffix (".P", ".Q", ...); the E base and
// matrix, which share suffixes with other files, are keyed ".Q(E base)" and ".J(E matrix)".
// A missing file answers the error number or the "absent" result the file set gives.
#ifndef TESTKIT_POINTS_MEMORY_RATING_FILES_H_
#define TESTKIT_POINTS_MEMORY_RATING_FILES_H_

#include <map>
#include <string>
#include <vector>

#include "tolv32dll/points/rating_files.h"

namespace testkit {

class MemoryRatingFiles : public tolv::RatingFiles {
 public:
  void Set(const std::string& suffix, std::vector<std::uint8_t> bytes);
  // The point-file mode decides the point files as the file set does: 'S' ".P" for the
  // origin and ".Q" for the destination; 'M' ".Q" while the destination is looked up.
  void set_point_file_mode(char mode) { point_file_mode_ = mode; }
  // The last side letter the point lookup passed.
  char last_side() const { return last_side_; }

  tolv::Result<const tolv::FileView*> Exp() override { return Optional(".E"); }
  tolv::Result<tolv::PointFiles> Points(char side, bool alternate) override;
  tolv::Result<const tolv::FileView*> RateIndex() override { return Required(".I", 207); }
  tolv::Result<const tolv::FileView*> Rates() override { return Required(".R", 208); }
  tolv::Result<const tolv::FileView*> RbaCompanion() override { return Optional(".H"); }
  tolv::Result<const tolv::FileView*> Rba() override { return Required(".O", 250); }
  tolv::Result<const tolv::FileView*> Min() override { return Required(".M", 225); }
  tolv::Result<const tolv::FileView*> DirectIndirect() override { return Optional(".D"); }
  tolv::Result<const tolv::FileView*> Exceptions() override { return Optional(".X"); }
  tolv::Result<const tolv::FileView*> EBase() override { return Required(".Q(E base)", 273); }
  tolv::Result<const tolv::FileView*> EMatrix() override { return Required(".J(E matrix)", 274); }

 private:
  const tolv::FileView* Find(const std::string& suffix) const;
  tolv::Result<const tolv::FileView*> Optional(const std::string& suffix) const;
  tolv::Result<const tolv::FileView*> Required(const std::string& suffix,
                                               tolv::ErrorNumber error) const;

  std::map<std::string, tolv::MemoryFile> files_;
  char point_file_mode_ = ' ';
  char last_side_ = ' ';
};

}  // namespace testkit

#endif  // TESTKIT_POINTS_MEMORY_RATING_FILES_H_
