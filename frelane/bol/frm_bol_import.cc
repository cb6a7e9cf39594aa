// frmBOL: File > Import, the address books and products of another installation.
#include <string>

#include "frelane/bol/bol_import.h"
#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_import.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/field_helpers.h"
#include "platform/forms/application.h"

namespace frelane {
namespace {

namespace msgbox = forms::msgbox;

bool AskExclamation(const std::string& question) {
  return forms::MsgBox(question, msgbox::kYesNo | msgbox::kExclamation) ==
         forms::MsgBoxResult::kYes;
}

}  // namespace

void frmBOL::mnuFileImport_Click() {
  const std::string directory = forms::App().Get<frmImport>().GetDirectory("BOL Import");
  if (modMain::Trim(directory).empty()) return;
  if (bol::IsDataDirectory(directory)) {
    forms::MsgBox(
        "You can not import information from the same directory that the current program is "
        "installed in.");
    return;
  }
  std::optional<bol::ImportMode> mode = bol::ImportMode::kAppend;
  if (bol::AnyOwnBook()) {
    if (AskExclamation("Information already exists.  Would you like to overwrite?")) {
      mode = bol::ImportMode::kOverwrite;
    } else if (!AskExclamation("Would you like to append?")) {
      mode.reset();
    }
  }
  bool complete = true;
  if (mode) {
    for (const bol::ImportedBook& book : bol::kImportedBooks) {
      std::string error;
      if (!bol::ImportBook(book, *mode, directory, &error)) {
        modBOL::ShowFileError("The import stopped: " + error);
        complete = false;
        break;
      }
    }
  }
  // Record numbers picked before may now name other parties.
  if (mode == bol::ImportMode::kOverwrite) ResetPartyRecords();
  FillLists();
  if (complete) forms::MsgBox("Import Complete");
}

}  // namespace frelane
