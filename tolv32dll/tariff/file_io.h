// The engine's file input: the thin wrappers every reader uses, and two owning handles
// over them. Files are opened read-only and binary (POSIX makes no difference between
// binary and text, so line ends are kept as stored); the engine writes no tariff file.
#ifndef TOLV32DLL_TARIFF_FILE_IO_H_
#define TOLV32DLL_TARIFF_FILE_IO_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/os/bytes.h"

namespace tolv {

// Low-level wrappers over descriptors; each gives -1 on failure (File_Read: 0 at the end).
int File_Open(const std::string& name);
int File_Close(int descriptor);
int File_Read(int descriptor, void* buffer, int count);
// origin 0 start, 1 current position, 2 end.
std::int64_t File_Seek(int descriptor, std::int64_t offset, int origin);
std::int64_t File_Tell(int descriptor);

// Stream wrappers: null, null at end or error, whole items read, non-zero on failure.
std::FILE* File_FOpen(const std::string& name, const char* mode);
// A line of at most size - 1 characters, its line end kept.
char* File_GetLine(char* buffer, int size, std::FILE* stream);
std::size_t File_FRead(void* buffer, std::size_t size, std::size_t count, std::FILE* stream);
int File_FSeek(std::FILE* stream, std::int64_t offset, int origin);
// Back to the start with the error state cleared.
void File_Rewind(std::FILE* stream);
int File_FClose(std::FILE* stream);

// An open descriptor, closed when the handle goes away. A default handle is "not open".
// As a file view (Size, ReadAt) it serves the record searches.
class TariffFile {
 public:
  TariffFile() = default;
  explicit TariffFile(int descriptor) : descriptor_(descriptor) {}
  ~TariffFile() { Close(); }
  TariffFile(TariffFile&& other) noexcept : descriptor_(other.Release()) {}
  TariffFile& operator=(TariffFile&& other) noexcept;
  TariffFile(const TariffFile&) = delete;
  TariffFile& operator=(const TariffFile&) = delete;

  bool is_open() const { return descriptor_ >= 0; }
  int descriptor() const { return descriptor_; }
  void Close();
  int Release();

  // The size in bytes, -1 when unknown or not open.
  std::int64_t Size() const;
  // Reads up to out.size() bytes at offset without moving the file position: the count
  // read (0 at or past the end), -1 on an error or when not open.
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const;
  // Reads at the file position and moves it: the count read, 0 at the end, -1 on error.
  int Read(os::MutableByteSpan out) const;
  std::int64_t Seek(std::int64_t offset, int origin) const;

 private:
  int descriptor_ = -1;
};

// An open stream, closed when the handle goes away.
class TariffStream {
 public:
  TariffStream() = default;
  explicit TariffStream(std::FILE* stream) : stream_(stream) {}
  ~TariffStream() { Close(); }
  TariffStream(TariffStream&& other) noexcept : stream_(other.stream_) { other.stream_ = nullptr; }
  TariffStream& operator=(TariffStream&& other) noexcept;
  TariffStream(const TariffStream&) = delete;
  TariffStream& operator=(const TariffStream&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  std::FILE* get() const { return stream_; }
  void Close();
  void Rewind() const {
    if (stream_ != nullptr) File_Rewind(stream_);
  }

 private:
  std::FILE* stream_ = nullptr;
};

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FILE_IO_H_
