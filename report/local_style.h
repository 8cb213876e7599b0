#pragma once
// Numbers and dates as the user's locale writes them, for what people read (the record, the
// windows): a comma before the decimals in German and French. Files, JSON, CSV and the command
// line's text keep the point: LocalNumber leaves numbers alone unless a LocalStyleScope is active
// on this thread.

#include <string>
#include <string_view>

namespace zento {

struct LocalStyle {
  std::string decimal = ".";
  // strftime's format for a date ("%d.%m.%Y"); empty for ISO 8601, as in the C locale.
  std::string dateFormat;
};

// The style of the user's LC_NUMERIC and LC_TIME (through LC_ALL, LC_NUMERIC, LC_TIME, LANG),
// read without changing the program's own locale.
LocalStyle UserLocalStyle();

// While one lives, LocalNumber and LocalDate on this thread write in its style.
class LocalStyleScope {
 public:
  explicit LocalStyleScope(LocalStyle style);
  ~LocalStyleScope();
  LocalStyleScope(const LocalStyleScope&) = delete;
  LocalStyleScope& operator=(const LocalStyleScope&) = delete;

 private:
  const LocalStyle* previous_;
  LocalStyle style_;
};

// A number written with a point (FormatFixed, FormatGeneral), in the active style.
std::string LocalNumber(std::string number);
// An ISO date ("2026-12-07") in the active style; any other text as it is.
std::string LocalDate(std::string_view isoDate);

}  // namespace zento
