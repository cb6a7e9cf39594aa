#include "frelane/rating/unexpected_error.h"

#include "platform/forms/application.h"

namespace frelane {

std::string UnexpectedErrorMessage(int number, const std::string& description) {
  return "Error # " + std::to_string(number) + " occurred.\r\n" + description;
}

void ShowUnexpectedError(int number, const std::string& description) {
  forms::MsgBox(UnexpectedErrorMessage(number, description), forms::msgbox::kOKOnly);
}

}  // namespace frelane
