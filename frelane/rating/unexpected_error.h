// A run-time error a window did not expect, shown as "Error # n occurred." and the error's
// description on the next line.
#ifndef FRELANE_RATING_UNEXPECTED_ERROR_H_
#define FRELANE_RATING_UNEXPECTED_ERROR_H_

#include <string>

namespace frelane {

// Shows the message in a message box with an OK button.
void ShowUnexpectedError(int number, const std::string& description);

}  // namespace frelane

#endif  // FRELANE_RATING_UNEXPECTED_ERROR_H_
