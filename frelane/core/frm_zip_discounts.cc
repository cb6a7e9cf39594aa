#include "frelane/core/frm_zip_discounts.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <unordered_map>

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

namespace z = zipdisc;

os::RecordView ViewOf(z::Record& r) { return os::RecordView(std::span<std::uint8_t>(r)); }
os::ConstRecordView ViewOf(const z::Record& r) {
  return os::ConstRecordView(std::span<const std::uint8_t>(r));
}

// A code as stored, padding included, for the list.
std::string StoredCode(const z::Record& r, const os::Field& f) {
  std::string raw = ViewOf(r).Raw(f);
  for (char& c : raw) {
    if (c == '\0') c = ' ';
  }
  return os::Cp1252ToUtf8(raw);
}

// The texts of one number column. The entries of a table share a handful of discount
// values, and formatting a number is the dearest part of a list line: each value is
// formatted once per list.
class NumberColumn {
 public:
  NumberColumn(const char* pattern, std::size_t width) : pattern_(pattern), width_(width) {}
  const std::string& Text(const z::Record& r, const os::Field& f) {
    const double value = ViewOf(r).FiniteF64(f);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    auto [it, added] = texts_.try_emplace(bits);
    if (added) it->second = runtime::FitToWidth(runtime::Format(value, pattern_), width_);
    return it->second;
  }

 private:
  const char* pattern_;
  std::size_t width_;
  std::unordered_map<std::uint64_t, std::string> texts_;
};

struct ListColumns {
  NumberColumn discount{"#0.00", 5};
  NumberColumn floor{"##0.00", 6};
};

std::string ListLine(const z::Record& r, bool tl_hidden, bool mc_floor_shown,
                     ListColumns& columns) {
  os::ConstRecordView v = ViewOf(r);
  std::string line = StoredCode(r, z::kOriginLow) + "-" + StoredCode(r, z::kOriginHigh) + "  ";
  line += runtime::FitToWidth(
      v.Utf8Text(z::kDestinationLow) + "-" + v.Utf8Text(z::kDestinationHigh), 13);
  line += "  " + columns.discount.Text(r, z::kMcDiscount);
  line += "  " + columns.discount.Text(r, z::kLtlDiscount);
  line += "  ";
  line += tl_hidden ? std::string(5, ' ') : columns.discount.Text(r, z::kTlDiscount);
  line += "  ";
  if (mc_floor_shown) line += columns.floor.Text(r, z::kMcFloor);
  return line;
}

void Say(const std::string& message) { forms::MsgBox(message, forms::msgbox::kOKOnly); }

// A hidden or disabled box keeps the focus where it is.
void FocusIfPossible(forms::Control& box) {
  if (box.CanTakeFocus()) box.SetFocus();
}

enum class CodeCountry { kNeither, kUs, kCanada };

// "00000" has the value 0 but is no Canadian code: it counts as neither.
CodeCountry CountryOf(const std::string& text) {
  if (modMain::SafeValue(text) != 0) return CodeCountry::kUs;
  return modMain::Trim(text) == "00000" ? CodeCountry::kNeither : CodeCountry::kCanada;
}

bool Mixed(const std::string& low, const std::string& high) {
  CodeCountry a = CountryOf(low), b = CountryOf(high);
  return (a == CodeCountry::kUs && b == CodeCountry::kCanada) ||
         (a == CodeCountry::kCanada && b == CodeCountry::kUs);
}

// Shows its message without moving the focus; Save moves it.
bool ValidateRange(forms::TextBox& low_box, forms::TextBox& high_box, const char* mixed) {
  const std::string low = modMain::Trim(low_box.Text());
  const std::string high = modMain::Trim(high_box.Text());
  if (Mixed(low, high)) {
    Say(mixed);
    return false;
  }
  if (low > high) {
    Say(kLowAboveHigh);
    return false;
  }
  return true;
}

}  // namespace

std::string ZipDiscountListLine(const z::Record& r, bool tl_hidden, bool mc_floor_shown) {
  ListColumns columns;
  return ListLine(r, tl_hidden, mc_floor_shown, columns);
}

bool IsValidZipText(const std::string& text) {
  const std::size_t n = text.size();
  const double v = modMain::SafeValue(text);
  if (v > 0 && n != 5) return false;
  if (v == 0 && n < 5) return false;
  if (modMain::AllDigits(text)) return true;
  if (n != 5) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    const bool ok = i % 2 == 0 ? (c >= 'A' && c <= 'Z') : (c >= '0' && c <= '9');
    if (!ok) return false;
  }
  return true;
}

frmZipDiscounts::frmZipDiscounts()
    : Form("frmZipDiscounts", {.caption = "Zip Specific Discounts",
                               .width = 6240,
                               .height = 5655,  // room for the entry frame, which reaches 5070
                               .key_preview = true,
                               .center = true}) {
  BindHandlers();
}

