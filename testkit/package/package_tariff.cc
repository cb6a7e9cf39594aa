#include "testkit/package/package_tariff.h"

#include "testkit/effective/efcrec_writer.h"
#include "testkit/points/point_files.h"

namespace testkit {

PackageTariff::PackageTariff() {
  rows = {{'1', "OUR", ""}, {'2', "DPS", ""}, {'3', "", "123"}};
  FactorBlock services;
  services.class_codes = {"GND"};
  services.weight_breaks = {1, 2, 3};
  services.number = 1;
  services.rates = {{0, 0, 0}};
  FactorBlock express = services;
  express.class_codes = {"E1A"};
  express.weight_breaks = {100, 500, 1000};
  express.number = 2;
  FactorBlock ground = express;
  ground.class_codes = {"GND"};
  ground.number = 3;
  blocks = {services, express, ground};
  zone.price_base = 12;
  zone.least_cwt_weight = 200;
  for (std::uint32_t w = 0; w <= 150; ++w) zone.prices.push_back(1000 + 5 * w);
  hundredweight.tier_base = 20;
  hundredweight.minimum_weight = 100;
  hundredweight.tier_rows = {0, 2000, 1800, 1500};
}

void WritePackageTariff(const TempDir& dir, const PackageTariff& tariff) {
  EfcrecLine package;
  package.tariff_number = 500;
  package.point_type = '0';
  package.tariff_name = "PKGT0001";
  package.tariff_kind = 'P';
  package.version = "4.0";
  EfcrecLine general = package;
  general.tariff_number = 1;
  general.tariff_name = "GENT0001";
  general.tariff_kind = 'N';
  dir.Write("EFCREC.TBL", EfcrecFile({general, package}));
  dir.Write("TDS.SEQ", "");
  dir.Write("TDA.SEQ", "");

  for (const char* name : {"PKGT0001", "GENT0001"}) {
    dir.Write(TariffFileName(name, ".T", "01"), PackageRecordFile(tariff.rows));
    dir.Write(TariffFileName(name, ".F", "01"), BlockLayoutFactorFile(tariff.blocks));
    dir.Write(TariffFileName(name, ".P", "01"),
              PointFile({{"15000", "15999", 0, 0}, {"43000", "43999", 1, 0}}));
    dir.Write(TariffFileName(name, ".I", "01"), RateIndex16({std::nullopt, 1}));
    std::vector<RateRow> records = {PackageHeaderRow(tariff.header, "  0005 "),
                                    PackageZoneRow(tariff.zone, "  0004 "),
                                    PackageHundredweightRow(tariff.hundredweight, "  0005 ")};
    records.insert(records.end(), tariff.more_records.begin(), tariff.more_records.end());
    dir.Write(TariffFileName(name, ".R", "01"), RateFile(records, 526));
    if (tariff.service_default != 0) {
      dir.Write(TariffFileName(name, ".D", "01"),
                DirectIndirectFile(tariff.service_default, tariff.service_ranges));
    }
  }
}

}  // namespace testkit
