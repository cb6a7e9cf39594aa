// modMain.SelectTariff: which tariff a lane is rated on, when the carrier's tariff list
// says so. tariffs.dat names the tariff of US, cross-border, Canadian and intrastate lanes;
// the optional taripntr.dat overrides it for ranges of postal codes. The choice goes into
// the ShipmentRecord's tariff name and intrastate flag; a blank name leaves the choice to
// the engine.
#ifndef FRELANE_RATING_TARIFF_SELECTION_H_
#define FRELANE_RATING_TARIFF_SELECTION_H_

#include <functional>
#include <string>
#include <vector>

namespace frelane::modMain {

inline constexpr char kTariffListFileName[] = "tariffs.dat";
inline constexpr char kTariffOverrideFileName[] = "taripntr.dat";

// One line of tariffs.dat.
struct TariffLine {
  std::string code;         // columns 1-2, upper-cased: "US", "CD", "CN" or a state
  std::string name;         // columns 3-10, upper-cased, blank-padded to 8
  bool ask = false;         // column 11 "Y": used only when the user agrees
  std::string description;  // column 12 on, trimmed
};

TariffLine ParseTariffLine(std::string_view line);
// The lines of tariffs.dat; empty when the file is missing or unreadable (reported once).
std::vector<TariffLine> ReadTariffList();

// True for a name the engine may build file names from: at most 8 characters, each a
// letter, digit, blank, "_" or "-".
bool IsPlainTariffName(std::string_view name);

// Chooses the tariff name and intrastate flag of the program's ShipmentRecord for its two
// points and the states in Lane(). With batch_mode false a flagged intrastate tariff is
// offered to the user with a Yes/No question, and an accepted one is shown on the rating
// screen; with batch_mode true it is used when its state is in Lane().IntrastateList.
void SelectTariff(bool batch_mode);

// SelectTariff with the question and the screen's label given: `ask` answers a question
// (true = Yes); `show_accepted` receives the caption of an accepted intrastate tariff, and
// is called with "" first in screen mode.
void SelectTariffWith(bool batch_mode, const std::function<bool(const std::string&)>& ask,
                      const std::function<void(const std::string&)>& show_accepted);

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_TARIFF_SELECTION_H_
