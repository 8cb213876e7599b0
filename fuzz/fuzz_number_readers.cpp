// The atof- and atoi-style readers against the C library's own, in the C locale.
#include <locale.h>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/number_text.h"

namespace {

const locale_t kCLocale = newlocale(LC_ALL_MASK, "C", locale_t{});

// strtod reads what ReadDouble leaves alone on purpose: infinities, NaNs and hex numbers.
bool StrtodReadsMore(const std::string& text) {
  std::size_t p = text.find_first_not_of(" \t\n\v\f\r");
  if (p == std::string::npos) return false;
  if (text[p] == '+' || text[p] == '-') ++p;
  if (p >= text.size()) return false;
  const char c = static_cast<char>(text[p] | 0x20);
  return c == 'i' || c == 'n' || (text[p] == '0' && p + 1 < text.size() && (text[p + 1] | 0x20) == 'x');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string terminated = text.substr(0, text.find('\0'));

  const double read = zento::ReadDouble(text);
  if (std::isnan(read)) std::abort();
  if (!StrtodReadsMore(terminated)) {
    const double expected = strtod_l(terminated.c_str(), nullptr, kCLocale);
    if (read != expected) std::abort();
  }

  const long expectedInt = strtol_l(terminated.c_str(), nullptr, 10, kCLocale);
  const long clamped = expectedInt > INT32_MAX ? INT32_MAX : expectedInt < INT32_MIN ? INT32_MIN : expectedInt;
  if (zento::ReadInt(text) != clamped) std::abort();

  if (const auto whole = zento::ParseWholeDouble(text)) {
    if (std::isnan(*whole) || *whole != zento::ReadDouble(text)) std::abort();
  }
  (void)zento::ParseWholeInteger(text);
  // Written as printf writes in the C locale.
  char fixed[512], general[64];
  const locale_t previous = uselocale(kCLocale);
  std::snprintf(fixed, sizeof fixed, "%.2f", read);
  std::snprintf(general, sizeof general, "%.15g", read);
  uselocale(previous);
  if (zento::FormatFixed(read, 2) != fixed || zento::FormatGeneral(read, 15) != general) std::abort();
  return 0;
}
