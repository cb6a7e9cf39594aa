// The test side of the stub service-guide library: writes the script it answers from
// (named by DRAYMAP_STUB_SCRIPT for as long as the object lives), the vdx_cvdll.ini that
// points the engine at a stub directory, and reads the calls the stub logged.
#ifndef TESTKIT_DRAYMAP_STUB_STUB_SCRIPT_H_
#define TESTKIT_DRAYMAP_STUB_STUB_SCRIPT_H_

#include <string>
#include <vector>

#include "testkit/temp_dir.h"

namespace testkit {

struct DraymapAnswers {
  bool initialize = true;
  std::string status = "1001";     // of the service-guide query
  std::string result;              // 2 characters at byte 75, empty: none
  char origin_service = '\0';      // '\0': none
  char destination_service = '\0';
  std::string call_status = "1001";  // of the other calls
};

class DraymapScript {
 public:
  explicit DraymapScript(const DraymapAnswers& answers = {});
  ~DraymapScript();
  DraymapScript(const DraymapScript&) = delete;
  DraymapScript& operator=(const DraymapScript&) = delete;

  // Replaces the answers (the log is kept).
  void Answer(const DraymapAnswers& answers);
  // One line per call since the script was written: "name|status bytes|record bytes",
  // NULs shown as '.'.
  std::vector<std::string> Calls() const;
  // The calls whose name is name.
  std::vector<std::string> Calls(const std::string& name) const;

 private:
  TempDir dir_;
};

// The settings text naming the stub directory as the service guide's.
std::string DraymapSettings(const std::string& directory);

}  // namespace testkit

#endif  // TESTKIT_DRAYMAP_STUB_STUB_SCRIPT_H_
