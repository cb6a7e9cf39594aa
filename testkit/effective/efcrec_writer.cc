#include "testkit/effective/efcrec_writer.h"

#include <cstdio>

#include "testkit/padded_text.h"

namespace testkit {

std::string EfcrecLineText(const EfcrecLine& l) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", l.tariff_number % 1000);
  std::string s;
  s += l.record_letter;                   // 0
  s += number;                            // 1-3
  s += Padded(l.date, 8);                 // 4-11
  s += Padded(l.default_file_no, 2);      // 12-13
  s += l.point_type;                      // 14
  s += l.alt_point_type;                  // 15
  s += l.lane_adj_kind;                   // 16
  s += Padded(l.lane_adj_file_no, 2);     // 17-18
  s += Padded(l.tariff_name, 8);          // 19-26
  s += Padded(l.index_file_no, 2);        // 27-28
  s += Padded(l.rate_file_no, 2);         // 29-30
  s += Padded(l.weight_type_file_no, 2);  // 31-32
  s += Padded(l.point_file_no, 2);        // 33-34
  s += Padded(l.exp_file_no, 2);          // 35-36
  s += Padded(l.factor_file_no, 2);       // 37-38
  s += Padded(l.version, 5);              // 39-43
  s += l.letter44;                        // 44
  s += l.point_file_mode;                 // 45
  s += l.weight_type_digit;               // 46
  s += l.jurisdiction;                    // 47
  s += l.tariff_kind;                     // 48
  s += std::string(19, ' ');              // 49-67
  s += l.index_format;                    // 68
  s += l.version_flag;                    // 69
  s += l.companion_point_type;            // 70
  s += Padded(l.companion_code, 2);       // 71-72
  s += l.addon_mode;                      // 73
  s += "\r\n";                            // 74-75
  return s;
}

std::string EfcrecFile(const std::vector<EfcrecLine>& lines) {
  std::string text;
  for (const EfcrecLine& l : lines) text += EfcrecLineText(l);
  return text;
}

}  // namespace testkit
