#include "frelane/ratesheet/rate_sheet_export.h"

#include <cerrno>
#include <filesystem>

#include "frelane/ratesheet/row_text.h"
#include "platform/os/regular_file.h"
#include "platform/runtime/error.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

constexpr int kErrPathFileAccess = 75;
constexpr char kPathFileAccess[] = "Path/File access error";

[[noreturn]] void RaiseWriteError() {
  throw runtime::RuntimeError(kErrPathFileAccess, kPathFileAccess);
}

[[noreturn]] void RaisePathError(int number) {
  throw ExportPathError(number, number == kErrPathFileAccess
                                    ? kPathFileAccess
                                    : runtime::ErrorDescription(number));
}

}  // namespace

RateSheetExport::~RateSheetExport() {
  if (file_ != nullptr) std::fclose(file_);
}

void RateSheetExport::Open(const std::string& path) {
  Close();
  std::string name = path;
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  const std::filesystem::path p(name);
  std::error_code ec;
  const std::filesystem::path folder = p.parent_path();
  if (name.empty() || p.filename().empty() ||
      (!folder.empty() && !std::filesystem::is_directory(folder, ec))) {
    RaisePathError(runtime::kErrPathNotFound);
  }
  if (std::filesystem::is_directory(p, ec)) RaisePathError(kErrPathFileAccess);
  // A pipe or a device under the name is refused rather than waited on.
  file_ = os::StreamOver(os::OpenRegularFileToReplace(name), "wb");
  if (file_ == nullptr) {
    RaisePathError(errno == ENOENT || errno == ENOTDIR ? runtime::kErrPathNotFound
                                                      : kErrPathFileAccess);
  }
}

void RateSheetExport::Close() {
  if (file_ == nullptr) return;
  const bool failed = std::ferror(file_) != 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (failed || !closed) RaiseWriteError();
}

void RateSheetExport::WriteLine(const std::string& cp1252) {
  if (file_ == nullptr) return;
  const std::string line = cp1252 + "\r\n";
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) RaiseWriteError();
}

void RateSheetExport::ExportGroupRow(const RateSheetGroup& row, bool split) {
  const std::string state = StateOfPrefix(row.PrefixText);
  std::string head = runtime::FitToWidth(layout_.headline_zip, 5) + " " + StateOfPrefix(layout_.headline_zip) +
                     " " + (layout_.from_headline ? "T" : "F") + " ";
  const std::string prefix = Mid(row.PrefixText, 1, 3);
  if (run_.WithNotes) {
    head += prefix + " " + state;
    if (split) {
      run_.NoteList.push_back(state + " " + prefix + row.ZipText);
      head += RightIn(std::to_string(run_.NoteList.size() - 1), 5);
    } else {
      head += "     ";
    }
  } else {
    head += prefix + Mid(row.ZipText, 1, 2) + "-" + Mid(row.ZipText, 4, 2) + " " + state;
  }
  head += (row.BracketCount > 1 ? std::string("     *") : RightIn(std::to_string(row.BracketCharges[0]), 6));
  head += "  ";
  const std::string rate_basis = runtime::Trim(row.RateBasis);
  for (const std::string& code : layout_.classes) {
    std::string line = head + ClassCaption3(code) + "  ";
    for (int w = 0; w < layout_.weight_break_count; ++w) {
      const RateSheetLayout::WeightBox& box = layout_.weight_boxes[w];
      if (box.checked) line += RateCell(row, code, box, 6);
    }
    WriteLine(line + " " + rate_basis);
  }
  if (row.BracketCount > 1) WriteLine("*" + BracketList(row));
}

void RateSheetExport::WriteNoteLines() {
  for (std::size_t j = 1; j < run_.NoteList.size(); ++j) {
    WriteLine("Note " + RightIn(std::to_string(j), 4) + " Applies " + run_.NoteList[j]);
  }
}

}  // namespace frelane::ratesheet
