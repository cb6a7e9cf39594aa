// The lifecycle, error and table exports of the built libTolv32.so, called as a caller
// calls them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "testkit/effective/efcrec_writer.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"

namespace {

// A data directory whose listing has `tariffs` rows.
void WriteDataSet(const testkit::TempDir& dir, int tariffs) {
  std::vector<testkit::EfcrecLine> lines;
  for (int i = 0; i < tariffs; ++i) {
    testkit::EfcrecLine line;
    line.tariff_kind = 'N';
    line.tariff_name = "TESTLT" + std::to_string(10 + i);
    lines.push_back(line);
  }
  dir.Write("EFCREC.TBL", testkit::EfcrecFile(lines));
  dir.Write("TDS.SEQ", "");  // no select lines and no areas: enough to open
  dir.Write("TDA.SEQ", "");
}

class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override { ::unsetenv("TOLVDATA"); }
  void TearDown() override {
    Tolv_EndTolv();
    ::unsetenv("TOLVDATA");
  }
  testkit::TempDir data_;
};

TEST_F(ExportsTest, EachThreadHasItsOwnEngine) {
  testkit::TempDir one, two;
  WriteDataSet(one, 1);
  WriteDataSet(two, 2);
  int16_t size_one = 0, size_two = 0, size_one_late = 0;
  TolvHandle handle_one = nullptr, handle_two = nullptr;
  std::thread a([&] {
    handle_one = Tolv_InitializeTolvEx(one.path().c_str());
    size_one = Tolv_GetEffectiveTableSize();
    std::thread b([&] {
      EXPECT_EQ(Tolv_GetEffectiveTableSize(), -1) << "a new thread starts without engine";
      handle_two = Tolv_InitializeTolvEx(two.path().c_str());
      size_two = Tolv_GetEffectiveTableSize();
      EXPECT_EQ(Tolv_EndTolv(), 0);
    });
    b.join();
    size_one_late = Tolv_GetEffectiveTableSize();
    EXPECT_EQ(Tolv_EndTolv(), 0);
  });
  a.join();
  EXPECT_NE(handle_one, nullptr);
  EXPECT_NE(handle_two, nullptr);
  EXPECT_NE(handle_one, handle_two);
  EXPECT_EQ(size_one, 1);
  EXPECT_EQ(size_two, 2);
  EXPECT_EQ(size_one_late, 1) << "the other thread's end left this engine alone";
  EXPECT_EQ(Tolv_GetEffectiveTableSize(), -1) << "the test's own thread has none";
}

TEST_F(ExportsTest, MissingTableGives203AndLeavesNoEngine) {
  EXPECT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 203);
  EXPECT_EQ(Tolv_EndTolv(), -1);
  EXPECT_EQ(Tolv_InitializeTolvEx(data_.path().c_str()), nullptr);
  EXPECT_EQ(Tolv_EndTolvEx(nullptr), -1);
  // A working engine is lost too when a later initialisation fails.
  WriteDataSet(data_, 1);
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  testkit::TempDir empty;
  EXPECT_EQ(Tolv_InitializeTolv(empty.path().c_str()), 203);
  EXPECT_EQ(Tolv_EndTolv(), -1);
}



TEST_F(ExportsTest, SetTolvdataNeedsAnEngineAndAPathThatFits) {
  EXPECT_EQ(Tolv_Set_Tolvdata(data_.path().c_str()), 0);
  WriteDataSet(data_, 1);
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  EXPECT_EQ(Tolv_Set_Tolvdata(data_.path().c_str()), 1);
  EXPECT_EQ(Tolv_Set_TolvdataEx(reinterpret_cast<TolvHandle>(0x1234), data_.path().c_str()), 1)
      << "the handle is ignored";
  EXPECT_EQ(Tolv_Set_Tolvdata(nullptr), 0);
  EXPECT_EQ(Tolv_Set_Tolvdata(std::string(5000, 'x').c_str()), 0);
}


TEST_F(ExportsTest, ErrorStringNeedsAnEngine) {
  char record[TOLV32_ERROR_STRING_RECORD_SIZE];
  std::memcpy(record, "0216", 4);
  EXPECT_EQ(Tolv_GetErrorString(record), nullptr);
  WriteDataSet(data_, 1);
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  EXPECT_EQ(Tolv_GetErrorString(record), record);
  EXPECT_STREQ(record + 4, "Origin Not in Tariff   ");
  std::memcpy(record, "0512", 4);
  EXPECT_EQ(Tolv_GetErrorStringEx(nullptr, record), record);
  EXPECT_STREQ(record + 4, "Inval Weight - Dtl Rec #-12");
  EXPECT_EQ(Tolv_GetErrorString(nullptr), nullptr);
}

