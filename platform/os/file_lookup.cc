#include "platform/os/file_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace os {
namespace {

bool IsRegularOrOther(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

std::string NormalizeSeparators(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string out = NormalizeSeparators(dir);
  if (!out.empty() && out.back() != '/') out += '/';
  out.append(name);
  return out;
}

std::optional<std::string> FindFileNoCase(std::string_view dir, std::string_view name) {
  if (!IsSafeFileName(name)) return std::nullopt;
  std::string exact = JoinPath(dir, name);
  if (IsRegularOrOther(exact)) return exact;

  std::string dir_path = dir.empty() ? std::string(".") : NormalizeSeparators(dir);
  std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir_path.c_str()), ::closedir);
  if (!handle) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(handle.get())) {
    std::string_view entry_name(entry->d_name);
    if (!EqualsNoCase(entry_name, name)) continue;
    if (best && entry_name >= *best) continue;
    if (!IsRegularOrOther(JoinPath(dir, entry_name))) continue;
    best = std::string(entry_name);
  }
  if (!best) return std::nullopt;
  return JoinPath(dir, *best);
}

}  // namespace os
