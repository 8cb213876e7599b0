#include "report/local_style.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <ctime>
#include <utility>

#include "core/number_text.h"

namespace zento {
namespace {

thread_local const LocalStyle* gActive = nullptr;

bool IsPlainC(const char* name) {
  const std::string_view n = name == nullptr ? "C" : name;
  return n == "C" || n == "POSIX" || n.starts_with("C.");
}

}  // namespace

LocalStyle UserLocalStyle() {
  LocalStyle style;
  // A locale object of its own: the program's global locale stays "C" for numbers.
  if (locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
    const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
    if (radix != nullptr && *radix != '\0') style.decimal = radix;
    freelocale(numeric);
  }
  if (locale_t time = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr))) {
    // The C locale's own date ("%m/%d/%y") is no one's: ISO 8601 is kept there.
    const char* name = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), time);
    const char* format = nl_langinfo_l(D_FMT, time);
    if (!IsPlainC(name) && format != nullptr) style.dateFormat = format;
    freelocale(time);
  }
  return style;
}

LocalStyleScope::LocalStyleScope(LocalStyle style) : previous_(gActive), style_(std::move(style)) {
  gActive = &style_;
}

LocalStyleScope::~LocalStyleScope() { gActive = previous_; }

std::string LocalNumber(std::string number) {
  if (gActive == nullptr || gActive->decimal == ".") return number;
  const auto point = number.find('.');
  if (point != std::string::npos) number.replace(point, 1, gActive->decimal);
  return number;
}

std::string LocalDate(std::string_view isoDate) {
  if (gActive == nullptr || gActive->dateFormat.empty()) return std::string(isoDate);
  const auto year = ParseWholeInteger(isoDate.substr(0, 4));
  if (isoDate.size() != 10 || isoDate[4] != '-' || isoDate[7] != '-' || !year) return std::string(isoDate);
  const auto month = ParseWholeInteger(isoDate.substr(5, 2));
  const auto day = ParseWholeInteger(isoDate.substr(8, 2));
  if (!month || !day) return std::string(isoDate);
  std::tm date{};
  date.tm_year = static_cast<int>(*year - 1900);
  date.tm_mon = static_cast<int>(*month - 1);
  date.tm_mday = static_cast<int>(*day);
  std::array<char, 64> out{};
  const std::size_t n = std::strftime(out.data(), out.size(), gActive->dateFormat.c_str(), &date);
  return n == 0 ? std::string(isoDate) : std::string(out.data(), n);
}

}  // namespace zento
