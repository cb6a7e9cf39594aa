#include "frelane/rating/print_quote.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iomanip>
#include <locale>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "frelane/core/data_pictures.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/print_line.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/unexpected_error.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"
#include "platform/print/printer.h"
#include "platform/print/printers.h"

namespace frelane {

namespace {

using print::PrintEnd;

constexpr int kLeadWidth = 55;       // columns before the freight line's fields
constexpr int kTotalsIndent = 53;    // blanks before a row's caption
constexpr int kPrintWidth = 94;
constexpr int kPictureOffset = 300;  // twips left of the centred picture
constexpr int kPictureTop = 100;

// One line of a caption: line breaks become blanks so a row stays one line.
std::string OneLine(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return s;
}

// The caption's first n characters, counted as printed (single-byte).
std::string Cut(std::string_view text, std::size_t n) {
  std::string s = os::Utf8ToCp1252(OneLine(text));
  if (s.size() > n) s.resize(n);
  return s;
}

// Left in n: cut to n characters or blank-padded to n.
std::string Left(std::string_view text, std::size_t n) {
  std::string s = Cut(text, n);
  s.resize(n, ' ');
  return os::Cp1252ToUtf8(s);
}

// Right in n: blanks before the text up to n characters; a longer text is cut to n.
std::string Right(std::string_view text, std::size_t n) {
  std::string s = Cut(text, n);
  return std::string(n - s.size(), ' ') + os::Cp1252ToUtf8(s);
}

// The text blank-padded to n characters; a longer text stays whole.
std::string PadTo(std::string text, std::size_t n) {
  if (text.size() < n) text.resize(n, ' ');
  return text;
}

std::string CaptionIfVisible(forms::Label& label, std::size_t blanks) {
  return label.Visible() ? label.Caption() : std::string(blanks, ' ');
}

class QuotePrinter {
 public:
  QuotePrinter(frmRatingScreen& screen, print::Printer& printer)
      : s_(screen), p_(printer),
        terminal_mode_(modMain::Settings().On(settings::kTerminalServiceGuide)),
        city_lookup_(modMain::Settings().On(settings::kCityLookupShown)) {}

  void Print(const std::string& printed_date) {
    ChooseFont();
    Heading();
    p_.SetFontBold(true);
    p_.SetFontSize(10);
    Line(s_.Caption());
    Line("");
    Line(ColumnHeads());
    PointRow("Origin      ", s_.txtOrigin.Text(), s_.lblOriginState, s_.lblOriginTerminal,
             s_.lblServiceDays, s_.cboOriginCity.Text(), 1);
    PointRow("Destination ", s_.txtDestination.Text(), s_.lblDestinationState,
             s_.lblDestinationTerminal, s_.lblServiceType, s_.cboDestinationCity.Text(), 2);
    const std::vector<std::string> leads = LeadsFromLineFour();
    for (int line = 3; line <= 8; ++line) Line(LineLead(line, leads) + LineItems(line));
    Line("");
    DeficitRow();
    WeightRow();
    TotalRow(s_.lblUndiscountedChargeLabel, s_.lblUndiscountedCharge);
    TotalRow(s_.lblDiscountLabel, s_.lblDiscount);
    TotalRow(s_.lblNetLabel, s_.lblNet);
    TotalRow(s_.lblFuelSurchargeLabel, s_.lblFuelSurcharge);
    TotalRow(s_.lblAccessorialChargeLabel, s_.lblAccessorialCharge);
    if (s_.lblTotalChargeLabel.Visible()) Line(std::string(84, ' ') + "----------");
    TotalRow(s_.lblTotalChargeLabel, s_.lblTotalCharge);
    TotalRow(s_.lblCanCurrencyExchangeLabel, s_.lblCanCurrencyExchange);
    TotalRow(s_.lblTotalCanChargeLabel, s_.lblTotalCanCharge);
    Footer(printed_date);
    StoredDisclaimer();
    LabelDisclaimer(s_.lblServiceDisclaimer);
    LabelDisclaimer(s_.lblChargeDisclaimer);
    p_.EndDoc();
  }

 private:
  void Line(std::string_view text) { p_.Print(text); }
  // A caption in bold and the rest of the row in regular type.
  void BoldThen(std::string_view bold, std::string_view rest) {
    p_.SetFontBold(true);
    p_.Print(bold, PrintEnd::kStay);
    p_.SetFontBold(false);
    p_.Print(rest);
  }

