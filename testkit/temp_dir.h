// A fresh directory under the system temporary directory, removed with everything in it
// when the object goes away. Tests write their data sets into one.
#ifndef TESTKIT_TEMP_DIR_H_
#define TESTKIT_TEMP_DIR_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace testkit {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory's path, ending in "/".
  const std::string& path() const { return path_; }
  // path() + name.
  std::string File(std::string_view name) const;
  // Writes a whole file below the directory (creating subdirectories); aborts the test
  // program when the write fails, since no test can go on without its data.
  void Write(std::string_view name, std::span<const std::uint8_t> bytes) const;
  void Write(std::string_view name, std::string_view text) const;
  // Copies every regular file of the directory from (not its subdirectories) into this one,
  // as a private copy of a built data set; aborts like Write when a copy fails.
  void CopyFilesOf(const std::string& from) const;

 private:
  std::string path_;
};

// Makes a directory below base (which ends in "/") whose path, its trailing "/" included, is
// length characters long, in components of at most 100 characters, and hard-links into it
// every regular file of the directory from, replacing files of the same names. Returns the
// path; aborts like TempDir::Write when a step fails.
std::string LinkedDirectoryOfLength(const std::string& base, std::size_t length,
                                    const std::string& from);

}  // namespace testkit

#endif  // TESTKIT_TEMP_DIR_H_
