#include "core/number_text.h"

#include <locale.h>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace zento {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// Length of the decimal number that starts at `pos`, 0 if none.
std::size_t DecimalPrefixLength(std::string_view text, std::size_t pos) {
  std::size_t p = pos;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
  const std::size_t intStart = p;
  p = SkipDigits(text, p);
  bool digits = p > intStart;
  if (p < text.size() && text[p] == '.') {
    const std::size_t fracStart = p + 1;
    const std::size_t fracEnd = SkipDigits(text, fracStart);
    if (digits || fracEnd > fracStart) {
      digits = true;
      p = fracEnd;
    }
  }
  if (!digits) return 0;
  if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    std::size_t q = p + 1;
    if (q < text.size() && (text[q] == '+' || text[q] == '-')) ++q;
    const std::size_t expEnd = SkipDigits(text, q);
    if (expEnd > q) p = expEnd;
  }
  return p - pos;
}

// Converts a text already known to be a decimal number. from_chars is locale-free; it leaves
// out-of-range values to the caller, who wants strtod's infinity or zero.
double ConvertDecimal(std::string_view number) {
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // strtod's answer for what from_chars refuses: an infinity, or zero on underflow.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string copy(number);
    value = strtod_l(copy.c_str(), nullptr, cLocale);
  }
  return negative ? -value : value;
}

}  // namespace

double ReadDouble(std::string_view text) {
  const std::size_t start = SkipSpace(text, 0);
  const std::size_t length = DecimalPrefixLength(text, start);
  if (length == 0) return 0.0;
  return ConvertDecimal(text.substr(start, length));
}

std::int32_t ReadInt(std::string_view text) {
  std::size_t p = SkipSpace(text, 0);
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    ++p;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; p < text.size() && IsDigit(text[p]); ++p) {
    if (magnitude < kLimit) magnitude = magnitude * 10 + (text[p] - '0');
  }
  if (magnitude > kLimit) magnitude = kLimit;
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

std::optional<double> ParseWholeDouble(std::string_view text) {
  const std::size_t start = SkipSpace(text, 0);
  const std::size_t length = DecimalPrefixLength(text, start);
  if (length == 0 || SkipSpace(text, start + length) != text.size()) return std::nullopt;
  return ConvertDecimal(text.substr(start, length));
}

std::optional<std::int64_t> ParseWholeInteger(std::string_view text) {
  std::size_t p = SkipSpace(text, 0);
  std::size_t end = p;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  const std::size_t digitsStart = end;
  end = SkipDigits(text, end);
  if (end == digitsStart || SkipSpace(text, end) != text.size()) return std::nullopt;
  if (text[p] == '+') ++p;
  std::int64_t value = 0;
  const auto result = std::from_chars(text.data() + p, text.data() + end, value);
  if (result.ec == std::errc::result_out_of_range) {
    value = text[p] == '-' ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
  }
  return value;
}

namespace {

std::string FormatWith(double value, std::chars_format format, int precision) {
  if (std::isnan(value)) return "nan";
  // Large enough for any double in fixed notation (309 digits) with the decimals asked for.
  std::array<char, 400> buffer{};
  if (precision > 60) precision = 60;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string FormatFixed(double value, int decimals) { return FormatWith(value, std::chars_format::fixed, decimals); }

std::string FormatGeneral(double value, int significant) {
  return FormatWith(value, std::chars_format::general, significant);
}

std::optional<std::int32_t> TruncateToInt32(double value) {
  if (std::isnan(value)) return std::nullopt;
  constexpr double kMax = 2147483647.0;
  constexpr double kMin = -2147483648.0;
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

}  // namespace zento
