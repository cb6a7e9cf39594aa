#include "frelane/rating/frm_terminal_information.h"

#include <cctype>
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/service_guide.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/point_entry.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr int kCaptionWidth = 1080;
constexpr int kValueWidth = 3360;

}  // namespace

frmTerminalInformation::frmTerminalInformation()
    : Form("frmTerminalInformation", {.caption = "Terminal Information", .center = true}) {
  Bind(btnClose.on.Click, &frmTerminalInformation::btnClose_Click);
}

forms::Label& frmTerminalInformation::Caption(const char* name, const char* caption, int left,
                                              int row) {
  return Add<forms::Label>(name, {left, kFirstRowTop + row * kRowStep, kCaptionWidth, 255},
                           {.caption = caption});
}

forms::Label& frmTerminalInformation::Value(const char* name, int left, int row) {
  return Add<forms::Label>(
      name, {left + kCaptionWidth, kFirstRowTop + row * kRowStep, kValueWidth, 255}, {});
}

void frmTerminalInformation::Form_Load() {
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);
  FillBlock(modMain::OriginTerminal(),
            {&lblOriginTerminal, &lblOriginAddress1, &lblOriginAddress2, &lblOriginCSZ,
             &lblOriginPhone, &lblOriginFax, &lblOriginFreePhone, &lblOriginEmail,
             &lblOriginContactName, &lblOriginContactTitle});
  FillBlock(modMain::DestinationTerminal(),
            {&lblDestinationTerminal, &lblDestinationAddress1, &lblDestinationAddress2,
             &lblDestinationCSZ, &lblDestinationPhone, &lblDestinationFax,
             &lblDestinationFreePhone, &lblDestinationEmail, &lblDestinationContactName,
             &lblDestinationContactTitle});

  frmRatingScreen& screen = App().Get<frmRatingScreen>();
  lblServiceDays.SetCaption(screen.lblServiceDays.Caption());
  std::string type = screen.lblServiceType.Caption();
  std::string head = type.substr(0, 4);
  for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  lblServiceType.SetCaption(head == "NONE" ? "No Service" : type);
}

void frmTerminalInformation::FillBlock(std::int32_t terminal_number, const Block& block) {
  if (terminal_number <= 0) return;
  // A terminal that cannot be read leaves its block empty rather than show another's.
  if (ServGuid::ReadTerminal(terminal_number).empty()) return;
  namespace t = terminal_record;
  const ServGuid::TerminalRecord& r = ServGuid::LastTerminal();
  // Fields as stored, without the padding of their records.
  block.terminal->SetCaption(modMain::Trim(r.Text(t::kCode)) + " - " + r.Text(t::kName));
  block.address1->SetCaption(r.Text(t::kAddress, 1));
  const std::string csz = modMain::Trim(r.Text(t::kCity)) + ", " + r.Raw(t::kState) + "  " +
                          r.Text(t::kPostalCode);
  if (!modMain::Trim(r.Text(t::kAddress, 2)).empty()) {
    block.address2->SetCaption(r.Text(t::kAddress, 2));
    block.csz->SetCaption(csz);
  } else {
    block.address2->SetCaption(csz);
  }
  block.phone->SetCaption(r.Text(t::kPhone));
  block.fax->SetCaption(r.Text(t::kFax));
  block.free_phone->SetCaption(r.Text(t::kTollFreePhone));
  block.email->SetCaption(r.Text(t::kEmail));
  block.contact_name->SetCaption(r.Text(t::kContactName));
  block.contact_title->SetCaption(r.Text(t::kContactTitle));
}

void frmTerminalInformation::btnClose_Click() { Unload(); }

}  // namespace frelane
