// Where a window goes on its screen. Geometry stays in twips: the host names the usable
// part of the screen a form opens on (Host::ScreenWorkArea), the model places the form in
// it, and the host maps the twips back onto that screen.
#ifndef FRELANE_PLATFORM_FORMS_PLACEMENT_H_
#define FRELANE_PLATFORM_FORMS_PLACEMENT_H_

#include "platform/forms/types.h"

namespace forms {

// A window of `width` x `height` twips centred in `area`. A window larger than the area
// keeps its top left on the area's top left, so its title bar and left edge stay on the
// screen where the user can reach them.
Rect CentredIn(const Rect& area, int width, int height);

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_PLACEMENT_H_
