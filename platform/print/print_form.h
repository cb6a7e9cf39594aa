// PrintForm: a shown window's image on the current printer. Only the host that draws the
// windows can take their image, so it registers itself as the source (the Qt binding does).
#ifndef FRELANE_PLATFORM_PRINT_PRINT_FORM_H_
#define FRELANE_PLATFORM_PRINT_PRINT_FORM_H_

#include <functional>
#include <memory>
#include <string>

#include "platform/print/display_list.h"

namespace print {

// Gives the image of the window of the form named `form_name`; nullptr when it has none.
using WindowImageSource = std::function<std::shared_ptr<const Bitmap>(const std::string&)>;

// Installs the source (an empty function removes it); returns the previous one.
WindowImageSource SetWindowImageSource(WindowImageSource source);

// Prints the form's window at the top left of the page, 15 twips to a pixel, and ends the
// document. Throws PrinterError when no image can be had or the job does not go out.
void PrintForm(const std::string& form_name);

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_PRINT_FORM_H_
