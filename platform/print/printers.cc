#include "platform/print/printers.h"

#include <utility>

namespace print {
namespace {

// The system before one is installed: no printers, the common fonts, a Letter page.
class NoPrinters : public PrintSystem {
 public:
  std::vector<PrinterInfo> Printers() const override { return {}; }
  int DefaultPrinter() const override { return -1; }
  std::vector<std::string> FontNames(const PrinterInfo&) const override {
    return {"Arial", "Courier New", "Times New Roman"};
  }
  PageArea PrintableArea(const PrinterInfo&) const override { return kLetterPrintableArea; }
  void Submit(const PrinterInfo&, const Document&) override {
    throw PrinterError(kPrinterErrorNumber, "No printer is installed.");
  }
};

struct State {
  std::unique_ptr<PrintSystem> system = std::make_unique<NoPrinters>();
  Printer printer{*system, PrinterInfo{}};
};

State& Global() {
  static State state;
  return state;
}

PrinterInfo DefaultOf(const PrintSystem& system) {
  const std::vector<PrinterInfo> printers = system.Printers();
  if (printers.empty()) return {};
  const int index = system.DefaultPrinter();
  if (index >= 0 && index < static_cast<int>(printers.size())) {
    return printers[static_cast<std::size_t>(index)];
  }
  return printers.front();
}

}  // namespace

std::vector<PrinterInfo> Printers() { return Global().system->Printers(); }

Printer& CurrentPrinter() { return Global().printer; }

bool SelectPrinter(int index) {
  const std::vector<PrinterInfo> printers = Printers();
  if (index < 0 || index >= static_cast<int>(printers.size())) return false;
  Global().printer.SelectDevice(printers[static_cast<std::size_t>(index)]);
  return true;
}

std::unique_ptr<PrintSystem> InstallPrintSystem(std::unique_ptr<PrintSystem> system) {
  State& state = Global();
  if (system == nullptr) system = std::make_unique<NoPrinters>();
  std::swap(state.system, system);
  state.printer.Rebind(*state.system, DefaultOf(*state.system));
  return system;
}

PrintSystem& InstalledPrintSystem() { return *Global().system; }

}  // namespace print
