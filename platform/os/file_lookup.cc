#include "platform/os/file_lookup.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/os/file_cache.h"
#include "platform/os/file_cache_internal.h"
#include "platform/os/kept_files.h"

namespace os {
namespace {

bool IsRegularOrOther(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  RememberStatus(path, st);
  return true;
}

// The answer as outside any scope: the exact name first, then the listed names. *typed
// tells whether the listing gave the type of every name in question, so that no link's
// target decides the answer.
std::optional<std::string> FindNow(std::string_view dir, const std::string& dir_path,
                                   std::string_view name, bool* typed) {
  *typed = false;
  std::optional<std::string> found;
  std::string exact = JoinPath(dir, name);
  std::optional<std::vector<ListedName>> names;
  struct stat st;
  if (::stat(exact.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
    found = std::move(exact);
  } else if ((names = ListNoCaseNow(dir_path, name))) {
    for (const ListedName& entry : *names) {
      std::string path = JoinPath(dir, entry.name);
      if (::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        found = std::move(path);
        break;
      }
    }
  }
  if (!names) names = ListNoCaseNow(dir_path, name);
  *typed = names && std::none_of(names->begin(), names->end(),
                                 [](const ListedName& n) { return n.may_be_link; });
  return found;
}

}  // namespace

bool IsSafeFileName(std::string_view name) {
  if (name.empty()) return false;
  char previous = '\0';
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F || (c == '.' && previous == '.')) {
      return false;
    }
    previous = c;
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
  // Only answers for safe names are recalled.
  if (std::optional<std::optional<std::string>> recalled = RecalledLookup(dir, name)) {
    return std::move(*recalled);
  }
  if (!IsSafeFileName(name)) return std::nullopt;
  const std::string dir_path = dir.empty() ? std::string(".") : NormalizeSeparators(dir);
  // Taken before the directory is looked at; empty when it is not watched.
  const WatchMark mark = MarkWhereWatched(dir_path, name);
  // The answer kept across scopes is found as outside any scope, from what the file system
  // shows now, even when the scope in hand answers from an earlier view.
  auto keep_now = [&] {
    bool typed = false;
    std::optional<std::string> now = FindNow(dir, dir_path, name, &typed);
    KeepLookup(dir, name, now, typed ? mark : WatchMark());
    return now;
  };
  std::optional<std::string> found;
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
      if (mark.changes != nullptr) keep_now();
      RememberLookup(dir, name, found);
      return found;
    }
  }
  if (mark.changes != nullptr && !InSnapshot()) return keep_now();
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
  if (mark.changes != nullptr) keep_now();
  RememberLookup(dir, name, found);
  return found;
}

}  // namespace os
