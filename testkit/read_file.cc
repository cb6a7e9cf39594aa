#include "testkit/read_file.h"

#include <fstream>
#include <iterator>

namespace testkit {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace testkit
