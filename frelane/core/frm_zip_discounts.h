// frmZipDiscounts: the editor of ZipDisc.dat, the discounts that apply between ranges of
// origin and destination postal codes. A list of the live entries in key order; Add, Edit
// (or a double-click) open an entry in the edit frame, whose Save checks the codes, the
// numbers, the ranges and the overlap with every other live entry before it stores the
// entry and re-sorts the file. Delete marks the opened entry deleted.
//
// The file is read and written within each action; nothing stays open between events.
#ifndef FRELANE_CORE_FRM_ZIP_DISCOUNTS_H_
#define FRELANE_CORE_FRM_ZIP_DISCOUNTS_H_

#include <string>

#include "frelane/core/zip_discount_file.h"
#include "platform/forms/form.h"

namespace frelane {

inline constexpr char kMustSelectToEdit[] = "You must select an item to edit";
inline constexpr char kInvalidZip[] = "Invalid Zip";
inline constexpr char kInvalidDiscount[] = "Invalid Discount";
inline constexpr char kInvalidMcFloor[] = "Invalid MC Floor";
inline constexpr char kOverlappingEntries[] = "Overlapping entries not allowed";
inline constexpr char kLowAboveHigh[] = "Low Zip must be less than or equal to High Zip";
inline constexpr char kMixedOrigins[] = "You may not mix US and Canada origins";
inline constexpr char kMixedDestinations[] = "You may not mix US and Canada destinations";
inline constexpr char kDiscountTableFull[] =
    "The discount table holds 32767 entries; no more can be added.";

// The list line of one entry (without its record number).
std::string ZipDiscountListLine(const zipdisc::Record& record, bool tl_hidden,
                                bool mc_floor_shown);

// A code of exactly five characters: five digits, or letter, digit, letter, digit, letter
// (upper case).
bool IsValidZipText(const std::string& text);

class frmZipDiscounts : public forms::Form {
 public:
  frmZipDiscounts();

  // Browse.
  forms::Label& lblOrigin = Heading("lblOrigin", 165, "Origin");
  forms::Label& lblDestination = Heading("lblDestination", 1410, "Destination");
  forms::Label& lblMC = Heading("lblMC", 2850, "MC");
  forms::Label& lblLTL = Heading("lblLTL", 3525, "LTL");
  forms::Label& lblTL = Heading("lblTL", 4200, "TL");
  forms::Label& lblMCFloor = Heading("lblMCFloor", 4875, "MC Floor");
  forms::ListBox& lstZipDiscounts = Add<forms::ListBox>(
      "lstZipDiscounts", {120, 360, 5880, 2190},
      {.tab_index = 0, .font_name = "Courier New", .font_size = 8});
  forms::CommandButton& btnAdd = Add<forms::CommandButton>(
      "btnAdd", {120, 2640, 1095, 375}, {.caption = "Add", .tab_index = 1});
  forms::CommandButton& btnEdit = Add<forms::CommandButton>(
      "btnEdit", {1335, 2640, 1095, 375}, {.caption = "Edit", .tab_index = 2});
  forms::CommandButton& btnExit = Add<forms::CommandButton>(
      "btnExit", {4905, 2640, 1095, 375}, {.caption = "Exit", .tab_index = 3});

