#include "frelane/core/startup.h"

#include <unistd.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <locale>
#include <optional>
#include <utility>
#include <system_error>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "tolv32dll/records/shipment_record.h"

namespace frelane {

namespace {

// The screens send at most eight lines; slots 9 to 20 are left as they are.
constexpr std::size_t kScreenDetailSlots = 8;

std::string FormatWithEnvironmentLocale(double value) {
  char point = '.';
  try {
    point = std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::exception&) {
    // An unknown locale name in the environment: numbers are written the C way.
  }
  std::string text = std::to_string(static_cast<long long>(value));
  return text + point + "5";
}

void FillRecordConstants() {
  namespace header = tolv::shipment_header;
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  record.view().SetText(tolv::shipment_record::kLeadByte, "F");
  record.view().SetText(tolv::shipment_record::kTrailer, "*");
  record.header().SetText(header::kRecordCode, "01");
  record.header().SetRaw(header::kShipDate, modMain::Settings().Raw(settings::kRatingDate));
  modMain::FillAdjustmentFactor();
  record.header().SetText(header::kSingleShipment, "N");
  for (std::size_t slot = 0; slot < kScreenDetailSlots; ++slot) {
    record.detail(slot).SetText(tolv::shipment_detail::kDetailCode, "02");
  }
  record.discount_a().SetText(tolv::discount_block::kMarker, "D%");
}

}  // namespace

std::string ExecutableDirectory() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

namespace modMain {

namespace {
std::optional<StartupEnvironment>& EnvironmentSlot() {
  static std::optional<StartupEnvironment> env;
  return env;
}
}  // namespace

void SetStartupEnvironment(StartupEnvironment env) { EnvironmentSlot() = std::move(env); }

const StartupEnvironment& StartupEnvironmentInUse() {
  if (!EnvironmentSlot()) EnvironmentSlot() = StartupEnvironment{ExecutableDirectory(), {}};
  return *EnvironmentSlot();
}

char DecimalCharacterOf(const std::string& one_and_a_half) {
  return one_and_a_half.find('.') != std::string::npos ? '.' : ',';
}

void FillAdjustmentFactor() {
  const SettingsRecord& settings = Settings();
  double factor = (settings.F64(settings::kHiddenRateAdjustmentFactor) +
                   settings.F64(settings::kRateAdjustmentFactor)) *
                  10000;
  // Fifteen significant digits, as the program's runtime writes a number: 1.13 x 10000
  // is 11299.999999999998 in binary and must read "11300", 0.57 x 10000 "5700".
  char buffer[32];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::general, 15);
  std::string text = ec == std::errc() ? std::string(buffer, end) : "0";
  modTolvDeclares32::ShipmentRecord().header().SetText(tolv::shipment_header::kAdjustmentFactor,
                                                       text);
}

StartupResult InitializeApplication(const StartupEnvironment& env, std::string* error) {
  State& state = Get();
  std::string dir = env.executable_directory;
  if (dir.empty() || dir.back() != '/') dir += '/';
  state.data_directory = dir;

  if (::chdir(dir.c_str()) != 0) {
    *error = "The program directory " + dir + " cannot be used: " + std::strerror(errno);
    return StartupResult::kCannotStart;
  }

  if (!LoadSettings(error)) return StartupResult::kCannotStart;

  state.help_file = dir + "help.chm";

  FillRecordConstants();

  std::string engine_path = Trim(dir);
  EngineOutcome init = modTolvDeclares32::Engine().Tolv_InitializeTolv(engine_path);
  if (!init.ok()) {
    *error = init.error->Message();
    return StartupResult::kCannotStart;
  }
  // The engine's status is 32 bits wide; only its low 16 bits are the program's answer.
  bool files_locked = (static_cast<std::uint32_t>(init.value) & 0xFFFF) == 10;

  EngineOutcome set = modTolvDeclares32::Engine().Tolv_Set_Tolvdata(engine_path);
  if (!set.ok()) {
    *error = set.error->Message();
    return StartupResult::kCannotStart;
  }

  std::string one_and_a_half =
      env.format_in_locale ? env.format_in_locale(1.5) : FormatWithEnvironmentLocale(1.5);
  state.decimal_character = DecimalCharacterOf(one_and_a_half);
  state.decimal_character_code = state.decimal_character;

  LoadClassTable();
  if (Settings().On(settings::kFakInUse)) LoadFAK();

  return files_locked ? StartupResult::kFilesLocked : StartupResult::kReady;
}

}  // namespace modMain

}  // namespace frelane
