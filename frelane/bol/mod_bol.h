// modBOL: the state every bill-of-lading window shares for the program's lifetime (the bill
// in the editor, its file name, the buffers of the books, the defaults) and the record
// procedures they use: clearing a bill, filling the pick lists of the books, selecting an
// entry by record number, and loading and saving the defaults.
#ifndef FRELANE_BOL_MOD_BOL_H_
#define FRELANE_BOL_MOD_BOL_H_

#include <string>
#include <string_view>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/bol_records.h"
#include "frelane/bol/print_bol.h"

namespace forms {
class ListControl;
}

namespace frelane::modBOL {

struct State {
  bol::BOLRecord bill;           // the bill in the editor
  std::string current_bol_file;  // its file name without folder; "" when never saved or opened
  bol::BillStamp current_bol_stamp;  // that file as it stood when opened or last saved
  bol::PartyRecord party_buffer;
  bol::ProductRecord product_buffer;
  bol::BOLDefaults defaults;
  BillTotals print_totals;  // set by the print command before every copy
  PrintState print_state;
};

State& Get();
// Back to a freshly started program's state (for tests).
void Reset();

inline bol::BOLRecord& CurrentBOL() { return Get().bill; }
inline std::string& CurrentBOLFile() { return Get().current_bol_file; }
inline bol::BillStamp& CurrentBOLStamp() { return Get().current_bol_stamp; }
inline bol::PartyRecord& PartyBuffer() { return Get().party_buffer; }
inline bol::ProductRecord& ProductBuffer() { return Get().product_buffer; }
inline bol::BOLDefaults& Defaults() { return Get().defaults; }

// Today as "mm-dd-yyyy", the date a new bill starts with.
std::string Today();

// A new bill: texts blank, today's date, payer not chosen, single shipment and Sec. 7
// answered No, no COD, no items, every slot blank; no file name.
void ClearBOL();
// Empties slot index (1 to 20) of the current bill.
void ClearLineItem(int index);
// Clears the product buffer except its two packaging codes.
void ClearProduct();

// The full path of a book in the data directory (name trimmed, matched without case).
std::string BookPath(std::string_view file_name);

// Fills the list from the address book (Shipper.dat, Consigne.dat or ThirdPty.dat) with the
// names of the records in use, sorted without regard to case, each carrying its record
// number; "{None}" (0) first when add_none. Then selects `record`. A book that cannot be
// read leaves the list empty (or "{None}" only) after a message naming the file; false then.
bool LoadPartyList(forms::ListControl& list, std::string_view file_name, int record,
                   bool add_none);
// The same over Product.dat in record order; the selection never falls back to "{None}".
bool LoadProductList(forms::ListControl& list, int record, bool add_none);
// Selects the entry carrying `value`; else "{None}" when the list has it first, else none.
void SelectByItemData(forms::ListControl& list, int value, bool add_none);

// Reads record n of a book into `out`; false with a message naming the file when it cannot.
bool ReadBookRecord(std::string_view file_name, int n, std::span<std::uint8_t> out);

// A BOLDef.dat that is refused (a link) reads as no defaults after a message saying so.
void LoadBOLDefaults();
// False after a message naming the file when BOLDef.dat cannot be written.
bool SaveBOLDefaults();

// The length of a box's text in letters, and its first n letters: the boxes' limits are
// the record's single-byte widths, whatever the letters take in UTF-8.
std::size_t LetterCount(std::string_view utf8);
std::string FirstLetters(std::string_view utf8, std::size_t n);

// The message box every failed file operation of the subsystem shows.
void ShowFileError(const std::string& what);

}  // namespace frelane::modBOL

#endif  // FRELANE_BOL_MOD_BOL_H_