forms::Label& frmZipDiscounts::Heading(const char* name, int left, const char* caption) {
  return Add<forms::Label>(name, {left, 120, 1200, 225}, {.caption = caption});
}

forms::Label& frmZipDiscounts::EditLabel(const char* name, forms::Rect rect,
                                         const char* caption) {
  return Add<forms::Label>(name, rect, {.container = &fraEdit, .caption = caption});
}

forms::TextBox& frmZipDiscounts::CodeBox(const char* name, int left, int top, int tab_index) {
  return Add<forms::TextBox>(name, {left, top, 735, 285},
                             {.container = &fraEdit, .tab_index = tab_index, .max_length = 5});
}

forms::TextBox& frmZipDiscounts::NumberBox(const char* name, int top, int tab_index,
                                           int max_length) {
  return Add<forms::TextBox>(
      name, {4080, top, 780, 285},
      {.container = &fraEdit, .tab_index = tab_index, .max_length = max_length});
}

forms::CommandButton& frmZipDiscounts::EditButton(const char* name, int left,
                                                  const char* caption, int tab_index) {
  // Buttons cause no validation: leaving a box for a button checks nothing.
  return Add<forms::CommandButton>(name, {left, 1440, 855, 375},
                                   {.container = &fraEdit,
                                    .caption = caption,
                                    .tab_index = tab_index,
                                    .causes_validation = false});
}

void frmZipDiscounts::BindHandlers() {
  for (forms::CommandButton* b : {&btnAdd, &btnEdit, &btnExit}) b->SetCausesValidation(false);
  Bind(btnAdd.on.Click, &frmZipDiscounts::btnAdd_Click);
  Bind(btnEdit.on.Click, &frmZipDiscounts::btnEdit_Click);
  Bind(btnExit.on.Click, &frmZipDiscounts::btnExit_Click);
  Bind(lstZipDiscounts.on.DblClick, &frmZipDiscounts::lstZipDiscounts_DblClick);
  Bind(btnSave.on.Click, &frmZipDiscounts::btnSave_Click);
  Bind(btnIgnore.on.Click, &frmZipDiscounts::btnIgnore_Click);
  Bind(btnDelete.on.Click, &frmZipDiscounts::btnDelete_Click);

  struct CodeBinding {
    forms::TextBox* box;
    const os::Field* field;
  };
  for (CodeBinding c : {CodeBinding{&txtOriginLow, &z::kOriginLow},
                        CodeBinding{&txtOriginHigh, &z::kOriginHigh},
                        CodeBinding{&txtDestinationLow, &z::kDestinationLow},
                        CodeBinding{&txtDestinationHigh, &z::kDestinationHigh}}) {
    forms::TextBox& box = *c.box;
    const os::Field& field = *c.field;
    box.on.Change = [this, &box, &field] { StoreCode(box, field); };
    box.on.KeyPress = [&box](int& key) { modMain::SetZipKey(box, key, false); };
    box.on.GotFocus = [this, &box] { Code_GotFocus(box); };
    box.on.Validate = [this, &box](bool& cancel) { cancel = !ValidateZipField(box); };
  }
  for (CodeBinding c : {CodeBinding{&txtMC, &z::kMcDiscount},
                        CodeBinding{&txtLTL, &z::kLtlDiscount}, CodeBinding{&txtTL, &z::kTlDiscount},
                        CodeBinding{&txtMCFloor, &z::kMcFloor}}) {
    forms::TextBox& box = *c.box;
    const os::Field& field = *c.field;
    box.on.Change = [this, &box, &field] { StoreNumber(box, field); };
    box.on.KeyPress = [&box](int& key) {
      modMain::SetNumericKey(box, key, box.MaxLength(), 2);
    };
    box.on.GotFocus = [this, &box] { Number_GotFocus(box); };
    if (&box == &txtMCFloor) {
      box.on.Validate = [this, &box](bool& cancel) { cancel = !ValidateFloorField(box); };
    } else {
      box.on.Validate = [this, &box](bool& cancel) { cancel = !ValidateDiscountField(box); };
    }
  }
}

std::string frmZipDiscounts::FilePath() const {
  return modMain::DataFilePath(z::kCreatedFileName);
}

bool frmZipDiscounts::ReadFile(z::Table* table) {
  std::string error;
  if (z::ReadTable(FilePath(), table, &error)) return true;
  Say(error);
  return false;
}

