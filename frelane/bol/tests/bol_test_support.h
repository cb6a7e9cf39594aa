// The set-up the bill-of-lading tests share: a fresh data directory, a fresh program state,
// the form model with its headless driver, and small readers of what the code wrote.
#ifndef FRELANE_BOL_TESTS_BOL_TEST_SUPPORT_H_
#define FRELANE_BOL_TESTS_BOL_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <string>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/bol/bol_files.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane::testing {

class BolTest : public ::testing::Test {
 protected:
  BolTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modBOL::Reset();
    modMain::Get().data_directory = dir_.path();
    modMain::Settings().SetText(settings::kCompanyName, "  Example Freight  ");
  }
  void TearDown() override {
    bol::SetFileWriterForTesting(nullptr);
    modBOL::Reset();
    modMain::Reset();
  }

  void WriteFile(const std::string& name, const testkit::bol::Bytes& bytes) {
    dir_.Write(name, bytes);
  }
  std::string Read(const std::string& name) const { return testkit::ReadFile(dir_.File(name)); }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

// Bytes as the text Read gives back, to compare the two.
inline std::string AsText(const testkit::bol::Bytes& b) { return std::string(b.begin(), b.end()); }

// Three shippers of a fictional book: records 1 to 3.
inline testkit::bol::Bytes SampleShippers() {
  using testkit::bol::Party;
  using testkit::bol::PartyBytes;
  return testkit::bol::Concatenate({
      PartyBytes({"Maple Row Millworks", "14 Sawmill Rd", "Harlow", "Dane", "WI", "53701",
                  "608-555-0101", "S-100", 0}),
      PartyBytes({"birch Lane Foods", "9 Orchard St", "Tenley", "Polk", "IA", "50309",
                  "515-555-0177", "S-200", 0}),
      PartyBytes({"Cedar Point Glass", "700 Kiln Ave", "Ostrow", "Erie", "OH", "44101",
                  "216-555-0142", "S-300", 0}),
  });
}

}  // namespace frelane::testing

#endif  // FRELANE_BOL_TESTS_BOL_TEST_SUPPORT_H_
