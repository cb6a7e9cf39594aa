#include "platform/os/profile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/os/ascii_text.h"
#include "platform/os/atomic_file.h"
#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"

namespace os {
namespace {

// One line of a profile file, classified.
struct Line {
  enum Kind { kOther, kSection, kEntry } kind = kOther;
  std::string text;   // the line as stored, without its line break
  std::string name;   // section name or key, trimmed
  std::string value;  // entry value, trimmed, quotes removed
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

Line Classify(std::string text) {
  Line line;
  std::string_view t = Trim(text);
  if (!t.empty() && t.front() == '[') {
    std::size_t close = t.find(']');
    if (close != std::string_view::npos) {
      line.kind = Line::kSection;
      line.name = Trim(t.substr(1, close - 1));
    }
  } else if (!t.empty() && t.front() != ';') {
    line.kind = Line::kEntry;
    std::size_t eq = t.find('=');
    line.name = Trim(t.substr(0, eq));
    if (eq != std::string_view::npos) {
      std::string_view v = Trim(t.substr(eq + 1));
      if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
      }
      line.value = v;
    }
  }
  line.text = std::move(text);
  return line;
}

enum class ReadOutcome { kRead, kMissing, kUnreadable };

// Reads the whole file at path. kMissing only when no file is there (ENOENT); a file that
// exists but cannot be read (no permission, no regular file, an I/O error) is kUnreadable.
ReadOutcome ReadWhole(const std::string& path, std::string* content) {
  content->clear();
  int fd = OpenRegularFile(path);
  if (fd < 0) return errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kUnreadable;
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return ReadOutcome::kUnreadable;
    }
    if (n == 0) break;
    content->append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ReadOutcome::kRead;
}

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string text = content.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    lines.push_back(Classify(std::move(text)));
    start = end + 1;
  }
  return lines;
}

// The existing file path matches without regard to case, else path itself.
std::string ResolvePath(const std::string& path) {
  std::string normal = NormalizeSeparators(path);
  std::size_t slash = normal.find_last_of('/');
  std::string dir = slash == std::string::npos ? "" : normal.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? normal : normal.substr(slash + 1);
  return FindFileNoCase(dir, name).value_or(normal);
}

// Index of the first section called section, or -1.
long FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == Line::kSection && EqualAsciiNoCase(lines[i].name, section)) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

bool HasLineBreak(std::string_view s) {
  return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

}  // namespace

std::string GetProfileString(std::string_view section, std::string_view key,
                             std::string_view default_value, const std::string& path) {
  std::string fallback(default_value);
  fallback.erase(fallback.find_last_not_of(' ') + 1);
  std::string content;
  if (ReadWhole(ResolvePath(path), &content) != ReadOutcome::kRead) return fallback;
  std::vector<Line> lines = SplitLines(content);
  long at = FindSection(lines, section);
  if (at < 0) return fallback;
  for (std::size_t i = static_cast<std::size_t>(at) + 1; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.kind == Line::kSection) break;
    if (line.kind == Line::kEntry && EqualAsciiNoCase(line.name, key)) return line.value;
  }
  return fallback;
}

int GetProfileInt(std::string_view section, std::string_view key, int default_value,
                  const std::string& path) {
  std::string text = GetProfileString(section, key, "", path);
  if (text.empty()) return default_value;
  std::size_t i = 0;
  while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || key.find('=') != std::string_view::npos ||
      section.find(']') != std::string_view::npos) {
    return false;
  }
  std::string resolved = ResolvePath(path);
  std::string old_content;
  // Only a missing file starts empty: rewriting one we could not read would lose every
  // other key in it.
  if (ReadWhole(resolved, &old_content) == ReadOutcome::kUnreadable) return false;
  std::vector<Line> lines = SplitLines(old_content);
  std::string entry = std::string(key) + "=" + std::string(value);

  long at = FindSection(lines, section);
  if (at < 0) {
    lines.push_back(Classify("[" + std::string(section) + "]"));
    lines.push_back(Classify(entry));
  } else {
    std::size_t insert_at = static_cast<std::size_t>(at) + 1;
    bool replaced = false;
    for (std::size_t i = insert_at; i < lines.size(); ++i) {
      if (lines[i].kind == Line::kSection) break;
      if (lines[i].kind != Line::kEntry) continue;
      if (EqualAsciiNoCase(lines[i].name, key)) {
        lines[i] = Classify(entry);
        replaced = true;
        break;
      }
      insert_at = i + 1;
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<long>(insert_at), Classify(entry));
  }

  std::string content;
  for (const Line& line : lines) content += line.text + "\r\n";
  std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(content.data()),
                                      content.size());
  return WriteFileAtomically(resolved, bytes, nullptr);
}

}  // namespace os
