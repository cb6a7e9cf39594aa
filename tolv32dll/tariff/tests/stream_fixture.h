// A stdio stream over bytes in memory, for feeding readers that take a stream.
#ifndef TOLV32DLL_TARIFF_TESTS_STREAM_FIXTURE_H_
#define TOLV32DLL_TARIFF_TESTS_STREAM_FIXTURE_H_

#include <cstdio>
#include <string>
#include <string_view>

namespace tolv {

class MemoryStream {
 public:
  explicit MemoryStream(std::string_view bytes) : bytes_(bytes) {
    bool empty = bytes_.empty();
    if (empty) bytes_ = " ";  // fmemopen needs room: the filler is read away at once
    stream_ = fmemopen(bytes_.data(), bytes_.size(), "r");
    if (empty && stream_ != nullptr) std::fgetc(stream_);
  }
  ~MemoryStream() {
    if (stream_ != nullptr) std::fclose(stream_);
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  std::FILE* get() const { return stream_; }

 private:
  std::string bytes_;
  std::FILE* stream_ = nullptr;
};

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_TESTS_STREAM_FIXTURE_H_
