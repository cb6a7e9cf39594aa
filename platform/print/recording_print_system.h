// A print system for tests: printers, fonts and page size as the test sets them; every
// finished job kept for inspection; faults injected on any operation or on sending.
#ifndef FRELANE_PLATFORM_PRINT_RECORDING_PRINT_SYSTEM_H_
#define FRELANE_PLATFORM_PRINT_RECORDING_PRINT_SYSTEM_H_

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/print/print_system.h"

namespace print::testing {

class RecordingPrintSystem : public PrintSystem {
 public:
  struct Job {
    PrinterInfo printer;
    Document document;
  };

  // One printer "Recording Printer"; the fonts Arial, Courier New and Times New Roman;
  // a Letter page less quarter-inch margins.
  RecordingPrintSystem();

  void SetPrinters(std::vector<PrinterInfo> printers, int default_index);
  void SetFontNames(std::vector<std::string> names) { fonts_ = std::move(names); }
  void SetPrintableArea(PageArea area) { area_ = area; }

  // The `occurrence`-th call (from 1) of an operation ("Print", "FontBold", "Line", "EndDoc",
  // ... as Printer names them) throws `error`.
  void FailOperation(const std::string& operation, int occurrence, PrinterError error);
  // The next Submit throws `error` and keeps nothing.
  void FailNextSubmit(PrinterError error) { submit_failure_ = std::move(error); }
  // The next Submit is cancelled by the user (a file dialog's Cancel) and keeps nothing.
  void CancelNextSubmit() { cancel_next_submit_ = true; }

  const std::vector<Job>& jobs() const { return jobs_; }
  // The last job sent. REQUIRES: !jobs().empty().
  const Document& LastDocument() const { return jobs_.back().document; }

  std::vector<PrinterInfo> Printers() const override { return printers_; }
  int DefaultPrinter() const override { return default_index_; }
  std::vector<std::string> FontNames(const PrinterInfo&) const override { return fonts_; }
  PageArea PrintableArea(const PrinterInfo&) const override { return area_; }
  void BeforeOperation(const PrinterInfo& printer, std::string_view operation) override;
  void Submit(const PrinterInfo& printer, const Document& document) override;

 private:
  struct Fault {
    int occurrence;
    PrinterError error;
  };

  std::vector<PrinterInfo> printers_;
  int default_index_ = 0;
  std::vector<std::string> fonts_;
  PageArea area_ = kLetterPrintableArea;
  std::map<std::string, int, std::less<>> calls_;
  std::multimap<std::string, Fault, std::less<>> faults_;
  std::optional<PrinterError> submit_failure_;
  bool cancel_next_submit_ = false;
  std::vector<Job> jobs_;
};

// Installs a fresh recording system as the program's print system for the scope's life,
// and the previous one again afterwards.
class ScopedRecordingPrintSystem {
 public:
  ScopedRecordingPrintSystem();
  // Installs a system the test has already set up (printers, default, fonts).
  explicit ScopedRecordingPrintSystem(std::unique_ptr<RecordingPrintSystem> system);
  ~ScopedRecordingPrintSystem();
  ScopedRecordingPrintSystem(const ScopedRecordingPrintSystem&) = delete;
  ScopedRecordingPrintSystem& operator=(const ScopedRecordingPrintSystem&) = delete;

  RecordingPrintSystem& system() { return *system_; }
  RecordingPrintSystem* operator->() { return system_; }

 private:
  RecordingPrintSystem* system_;  // owned by the installed slot
  std::unique_ptr<PrintSystem> previous_;
};

}  // namespace print::testing

#endif  // FRELANE_PLATFORM_PRINT_RECORDING_PRINT_SYSTEM_H_
