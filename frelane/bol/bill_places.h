// Where the bills and the defaults are read and written: in the data directory itself. A
// BOLData that is a link, or a link at a bill's or the defaults' name, leads somewhere else:
// what the editor showed from there it could never save back, and what it saved or deleted
// there would land elsewhere. Every read, write, delete and listing of these files asks here
// first, so a refusal says the same whichever of them met it.
#ifndef FRELANE_BOL_BILL_PLACES_H_
#define FRELANE_BOL_BILL_PLACES_H_

#include <optional>
#include <string>
#include <string_view>

namespace frelane::bol {

// The folder of the bills: the data directory's BOLData (matched without regard to case),
// without a trailing "/".
std::string BillFolderPath();

// The folder of the bills when it is the data directory's own (or does not exist yet);
// nullopt, *error saying why, when it is a link.
std::optional<std::string> OwnBillFolder(std::string* error);

// The path of the bill file of that name (the existing one, matched without regard to case,
// else the name in the folder) when neither the folder nor the name is a link; nullopt,
// *error saying why, otherwise.
std::optional<std::string> OwnBillPath(std::string_view file_name, std::string* error);

// The path of BOLDef.dat likewise: nullopt, *error saying why, when the name is a link.
std::optional<std::string> OwnDefaultsPath(std::string* error);

}  // namespace frelane::bol

#endif  // FRELANE_BOL_BILL_PLACES_H_
