#include "tolv32dll/engine/initialize.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/os/ascii_text.h"
#include "platform/os/file_lookup.h"
#include "platform/os/module_path.h"
#include "platform/os/profile.h"
#include "tolv32dll/engine/data_set.h"
#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/engine_version.h"
#include "tolv32dll/engine/text_log.h"
#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/logs/text_log_sections.h"
#include "tolv32dll/servguide/service_guide_thread.h"
#include "tolv32dll/tariff/text_helpers.h"

namespace tolv {
namespace {

// The settings file next to the library when it is there, else the bare name (looked for
// in the current directory).
std::string SettingsPath(const std::string& library_dir) {
  if (auto found = os::FindFileNoCase(library_dir, kSettingsFileName)) return *found;
  return kSettingsFileName;
}

// The first character of a one-character setting, upper-cased; '\0' for an empty value.
char FlagSetting(const char* key, const std::string& settings) {
  std::string value = os::GetProfileString("Debug", key, "N", settings);
  if (value.empty()) return '\0';
  return os::AsciiUpper(value[0]);
}

// The tariff files are read from the tariff data directory. EFCREC.TBL and the
// tariff-determination files are read from the effective path, which neither TOLVDATA nor
// a later change of the tariff data directory moves.
void UseTariffDataDirectory(RatingEngine& engine) {
  engine.tariff.files.SetTariffDataDirectory(engine.tariff_data_dir);
}

}  // namespace

ErrorNumber InitializeEngine(RatingEngine& engine, const char* data_dir) {
  // The library's own directory is where the settings live and the first data directory.
  static const int kAnchor = 0;
  std::string library_dir = Util_TrimPath(os::ModulePath(&kAnchor));
  engine.tariff_data_dir = library_dir;
  std::string settings = SettingsPath(library_dir);
  EngineGlobals& globals = EngineGlobals::Get();
  globals.set_settings_path(settings);

  bool directory_fits = true;
  if (data_dir != nullptr) {
    std::string dir = os::NormalizeSeparators(data_dir);
    if (!dir.empty() && dir.back() != '/') dir += '/';
    directory_fits = dir.size() <= kMaxDataDirectory;
    engine.tariff_data_dir = directory_fits ? dir : std::string();
  }
  engine.effective_path = engine.tariff_data_dir;
  engine.service_guide_flag = ServiceGuideLibrary::Process().flag();

  engine.debug_flag = FlagSetting("DebugFlag", settings);
  int mb_log_size = os::GetProfileInt("Debug", "MBLogSize", 20, settings);
  globals.set_mb_log_size(mb_log_size < 1 ? 1 : mb_log_size);
  engine.binary_debug = FlagSetting("BinaryDebug", settings);
  SetThreadBinaryDebug(engine.binary_debug);
  globals.set_use_critical_section(os::GetProfileInt("Options", "UseCriticalSection", 1, settings));

  // TOLVDATA moves the tariff files only; EFCREC.TBL stays where the caller said. A value
  // the engine could not hold whole is ignored rather than cut into another directory.
  const char* tolvdata = std::getenv("TOLVDATA");
  if (tolvdata != nullptr && tolvdata[0] != '\0' && std::strlen(tolvdata) <= kMaxDirectory) {
    std::string dir = Util_TrimPath(tolvdata);
    if (dir.size() <= kMaxDataDirectory) engine.tariff_data_dir = std::move(dir);
  }

  UseTariffDataDirectory(engine);

  ErrorNumber result = directory_fits ? OpenDataSet(engine) : kErrEfcopn;

  if (engine.debug_flag == 'Y') {
    std::string section = InitLogSection(EngineVersionLogText(), engine.effective_path, result);
    if (!WriteTextLog(engine, section)) engine.debug_flag = 'N';
  }
  return result;
}

ErrorNumber InitializeThreadEngine(ThreadSlot& slot, const char* data_dir) {
  if (!slot.engine) {
    slot.engine.reset(new (std::nothrow) RatingEngine());
    if (!slot.engine) return kErrMemory;
  }
  ErrorNumber result = InitializeEngine(*slot.engine, data_dir);
  if (result != kOk) {
    CloseDataSet(*slot.engine);
    slot.engine.reset();
    SetThreadBinaryDebug('N');
    return result;
  }
  AttachServiceGuide(ServiceGuideLibrary::Process(), slot.service_guide,
                     slot.engine->service_guide);
  return result;
}

SetDirectoryResult SetTariffDataDirectory(RatingEngine& engine, const char* path) {
  if (path == nullptr) return SetDirectoryResult::kRefused;
  std::size_t length = ::strnlen(path, kMaxDirectory + 1);
  if (length > kMaxDirectory) return SetDirectoryResult::kRefused;
  std::string dir = Util_TrimPath(std::string_view(path, length));
  if (dir.size() > kMaxDataDirectory) return SetDirectoryResult::kRefused;
  engine.tariff_data_dir = std::move(dir);
  UseTariffDataDirectory(engine);
  WriteTextLog(engine, SetTolvdataLogSection(engine.tariff_data_dir));
  return SetDirectoryResult::kSet;
}

bool EndThreadEngine(ThreadSlot& slot) {
  if (!slot.engine) return false;
  CloseDataSet(*slot.engine);
  slot.engine.reset();
  SetThreadBinaryDebug('N');
  return true;
}

}  // namespace tolv
