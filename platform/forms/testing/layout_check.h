// A cheap check of a form's layout as it stands, in twips: for the tests of every window.
#ifndef FRELANE_PLATFORM_FORMS_TESTING_LAYOUT_CHECK_H_
#define FRELANE_PLATFORM_FORMS_TESTING_LAYOUT_CHECK_H_

#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace forms::testing {

// The faults of the shown controls that are windows of their own (boxes, lists, buttons,
// frames, ...): one that reaches past the client area of its form or the inside of its
// frame, and two in one container that lie on one another. A control parked wholly outside
// its container is not shown, so not a fault. Labels, images and lines are left out: what
// they draw depends on the font, which only a real window knows.
std::vector<std::string> LayoutFaults(Form& form);

}  // namespace forms::testing

#endif  // FRELANE_PLATFORM_FORMS_TESTING_LAYOUT_CHECK_H_
