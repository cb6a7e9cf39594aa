// Direct or indirect service of each end (".D" file) and the discount set that follows
// from it: block A's for a lane served directly at both ends, block B's otherwise.
#ifndef TOLV32DLL_SIDETABLES_SERVICE_LETTERS_H_
#define TOLV32DLL_SIDETABLES_SERVICE_LETTERS_H_

#include <array>
#include <string>

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
struct DirectIndirectRecordLayout {
  static constexpr std::size_t kLow = 0, kHigh = 3, kLetter = 6;
  static constexpr std::size_t kSize = kLetter + 1;
};
static_assert(DirectIndirectRecordLayout::kSize == 7);

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
