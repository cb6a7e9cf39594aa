// The number conventions of the user's locale: the decimal and thousands characters. The
// program reads them once at start-up; tests set them to run in "." and "," locales.
#ifndef FRELANE_PLATFORM_RUNTIME_LOCALE_H_
#define FRELANE_PLATFORM_RUNTIME_LOCALE_H_

namespace runtime {

struct NumberLocale {
  char decimal = '.';
  char thousands = ',';
};

// The locale in use by Format, CStr, IsNumeric and CDbl. Starts as "." and ",".
NumberLocale CurrentLocale();
void SetCurrentLocale(NumberLocale locale);
// The conventions of the environment's locale (LC_NUMERIC / LANG), without changing the
// process's C locale.
NumberLocale SystemLocale();

// Sets the locale for a scope (tests).
class ScopedLocale {
 public:
  explicit ScopedLocale(NumberLocale locale) : saved_(CurrentLocale()) { SetCurrentLocale(locale); }
  ~ScopedLocale() { SetCurrentLocale(saved_); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  NumberLocale saved_;
};

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_LOCALE_H_
