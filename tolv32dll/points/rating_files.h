// The open files of the selected tariff as the point, rate-basis and side-table steps need
// them. The engine implements this over its tariff file set (files opened lazily, named by
// the tariff's file numbers, each failure the file's error number); tests implement it over
// files held in memory.
#ifndef TOLV32DLL_POINTS_RATING_FILES_H_
#define TOLV32DLL_POINTS_RATING_FILES_H_

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// The two point-file handles of one lookup: with the 'S' point-file mode the origin file
// (".P") and the destination file (".Q"); otherwise both refer to the one file chosen.
struct PointFiles {
  const FileView* origin = nullptr;
  const FileView* destination = nullptr;
};

class RatingFiles {
 public:
  virtual ~RatingFiles() = default;

  // ".E" EXP points; null when the tariff has none (no substitution).
  virtual Result<const FileView*> Exp() = 0;
  // The point files for the lookup of one end: side 'O' or 'D' (the file set chooses the
  // file by it for the 'M' point-file mode), alternate as the end's EXP-found flag. 206.
  virtual Result<PointFiles> Points(char side, bool alternate) = 0;
  // ".I" or ".J": 207.
  virtual Result<const FileView*> RateIndex() = 0;
  // ".R": 208.
  virtual Result<const FileView*> Rates() = 0;
  // ".H" companion of the rate-basis areas; null when it does not exist, else 250.
  virtual Result<const FileView*> RbaCompanion() = 0;
  // ".O" rate-basis-area increments: 250.
  virtual Result<const FileView*> Rba() = 0;
  // ".M" minimum-charge block: 225.
  virtual Result<const FileView*> Min() = 0;
  // ".D" direct and indirect service (under the tariff's number, then "99"); null when
  // absent, which is no error.
  virtual Result<const FileView*> DirectIndirect() = 0;
  // ".X" precedence and exceptions; null when absent (a tariff without exceptions).
  virtual Result<const FileView*> Exceptions() = 0;
  // ".Q" E base (273) and ".J" E matrix (274) under the factor file number.
  virtual Result<const FileView*> EBase() = 0;
  virtual Result<const FileView*> EMatrix() = 0;

  // The files their users read once and close right after: left open, they would answer
  // for the next shipment's tariff. Closing a file that is not open does nothing.
  enum class ReadOnce {
    kDirectIndirect,  // ".D"
    kExceptions,      // ".X"
    kEBase,           // ".Q" E base with its ".J" E matrix
  };
  virtual void Close(ReadOnce /*file*/) {}
};

// Closes a read-once file when the scope of its use ends, on every way out.
class CloseAfterUse {
 public:
  CloseAfterUse(RatingFiles& files, RatingFiles::ReadOnce file) : files_(files), file_(file) {}
  ~CloseAfterUse() { files_.Close(file_); }
  CloseAfterUse(const CloseAfterUse&) = delete;
  CloseAfterUse& operator=(const CloseAfterUse&) = delete;

 private:
  RatingFiles& files_;
  RatingFiles::ReadOnce file_;
};

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_RATING_FILES_H_
