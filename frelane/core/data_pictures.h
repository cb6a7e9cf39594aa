// Pictures the program shows from its data directory, where each may be a bitmap, GIF or JPEG.
#ifndef FRELANE_CORE_DATA_PICTURES_H_
#define FRELANE_CORE_DATA_PICTURES_H_

#include <optional>
#include <string>

namespace frelane {

// The first of name.bmp, name.gif and name.jpg in the data directory (names matched
// without regard to case); nullopt when none is there.
std::optional<std::string> FindDataPicture(const std::string& name);

}  // namespace frelane

#endif  // FRELANE_CORE_DATA_PICTURES_H_
