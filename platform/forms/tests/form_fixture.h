// A test with an application, the headless user and one form of class F.
#ifndef FRELANE_PLATFORM_FORMS_TESTS_FORM_FIXTURE_H_
#define FRELANE_PLATFORM_FORMS_TESTS_FORM_FIXTURE_H_

#include <gtest/gtest.h>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"

namespace forms {

template <typename F>
class FormTest : public ::testing::Test {
 protected:
  Application app;
  testing::HeadlessDriver user{app};
  F& form = app.Get<F>();
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_TESTS_FORM_FIXTURE_H_
