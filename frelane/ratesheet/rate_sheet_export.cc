#include "frelane/ratesheet/rate_sheet_export.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "frelane/ratesheet/row_text.h"
#include "platform/runtime/error.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

constexpr int kErrPathFileAccess = 75;
constexpr char kPathFileAccess[] = "Path/File access error";

[[noreturn]] void RaisePathError(int number) {
  throw ExportPathError(number, number == kErrPathFileAccess
                                    ? kPathFileAccess
                                    : runtime::ErrorDescription(number));
}

// Lines are handed to the file in pieces of about this size.
constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

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
  // Only a regular file is replaced, and only one the user may write: a pipe, a device or
  // a folder under the name, or a read-only sheet, is refused.
  struct stat st;
  if (::stat(name.c_str(), &st) == 0 &&
      (!S_ISREG(st.st_mode) || ::access(name.c_str(), W_OK) != 0)) {
    RaisePathError(kErrPathFileAccess);
  }
  if (!file_.Begin(name, nullptr)) {
    const int err = file_.error_number();
    RaisePathError(err == ENOENT || err == ENOTDIR ? runtime::kErrPathNotFound
                                                   : kErrPathFileAccess);
  }
  path_ = name;
  pending_.clear();
}

void RateSheetExport::Close() {
  if (!file_.IsOpen()) return;
  Flush();
  if (!file_.Commit(nullptr)) RaiseWriteError();
}

void RateSheetExport::RaiseWriteError() {
  pending_.clear();
  throw runtime::RuntimeError(kErrPathFileAccess, std::string(kPathFileAccess) + ": " + path_ +
                                                      " (" + std::strerror(file_.error_number()) +
                                                      ")");
}

void RateSheetExport::Flush() {
  if (pending_.empty()) return;
  const auto* data = reinterpret_cast<const std::uint8_t*>(pending_.data());
  if (!file_.Write({data, pending_.size()}, nullptr)) RaiseWriteError();
  pending_.clear();
}

void RateSheetExport::WriteLine(const std::string& cp1252) {
  if (!file_.IsOpen()) return;
  pending_ += cp1252;
  pending_ += "\r\n";
  if (pending_.size() >= kFlushSize) Flush();
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
