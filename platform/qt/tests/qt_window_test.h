// The base of a test that shows the program's forms as real Qt windows: an application
// whose desktop answers for the host's active window, and a private directory for its files.
#ifndef PLATFORM_QT_TESTS_QT_WINDOW_TEST_H_
#define PLATFORM_QT_TESTS_QT_WINDOW_TEST_H_

#include <gtest/gtest.h>

#include "platform/forms/application.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"
#include "testkit/temp_dir.h"

namespace qtbind {

class QtWindowTest : public ::testing::Test {
 protected:
  QtWindowTest() : host_(app_), desktop_([this] { return host_.ActiveWindow(); }) {
    app_.SetDesktop(&desktop_);
  }

  // Declared first so the windows are gone before their files are.
  testkit::TempDir dir_;
  forms::Application app_;
  QtHost host_;
  QtDesktop desktop_;
};

}  // namespace qtbind

#endif  // PLATFORM_QT_TESTS_QT_WINDOW_TEST_H_
