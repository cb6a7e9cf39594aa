#include "testkit/draymap_stub/stub_script.h"

#include <cstdlib>
#include <sstream>

#include "testkit/read_file.h"

namespace testkit {

DraymapScript::DraymapScript(const DraymapAnswers& answers) {
  Answer(answers);
  ::setenv("DRAYMAP_STUB_SCRIPT", dir_.File("script").c_str(), 1);
}

DraymapScript::~DraymapScript() { ::unsetenv("DRAYMAP_STUB_SCRIPT"); }

void DraymapScript::Answer(const DraymapAnswers& a) {
  std::string text = "initialize=" + std::string(a.initialize ? "1" : "0") + "\n" +
                     "status=" + a.status + "\n" + "call_status=" + a.call_status + "\n" +
                     "log=" + dir_.File("calls.log") + "\n";
  if (!a.result.empty()) text += "result=" + a.result + "\n";
  if (a.origin_service != '\0') text += std::string("origin_service=") + a.origin_service + "\n";
  if (a.destination_service != '\0') {
    text += std::string("destination_service=") + a.destination_service + "\n";
  }
  dir_.Write("script", text);
}

std::vector<std::string> DraymapScript::Calls() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(dir_.File("calls.log")));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> DraymapScript::Calls(const std::string& name) const {
  std::vector<std::string> lines;
  for (const std::string& line : Calls()) {
    if (line.compare(0, name.size() + 1, name + "|") == 0) lines.push_back(line);
  }
  return lines;
}

std::string DraymapSettings(const std::string& directory) {
  return "[Product]\r\nPath=" + directory + "\r\n";
}

}  // namespace testkit
