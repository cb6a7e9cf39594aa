#include "platform/os/file_lookup.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/os/file_cache.h"

namespace os {
namespace {

bool IsRegularOrOther(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  RememberStatus(path, st);
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
  if (std::optional<std::optional<std::string>> recalled = RecalledLookup(dir, name)) {
    return *recalled;
  }
  std::optional<std::string> found;
  const std::string dir_path = dir.empty() ? std::string(".") : NormalizeSeparators(dir);
  if (InSnapshot()) {
    // The listing, taken once in the snapshot, answers for every name of the directory:
    // the exact name first, then the others in byte order.
    if (std::optional<std::vector<ListedName>> names = ListNoCase(dir_path, name)) {
      std::stable_partition(names->begin(), names->end(),
                            [&](const ListedName& n) { return n.name == name; });
      for (const ListedName& entry : *names) {
        std::string path = JoinPath(dir, entry.name);
        if (!entry.may_be_directory || IsRegularOrOther(path)) {
          found = std::move(path);
          break;
        }
      }
      RememberLookup(dir, name, found);
      return found;
    }
  }
  std::string exact = JoinPath(dir, name);
  if (IsRegularOrOther(exact)) {
    found = exact;
  } else if (auto names = ListNoCase(dir_path, name)) {
    for (const ListedName& entry : *names) {
      std::string path = JoinPath(dir, entry.name);
      if (IsRegularOrOther(path)) {
        found = std::move(path);
        break;
      }
    }
  }
  RememberLookup(dir, name, found);
  return found;
}

}  // namespace os
