// The colours the fictional carrier's screen and print pictures share.
#ifndef SAMPLE_HOUSE_COLOURS_H_
#define SAMPLE_HOUSE_COLOURS_H_

#include "testkit/app/picture_writer.h"

namespace sample {

inline constexpr testkit::Rgb kNavy{20, 40, 100};
inline constexpr testkit::Rgb kWhite{255, 255, 255};
inline constexpr testkit::Rgb kAmber{240, 170, 30};

}  // namespace sample

#endif  // SAMPLE_HOUSE_COLOURS_H_
