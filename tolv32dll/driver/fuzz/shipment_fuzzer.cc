// libFuzzer entry: a valid shipment of the test tariff or of the sample data set with the
// fuzzer's bytes laid over it. Byte 0 picks the data set, the shipment and the call (with
// or without a candidate list and its capacity); the rest overwrite the record from its
// header on. The engine must answer every record with a rating or an error status and
// never read or write out of bounds.
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

using testkit::LaneRequest;
using Record = std::array<std::uint8_t, 2160>;

// An engine on its own copy of a data set (a request may rebuild the candidate-list file
// in it), with valid shipments to lay the fuzzer's bytes over.
struct DataSet {
  explicit DataSet(bool sample) {
    if (sample) {
      dir.CopyFilesOf(FRELANE_SAMPLE_DIR);
    } else {
      testkit::WriteTestTariff(dir);
    }
    if (tolv::InitializeEngine(engine, dir.path().c_str()) != tolv::kOk) std::abort();

    std::vector<testkit::ShipmentRequest> q;
    if (sample) {
      q.push_back(
          LaneRequest("", "15010", "60601", {{"100", "1200"}, {"70", "450"}, {"250", "80"}}));
      q.push_back(LaneRequest("", "90210", "K1A0B1", {{"100", "1200"}}));
      q.push_back(LaneRequest("QFLC0001", "44120", "M5V2T6", {{"150", "300"}, {"92", "150"}}));
      q.push_back(LaneRequest("", "15021", "44190", {{"92", "150"}}));
      q.back().destination_city = "BRINDLE";
      q.push_back(LaneRequest("ZIPRNG01", "60601", "25010", {{"150", "300"}}));
      for (auto& request : q) request.ship_date = "12/05/2026";
    } else {
      q.push_back(LaneRequest("TESTTR01", "15000", "25000", {{"100", "600"}}));
      q.push_back(LaneRequest("TESTTR01", "15000", "25000",
                              {{"100", "300"}, {"50", "150"}, {"200", "2000"}}));
      q.push_back(q.back());
      q.back().discount_kind = 'R';
      q.back().adjustment_factor = "12500";
    }
    q.front().discount_switch = q.back().discount_switch = 'Y';
    q.front().block_a = q.back().block_a = {"0500 ", "1000 ", "2500 ", " 9999", "3000 "};
    for (const auto& request : q) seeds.push_back(testkit::ShipmentRequestBytes(request));
  }

  testkit::TempDir dir;
  tolv::RatingEngine engine;
  std::vector<Record> seeds;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Built once; destroyed at exit, which removes their directories.
  static DataSet test_tariff(false);
  static DataSet sample(true);
  if (size == 0) return 0;
  DataSet& set = data[0] & 0x40 ? sample : test_tariff;
  Record record = set.seeds[(data[0] & 0x3f) % set.seeds.size()];
  const std::size_t n = std::min(size - 1, record.size() - 1);
  std::memcpy(record.data() + 1, data + 1, n);

  std::vector<std::uint8_t> list;
  if (data[0] & 0x80) {
    const std::int32_t capacity = (data[0] >> 2) & 0x1f;
    list.assign(14 + static_cast<std::size_t>(capacity), 0);
    std::memcpy(list.data(), &capacity, 4);
  }
  tolv::RateShipmentRecord(set.engine, record.data(), list.empty() ? nullptr : list.data());
  // A blank status or four digits: nothing else may come back.
  const bool blank = std::memcmp(record.data() + 3, "    ", 4) == 0;
  for (int i = 3; i < 7; ++i) {
    if (!blank && (record[i] < '0' || record[i] > '9')) std::abort();
  }
  return 0;
}
