// An address book or the product catalogue on disk: a file of fixed-length records numbered
// from 1 whose numbers are permanent identities. Records are read, rewritten in place one at
// a time, or appended; never removed or moved. An append takes an advisory lock on the file
// around counting and writing, so that two instances of the program appending at once get
// two different record numbers. Reads open the file read-only under a shared lock, so a
// book the user may not write is still read. Only a regular file is opened; a write goes
// only into a regular file at the book's own name, never through a symbolic link there.
#ifndef FRELANE_BOL_RECORD_BOOK_H_
#define FRELANE_BOL_RECORD_BOOK_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace frelane::bol {

class RecordBook {
 public:
  RecordBook(std::string path, std::size_t record_length)
      : path_(std::move(path)), record_length_(record_length) {}

  const std::string& path() const { return path_; }

  // Every whole record, in record order (record n is element n - 1); a missing file is
  // created empty first (and read as empty where it cannot be), and a partial record at the
  // end is left out. nullopt, with a message naming the file in *error, when it cannot be read.
  std::optional<std::vector<std::vector<std::uint8_t>>> ReadAll(std::string* error) const;
  // Record n into out (record_length bytes). False when n is not a whole record of the file
  // or the file cannot be read; *error then says why.
  bool Read(int n, std::span<std::uint8_t> out, std::string* error) const;
  // Rewrites record n (1 or more) in place with one positioned write of exactly its bytes.
  bool Write(int n, std::span<const std::uint8_t> record, std::string* error) const;
  // Rewrites one byte of record n in place (a status byte), leaving the rest of it as stored.
  bool WriteByte(int n, std::size_t offset, std::uint8_t value, std::string* error) const;
  // Adds the record after the last whole record and returns its number.
  std::optional<int> Append(std::span<const std::uint8_t> record, std::string* error) const;
  // Adds whole records after the last whole record in one write; the number of the first.
  std::optional<int> AppendAll(std::span<const std::uint8_t> records, std::string* error) const;

 private:
  std::string path_;
  std::size_t record_length_;
};

}  // namespace frelane::bol

#endif  // FRELANE_BOL_RECORD_BOOK_H_
