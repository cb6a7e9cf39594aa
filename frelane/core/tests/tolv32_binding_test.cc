#include "frelane/core/tolv32_binding.h"

#include <gtest/gtest.h>

#include <array>

#include "testkit/temp_dir.h"

namespace frelane {
namespace {

TEST(Tolv32BindingTest, MissingLibraryIsARunTimeErrorOfEveryCall) {
  testkit::TempDir dir;
  Tolv32Binding engine(dir.path());
  EXPECT_EQ(engine.library_path(), dir.path() + "libTolv32.so");
  EngineOutcome init = engine.Tolv_InitializeTolv(dir.path());
  ASSERT_FALSE(init.ok());
  EXPECT_EQ(init.error->number, 53);
  EXPECT_NE(init.error->Message().find("Error # 53 occurred.\r\nFile not found"),
            std::string::npos);
  std::array<std::uint8_t, kShipmentRecordSize> record{};
  EXPECT_FALSE(engine.Tolv_RateShipment(record).ok());
  EXPECT_FALSE(engine.Tolv_EndTolv().ok());
}

TEST(Tolv32BindingTest, CallsAreBoundByNameAndAMissingOneIsReported) {
  Tolv32Binding engine(FRELANE_PARTIAL_ENGINE_DIR);  // no trailing "/"
  EngineOutcome init = engine.Tolv_InitializeTolv("/data/dir/");
  ASSERT_TRUE(init.ok()) << init.error->Message();
  EXPECT_EQ(init.value, 10);

  std::array<std::uint8_t, kShipmentRecordSize> record{};
  EngineOutcome rate = engine.Tolv_RateShipment(record);
  ASSERT_FALSE(rate.ok());
  EXPECT_EQ(rate.error->number, 453);
  EXPECT_EQ(rate.error->description, "Can't find DLL entry point Tolv_RateShipment in libTolv32.so");
  // The library stays loaded and the calls it has keep working.
  EXPECT_TRUE(engine.Tolv_EndTolv().ok());
  EXPECT_EQ(engine.Tolv_InitializeTolv("abc").value, 3);
}

#ifdef FRELANE_ENGINE_DIR
TEST(Tolv32BindingTest, RealEngineAnswersThroughTheBinding) {
  testkit::TempDir data;  // no EFCREC.TBL: the engine cannot open its data set
  Tolv32Binding engine(FRELANE_ENGINE_DIR);
  EngineOutcome init = engine.Tolv_InitializeTolv(data.path());
  ASSERT_TRUE(init.ok()) << init.error->Message();
  EXPECT_EQ(init.value, 203);
  EXPECT_EQ(engine.Tolv_EndTolv().value, -1);  // the failed start left no engine
}
#endif

}  // namespace
}  // namespace frelane
