// An engine initialised on the small test tariff, rating requests built by the testkit.
#ifndef TOLV32DLL_DRIVER_TESTS_RATING_FIXTURE_H_
#define TOLV32DLL_DRIVER_TESTS_RATING_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>

#include "testkit/driver/shipment_request.h"
#include "testkit/driver/test_tariff.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {

class RatingTest : public ::testing::Test {
 public:
  // n characters at record offset at.
  static std::string At(const std::array<std::uint8_t, 2160>& r, std::size_t at, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(r.data() + at), n);
  }

 protected:
  void SetUp() override {
    testkit::WriteTestTariff(data_);
    ASSERT_EQ(kOk, InitializeEngine(engine_, data_.path().c_str()));
  }
  // Rates the request; the record as the caller sees it afterwards.
  std::array<std::uint8_t, 2160> Rate(const testkit::ShipmentRequest& q) {
    std::array<std::uint8_t, 2160> r = testkit::ShipmentRequestBytes(q);
    RateShipmentRecord(engine_, r.data());
    return r;
  }
  static std::string Status(const std::array<std::uint8_t, 2160>& r) { return At(r, 3, 4); }
  static std::int32_t I32(const std::array<std::uint8_t, 2160>& r, std::size_t at) {
    return static_cast<std::int32_t>(r[at] | (r[at + 1] << 8) | (r[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(r[at + 3]) << 24));
  }

  testkit::TempDir data_;
  RatingEngine engine_;
};

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_TESTS_RATING_FIXTURE_H_
