// frmBOL: File > Import, the address books and products of another installation.
#include <iterator>
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
  ResetPartyRecords();
  // Reloading a list empties its text, but the bill keeps its names: a list left without a
  // pick shows the name again, which is no change to the bill.
  forms::ComboBox* const names[] = {&cboShipperName, &cboConsigneeName, &cboThirdPartyName};
  std::string texts[std::size(names)];
  for (std::size_t i = 0; i < std::size(names); ++i) texts[i] = names[i]->Text();
  FillLists();
  const bool changed = bol_changed_;
  for (std::size_t i = 0; i < std::size(names); ++i) {
    if (names[i]->ListIndex() < 0 && names[i]->Text() != texts[i]) names[i]->SetText(texts[i]);
  }
  bol_changed_ = changed;
  if (complete) forms::MsgBox("Import Complete");
}

}  // namespace frelane
