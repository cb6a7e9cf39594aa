// Finders of the ".A" adjustment records. Each scans forward, record by record, from a
// start position (a byte position, rounded down to a record) and gives the first record
// that matches with its position; nullopt when there is none. A short last record is
// never taken.
#ifndef TOLV32DLL_LANES_ADJ_RECORDS_H_
#define TOLV32DLL_LANES_ADJ_RECORDS_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/bytes.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

struct AdjRecord {
  std::vector<std::uint8_t> bytes;
  std::int64_t position = 0;
};

// The first record of `length` bytes from `start` on that `matches` accepts.
std::optional<AdjRecord> ScanAdjRecords(const FileView& file, std::size_t length,
                                        std::int64_t start,
                                        const std::function<bool(os::ByteSpan)>& matches);

// 347-byte record whose first 3 bytes are the code.
std::optional<AdjRecord> LaneAdj_FindByCode(const FileView& file, std::string_view code,
                                            std::int64_t start);
// 32-byte record of this number.
std::optional<AdjRecord> LaneAdj_FindByNumber32(const FileView& file, std::int16_t number,
                                                std::int64_t start);
// 350-byte record of this number.
std::optional<AdjRecord> LaneAdj_FindAdjRecord(const FileView& file, std::int16_t number,
                                               std::int64_t start);
// 33-byte record of this packed pair: first within `window` records from `start`, then
// over the whole file.
std::optional<AdjRecord> LaneAdj_FindByPair(const FileView& file, const std::uint8_t* pair,
                                            std::int64_t start, int window);

// True when the origin ZIP lies in a range of the ".A" point section "999" and the
// destination ZIP in one of the section "***" (5-character comparisons; the sections' records
// are searched one after another from the start of the file).
bool PointSectionsHold(const FileView& file, const std::string& origin_zip,
                       const std::string& destination_zip);

// The i16 value i of a run of values beginning at `offset`; 0 when it lies past the record.
std::int16_t ValueAt(os::ByteSpan record, std::size_t offset, std::size_t i);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_ADJ_RECORDS_H_
