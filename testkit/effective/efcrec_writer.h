// Writer of EFCREC.TBL, the effective-date table: one line per tariff and date, 74
// characters and CR LF, fields at their fixed columns.
#ifndef TESTKIT_EFFECTIVE_EFCREC_WRITER_H_
#define TESTKIT_EFFECTIVE_EFCREC_WRITER_H_

#include <string>
#include <vector>

namespace testkit {

struct EfcrecLine {
  char record_letter = 'B';
  int tariff_number = 100;
  std::string date = "20240101";  // ccyymmdd
  std::string default_file_no = "01";
  char point_type = 'E';
  char alt_point_type = ' ';
  char lane_adj_kind = ' ';
  std::string lane_adj_file_no = "00";
  std::string tariff_name = "ABCD0001";
  std::string index_file_no = "01";
  std::string rate_file_no = "01";
  std::string weight_type_file_no = "01";
  std::string point_file_no = "01";
  std::string exp_file_no = "01";
  std::string factor_file_no = "01";
  std::string version = "4.18";
  char letter44 = ' ';
  char point_file_mode = ' ';
  char weight_type_digit = ' ';
  char jurisdiction = 'N';
  char tariff_kind = 'Y';
  char index_format = ' ';
  char version_flag = ' ';
  char companion_point_type = ' ';
  std::string companion_code = "00";
  char addon_mode = 'N';
};

// The 76 bytes of one line, CR LF included.
std::string EfcrecLineText(const EfcrecLine& line);
std::string EfcrecFile(const std::vector<EfcrecLine>& lines);

}  // namespace testkit

#endif  // TESTKIT_EFFECTIVE_EFCREC_WRITER_H_
