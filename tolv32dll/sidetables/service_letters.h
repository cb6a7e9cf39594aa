// Direct or indirect service of each end (".D" file) and the discount set that follows
// from it: block A's for a lane served directly at both ends, block B's otherwise.
#ifndef TOLV32DLL_SIDETABLES_SERVICE_LETTERS_H_
#define TOLV32DLL_SIDETABLES_SERVICE_LETTERS_H_

#include <array>
#include <string>

#include "platform/os/record_layout.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/rating_files.h"

namespace tolv {

// A parsed discount block: its 2-character marker and ten percentages.
struct DiscountSet {
  std::string marker;
  std::array<float, 10> values{};
};

// ".D" records: packed low ZIP, packed high ZIP, service letter ('D' direct, 'I'
// indirect). The first record's letter is the file's default (a blank: no look-up).
namespace direct_indirect_record {
inline constexpr os::Field kLow = os::RawField(0, 3);
inline constexpr os::Field kHigh = os::RawField(3, 3);
inline constexpr os::Field kLetter = os::TextField(6, 1);
inline constexpr std::size_t kSize = 7;
static_assert(os::FieldsTile({kLow, kHigh, kLetter}, kSize));
}  // namespace direct_indirect_record

struct ServiceChoice {
  char origin = ' ';
  char destination = ' ';
  DiscountSet effective;  // the effective discount set
};

struct ServiceRequest {
  std::string origin_zip;
  std::string destination_zip;
  char origin_service = ' ';       // the request's own letters: 'D' or 'I' are kept
  char destination_service = ' ';
  DiscountSet block_a;
  DiscountSet block_b;
};

// The service letters of both ends from ".D" and the effective discount set. A missing
// ".D" or a blank default letter leaves both letters blank and block A in force.
// Errors: the ".D" open error.
Result<ServiceChoice> FindServiceLetters(RatingFiles& files, const ServiceRequest& request);

// The same decision when the service guide gave the letters (a NUL: no letter).
ServiceChoice ServiceLettersFromGuide(const ServiceRequest& request, char guide_origin,
                                      char guide_destination);

}  // namespace tolv

#endif  // TOLV32DLL_SIDETABLES_SERVICE_LETTERS_H_
