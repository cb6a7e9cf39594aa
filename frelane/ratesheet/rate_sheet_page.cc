#include "frelane/ratesheet/rate_sheet_page.h"

#include "frelane/ratesheet/grouping.h"
#include "frelane/ratesheet/row_text.h"
#include "platform/os/cp1252.h"
#include "platform/runtime/fixed_string.h"

namespace frelane::ratesheet {

namespace {

constexpr std::size_t kPageWidth = 96;
constexpr std::size_t kInnerWidth = 94;

// The blanks that centre a header text of `length` in the page width, a half rounded to
// the even count.
std::size_t CentringBlanks(std::size_t length) {
  if (length >= kPageWidth) return 0;
  const std::size_t twice = kPageWidth - length;
  const std::size_t half = twice / 2;
  if (twice % 2 == 0) return half;
  return half % 2 == 0 ? half : half + 1;
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

}  // namespace

void RateSheetPage::PrintLine(const std::string& cp1252) { printer_.Print(os::Cp1252ToUtf8(cp1252)); }

std::string RateSheetPage::Framed(const std::string& text) {
  if (text.size() > kInnerWidth) return "|" + text + "|";
  return "|" + runtime::FitToWidth(text, kInnerWidth) + "|";
}

void RateSheetPage::PrintRuleLine() { PrintLine("|" + std::string(kInnerWidth, '-') + "|"); }

void RateSheetPage::PrintPageHeader() {
  for (const std::string& line : layout_.header_lines) {
    const std::string h = runtime::Trim(line);
    PrintLine(Blanks(CentringBlanks(h.size())) + h);
  }
  PrintRuleLine();
  std::string direction = layout_.from_headline ? "OUTBOUND FROM:" : "INBOUND TO:   ";
  direction += runtime::Trim(layout_.headline_zip) + "  " + StateOfPrefix(layout_.headline_zip);
  PrintLine("|" + runtime::FitToWidth(direction, kInnerWidth) + "|");
  PrintRuleLine();
  PrintLine("|" + runtime::FitToWidth(TitleLine(), kInnerWidth) + "|");
  PrintRuleLine();
  run_.PageLineCount = 0;
  ++run_.PageNumber;
}

std::string RateSheetPage::TitleLine() const {
  std::string t = layout_.from_headline ? "TO:     " : "FROM:   ";
  t += run_.WithNotes ? "ST Note" : "     ST";
  t += "  MC    CLASS    ";
  for (int i = 0; i < layout_.weight_break_count; ++i) {
    const RateSheetLayout::WeightBox& box = layout_.weight_boxes[i];
    if (!box.checked) continue;
    t += runtime::Trim(box.caption);
    if (i + 1 < kMaxWeightBreaks) {
      const std::size_t next = runtime::Trim(layout_.weight_boxes[i + 1].caption).size();
      t += Blanks(next < 7 ? 7 - next : 0);
    }
  }
  return runtime::RTrim(t);
}

void RateSheetPage::PrintPageFooter() {
  for (int n = run_.PageLineCount; n <= kPageBodyLines; ++n) printer_.Print("");
  std::string f = std::to_string(run_.PageNumber) + Blanks(15) +
                  runtime::Trim(layout_.company_name) + Blanks(3) +
                  runtime::Trim(layout_.effective_date_text);
  f = f.size() > kInnerWidth ? f.substr(0, kInnerWidth) : Blanks(kInnerWidth - f.size()) + f;
  PrintLine(f);
  run_.PageLineCount = 0;
}

std::string RateSheetPage::RowHead(const RateSheetGroup& row, bool split) {
  const std::string state = StateOfPrefix(row.PrefixText);
  if (!run_.WithNotes) {
    const std::string range = Mid(row.PrefixText, 1, 3) + Mid(row.ZipText, 1, 2) + "-" +
                              Mid(row.PrefixText, 5, 3) + Mid(row.ZipText, 4, 2);
    return "|" + runtime::FitToWidth(range, 11) + "  " + state + "  ";
  }
  std::string note = Blanks(5);
  if (split) {
    ++run_.NoteNumber;
    note = runtime::FitToWidth(std::to_string(run_.NoteNumber), 5);
  }
  return "|" + runtime::FitToWidth(row.PrefixText, 7) + " " + state + " " + note + " ";
}

void RateSheetPage::AddWrapped(std::vector<std::string>& lines, std::string text, char delimiter,
                               const std::string& first_lead, const std::string& later_lead) {
  bool first = true;
  while (!text.empty()) {
    text = (first ? first_lead : later_lead) + text;
    first = false;
    lines.push_back(Framed(SplitAtDelimiter(text, delimiter, kInnerWidth)));
  }
}

void RateSheetPage::PrintGroupRow(const RateSheetGroup& row, bool split) {
  if (run_.PageLineCount == 0) PrintPageHeader();
  std::vector<std::string> lines;
  const bool brackets = row.BracketCount > 1;
  bool first_class = true;
  for (const std::string& code : layout_.classes) {
    std::string line;
    if (first_class) {
      const std::string mc = brackets ? "*" : std::to_string(row.BracketCharges[0]);
      // A charge wider than its column is printed whole rather than cut to a wrong amount.
      line = RowHead(row, split) + (mc.size() > 7 ? mc : runtime::FitToWidth(mc, 7));
      first_class = false;
    } else {
      line = "|" + Blanks(24);
    }
    line += ClassCaption3(code) + "  ";
    for (int w = 0; w < layout_.weight_break_count; ++w) {
      const RateSheetLayout::WeightBox& box = layout_.weight_boxes[w];
      if (box.checked) line += RateCell(row, code, box, 7);
    }
    lines.push_back(
        (line.size() < kPageWidth - 1 ? runtime::FitToWidth(line, kPageWidth - 1) : line) + "|");
  }
  if (brackets) AddWrapped(lines, BracketList(row), ']', "*", " ");
  if (run_.WithNotes && split) {
    const std::string state = StateOfPrefix(row.PrefixText);
    const std::string lead = "  Note" + RightIn(std::to_string(run_.NoteNumber), 5) +
                             " : Apply for " + state + " ";
    AddWrapped(lines, Mid(row.PrefixText, 1, 3) + row.ZipText, ',', lead, Blanks(30));
  }
  const int n = static_cast<int>(lines.size());
  // A row that would run past the page's body starts the next page; a fresh page takes any
  // row, however long.
  if (run_.PageLineCount > 0 && n + run_.PageLineCount + 1 > kPageBodyLines) {
    PrintPageFooter();
    printer_.NewPage();
    PrintPageHeader();
  }
  for (const std::string& line : lines) PrintLine(line);
  PrintRuleLine();
  run_.PageLineCount += n + 1;
}

}  // namespace frelane::ratesheet
