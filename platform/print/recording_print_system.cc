#include "platform/print/recording_print_system.h"

#include <utility>

#include "platform/print/printers.h"

namespace print::testing {

RecordingPrintSystem::RecordingPrintSystem()
    : printers_{{"Recording Printer", "recording", "memory"}},
      fonts_{"Arial", "Courier New", "Times New Roman"} {}

void RecordingPrintSystem::SetPrinters(std::vector<PrinterInfo> printers, int default_index) {
  printers_ = std::move(printers);
  default_index_ = default_index;
}

void RecordingPrintSystem::FailOperation(const std::string& operation, int occurrence,
                                         PrinterError error) {
  faults_.emplace(operation, Fault{occurrence, std::move(error)});
}

void RecordingPrintSystem::BeforeOperation(const PrinterInfo&, std::string_view operation) {
  auto call = calls_.find(operation);
  if (call == calls_.end()) call = calls_.emplace(std::string(operation), 0).first;
  const int count = ++call->second;
  const auto [first, last] = faults_.equal_range(operation);
  for (auto fault = first; fault != last; ++fault) {
    if (fault->second.occurrence == count) throw fault->second.error;
  }
}

void RecordingPrintSystem::Submit(const PrinterInfo& printer, const Document& document) {
  if (std::exchange(cancel_next_submit_, false)) throw PrintCancelled();
  if (submit_failure_.has_value()) {
    PrinterError error = std::move(*submit_failure_);
    submit_failure_.reset();
    throw error;
  }
  jobs_.push_back(Job{printer, document});
}

ScopedRecordingPrintSystem::ScopedRecordingPrintSystem()
    : ScopedRecordingPrintSystem(std::make_unique<RecordingPrintSystem>()) {}

ScopedRecordingPrintSystem::ScopedRecordingPrintSystem(
    std::unique_ptr<RecordingPrintSystem> system)
    : system_(system.get()) {
  previous_ = InstallPrintSystem(std::move(system));
}

ScopedRecordingPrintSystem::~ScopedRecordingPrintSystem() {
  InstallPrintSystem(std::move(previous_));
}

}  // namespace print::testing
