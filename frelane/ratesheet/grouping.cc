#include "frelane/ratesheet/grouping.h"

#include "frelane/ratesheet/zip_prefix.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

std::string PrefixRange(std::string_view first, std::string_view last) {
  std::string text(first);
  text += '-';
  text += last;
  return text;
}

// Extends the zip list of a group by the sub-range that directly follows its last entry.
void ExtendLastEntry(std::string& zip_text, std::string_view end) {
  const std::size_t n = zip_text.size();
  if (n == 2 || (n >= 3 && zip_text[n - 3] == ',')) {
    zip_text += '-';
    zip_text += end;
  } else {
    zip_text.replace(n - 2, 2, end);
  }
}

}  // namespace

void FileSubRange(std::vector<RateSheetGroup>& groups, const RateSheetGroup& candidate,
                  std::string_view start, std::string_view end, std::string_view prefix,
                  bool with_notes) {
  for (RateSheetGroup& g : groups) {
    if (!g.SameResults(candidate)) continue;
    const std::string zips = runtime::Trim(g.ZipText);
    const bool adjacent =
        zips.size() >= 2 && NextZipPrefix(std::string_view(zips).substr(zips.size() - 2)) == start;
    if (adjacent) {
      g.ZipText = zips;
      ExtendLastEntry(g.ZipText, end);
      return;
    }
    if (with_notes) {
      g.ZipText += ',';
      g.ZipText += start == end ? std::string(start) : PrefixRange(start, end);
      return;
    }
  }
  RateSheetGroup g = candidate;
  g.PrefixText = PrefixRange(prefix, prefix);
  g.ZipText = with_notes && start == end ? std::string(start) : PrefixRange(start, end);
  groups.push_back(std::move(g));
}

void HandOffGroups(RateSheetRunState& run, const std::vector<RateSheetGroup>& groups,
                   std::string_view prefix, RateSheetRowWriter& writer) {
  if (groups.empty()) return;
  const bool split = groups.size() >= 2;
  if (run.ExportOutput) {
    for (const RateSheetGroup& g : groups) writer.ExportGroupRow(g, split);
  }
  if (!run.PrintOutput) return;
  RateSheetGroup& pending = run.PendingRow;
  if (split) {
    if (!pending.IsEmpty()) writer.PrintGroupRow(pending, false);
    pending.Clear();
    for (const RateSheetGroup& g : groups) writer.PrintGroupRow(g, true);
    return;
  }
  const RateSheetGroup& only = groups.front();
  if (!pending.IsEmpty()) {
    const std::string& range = pending.PrefixText;
    const bool follows =
        range.size() >= 3 && NextZipPrefix(std::string_view(range).substr(range.size() - 3)) == prefix;
    // A prefix continues the held-back row only when it serves the same postal codes too.
    if (follows && pending.SameResults(only) && pending.ZipText == only.ZipText) {
      pending.PrefixText = range.substr(0, 3) + "-" + std::string(prefix);
      return;
    }
    writer.PrintGroupRow(pending, false);
  }
  pending = only;
  pending.PrefixText = PrefixRange(prefix, prefix);
}

std::string SplitAtDelimiter(std::string& text, char delimiter, std::size_t column) {
  if (text.size() <= column) {
    std::string head = std::move(text);
    text.clear();
    return head;
  }
  std::size_t n = column;
  while (n > 0 && text[n - 1] != delimiter) --n;
  if (n == 0) n = column;
  std::string head = text.substr(0, n);
  text = runtime::Trim(std::string_view(text).substr(n));
  return head;
}

}  // namespace frelane::ratesheet
