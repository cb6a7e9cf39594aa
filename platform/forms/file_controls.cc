#include "platform/forms/file_controls.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/runtime/error.h"

namespace forms {
namespace fs = std::filesystem;
namespace {

constexpr const char* kRootDrive = "/";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool LessNoCase(const std::string& a, const std::string& b) { return Lower(a) < Lower(b); }

// Wildcard match, "*" any run and "?" any one character; both already lower-cased.
bool Match(const char* p, const char* s) {
  while (*p) {
    if (*p == '*') {
      while (*p == '*') ++p;
      if (!*p) return true;
      for (; *s; ++s) {
        if (Match(p, s)) return true;
      }
      return false;
    }
    if (!*s || (*p != '?' && *p != *s)) return false;
    ++p;
    ++s;
  }
  return *s == 0;
}

std::string CleanPath(const std::string& path) {
  std::string p = fs::path(path).lexically_normal().string();
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& patterns) {
  std::string lname = Lower(name);
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string one = Lower(patterns.substr(start, end - start));
    one.erase(0, one.find_first_not_of(' '));
    one.erase(one.find_last_not_of(' ') + 1);
    // "*.*" means every file, names without a dot included.
    if (one == "*.*" || (!one.empty() && Match(one.c_str(), lname.c_str()))) return true;
    start = end + 1;
  }
  return false;
}

DriveListBox::DriveListBox(Form& form, std::string name, int index, const Rect& rect,
                           const Design& design)
    : ListControl(form, kKind, std::move(name), index, rect, design) {
  DriveListBox::ResetToDesign();
}

void DriveListBox::ResetToDesign() {
  ListControl::ResetToDesign();
  ReplaceItems({kRootDrive});
  drive_ = kRootDrive;
}

std::string DriveListBox::Drive() {
  Touch();
  return drive_;
}

void DriveListBox::SetDrive(const std::string& drive) {
  Touch();
  // Only the first character names a drive, as "c:\\data" names "c:".
  // There is one drive, so a valid assignment never changes it.
  if (drive.empty() || drive[0] != '/') runtime::Raise(runtime::kErrDeviceUnavailable);
}

void DriveListBox::OnListIndexChanged() {
  if (CurrentIndex() < 0) return;
  std::string d = Items()[CurrentIndex()];
  if (d == drive_) return;
  drive_ = d;
  Fire(on.Change);
}

DirListBox::DirListBox(Form& form, std::string name, int index, const Rect& rect,
                       const Design& design)
    : ListControl(form, kKind, std::move(name), index, rect, design) {
  DirListBox::ResetToDesign();
}

void DirListBox::ResetToDesign() {
  ListControl::ResetToDesign();
  std::error_code ec;
  path_ = CleanPath(fs::current_path(ec).string());
  if (ec) path_ = "/";
  Reload();
}

void DirListBox::Reload() {
  std::vector<std::string> dirs;
  std::error_code ec;
  for (fs::directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_directory(type_ec)) dirs.push_back(it->path().string());
  }
  std::sort(dirs.begin(), dirs.end(), LessNoCase);
  // The way up comes first, so a user can leave the folder shown for any other.
  if (path_ != "/") dirs.insert(dirs.begin(), std::string(kParentFolderEntry));
  ReplaceItems(std::move(dirs));
}

std::string DirListBox::Path() {
  Touch();
  return path_;
}

void DirListBox::SetPath(const std::string& path) {
  Touch();
  std::error_code ec;
  std::string p = CleanPath(path.empty() ? "/" : path);
  if (!fs::is_directory(p, ec)) runtime::Raise(runtime::kErrPathNotFound);
  if (p == path_) return;
  path_ = p;
  Reload();
  Notify(Property::kOther);
  Fire(on.Change);
}

bool DirListBox::OpenListIndex() {
  Touch();
  if (CurrentIndex() < 0) return false;
  std::string folder = Items()[CurrentIndex()];
  // An entry without a full path (the way up) lies in the folder shown.
  if (folder.empty() || folder[0] != '/') folder = path_ + "/" + folder;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  SetPath(folder);
  return true;
}

FileListBox::FileListBox(Form& form, std::string name, int index, const Rect& rect,
                         const Design& design)
    : ListControl(form, kKind, std::move(name), index, rect, design) {
  FileListBox::ResetToDesign();
}

void FileListBox::ResetToDesign() {
  ListControl::ResetToDesign();
  std::error_code ec;
  path_ = CleanPath(fs::current_path(ec).string());
  if (ec) path_ = "/";
  pattern_ = DesignValues().pattern;
  RefreshList();
}

void FileListBox::RefreshList() {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    std::string name = it->path().filename().string();
    if (MatchesPattern(name, pattern_)) files.push_back(name);
  }
  std::sort(files.begin(), files.end(), LessNoCase);
  ReplaceItems(std::move(files));
}

std::string FileListBox::Path() {
  Touch();
  return path_;
}

void FileListBox::SetPath(const std::string& path) {
  Touch();
  std::error_code ec;
  std::string p = CleanPath(path.empty() ? "/" : path);
  if (!fs::is_directory(p, ec)) runtime::Raise(runtime::kErrPathNotFound);
  path_ = p;
  RefreshList();
}

std::string FileListBox::Pattern() {
  Touch();
  return pattern_;
}

void FileListBox::SetPattern(const std::string& pattern) {
  Touch();
  pattern_ = pattern;
  RefreshList();
}

std::string FileListBox::FileName() {
  Touch();
  return List(ListIndex());
}

void FileListBox::SetFileName(const std::string& name) {
  Touch();
  for (int i = 0; i < static_cast<int>(Items().size()); ++i) {
    if (Lower(Items()[i]) == Lower(name)) {
      SetListIndex(i);
      return;
    }
  }
  SetListIndex(-1);
}

}  // namespace forms
