#include "frelane/rating/pending_procedures.h"

#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"

namespace frelane {

void OriginGotFocusWork(frmRatingScreen&) {}
void DestinationGotFocusWork(frmRatingScreen&) {}
void PointLostFocusWork(frmRatingScreen&) {}

void ShowPendingDialog(const std::string&) {}

void OpenRules(frmRatingScreen&) {}
void LoadWebLinks(frmRatingScreen&) {}
void OpenWebSite(frmRatingScreen&) {}

void ShowHelpContents() {
  forms::Application& app = forms::App();
  app.GetDesktop().ShowHelp(app.HelpFile(), 0);
}


}  // namespace frelane
