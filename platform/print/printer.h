// The printer object: the program's drawing surface for printed output, the one `Printer`
// its printing code draws on. It records every operation into the open job's display
// list; EndDoc hands the job to the print system, KillDoc discards it. Any operation opens a
// job when none is open, so a job begins with its first drawing.
//
// Geometry is in twips from the top-left corner of the printable area. Text is placed with
// the top-left corner of its first character at (CurrentX, CurrentY). The printer never
// breaks a page by itself: only NewPage does. The job is recorded as drawn; a back end spaces
// a page that runs past the printable area's foot closer to fit and cuts what runs past its
// sides at the edge.
//
// Failures raise PrinterError (run-time error 482, or 380 for a bad property value), the
// numbers the program's error handlers test for; nothing is drawn by a failed operation.
#ifndef FRELANE_PLATFORM_PRINT_PRINTER_H_
#define FRELANE_PLATFORM_PRINT_PRINTER_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/print/display_list.h"
#include "platform/print/font.h"
#include "platform/print/print_system.h"

namespace print {

// What follows the printed text: a line end (Print "text"), nothing (Print "text";), or the
// next print zone of 14 columns (Print "text",).
enum class PrintEnd { kNewLine, kStay, kNextZone };

class Printer {
 public:
  // REQUIRES: system outlives the printer (or the next Rebind).
  Printer(PrintSystem& system, PrinterInfo device);
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // Points the printer at another system and device; the open job is discarded.
  void Rebind(PrintSystem& system, PrinterInfo device);
  // Makes another printer of the collection the current one (Set Printer = Printers(i)).
  // The open job and the font settings are kept.
  void SelectDevice(PrinterInfo device);

  const PrinterInfo& Device() const { return device_; }
  const std::string& DeviceName() const { return device_.device_name; }
  const std::string& DriverName() const { return device_.driver_name; }
  const std::string& Port() const { return device_.port; }

  // The printer's fonts, index 0 upward; an index out of range gives "".
  int FontCount() const;
  std::string Fonts(int index) const;

  const Font& CurrentFont() const { return font_; }
  const std::string& FontName() const { return font_.name; }
  void SetFontName(std::string name);
  float FontSize() const { return font_.size; }
  // REQUIRES: 0 < points <= 2048, else PrinterError 380.
  void SetFontSize(float points);
  bool FontBold() const { return font_.bold; }
  void SetFontBold(bool bold);
  bool FontItalic() const { return font_.italic; }
  void SetFontItalic(bool italic);
  bool FontUnderline() const { return font_.underline; }
  void SetFontUnderline(bool underline);

  int CurrentX() const { return x_; }
  void SetCurrentX(int twips);
  int CurrentY() const { return y_; }
  void SetCurrentY(int twips);
  int DrawWidth() const { return draw_width_; }
  // REQUIRES: dots >= 1, else PrinterError 380.
  void SetDrawWidth(int dots);

  // The printable area of the current device, twips.
  int ScaleWidth() const;
  int ScaleHeight() const;
  // The number of the page being drawn within the job, from 1.
  int Page() const;

  // Measured in the current font. A text of several lines (CR LF, CR or LF) gives the width
  // of its widest line and the height of all its lines.
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text = "") const;

  // Prints text at the current position. A line break inside the text starts a new line
  // there. A line end moves CurrentX to 0 and CurrentY down one line of the current font.
  void Print(std::string_view text = "", PrintEnd end = PrintEnd::kNewLine);
  // A line from (x1, y1) to (x2, y2); the current position becomes (x2, y2).
  void Line(int x1, int y1, int x2, int y2);
  // A rectangle between two corners, outlined (or filled); the position becomes (x2, y2).
  void Box(int x1, int y1, int x2, int y2, bool filled = false);
  // A picture with its top-left corner at (x, y), at its own size or the given one.
  void PaintPicture(const Picture& picture, int x, int y, std::optional<int> width = {},
                    std::optional<int> height = {});

  // Ends the current page and starts the next at the top left.
  void NewPage();
  // Sends the open job to the device; a printer with nothing drawn sends nothing. The job is
  // closed even when sending fails (PrinterError).
  void EndDoc();
  // Discards the open job; the next drawing starts a new one.
  void KillDoc();

  bool HasOpenDocument() const { return open_; }
  // The open job as recorded so far (empty when none is open).
  const Document& OpenDocument() const { return document_; }

 private:
  void Before(std::string_view operation);
  print::Page& CurrentPage();
  void PrintRun(std::string_view run);
  void LineEnd();
  void CloseJob();

  PrintSystem* system_;
  PrinterInfo device_;
  Font font_;
  int x_ = 0;
  int y_ = 0;
  int draw_width_ = 1;
  bool line_has_text_ = false;  // a text was printed at the current line position
  bool open_ = false;
  Document document_;
};

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_PRINTER_H_