  void ChooseFont() {
    for (int i = 0; i < p_.FontCount(); ++i) {
      std::string name = p_.Fonts(i);
      std::string head = name.substr(0, 7);
      for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (head == "COURIER" || name == "Fixedsys") {
        p_.SetFontName(name);
        return;
      }
    }
  }

  void Heading() {
    std::optional<std::string> path = FindDataPicture("PrintHdr");
    forms::Picture picture = path ? forms::LoadPicture(*path) : forms::Picture{};
    s_.imgPicture2.SetPicture(picture);
    if (picture.empty()) {
      Line("");
      Line("");
      return;
    }
    const int page = p_.ScaleWidth();
    const int left = picture.width >= page ? 1 - kPictureOffset
                                           : (page - picture.width) / 2 - kPictureOffset;
    p_.PaintPicture(print::Picture{picture.path, nullptr, picture.width, picture.height}, left,
                    kPictureTop);
    p_.SetCurrentY(picture.height + picture.height / 2);
  }

  std::string ColumnHeads() {
    std::string heads = "            Zip     State ";
    if (terminal_mode_) {
      heads += CaptionIfVisible(s_.lblTerminalLabel, 5) + " " +
               CaptionIfVisible(s_.lblServiceLabel, 7);
    } else if (s_.lblServiceLabel.Visible()) {
      heads += s_.lblServiceLabel.Caption() + std::string(6, ' ');
    } else if (city_lookup_ && s_.lblCityLabel.Visible()) {
      heads += s_.lblCityLabel.Caption() + std::string(9, ' ');
    } else {
      heads += std::string(13, ' ');
    }
    return PadTo(heads, kLeadWidth) + "Class   " + CaptionIfVisible(s_.lblFAKLabel, 3) +
           "  Weight     Rate     Charge";
  }

  // The point's part of its row after the 12-column heading, 43 columns.
  void PointRow(const char* heading, const std::string& zip, forms::Label& state,
                forms::Label& terminal, forms::Label& service, const std::string& city,
                int line) {
    std::string rest = Left(zip, 8) + Left(state.Caption(), 6);
    if (terminal_mode_) {
      rest += Left(terminal.Caption(), 6) + Left(service.Caption(), 10);
    } else if (s_.lblServiceLabel.Visible()) {
      rest += Left(service.Caption(), 28);
    } else if (city_lookup_) {
      rest += Left(city, 28);
    }
    BoldThen(heading, Left(rest, kLeadWidth - 12) + LineItems(line));
  }

  // The note of line 4's lead: the intrastate tariff, else the postal-code notice.
  std::string LeadNote() {
    if (!modMain::Trim(s_.lblIntrastateTariff.Caption()).empty()) {
      return s_.lblIntrastateTariff.Caption();
    }
    if (s_.lblZipDisclaimer.Visible() && !modMain::Trim(s_.lblZipDisclaimer.Caption()).empty()) {
      return s_.lblZipDisclaimer.Caption();
    }
    return {};
  }

  // The note starts in line 4's lead; what does not fit there goes on in the blank leads of
  // the lines below it, cut at blanks, so that a long notice prints whole.
  std::vector<std::string> LeadsFromLineFour() {
    std::string pending = os::Utf8ToCp1252(LeadNote());
    std::vector<std::string> leads;
    for (int line = 4; line <= 8 && !modMain::Trim(pending).empty(); ++line) {
      leads.push_back(os::Cp1252ToUtf8(modMain::NextLineOfWidth(pending, kLeadWidth)));
    }
    return leads;
  }

  std::string LineLead(int line, const std::vector<std::string>& leads) {
    const std::size_t index = static_cast<std::size_t>(line - 4);
    if (line >= 4 && index < leads.size()) return Left(leads[index], kLeadWidth);
    return std::string(kLeadWidth, ' ');
  }

  std::string LineItems(int line) {
    return Right(s_.cboClass(line).Text(), 4) + Right(s_.lblFAK(line).Caption(), 7) +
           Right(s_.txtWeight(line).Text(), 8) + Right(s_.lblRate(line).Caption(), 10) +
           Right(s_.lblCharge(line).Caption(), 11);
  }

