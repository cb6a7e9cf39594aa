// The program-wide printer collection and current printer object (what the program's code
// calls Printers and Printer). The desktop program installs its print system at start-up (the Qt
// binding's); until then, and in tests that install nothing, the system has no printers.
//
// Not thread-safe: used from the user-interface thread only.
#ifndef FRELANE_PLATFORM_PRINT_PRINTERS_H_
#define FRELANE_PLATFORM_PRINT_PRINTERS_H_

#include <memory>
#include <vector>

#include "platform/print/print_system.h"
#include "platform/print/printer.h"

namespace print {

// The installed printers in the system's order.
std::vector<PrinterInfo> Printers();

// The current printer. The object stays the same for the program's life; installing a print
// system or choosing another printer re-points it.
Printer& CurrentPrinter();

// Makes the printer at `index` of Printers() the current one; false (nothing changes) when
// the index is out of range.
bool SelectPrinter(int index);

// Makes `system` the program's print system and its default printer (else its first printer,
// else none) the current one; the open job is discarded. Returns the previous system.
std::unique_ptr<PrintSystem> InstallPrintSystem(std::unique_ptr<PrintSystem> system);

PrintSystem& InstalledPrintSystem();

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_PRINTERS_H_
