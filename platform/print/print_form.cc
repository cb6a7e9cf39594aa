#include "platform/print/print_form.h"

#include <utility>

#include "platform/print/printers.h"

namespace print {
namespace {

constexpr int kTwipsPerPixel = 15;

WindowImageSource& Source() {
  static WindowImageSource source;
  return source;
}

}  // namespace

WindowImageSource SetWindowImageSource(WindowImageSource source) {
  std::swap(Source(), source);
  return source;
}

void PrintForm(const std::string& form_name) {
  std::shared_ptr<const Bitmap> image = Source() ? Source()(form_name) : nullptr;
  if (image == nullptr || image->width <= 0 || image->height <= 0) {
    throw PrinterError(kPrinterErrorNumber, "The window of " + form_name + " cannot be printed.");
  }
  Picture picture;
  picture.pixels = image;
  picture.width = image->width * kTwipsPerPixel;
  picture.height = image->height * kTwipsPerPixel;
  Printer& printer = CurrentPrinter();
  printer.PaintPicture(picture, 0, 0);
  printer.EndDoc();
}

}  // namespace print
