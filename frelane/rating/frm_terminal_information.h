// frmTerminalInformation ("Terminal Information"): the carrier's terminals serving the
// origin and the destination of the current lane, with address, phones, e-mail and contact,
// and the service days and type the rating screen shows.
#ifndef FRELANE_RATING_FRM_TERMINAL_INFORMATION_H_
#define FRELANE_RATING_FRM_TERMINAL_INFORMATION_H_

#include <cstdint>

#include "platform/forms/form.h"

namespace frelane {

class frmTerminalInformation : public forms::Form {
 public:
  frmTerminalInformation();

  // The ten value labels of one terminal's block.
  struct Block {
    forms::Label* terminal;
    forms::Label* address1;
    forms::Label* address2;
    forms::Label* csz;
    forms::Label* phone;
    forms::Label* fax;
    forms::Label* free_phone;
    forms::Label* email;
    forms::Label* contact_name;
    forms::Label* contact_title;
  };

#define FRELANE_TERMINAL_BLOCK(side, left)                                                  \
  forms::Label& lbl##side##Heading = Add<forms::Label>(                                     \
      "lbl" #side "Heading", {left, 240, 4200, 255},                                         \
      {.caption = #side " Terminal", .font_bold = true});                                    \
  forms::Label& lbl##side##Terminal = Value("lbl" #side "Terminal", left, 0);                \
  forms::Label& lbl##side##AddressCaption = Caption("lbl" #side "AddressCaption", "Address", left, 1);                     \
  forms::Label& lbl##side##Address1 = Value("lbl" #side "Address1", left, 1);                \
  forms::Label& lbl##side##Address2 = Value("lbl" #side "Address2", left, 2);                \
  forms::Label& lbl##side##CSZ = Value("lbl" #side "CSZ", left, 3);                          \
  forms::Label& lbl##side##PhoneCaption = Caption("lbl" #side "PhoneCaption", "Phone", left, 4);                         \
  forms::Label& lbl##side##Phone = Value("lbl" #side "Phone", left, 4);                      \
  forms::Label& lbl##side##FaxCaption = Caption("lbl" #side "FaxCaption", "Fax", left, 5);                             \
  forms::Label& lbl##side##Fax = Value("lbl" #side "Fax", left, 5);                          \
  forms::Label& lbl##side##FreePhoneCaption = Caption("lbl" #side "FreePhoneCaption", "Free Phone", left, 6);                \
  forms::Label& lbl##side##FreePhone = Value("lbl" #side "FreePhone", left, 6);              \
  forms::Label& lbl##side##EmailCaption = Caption("lbl" #side "EmailCaption", "Email", left, 7);                         \
  forms::Label& lbl##side##Email = Value("lbl" #side "Email", left, 7);                      \
  forms::Label& lbl##side##ContactCaption = Caption("lbl" #side "ContactCaption", "Contact", left, 8);                     \
  forms::Label& lbl##side##ContactName = Value("lbl" #side "ContactName", left, 8);          \
  forms::Label& lbl##side##ContactTitle = Value("lbl" #side "ContactTitle", left, 9);

  FRELANE_TERMINAL_BLOCK(Origin, 240)
  FRELANE_TERMINAL_BLOCK(Destination, 4800)
#undef FRELANE_TERMINAL_BLOCK

  forms::Label& lblServiceDaysCaption = Add<forms::Label>(
      "lblServiceDaysCaption", {240, 3600, 1560, 255}, {.caption = "Service Days"});
  forms::Label& lblServiceDays = Add<forms::Label>("lblServiceDays", {1860, 3600, 2700, 255}, {});
  forms::Label& lblServiceTypeCaption = Add<forms::Label>(
      "lblServiceTypeCaption", {240, 3900, 1560, 255}, {.caption = "Service Type"});
  forms::Label& lblServiceType = Add<forms::Label>("lblServiceType", {1860, 3900, 2700, 255}, {});
  forms::CommandButton& btnClose = Add<forms::CommandButton>(
      "btnClose", {4080, 5880, 1335, 375}, {.caption = "&Close", .is_default = true,
                                             .is_cancel = true});

 private:
  static constexpr int kFirstRowTop = 540;
  static constexpr int kRowStep = 300;
  forms::Label& Caption(const char* name, const char* caption, int left, int row);
  forms::Label& Value(const char* name, int left, int row);

  void Form_Load() override;
  void btnClose_Click();
  void FillBlock(std::int32_t terminal_number, const Block& block);
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_TERMINAL_INFORMATION_H_