TEST_F(ExportsTest, MexicanStateNeedsNoTables) {
  WriteDataSet(data_, 1);
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  char state[2] = {' ', ' '};
  EXPECT_EQ(Tolv_GetState(state, "12345M"), state);
  EXPECT_EQ(std::string(state, 2), "MX");
  EXPECT_EQ(Tolv_GetState(state, nullptr), nullptr);
  EXPECT_EQ(Tolv_GetState(nullptr, "12345M"), nullptr);
}

// What a notify callback saw of the calls it made back into the library.
struct CallsFromInside {
  std::string data_dir;
  int notified = 0;
  int32_t end = -2;
  int16_t size = -2;
  std::string rating_status;
  int32_t initialised = -2;
};

void EndFromInside(intptr_t user_value, uint8_t* /*message*/) {
  auto* inside = reinterpret_cast<CallsFromInside*>(user_value);
  ++inside->notified;
  inside->end = Tolv_EndTolv();
  inside->size = Tolv_GetEffectiveTableSize();
  char record[TOLV32_SHIPMENT_RECORD_SIZE];
  std::memset(record, ' ', sizeof record);
  Tolv_RateShipment(record);
  inside->rating_status.assign(record + 3, 4);
  inside->initialised = Tolv_InitializeTolv(inside->data_dir.c_str());
}

// The callback runs inside the call that notified it: an end asked for there waits until
// that call returns, and the engine is busy for every other call meanwhile.
TEST_F(ExportsTest, ANotifyCallbackEndsTheEngineOnlyOnceTheCallThatNotifiedReturns) {
  WriteDataSet(data_, 3);
  CallsFromInside inside;
  inside.data_dir = data_.path();
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  Tolv_SetNotifyCallback(reinterpret_cast<intptr_t>(&inside), &EndFromInside);
  EXPECT_EQ(Tolv_GetEffectiveTableSize(), 3) << "the listing in hand completes";
  EXPECT_EQ(inside.notified, 1);
  EXPECT_EQ(inside.end, 0);
  EXPECT_EQ(inside.size, -1);
  EXPECT_EQ(inside.rating_status, "0203");
  EXPECT_EQ(inside.initialised, 203) << "no new engine under the busy one";
  EXPECT_EQ(Tolv_EndTolv(), -1) << "ended as the listing returned";

  // The same from inside a rating, which looks at the table before it chooses a tariff.
  inside = CallsFromInside();
  inside.data_dir = data_.path();
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  Tolv_SetNotifyCallback(reinterpret_cast<intptr_t>(&inside), &EndFromInside);
  char record[TOLV32_SHIPMENT_RECORD_SIZE];
  std::memset(record, ' ', sizeof record);
  Tolv_RateShipment(record);
  EXPECT_EQ(inside.notified, 1);
  EXPECT_EQ(inside.end, 0);
  EXPECT_EQ(inside.rating_status, "0203");
  EXPECT_NE(std::string(record + 3, 4), "0203") << "the outer rating ran on its engine";
  EXPECT_EQ(Tolv_EndTolv(), -1);
}

TEST_F(ExportsTest, EffectiveLockIsHeldPerEngine) {
  WriteDataSet(data_, 1);
  EXPECT_EQ(Tolv_LockEffective(), 0) << "no engine";
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  EXPECT_EQ(Tolv_UnlockEffective(), 0) << "not held";
  EXPECT_EQ(Tolv_LockEffective(), 1);
  EXPECT_EQ(Tolv_LockEffective(), 1) << "the owner takes it again";
  EXPECT_EQ(Tolv_GetEffectiveTableSize(), 1) << "the engine's own access does not block";
  EXPECT_EQ(Tolv_UnlockEffective(), 1);
  // Ending the engine gives back the hold it still has.
  EXPECT_EQ(Tolv_EndTolv(), 0);
  int32_t other_thread = -1;
  std::thread([&] {
    Tolv_InitializeTolv(data_.path().c_str());
    other_thread = Tolv_LockEffective();
    Tolv_UnlockEffective();
    Tolv_EndTolv();
  }).join();
  EXPECT_EQ(other_thread, 1);
}

TEST_F(ExportsTest, AThreadThatEndsWithoutEndingItsEngineGivesItsLockBack) {
  WriteDataSet(data_, 1);
  std::thread([&] {
    ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
    ASSERT_EQ(Tolv_LockEffective(), 1);
  }).join();
  // Without the thread's end the lock would stay held for an hour.
  ASSERT_EQ(Tolv_InitializeTolv(data_.path().c_str()), 0);
  EXPECT_EQ(Tolv_LockEffective(), 1);
  EXPECT_EQ(Tolv_UnlockEffective(), 1);
}

}  // namespace
