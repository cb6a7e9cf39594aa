// Linked into the test programs that run once more under the locales a user may have set:
// with FRELANE_TEST_LOCALE set, the program takes that locale from the environment (LC_ALL),
// as the desktop program does before it loads the engine, and checks that it got it.
// A machine without that locale skips every test with a message, rather than passing
// them in the C locale.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

class LocaleFromEnvironment : public ::testing::Environment {
 public:
  explicit LocaleFromEnvironment(std::string wanted) : wanted_(std::move(wanted)) {}
  void SetUp() override {
    // As a user's session names it; the program then takes it from the environment.
    ::setenv("LC_ALL", wanted_.c_str(), 1);
    const char* got = std::setlocale(LC_ALL, "");
    if (got == nullptr || wanted_ != got) {
      GTEST_SKIP() << "LOCALE " << wanted_ << " IS NOT INSTALLED: these tests did not run "
                   << "(scripts/install-deps.sh generates it)";
    }
  }

 private:
  std::string wanted_;
};

const bool kLocaleTaken = [] {
  if (const char* wanted = std::getenv("FRELANE_TEST_LOCALE")) {
    ::testing::AddGlobalTestEnvironment(new LocaleFromEnvironment(wanted));
  }
  return true;
}();

}  // namespace
