#include "frelane/rating/tariff_selection.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "frelane/core/field_helpers.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/lookup_files.h"
#include "platform/forms/application.h"

namespace frelane::modMain {

namespace {

namespace header = tolv::shipment_header;
using lookup::Columns;

constexpr std::size_t kNameWidth = 8;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

// The name as it may go to the engine: a name that is not plain becomes blank, and the
// file it came from is named once.
std::string CheckedName(std::string name, const char* file_name) {
  if (IsPlainTariffName(name)) return name;
  std::string shown;
  for (char c : name) {
    unsigned char code = static_cast<unsigned char>(c);
    shown += code < 32 || code == 127 ? '?' : c;
  }
  lookup::ReportOnce(std::string("The tariff name \"") + shown + "\" in " + file_name +
                     " is not valid and is ignored.");
  return "";
}

struct LanePoints {
  std::string origin_zip;       // the record's 6-character fields
  std::string destination_zip;
  bool origin_numeric = false;
  bool destination_numeric = false;
  std::string origin_state;
  std::string destination_state;
};

LanePoints CurrentLane() {
  const tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  LanePoints lane;
  lane.origin_zip = record.header().Raw(header::kOriginZip);
  lane.destination_zip = record.header().Raw(header::kDestinationZip);
  lane.origin_numeric = SafeValue(lane.origin_zip) > 0;
  lane.destination_numeric = SafeValue(lane.destination_zip) > 0;
  lane.origin_state = Trim(modMain::Lane().OriginState);
  lane.destination_state = Trim(modMain::Lane().DestinationState);
  return lane;
}

bool InIntrastateList(const std::string& state) {
  const auto& list = modMain::Lane().IntrastateList;
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& entry) { return Trim(entry) == state; });
}

struct Choice {
  std::string name;
  char flag = 'N';
};

// The override of taripntr.dat, when one applies.
std::optional<Choice> OverrideOf(const LanePoints& lane, bool batch_mode, bool name_blank) {
  std::vector<std::string> lines;
  if (!lookup::ReadDataLines(kTariffOverrideFileName, &lines) || lines.empty()) {
    return std::nullopt;
  }
  std::string_view origin = std::string_view(lane.origin_zip).substr(0, 5);
  std::string_view destination = std::string_view(lane.destination_zip).substr(0, 5);
  const std::string* taken = nullptr;
  for (const std::string& line : lines) {
    if (lookup::InRange(Columns(line, 1, 5), origin, Columns(line, 6, 5)) &&
        lookup::InRange(Columns(line, 11, 5), destination, Columns(line, 16, 5))) {
      taken = &line;
      break;
    }
  }
  // A run that found no tariff at all still gets one: the file's first line.
  if (taken == nullptr && batch_mode && name_blank) taken = &lines.front();
  if (taken == nullptr) return std::nullopt;
  return Choice{CheckedName(std::string(Columns(*taken, 21, kNameWidth)),
                            kTariffOverrideFileName),
                'N'};
}

}  // namespace

TariffLine ParseTariffLine(std::string_view line) {
  TariffLine parsed;
  parsed.code = Upper(Columns(line, 1, 2));
  parsed.name = Padded(Upper(Columns(line, 3, kNameWidth)), kNameWidth);
  parsed.ask = Columns(line, 11, 1) == "Y";
  parsed.description = Trim(Columns(line, 12));
  return parsed;
}

std::vector<TariffLine> ReadTariffList() {
  std::vector<std::string> lines;
  std::vector<TariffLine> tariffs;
  if (!lookup::ReadDataLines(kTariffListFileName, &lines)) return tariffs;
  for (const std::string& line : lines) tariffs.push_back(ParseTariffLine(line));
  return tariffs;
}

bool IsPlainTariffName(std::string_view name) {
  if (name.size() > kNameWidth) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    unsigned char code = static_cast<unsigned char>(c);
    return std::isalnum(code) || c == ' ' || c == '_' || c == '-';
  });
}

void SelectTariffWith(bool batch_mode, const std::function<bool(const std::string&)>& ask,
                      const std::function<void(const std::string&)>& show_accepted) {
  LanePoints lane = CurrentLane();
  if (!batch_mode) show_accepted("");
  // A lane no line applies to goes to the engine as not intrastate, whatever the last
  // lane was.
  Choice choice;
  const bool no_points = Trim(lane.origin_zip).empty() && Trim(lane.destination_zip).empty();
  for (const TariffLine& line : ReadTariffList()) {
    auto take = [&](char flag) { choice = {CheckedName(line.name, kTariffListFileName), flag}; };
    if (no_points) {
      take('N');
      break;
    }
    if (line.code == "US" && lane.origin_numeric && lane.destination_numeric) take('N');
    if (line.code == "CD" && (!lane.origin_numeric || !lane.destination_numeric)) take('N');
    if (line.code == "CN" && !lane.origin_numeric && !lane.destination_numeric) take('N');
    if (!line.code.empty() && line.code == lane.origin_state &&
        line.code == lane.destination_state) {
      if (!line.ask) {
        take('Y');
      } else if (batch_mode) {
        if (InIntrastateList(lane.origin_state)) take('Y');
      } else {
        std::string question = line.description.empty()
                                   ? "Use " + lane.origin_state + " Intrastate Tariff?"
                                   : "Use " + line.description + "?";
        if (ask(question)) {
          show_accepted(question.substr(4, question.size() - 5));
          take('Y');
        }
      }
    }
  }
  if (std::optional<Choice> override_choice =
          OverrideOf(lane, batch_mode, Trim(choice.name).empty())) {
    choice = *override_choice;
  }
  os::RecordView h = modTolvDeclares32::ShipmentRecord().header();
  h.SetText(header::kTariffName, choice.name);
  h.SetText(header::kIntrastateFlag, std::string(1, choice.flag));
}

void SelectTariff(bool batch_mode) {
  auto ask = [](const std::string& question) {
    return forms::MsgBox(question, forms::msgbox::kYesNo | forms::msgbox::kDefaultButton2) ==
           forms::MsgBoxResult::kYes;
  };
  auto show = [batch_mode](const std::string& caption) {
    if (!batch_mode) forms::App().Get<frmRatingScreen>().ShowIntrastateTariff(caption);
  };
  SelectTariffWith(batch_mode, ask, show);
}

}  // namespace frelane::modMain
