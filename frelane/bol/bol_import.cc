#include "frelane/bol/bol_import.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/bol_records.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/bol/record_book.h"
#include "frelane/core/main_module.h"
#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"

namespace frelane::bol {
namespace {

namespace fs = std::filesystem;

std::string Folded(std::string path) {
  path = os::NormalizeSeparators(path);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

const ImportedBook kImportedBooks[4] = {{kShipperFile, party::kSize},
                                        {kConsigneeFile, party::kSize},
                                        {kThirdPartyFile, party::kSize},
                                        {kProductFile, product::kSize}};

bool IsDataDirectory(const std::string& directory) {
  const std::string data = modMain::DataDirectory();
  if (Folded(directory) == Folded(data) || SameFile(directory, data)) return true;
  for (const ImportedBook& book : kImportedBooks) {
    auto theirs = os::FindFileNoCase(directory, book.file);
    auto ours = os::FindFileNoCase(data, book.file);
    if (theirs && ours && SameFile(*theirs, *ours)) return true;
  }
  return false;
}

bool AnyOwnBook() {
  for (const ImportedBook& book : kImportedBooks) {
    if (os::FindFileNoCase(modMain::DataDirectory(), book.file)) return true;
  }
  return false;
}

bool ImportBook(const ImportedBook& book, ImportMode mode, const std::string& directory,
                std::string* error) {
  const std::optional<std::string> source = os::FindFileNoCase(directory, book.file);
  if (!source) return true;
  std::optional<std::vector<std::uint8_t>> bytes = os::ReadRegularFile(*source);
  if (!bytes) {
    if (error) *error = *source + " cannot be read.";
    return false;
  }
  // Whole records only.
  bytes->resize(bytes->size() / book.record_length * book.record_length);
  const std::string own = modBOL::BookPath(book.file);
  if (mode == ImportMode::kOverwrite) return WriteWholeFile(own, *bytes, error);
  return RecordBook(own, book.record_length).AppendAll(*bytes, error).has_value();
}

}  // namespace frelane::bol
