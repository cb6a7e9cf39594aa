// libFuzzer entry: a valid shipment of the test tariff with the fuzzer's bytes laid over
// it. Byte 0 picks the shipment and the call (with or without a candidate list and its
// capacity); the rest overwrite the record from its header on. The engine must answer
// every record with a rating or an error status and never read or write out of bounds.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "testkit/driver/shipment_request.h"
#include "testkit/driver/test_tariff.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/driver/rate_driver.h"
#include "tolv32dll/engine/initialize.h"

namespace {

struct Harness {
  Harness() {
    testkit::WriteTestTariff(data);
    if (tolv::InitializeEngine(engine, data.path().c_str()) != tolv::kOk) std::abort();
    testkit::ShipmentRequest q;
    q.tariff_name = "TESTTR01";
    q.lines = {{"100", "600"}};
    seeds.push_back(testkit::ShipmentRequestBytes(q));
    q.lines = {{"100", "300"}, {"50", "150"}, {"200", "2000"}};
    q.discount_switch = 'Y';
    q.block_a = {"0500 ", "1000 ", "2500 ", " 9999", "3000 "};
    seeds.push_back(testkit::ShipmentRequestBytes(q));
    q.discount_kind = 'R';
    q.adjustment_factor = "12500";
    seeds.push_back(testkit::ShipmentRequestBytes(q));
  }
  testkit::TempDir data;
  tolv::RatingEngine engine;
  std::vector<std::array<std::uint8_t, 2160>> seeds;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Built once; destroyed at exit, which removes its data directory.
  static Harness harness;
  if (size == 0) return 0;
  std::array<std::uint8_t, 2160> record = harness.seeds[data[0] % harness.seeds.size()];
  const std::size_t n = std::min(size - 1, record.size() - 1);
  std::memcpy(record.data() + 1, data + 1, n);

  std::vector<std::uint8_t> list;
  if (data[0] & 0x80) {
    const std::int32_t capacity = (data[0] >> 2) & 0x1f;
    list.assign(14 + static_cast<std::size_t>(capacity), 0);
    std::memcpy(list.data(), &capacity, 4);
    harness.engine.candidate_list = list.data();
  }
  tolv::RateShipmentRecord(harness.engine, record.data());
  harness.engine.candidate_list = nullptr;
  // A blank status or four digits: nothing else may come back.
  const bool blank = std::memcmp(record.data() + 3, "    ", 4) == 0;
  for (int i = 3; i < 7; ++i) {
    if (!blank && (record[i] < '0' || record[i] > '9')) std::abort();
  }
  return 0;
}
