#include "frelane/rating/pending_procedures.h"

#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"

namespace frelane {

void ShowPendingDialog(const std::string&) {}
}  // namespace frelane
