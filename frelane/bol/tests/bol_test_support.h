// The set-up the bill-of-lading tests share: a fresh data directory, a fresh program state,
// the form model with its headless driver, and small readers of what the code wrote.
#ifndef FRELANE_BOL_TESTS_BOL_TEST_SUPPORT_H_
#define FRELANE_BOL_TESTS_BOL_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <string>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_bol_open.h"
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

// The editor over empty address books and catalogue, with a bill typed as a user would.
class BolEditorTest : public BolTest {
 protected:
  void SetUp() override {
    BolTest::SetUp();
    for (const char* book : {"Shipper.dat", "Consigne.dat", "ThirdPty.dat", "Product.dat"}) {
      dir_.Write(book, std::string_view());
    }
  }

  frmBOL& Editor() {
    frmBOL& form = app_.Get<frmBOL>();
    form.Show();
    return form;
  }

  // A bill that passes every check, typed into page 1 as a user would.
  void TypeValidBill(frmBOL& f, const std::string& number) {
    user_.TypeInto(f.txtBOL, number);
    user_.TypeInto(f.txtShipmentDate, "12/08/2026");
    user_.TypeInto(f.cboShipperName, "Maple Row Millworks");
    user_.TypeInto(f.txtShipperAddress, "14 Sawmill Rd");
    user_.TypeInto(f.txtShipperCity, "Harlow");
    user_.TypeInto(f.txtShipperState, "wi");
    user_.TypeInto(f.txtShipperZipCode, "53701");
    user_.TypeInto(f.cboConsigneeName, "Cedar Point Glass");
    user_.TypeInto(f.txtConsigneeAddress, "700 Kiln Ave");
    user_.TypeInto(f.txtConsigneeCity, "Ostrow");
    user_.TypeInto(f.txtConsigneeState, "OH");
    user_.TypeInto(f.txtConsigneeZipCode, "44101");
    user_.Click(f.optFreightChargesPaidBy(0));
  }

  void OpenFromDialog(frmBOL& f, const std::string& name) {
    user_.WhenShown("frmBOLOpen", [this, name] {
      frmBOLOpen& open = app_.Get<frmBOLOpen>();
      open.File1.SetFileName(name);
      user_.Click(open.btnOK);
    });
    user_.MenuClick(f.mnuFileOpenBOL);
  }
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
