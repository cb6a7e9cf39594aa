#include "platform/forms/placement.h"

#include <algorithm>

namespace forms {

Rect CentredIn(const Rect& area, int width, int height) {
  return {area.left + std::max(0, (area.width - width) / 2),
          area.top + std::max(0, (area.height - height) / 2), width, height};
}

}  // namespace forms
