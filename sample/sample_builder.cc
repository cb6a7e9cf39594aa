// Builds the sample data set of a fictional carrier into an installation directory.
// Usage: frelane_sample_builder <sample source dir> <installation dir>
//
// Each area of the data set is one function below; text files of sample/files/ are copied
// as they stand, and binary files are written by the testkit writers from the readable
// tables of sample/.
#include <cstdio>
#include <filesystem>
#include <string>

#include "sample/app_files.h"
#include "sample/bol_files.h"
#include "sample/geo_files.h"
#include "sample/lane_files.h"
#include "sample/outputs_files.h"
#include "sample/lookup_files.h"
#include "sample/package_files.h"
#include "sample/quote_files.h"
#include "sample/tariff_files.h"
#include "sample/screen_files.h"
#include "sample/rating_files.h"
#include "sample/ratesheet_files.h"
#include "sample/zip_table_files.h"

namespace {

// Copies every file of sample/files/ into the installation directory.
bool CopyVerbatimFiles(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::filesystem::path files = source / "files";
  if (!std::filesystem::exists(files)) return true;
  std::error_code error;
  std::filesystem::copy(files, target,
                        std::filesystem::copy_options::recursive |
                            std::filesystem::copy_options::overwrite_existing,
                        error);
  if (error) {
    std::fprintf(stderr, "copying %s: %s\n", files.c_str(), error.message().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <sample dir> <installation dir>\n", argv[0]);
    return 2;
  }
  std::filesystem::path source = argv[1];
  std::filesystem::path target = argv[2];
  std::filesystem::create_directories(target);
  if (!CopyVerbatimFiles(source, target)) return 1;
  if (!sample::BuildAppFiles(source, target)) return 1;
  if (!sample::BuildGeoFiles(source, target)) return 1;
  if (!sample::BuildTariffFiles(source, target)) return 1;
  if (!sample::BuildScreenFiles(source, target)) return 1;
  if (!sample::BuildRatingFiles(source, target)) return 1;
  if (!sample::BuildPackageFiles(source, target)) return 1;
  if (!sample::BuildLaneFiles(source, target)) return 1;
  if (!sample::BuildZipTableFiles(source, target)) return 1;
  if (!sample::BuildBolFiles(target)) return 1;
  if (!sample::BuildQuoteFiles(source, target)) return 1;
  if (!sample::BuildLookupFiles(source, target)) return 1;
  if (!sample::BuildRateSheetFiles(source, target)) return 1;
  if (!sample::BuildOutputsFiles(source, target)) return 1;
  return 0;
}
