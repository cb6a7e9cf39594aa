#include "frelane/bol/mod_bol.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <vector>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/record_book.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/message_box.h"
#include "platform/os/cp1252.h"
#include "platform/runtime/format.h"

namespace frelane::modBOL {
namespace {

constexpr char kNoneEntry[] = "{None}";

struct Entry {
  std::string name;
  int record;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The names of the records in use, or nullopt after a message.
std::optional<std::vector<Entry>> ListedEntries(std::string_view file_name,
                                                std::size_t record_length,
                                                const os::Field& name_field,
                                                const os::Field& status_field) {
  std::string error;
  auto records = bol::RecordBook(BookPath(file_name), record_length).ReadAll(&error);
  if (!records) {
    ShowFileError(error);
    return std::nullopt;
  }
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < records->size(); ++i) {
    os::ConstRecordView v((*records)[i]);
    if (bol::ByteOf(v, status_field) != bol::kStatusInUse) continue;
    entries.push_back({modMain::Trim(v.Utf8Text(name_field)), static_cast<int>(i + 1)});
  }
  return entries;
}

void Fill(forms::ListControl& list, const std::vector<Entry>& entries, bool add_none) {
  list.Clear();
  if (add_none) {
    list.AddItem(kNoneEntry);
    list.SetItemData(list.NewIndex(), 0);
  }
  for (const Entry& e : entries) {
    list.AddItem(e.name);
    list.SetItemData(list.NewIndex(), e.record);
  }
}

}  // namespace

State& Get() {
  static State state;
  return state;
}

void Reset() { Get() = State{}; }

std::string Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  runtime::DateTime date;
  date.year = local.tm_year + 1900;
  date.month = local.tm_mon + 1;
  date.day = local.tm_mday;
  return runtime::FormatDate(date, "mm-dd-yyyy");
}

void ClearBOL() {
  bol::BOLRecord& r = CurrentBOL();
  r = bol::BOLRecord{};
  os::RecordView v = r.View();
  v.Fill(os::RawField(0, bol::bill::kFreightPaidBy.offset), ' ');
  v.SetText(bol::bill::kShipDate, Today());
  bol::SetByte(v, bol::bill::kFreightPaidBy, 3);
  bol::SetByte(v, bol::bill::kSingleShipment, 1);
  bol::SetByte(v, bol::bill::kSection7Signed, 1);
  v.SetF64(bol::bill::kCODAmount, 0.0);
  for (const os::Field& f : {bol::bill::kDeclaredValue, bol::bill::kDeclaredValuePer,
                             bol::bill::kNotifyName, bol::bill::kNotifyFax,
                             bol::bill::kNotifyPhone, bol::bill::kSpecialInstructions}) {
    v.SetText(f, "");
  }
  bol::SetByte(v, bol::bill::kItemCount, 0);
  for (int n = 1; n <= bol::bill::kMaxItems; ++n) ClearLineItem(n);
  CurrentBOLFile().clear();
}

void ClearLineItem(int index) {
  if (index < 1 || index > bol::bill::kMaxItems) return;
  os::RecordView v = bol::ItemView(CurrentBOL(), index);
  namespace item = bol::item;
  for (const os::Field& f : {item::kProductName, item::kHandlingUnitType, item::kPackageType,
                             item::kDescription, item::kClass}) {
    v.SetText(f, "");
  }
  v.SetI32(item::kHandlingUnits, 0);
  v.SetI32(item::kPackages, 0);
  v.SetI32(item::kWeight, 0);
  v.SetF64(item::kCube, 0.0);
  bol::SetByte(v, item::kHazmat, 0);
}

void ClearProduct() {
  os::RecordView v = ProductBuffer().View();
  v.SetText(bol::product::kName, "");
  v.SetText(bol::product::kDescription, "");
  bol::SetByte(v, bol::product::kHazmat, 0);
  v.SetI32(bol::product::kWeightPerPackage, 0);
  v.SetText(bol::product::kClass, "");
  bol::SetByte(v, bol::product::kStatus, 0);
}

std::string BookPath(std::string_view file_name) {
  return modMain::DataFilePath(modMain::Trim(file_name));
}

bool LoadPartyList(forms::ListControl& list, std::string_view file_name, int record,
                   bool add_none) {
  auto entries = ListedEntries(file_name, bol::party::kSize, bol::party::kName,
                               bol::party::kStatus);
  if (entries) {
    std::stable_sort(entries->begin(), entries->end(), [](const Entry& a, const Entry& b) {
      return Lower(a.name) < Lower(b.name);
    });
  }
  Fill(list, entries.value_or(std::vector<Entry>{}), add_none);
  SelectByItemData(list, record, add_none);
  return entries.has_value();
}

bool LoadProductList(forms::ListControl& list, int record, bool add_none) {
  auto entries = ListedEntries(bol::kProductFile, bol::product::kSize, bol::product::kName,
                               bol::product::kStatus);
  Fill(list, entries.value_or(std::vector<Entry>{}), add_none);
  SelectByItemData(list, record, false);
  return entries.has_value();
}

void SelectByItemData(forms::ListControl& list, int value, bool add_none) {
  int index = add_none ? 0 : -1;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.ItemData(i) == value) {
      index = i;
      break;
    }
  }
  if (index >= list.ListCount()) index = -1;
  list.SetListIndex(index);
}

bool ReadBookRecord(std::string_view file_name, int n, std::span<std::uint8_t> out) {
  std::string error;
  if (bol::RecordBook(BookPath(file_name), out.size()).Read(n, out, &error)) return true;
  ShowFileError(error);
  return false;
}

void LoadBOLDefaults() {
  std::string error;
  std::optional<bol::BOLDefaults> read = bol::ReadDefaultsFile(&error);
  Defaults() = read.value_or(bol::BOLDefaults{});
  if (!read) {
    ShowFileError("The BOL defaults were not read: new bills start without them.\r\n" + error);
  }
}

bool SaveBOLDefaults() {
  std::string error;
  if (bol::WriteDefaultsFile(Defaults(), &error)) return true;
  ShowFileError("The BOL defaults were not saved.\r\n" + error);
  return false;
}

std::size_t LetterCount(std::string_view utf8) { return os::DecodeUtf8(utf8).size(); }

std::string FirstLetters(std::string_view utf8, std::size_t n) {
  std::u32string letters = os::DecodeUtf8(utf8);
  if (letters.size() > n) letters.resize(n);
  return os::EncodeUtf8(letters);
}

void ShowFileError(const std::string& what) {
  forms::MsgBox(what, forms::msgbox::kOKOnly | forms::msgbox::kExclamation);
}

}  // namespace frelane::modBOL
