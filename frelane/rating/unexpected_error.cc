#include "frelane/rating/unexpected_error.h"

#include "frelane/core/engine_api.h"
#include "platform/forms/application.h"

namespace frelane {

void ShowUnexpectedError(int number, const std::string& description) {
  forms::MsgBox(RuntimeError{number, description}.Message(), forms::msgbox::kOKOnly);
}

}  // namespace frelane
