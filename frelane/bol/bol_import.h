// Taking over the address books and the product catalogue of another installation: each of
// Shipper.dat, Consigne.dat, ThirdPty.dat and Product.dat found in the other directory is
// copied record by record into the data directory's file of that name, replacing it or
// appended to it. Deleted records are copied as deleted. A replaced book is built in a
// temporary file renamed over the old one, so a failure leaves the old book whole.
#ifndef FRELANE_BOL_BOL_IMPORT_H_
#define FRELANE_BOL_BOL_IMPORT_H_

#include <cstddef>
#include <string>

namespace frelane::bol {

enum class ImportMode { kOverwrite, kAppend };

struct ImportedBook {
  const char* file;  // as the data directory holds it
  std::size_t record_length;
};
// The four books in the order they are imported.
extern const ImportedBook kImportedBooks[4];

// True when `directory` is the data directory under any spelling: the same text without
// regard to case or a trailing separator, the same directory reached another way (a link,
// ".."), or a directory whose book is the data directory's own file.
bool IsDataDirectory(const std::string& directory);

// True when the data directory holds at least one of the four books.
bool AnyOwnBook();

// Copies one book from `directory` in `mode`. A book the directory lacks is skipped and
// leaves the own file as it was. False with *error saying why when reading or writing
// failed; records copied before that stay copied.
bool ImportBook(const ImportedBook& book, ImportMode mode, const std::string& directory,
                std::string* error);

}  // namespace frelane::bol

#endif  // FRELANE_BOL_BOL_IMPORT_H_