void frmZipDiscounts::Form_Load() {
  modMain::SetFormIcon(*this);
  const SettingsRecord& s = modMain::Settings();
  // An element's caption, unit labels and box show or hide together.
  auto show = [](bool shown, std::initializer_list<forms::Control*> controls) {
    for (forms::Control* c : controls) c->SetVisible(shown);
  };
  show(!modMain::CompanyNameStartsWith("VORNHALT"), {&lblMC, &lblMC2, &lblMC3, &txtMC});
  show(!s.On(settings::kTlDiscountHidden), {&lblTL, &lblTL2, &lblTL3, &txtTL});
  show(s.On(settings::kMcFloorDiscountShown),
       {&lblMCFloor, &lblMCFloor2, &lblMCFloor3, &txtMCFloor});
  LoadDiscountList();
}

void frmZipDiscounts::Form_KeyPress(int& key_ascii) { modMain::EnterAsTab(key_ascii); }

void frmZipDiscounts::LoadDiscountList(z::Table* written) {
  fraEdit.SetVisible(false);
  // Right after a Save the table as written is at hand: the file is not read again.
  z::Table table;
  if (written != nullptr) {
    table = std::move(*written);
  } else if (!ReadFile(&table)) {
    lstZipDiscounts.Clear();
    return;
  }
  const SettingsRecord& s = modMain::Settings();
  const bool tl_hidden = s.On(settings::kTlDiscountHidden);
  const bool floor_shown = s.On(settings::kMcFloorDiscountShown);
  ListColumns columns;
  std::vector<std::string> lines;
  std::vector<int> numbers;
  lines.reserve(table.records.size());
  numbers.reserve(table.records.size());
  for (std::size_t i = 0; i < table.records.size(); ++i) {
    if (z::IsDeleted(table.records[i])) continue;
    lines.push_back(ListLine(table.records[i], tl_hidden, floor_shown, columns));
    numbers.push_back(static_cast<int>(i) + 1);
  }
  // One change of the list: a window redraws a table of thousands of entries once.
  lstZipDiscounts.SetItems(std::move(lines), std::move(numbers));
}

void frmZipDiscounts::btnAdd_Click() {
  z::Table table;
  if (!ReadFile(&table)) return;
  if (table.records.size() >= static_cast<std::size_t>(z::kMaxRecords)) {
    Say(kDiscountTableFull);
    return;
  }
  edited_ = z::BlankRecord();
  edited_number_ = 0;
  LoadRecordForEdit();
}

void frmZipDiscounts::btnEdit_Click() { lstZipDiscounts_DblClick(); }

void frmZipDiscounts::lstZipDiscounts_DblClick() {
  const int selected = lstZipDiscounts.ListIndex();
  if (selected < 0) {
    Say(kMustSelectToEdit);
    return;
  }
  edited_number_ = lstZipDiscounts.ItemData(selected);
  LoadRecordForEdit();
}

void frmZipDiscounts::btnExit_Click() { Unload(); }

void frmZipDiscounts::LoadRecordForEdit() {
  z::Table table;
  if (!ReadFile(&table)) return;
  bool offer_delete = false;
  if (edited_number_ != 0) {
    if (edited_number_ < 1 || static_cast<std::size_t>(edited_number_) > table.records.size()) {
      Say("The discount file " + FilePath() + " changed while it was being edited.");
      LoadDiscountList();
      return;
    }
    edited_ = table.records[static_cast<std::size_t>(edited_number_) - 1];
    offer_delete = true;
  } else {
    edited_number_ = static_cast<int>(table.records.size()) + 1;
  }
  // Copies first: filling a box stores its text back into the edited record.
  const z::Record loaded = edited_;
  os::ConstRecordView v = ViewOf(loaded);
  txtOriginLow.SetText(v.Utf8Text(z::kOriginLow));
  txtOriginHigh.SetText(v.Utf8Text(z::kOriginHigh));
  txtDestinationLow.SetText(v.Utf8Text(z::kDestinationLow));
  txtDestinationHigh.SetText(v.Utf8Text(z::kDestinationHigh));
  txtMC.SetText(runtime::Format(v.FiniteF64(z::kMcDiscount), "00.00"));
  txtLTL.SetText(runtime::Format(v.FiniteF64(z::kLtlDiscount), "00.00"));
  txtTL.SetText(runtime::Format(v.FiniteF64(z::kTlDiscount), "00.00"));
  txtMCFloor.SetText(runtime::Format(v.FiniteF64(z::kMcFloor), "00.00"));
  btnDelete.SetVisible(offer_delete);
  if (ActiveControl() == nullptr || ActiveControl()->Container() != &fraEdit) {
    opener_ = ActiveControl();
  }
  fraEdit.SetVisible(true);
  txtOriginLow.SetFocus();
}

void frmZipDiscounts::ReturnFocusToOpener() {
  if (opener_ == nullptr || !opener_->CanTakeFocus()) opener_ = &lstZipDiscounts;
  FocusIfPossible(*opener_);
  opener_ = nullptr;
}

void frmZipDiscounts::StoreCode(forms::TextBox& box, const os::Field& field) {
  std::string code = runtime::FitToWidth(modMain::Trim(os::Utf8ToCp1252(box.Text())), 5);
  ViewOf(edited_).SetText(field, code);
  btnDelete.SetVisible(false);
}

