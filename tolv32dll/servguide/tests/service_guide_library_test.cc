// The binding of the service-guide library and each thread's initialisation of it,
// against the stub library loaded for real from its build directory.
#include <gtest/gtest.h>

#include <string>

#include "testkit/draymap_stub/stub_script.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/servguide/service_guide_thread.h"

namespace tolv {
namespace {

namespace ir = service_guide_init_record;

class BindingTest : public ::testing::Test {
 protected:
  // Binds library from a settings file holding text.
  ErrorNumber BindWith(ServiceGuideLibrary& library, const std::string& text) {
    settings_.Write("vdx_cvdll.ini", text);
    return library.Bind(settings_.File("vdx_cvdll.ini"));
  }
  testkit::TempDir settings_;
  testkit::DraymapScript script_;
};

TEST_F(BindingTest, NoDirectoryOrNoLibraryLeavesItUnavailable) {
  ServiceGuideLibrary library;
  EXPECT_EQ(kErrServiceGuideUnavailable, library.Bind(settings_.File("vdx_cvdll.ini")));
  EXPECT_EQ('N', library.flag());
  EXPECT_EQ(kErrServiceGuideUnavailable, BindWith(library, "[Product]\r\nOther=x\r\n"));
  EXPECT_EQ(kErrServiceGuideUnavailable, BindWith(library, "[Product]\r\nPath=NOT FOUND\r\n"));
  testkit::TempDir empty;
  EXPECT_EQ(kErrServiceGuideUnavailable, BindWith(library, testkit::DraymapSettings(empty.path())));
  // A directory too long for the engine is not cut into a shorter one.
  EXPECT_EQ(kErrServiceGuideUnavailable,
            BindWith(library, testkit::DraymapSettings(std::string(DRAYMAP_STUB_DIR) + "/" +
                                                       std::string(300, 'x'))));
  EXPECT_EQ('N', library.flag());
  EXPECT_FALSE(library.entry_points().complete());
}

TEST_F(BindingTest, AMissingEntryPointLeavesItUnavailable) {
  ServiceGuideLibrary library;
  EXPECT_EQ(kErrServiceGuideEntryPoint,
            BindWith(library, testkit::DraymapSettings(DRAYMAP_STUB_PARTIAL_DIR)));
  EXPECT_EQ('N', library.flag());
  EXPECT_FALSE(library.entry_points().complete());
  ServiceGuideThread thread;
  ServiceGuideBinding engine;
  EXPECT_FALSE(AttachServiceGuide(library, thread, engine));
  EXPECT_TRUE(script_.Calls().empty());
}

TEST_F(BindingTest, BoundLibraryIsInitialisedOncePerThreadAndTerminatedAtItsEnd) {
  ServiceGuideLibrary library;
  // Windows-style separators and a trailing one are accepted.
  std::string dir = DRAYMAP_STUB_DIR;
  ASSERT_EQ(kOk, BindWith(library, "[product]\r\npath=" + dir + "\\\r\n"));
  EXPECT_EQ('Y', library.flag());
  {
    ServiceGuideThread thread;
    ServiceGuideBinding first;
    EXPECT_TRUE(AttachServiceGuide(library, thread, first));
    EXPECT_TRUE(thread.initialised());
    EXPECT_TRUE(first.entry_points.complete());
    // The record holds the directory text at 17 and what the library filled in.
    const std::string shown(reinterpret_cast<const char*>(first.init_record.data() + 17),
                            dir.size() + 1);
    EXPECT_EQ(dir + "\\", shown);
    EXPECT_EQ(0, first.init_record[17 + dir.size() + 1]);
    EXPECT_EQ(0, first.init_record[0]);
    EXPECT_EQ("STUB-READY", std::string(reinterpret_cast<const char*>(
                                            first.init_record.data() + 300), 10));
    ASSERT_EQ(1u, script_.Calls("ServGd_Initialize").size());
    EXPECT_EQ("ServGd_Initialize|" + std::string(22, '.') + "|" + dir + "\\",
              script_.Calls("ServGd_Initialize")[0]);

    // A later engine of the same thread gets the calls and the record without a second
    // initialisation.
    ServiceGuideBinding second;
    EXPECT_TRUE(AttachServiceGuide(library, thread, second));
    EXPECT_TRUE(second.entry_points.complete());
    EXPECT_EQ(first.init_record, second.init_record);
    EXPECT_EQ(1u, script_.Calls("ServGd_Initialize").size());
    EXPECT_TRUE(script_.Calls("ServGd_Terminate").empty());
  }
  EXPECT_EQ(1u, script_.Calls("ServGd_Terminate").size());
  {
    ServiceGuideThread never_attached;
  }
  EXPECT_EQ(1u, script_.Calls("ServGd_Terminate").size());
}

TEST_F(BindingTest, RefusedInitialisationMakesItUnavailableToEveryThread) {
  ServiceGuideLibrary library;
  ASSERT_EQ(kOk, BindWith(library, testkit::DraymapSettings(DRAYMAP_STUB_DIR)));
  testkit::DraymapAnswers refuse;
  refuse.initialize = false;
  script_.Answer(refuse);
  {
    ServiceGuideThread one, two;
    ServiceGuideBinding engine_one, engine_two;
    EXPECT_FALSE(AttachServiceGuide(library, one, engine_one));
    EXPECT_EQ('N', library.flag());
    EXPECT_FALSE(engine_one.entry_points.complete());
    EXPECT_FALSE(AttachServiceGuide(library, two, engine_two));
    EXPECT_FALSE(engine_two.entry_points.complete());
  }
  EXPECT_EQ(1u, script_.Calls("ServGd_Initialize").size());
  EXPECT_TRUE(script_.Calls("ServGd_Terminate").empty());
}

}  // namespace
}  // namespace tolv
