// modWebSite32: the carrier's web address on the rating screen, up to ten further links from
// weblinks.dat in its menu, and opening an address in the user's web browser. An address is
// written without its scheme; "http://" is put in front when it is opened.
#ifndef FRELANE_RATING_WEB_LINKS_H_
#define FRELANE_RATING_WEB_LINKS_H_

#include <string>

namespace frelane {

class frmRatingScreen;

namespace modWebSite32 {

inline constexpr char kWebLinksFileName[] = "weblinks.dat";
inline constexpr int kMaxWebLinks = 10;
// The rules page on the carrier's web site.
inline constexpr char kRulesPage[] = "/info/rulestariff.asp";

// The web address of the settings, trimmed.
std::string GetWebSiteAddress();

// Shows the web address on the screen (when there is one) and fills the web-link menu from
// weblinks.dat: columns 1-30 of a line are the caption, the rest the address.
void LoadWebLinks(frmRatingScreen& screen);

// Opens "http://" and the trimmed address in the browser, handed over as one argument;
// an empty address opens nothing. Says "Unable to find an Internet Browser" when none opens.
void OpenWebSite(const std::string& address);

// Opens web link n (1 to 10); any other number, or a link never loaded, opens nothing.
void OpenWebLink(int n);

// The address of web link n as loaded; "" when there is none.
std::string WebLink(int n);

}  // namespace modWebSite32
}  // namespace frelane

#endif  // FRELANE_RATING_WEB_LINKS_H_