  void DeficitRow() {
    std::string values = Right(s_.lblDeficitWeight.Caption(), 7) +
                         Right(s_.lblDeficitRate.Caption(), 10) +
                         Right(s_.lblDeficitCharge.Caption(), 11);
    if (s_.lblDeficitLabel.Visible()) {
      BoldThen(std::string(kTotalsIndent, ' ') + OneLine(s_.lblDeficitLabel.Caption()), values);
    } else {
      Line("");
      Line(values);
    }
  }

  void WeightRow() {
    if (!s_.lblTotalWeightLabel.Visible()) {
      Line("");
      return;
    }
    std::string bold = std::string(kTotalsIndent, ' ') + OneLine(s_.lblTotalWeightLabel.Caption());
    const std::size_t to_column_68 = bold.size() < 68 ? 68 - bold.size() : 0;
    BoldThen(bold, std::string(to_column_68, ' ') + Right(s_.lblTotalWeight.Caption(), 6));
  }

  void TotalRow(forms::Label& label, forms::Label& amount) {
    if (!label.Visible()) {
      Line("");
      return;
    }
    BoldThen(std::string(kTotalsIndent, ' ') + Right(label.Caption(), 30),
             "  " + Right(amount.Caption(), 10));
  }

  void Footer(const std::string& printed_date) {
    Line("");
    Line("");
    p_.SetFontBold(true);
    const std::string date_part = "Printed " + printed_date;
    const std::string rbn = OneLine(s_.lblRBN.Caption());
    // Printed columns: the date of some locales holds letters UTF-8 writes in two bytes.
    const std::size_t used =
        os::Utf8ToCp1252(date_part).size() + os::Utf8ToCp1252(rbn).size();
    const std::size_t blanks = used < kPrintWidth ? kPrintWidth - used : 1;
    Line(date_part + std::string(blanks, ' ') + rbn);
    p_.SetFontBold(false);
  }

  void PrintPending() {
    while (!modMain::Trim(s_.PendingPrintText).empty()) Line(s_.NextPrintLine());
    s_.PendingPrintText.clear();
  }

  void StoredDisclaimer() {
    std::optional<std::string> path =
        os::FindFileNoCase(modMain::DataDirectory(), kPrintDisclaimerFileName);
    if (!path) return;
    std::optional<std::vector<std::uint8_t>> bytes = os::ReadRegularFile(*path);
    if (!bytes) return;
    std::string stored(bytes->begin(), bytes->end());
    stored.resize(std::min(stored.find('\n'), stored.size()));
    if (!stored.empty() && stored.back() == '\r') stored.pop_back();
    if (stored.empty()) return;
    // Every character is stored 65 codes above the one printed; one below 65 has no
    // printed form and stays as stored.
    for (char& c : stored) {
      unsigned char u = static_cast<unsigned char>(c);
      if (u >= 65) c = static_cast<char>(u - 65);
    }
    Line("");
    Line("");
    s_.PendingPrintText = os::Cp1252ToUtf8(stored);
    PrintPending();
  }

  void LabelDisclaimer(forms::Label& label) {
    if (!label.Visible() || modMain::Trim(label.Caption()).empty()) return;
    Line("");
    Line("");
    s_.PendingPrintText = label.Caption();
    PrintPending();
  }

  frmRatingScreen& s_;
  print::Printer& p_;
  const bool terminal_mode_;
  const bool city_lookup_;
};

}  // namespace

void DrawQuote(frmRatingScreen& screen, print::Printer& printer,
               const std::string& printed_date) {
  QuotePrinter(screen, printer).Print(printed_date);
}

void PrintQuote(frmRatingScreen& screen, const std::string& printed_date) {
  print::Printer& printer = print::CurrentPrinter();
  try {
    DrawQuote(screen, printer, printed_date);
  } catch (const print::PrintCancelled&) {
    // The user's own Cancel in the printer's file dialog: back to the screen, nothing said.
    printer.KillDoc();
    return;
  } catch (const print::PrinterError& error) {
    printer.KillDoc();
    ShowUnexpectedError(error.number(), error.Description());
    return;
  }
  forms::MsgBox("Information Printed", forms::msgbox::kOKOnly);
}

std::string ShortDateToday() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream out;
  try {
    out.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown locale in the environment: the C locale's form.
  }
  out << std::put_time(&local, "%x");
  return out.str();
}

}  // namespace frelane
