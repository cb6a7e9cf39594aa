// Fixed metric tables of the Liberation fonts (generated: tools/gen_font_metrics.py).
#ifndef FRELANE_PLATFORM_PRINT_FONT_METRICS_TABLES_H_
#define FRELANE_PLATFORM_PRINT_FONT_METRICS_TABLES_H_

#include <cstdint>

#include "platform/print/font.h"

namespace print::internal {

// One face: vertical metrics and the advance widths of the Windows-1252 bytes 0x20-0xFF,
// all in font units (units_per_em to the em).
struct FaceMetrics {
  int units_per_em;
  int ascent;             // above the baseline, top of the text cell
  int descent;            // below the baseline
  int external_leading;   // extra space between lines
  std::uint16_t advance[0x100 - 0x20];
};

const FaceMetrics& Face(Family family, bool bold, bool italic);

}  // namespace print::internal

#endif  // FRELANE_PLATFORM_PRINT_FONT_METRICS_TABLES_H_
