#include "tolv32dll/tariff/file_io.h"

#include "tolv32dll/logs/binary_log.h"

namespace tolv {

char* File_GetLine(char* buffer, int size, std::FILE* stream) {
  if (stream == nullptr || size < 2) return nullptr;
  return std::fgets(buffer, size, stream);
}

std::size_t File_FRead(void* buffer, std::size_t size, std::size_t count, std::FILE* stream) {
  if (stream == nullptr) return 0;
  return std::fread(buffer, size, count, stream);
}

TariffFile File_OpenShared(const std::string& name) {
  TariffFile file = TariffFile::Open(name);
  if (file.is_open()) LogBinaryOpenedFile(name);
  return file;
}

TariffStream File_FOpenShared(const std::string& name, const char* mode) {
  return os::OpenReadOnlyStream(name, mode);
}

}  // namespace tolv