  // Edit.
  forms::Frame& fraEdit =
      Add<forms::Frame>("fraEdit", {120, 3120, 5880, 1950}, {.tab_index = 4, .visible = false});
  forms::Label& lblLow = EditLabel("lblLow", {1140, 210, 735, 225}, "Low");
  forms::Label& lblHigh = EditLabel("lblHigh", {1995, 210, 735, 225}, "High");
  forms::Label& lblEditOrigin = EditLabel("lblEditOrigin", {120, 510, 960, 225}, "Origin");
  forms::Label& lblEditDestination =
      EditLabel("lblEditDestination", {120, 870, 960, 225}, "Destination");
  forms::TextBox& txtOriginLow = CodeBox("txtOriginLow", 1140, 480, 5);
  forms::TextBox& txtOriginHigh = CodeBox("txtOriginHigh", 1995, 480, 6);
  forms::TextBox& txtDestinationLow = CodeBox("txtDestinationLow", 1140, 840, 7);
  forms::TextBox& txtDestinationHigh = CodeBox("txtDestinationHigh", 1995, 840, 8);
  forms::Label& lblMC2 = EditLabel("lblMC2", {3120, 270, 900, 225}, "MC");
  forms::Label& lblLTL2 = EditLabel("lblLTL2", {3120, 600, 900, 225}, "LTL");
  forms::Label& lblTL2 = EditLabel("lblTL2", {3120, 930, 900, 225}, "TL");
  forms::Label& lblMCFloor2 = EditLabel("lblMCFloor2", {3120, 1260, 900, 225}, "MC Floor");
  forms::TextBox& txtMC = NumberBox("txtMC", 240, 9, 5);
  forms::TextBox& txtLTL = NumberBox("txtLTL", 570, 10, 5);
  forms::TextBox& txtTL = NumberBox("txtTL", 900, 11, 5);
  forms::TextBox& txtMCFloor = NumberBox("txtMCFloor", 1230, 12, 6);
  forms::Label& lblMC3 = EditLabel("lblMC3", {4905, 270, 240, 225}, "%");
  forms::Label& lblLTL3 = EditLabel("lblLTL3", {4905, 600, 240, 225}, "%");
  forms::Label& lblTL3 = EditLabel("lblTL3", {4905, 930, 240, 225}, "%");
  forms::Label& lblMCFloor3 = EditLabel("lblMCFloor3", {4905, 1260, 240, 225}, "$");
  forms::CommandButton& btnSave = EditButton("btnSave", 120, "Save", 13);
  forms::CommandButton& btnIgnore = EditButton("btnIgnore", 1095, "Ignore", 14);
  forms::CommandButton& btnDelete = EditButton("btnDelete", 2070, "Delete", 15);

  // The record number Save writes the entry in the edit frame to.
  int edited_record_number() const { return edited_number_; }

 private:
  forms::Label& Heading(const char* name, int left, const char* caption);
  forms::Label& EditLabel(const char* name, forms::Rect rect, const char* caption);
  forms::TextBox& CodeBox(const char* name, int left, int top, int tab_index);
  forms::TextBox& NumberBox(const char* name, int top, int tab_index, int max_length);
  forms::CommandButton& EditButton(const char* name, int left, const char* caption,
                                   int tab_index);
  void BindHandlers();

  std::string FilePath() const;
  bool ReadFile(zipdisc::Table* table);
  // Fills the list from the file, or from `written`, the table a Save has just written.
  void LoadDiscountList(zipdisc::Table* written = nullptr);
  void LoadRecordForEdit();
  // Once the edit frame closes, the focus goes back to the control that opened it.
  void ReturnFocusToOpener();
  // The field checks: each shows its message and puts the focus back into the box when it
  // can take it.
  bool ValidateZipField(forms::TextBox& box);
  bool ValidateDiscountField(forms::TextBox& box);
  bool ValidateFloorField(forms::TextBox& box);
  bool ValidateOriginRange();
  bool ValidateDestinationRange();
  // Runs Save's checks and stores the entry; false when a check, the read or the write
  // failed. *written receives the table as written.
  bool SaveEditedRecord(zipdisc::Table* written);
  void StoreCode(forms::TextBox& box, const os::Field& field);
  void StoreNumber(forms::TextBox& box, const os::Field& field);
  // Leaving a box checks it unless the focus goes to a button or back to an earlier box:
  // the boxes the focus may go back to without a check stop causing validation.
  void AllowGoingBackTo(std::initializer_list<forms::TextBox*> boxes);

  void Form_Load() override;
  void Form_KeyPress(int& key_ascii) override;
  void btnAdd_Click();
  void btnEdit_Click();
  void btnExit_Click();
  void lstZipDiscounts_DblClick();
  void btnSave_Click();
  void btnIgnore_Click();
  void btnDelete_Click();
  void Code_GotFocus(forms::TextBox& box);
  void Number_GotFocus(forms::TextBox& box);

  zipdisc::Record edited_ = zipdisc::BlankRecord();
  int edited_number_ = 0;
  forms::Control* opener_ = nullptr;
};

}  // namespace frelane

#endif  // FRELANE_CORE_FRM_ZIP_DISCOUNTS_H_
