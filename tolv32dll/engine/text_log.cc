#include "tolv32dll/engine/text_log.h"

#include <cstdint>
#include <string>

#include "tolv32dll/engine/engine_globals.h"
#include "tolv32dll/engine/engine_version.h"
#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/logs/text_log_sections.h"

namespace tolv {

bool WriteTextLog(const RatingEngine& engine, std::string_view section, bool apply_size_rule) {
  if (engine.debug_flag != 'Y') return true;
  std::string path = TextLogPath(engine.tariff_data_dir);
  EngineGlobals::Get().set_text_log_path(path);
  return AppendTextLog(path, EngineGlobals::Get().mb_log_size(), section, apply_size_rule);
}

void LogRatingRequest(const RatingEngine& engine, const ShipmentRecord& request) {
  if (engine.debug_flag != 'Y') return;
  WriteTextLog(engine, RatingRequestLogSection(request));
}

void LogRatingResponse(const RatingEngine& engine, const ShipmentRecord& response) {
  if (engine.debug_flag != 'Y') return;
  WriteTextLog(engine, RatingResponseLogSection(response), /*apply_size_rule=*/false);
}

void LogBinaryEngineVersion() {
  if (!ThreadBinaryDebug()) return;
  std::uint8_t version[engine_version_text::kSize];
  FillEngineVersionText(version);
  LogBinary(BinaryLogKind::kEngineVersion, version);
}

}  // namespace tolv
