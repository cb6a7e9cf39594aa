#include "testkit/driver/test_tariff.h"

#include "testkit/effective/efcrec_writer.h"
#include "testkit/points/point_files.h"
#include "testkit/rates/rate_files.h"
#include "testkit/tariff/factor_file_writer.h"

namespace testkit {

void WriteTestTariff(const TempDir& dir) {
  EfcrecLine line;
  line.tariff_number = 1;
  line.point_type = '0';
  line.tariff_name = "TESTTR01";
  line.version = "4.0";
  dir.Write("EFCREC.TBL", EfcrecFile({line}));
  dir.Write("TDS.SEQ", "");
  dir.Write("TDA.SEQ", "");

  CountLayoutFactors factors;
  factors.block_numbers = {1};
  factors.class_codes = {"50", "100", "200"};
  factors.weight_breaks = {0, 500, 1000};
  factors.rates = {{10000, 10000, 10000}};
  factors.second = {{10000, 10000, 10000}};
  dir.Write("TESTTR01.F01", CountLayoutFactorFile(factors));
  dir.Write("TESTTR01.P01", PointFile({{"10000", "19999", 1, 0}, {"20000", "29999", 2, 0}}));
  dir.Write("TESTTR01.I01", RateIndex16({std::nullopt, std::nullopt, 1, std::nullopt, 0, 1}));
  dir.Write("TESTTR01.R01",
            RateFile({{1, "  1234 ", {9500, 2000, 1600, 1200, 4000, 3200, 2400, 8000, 6400, 4800}},
                      {1, "   777 ", {9000, 1000, 900, 800, 2000, 1800, 1600, 4000, 3600, 3200}}},
                     526));
  dir.Write("TESTTR01.E01", "");
  dir.Write("TESTTR01.Z01", "");
}

}  // namespace testkit