void frmZipDiscounts::StoreNumber(forms::TextBox& box, const os::Field& field) {
  ViewOf(edited_).SetF64(field, modMain::SafeValue(box.Text()));
  btnDelete.SetVisible(false);
}

void frmZipDiscounts::AllowGoingBackTo(std::initializer_list<forms::TextBox*> boxes) {
  for (forms::TextBox* b : {&txtOriginLow, &txtOriginHigh, &txtDestinationLow,
                            &txtDestinationHigh, &txtMC, &txtLTL, &txtTL, &txtMCFloor}) {
    b->SetCausesValidation(true);
  }
  for (forms::TextBox* b : boxes) b->SetCausesValidation(false);
}

void frmZipDiscounts::Code_GotFocus(forms::TextBox& box) {
  modMain::SelectAllText(box);
  if (&box == &txtOriginHigh) {
    AllowGoingBackTo({&txtOriginLow, &txtOriginHigh});
  } else if (&box == &txtDestinationLow) {
    AllowGoingBackTo({&txtOriginLow, &txtOriginHigh});
  } else if (&box == &txtDestinationHigh) {
    AllowGoingBackTo({&txtDestinationLow});
  } else {
    AllowGoingBackTo({});
  }
}

void frmZipDiscounts::Number_GotFocus(forms::TextBox& box) {
  modMain::SelectAllText(box);
  AllowGoingBackTo({});
}

bool frmZipDiscounts::ValidateZipField(forms::TextBox& box) {
  if (IsValidZipText(modMain::Trim(box.Text()))) return true;
  modMain::RefuseEntry(box, kInvalidZip);
  return false;
}

bool frmZipDiscounts::ValidateDiscountField(forms::TextBox& box) {
  const std::string text = modMain::Trim(box.Text());
  const double d = modMain::SafeValue(text);
  if (runtime::IsNumeric(text) && d >= 0 && d < 100) return true;
  modMain::RefuseEntry(box, kInvalidDiscount);
  return false;
}

bool frmZipDiscounts::ValidateFloorField(forms::TextBox& box) {
  const std::string text = modMain::Trim(box.Text());
  if (runtime::IsNumeric(text) && modMain::SafeValue(text) >= 0) return true;
  modMain::RefuseEntry(box, kInvalidMcFloor);
  return false;
}

bool frmZipDiscounts::ValidateOriginRange() {
  return ValidateRange(txtOriginLow, txtOriginHigh, kMixedOrigins);
}

bool frmZipDiscounts::ValidateDestinationRange() {
  return ValidateRange(txtDestinationLow, txtDestinationHigh, kMixedDestinations);
}

bool frmZipDiscounts::SaveEditedRecord(z::Table* written) {
  for (forms::TextBox* box : {&txtOriginLow, &txtOriginHigh, &txtDestinationLow,
                              &txtDestinationHigh}) {
    if (!ValidateZipField(*box)) return false;
  }
  for (forms::TextBox* box : {&txtMC, &txtLTL, &txtTL}) {
    if (!ValidateDiscountField(*box)) return false;
  }
  if (!ValidateFloorField(txtMCFloor)) return false;
  if (!ValidateOriginRange()) {
    FocusIfPossible(txtOriginLow);
    modMain::SelectAllText(txtOriginLow);
    return false;
  }
  if (!ValidateDestinationRange()) {
    FocusIfPossible(txtDestinationLow);
    modMain::SelectAllText(txtDestinationLow);
    return false;
  }
  // One reading of the file for the overlap check, the store and the list shown after.
  z::Table& table = *written;
  if (!ReadFile(&table)) return false;
  if (z::Overlaps(table, edited_, edited_number_)) {
    Say(kOverlappingEntries);
    return false;
  }
  std::string error;
  if (!z::StoreRecord(FilePath(), &table, edited_, edited_number_, &error)) {
    Say(error);
    return false;
  }
  return true;
}

void frmZipDiscounts::btnSave_Click() {
  z::Table written;
  if (!SaveEditedRecord(&written)) return;
  LoadDiscountList(&written);
  ReturnFocusToOpener();
}

void frmZipDiscounts::btnIgnore_Click() {
  fraEdit.SetVisible(false);
  ReturnFocusToOpener();
}

// A deleted entry is stored without the field checks, so that an entry holding values no
// check accepts can still be taken out of the table.
void frmZipDiscounts::btnDelete_Click() {
  ViewOf(edited_).SetI16(z::kDeleted, -1);
  std::string error;
  if (!z::StoreRecord(FilePath(), edited_, edited_number_, &error)) Say(error);
  LoadDiscountList();
  ReturnFocusToOpener();
}

}  // namespace frelane
