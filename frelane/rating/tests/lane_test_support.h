// What the lane tests share: a fresh program state on a data directory of their own, and
// the request's points and states set as the point boxes set them.
#ifndef FRELANE_RATING_TESTS_LANE_TEST_SUPPORT_H_
#define FRELANE_RATING_TESTS_LANE_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/lookup_files.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"

namespace frelane::testing {

class LaneTest : public ::testing::Test {
 protected:
  LaneTest() : user_(app_) {}
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = modMain::LaneState();
    lookup::ForgetReports();
    modMain::Get().data_directory = dir_.path();
  }
  void TearDown() override {
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  // The points as the record holds them, and their states.
  void SetLane(const std::string& origin, const std::string& destination,
               const std::string& origin_state = "", const std::string& destination_state = "") {
    os::RecordView h = modTolvDeclares32::ShipmentRecord().header();
    h.SetText(tolv::shipment_header::kOriginZip, origin);
    h.SetText(tolv::shipment_header::kDestinationZip, destination);
    modMain::Lane().OriginState = origin_state;
    modMain::Lane().DestinationState = destination_state;
  }
  std::string HeaderRaw(const os::Field& field) const {
    return std::as_const(modTolvDeclares32::ShipmentRecord()).header().Raw(field);
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

}  // namespace frelane::testing

#endif  // FRELANE_RATING_TESTS_LANE_TEST_SUPPORT_H_
