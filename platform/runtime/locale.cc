#include "platform/runtime/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <atomic>

namespace runtime {
namespace {

std::atomic<char> decimal_char{'.'};
std::atomic<char> thousands_char{','};

}  // namespace

NumberLocale CurrentLocale() { return {decimal_char.load(), thousands_char.load()}; }

void SetCurrentLocale(NumberLocale locale) {
  decimal_char = locale.decimal;
  thousands_char = locale.thousands;
}

NumberLocale SystemLocale() {
  NumberLocale result;
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return result;
  const char* radix = nl_langinfo_l(RADIXCHAR, loc);
  const char* sep = nl_langinfo_l(THOUSEP, loc);
  // Multi-byte separators (a narrow no-break space) are read as the one the text can hold.
  if (radix != nullptr && (radix[0] == '.' || radix[0] == ',')) result.decimal = radix[0];
  if (sep != nullptr && sep[0] != '\0' && static_cast<unsigned char>(sep[0]) < 0x80) {
    result.thousands = sep[0];
  } else {
    result.thousands = result.decimal == ',' ? '.' : ',';
  }
  if (result.thousands == result.decimal) result.thousands = result.decimal == ',' ? '.' : ',';
  freelocale(loc);
  return result;
}

}  // namespace runtime
