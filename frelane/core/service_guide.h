// ServGuid: service answers from the carrier's terminal files, used when the terminal
// service guide is switched on. Which terminal serves a postal code (ServZipsA.dat), the
// terminal's address (ServTerm.dat) and the transit days between two terminals
// (ServMatx.dat). Every look-up answers its empty result when a file is missing, short or
// damaged; none of them creates or writes a file.
#ifndef FRELANE_CORE_SERVICE_GUIDE_H_
#define FRELANE_CORE_SERVICE_GUIDE_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "frelane/core/service_guide_records.h"
#include "platform/os/record_layout.h"

namespace frelane::ServGuid {

// A record of one of the terminal files, kept as its bytes. `index` is 1-based for array
// fields (the address lines).
template <std::size_t kSize>
class RecordBytes {
 public:
  RecordBytes() { Clear(); }
  void Clear() { bytes_.fill(' '); }
  // The text as UTF-8, without trailing blanks. REQUIRES: a text field of this record.
  std::string Text(const os::Field& field, int index = 1) const {
    return view().Utf8Text(field.Element(index));
  }
  // The field's bytes exactly as stored (Windows-1252 text, blanks kept).
  std::string Raw(const os::Field& field, int index = 1) const {
    return view().Raw(field.Element(index));
  }
  std::int16_t I16(const os::Field& field) const { return view().I16(field); }
  std::int32_t I32(const os::Field& field) const { return view().I32(field); }
  std::array<std::uint8_t, kSize>& bytes() { return bytes_; }
  const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

 private:
  os::ConstRecordView view() const { return os::ConstRecordView(bytes_); }

  std::array<std::uint8_t, kSize> bytes_;
};

using ServiceZipRecord = RecordBytes<service_zip_record::kSize>;
using TerminalRecord = RecordBytes<terminal_record::kSize>;

// The terminal serving `zip`, 0 when it lies in no range of ServZipsA.dat. kind "O" asks for
// the origin's service code and days, anything else for the destination's. code and days
// are set to "" and 0 first.
std::int32_t FindServiceTerminal(std::string_view zip, std::string_view kind, std::string& code,
                                 std::int16_t& days);

// Reads terminal n into LastTerminal() and returns its 5-character code, not trimmed; ""
// when there is no such terminal (LastTerminal() is then blank).
std::string ReadTerminal(std::int32_t n);

// The transit days from one terminal to another plus extra_days; 0 when either terminal is
// unknown or the matrix has no such cell.
std::int16_t GetTerminalDays(std::int32_t origin_terminal, std::int32_t destination_terminal,
                             std::int16_t extra_days);

// The range record the last successful search stopped at.
const ServiceZipRecord& LastServiceZip();
// The terminal that ReadTerminal read last.
const TerminalRecord& LastTerminal();

}  // namespace frelane::ServGuid

#endif  // FRELANE_CORE_SERVICE_GUIDE_H_
