// The lanes of kind U: the record-form lane file of ZIP-range lane records, with its head,
// option records and secondary-check records (layouts in lane_records.h).
#ifndef TOLV32DLL_LANES_ZIP_LANES_H_
#define TOLV32DLL_LANES_ZIP_LANES_H_

#include <cstdint>
#include <string>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/points/file_view.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

struct ZipLaneTerms {
  std::string origin_zip;  // the working codes, for lane files keyed by postal codes
  std::string destination_zip;
  std::int16_t origin_point = 0;  // the rate basis's points ("%05d"), for the others
  std::int16_t destination_point = 0;
  std::string rate_text;   // the rate record's 7 characters of the check key
  int effective_year = 0;  // how a pair hit unpacks
};

// The key of a secondary-check record for hit data.
std::string CheckRecordKey(const std::string& rate_text, const std::string& data);
// True when a record of `length` bytes from `start` on, to the end of the file, begins
// with key.
bool FindCheckRecord(const FileView& lanes, std::int64_t start, std::size_t length,
                     const std::string& key);

// The hit width of an applier sub-kind: 3 for 0 and 2, 2 for 1 and 3, else 4.
std::size_t ZipLaneHitWidth(int sub_kind);

// Reads the head (its option records set the break lists), then the lane sections: each
// lane record holding the lane gives a hit in its slot, at most 14. Sub-kind 1 and 3 hits
// are record numbers (list B), sub-kind 2 hits packed area pairs, the others codes (list
// A, a fourth character being the hit's kind). 232 for a head that does not fit the file.
ErrorNumber LoadZipLanes(const FileView& lanes, const ZipLaneTerms& terms, FactorOptions& options,
                         LaneState& state);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_ZIP_LANES_H_
