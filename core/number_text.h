#pragma once
// Number reading and writing that never depends on the user's locale: the point is always the
// decimal separator, whatever LC_NUMERIC says.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zento {

// Reads as atof does: white space, then the longest leading decimal number
// ([sign] digits [. digits] [e [sign] digits]); 0 when the text does not start with one.
// Only decimal notation is read, so "nan", "inf" and hex text give 0; an overflowing
// exponent gives an infinity, as strtod does.
double ReadDouble(std::string_view text);

// Reads as atoi does (white space, optional sign, digits up to the first other character;
// 0 without digits), but saturates to the 32-bit range instead of overflowing.
std::int32_t ReadInt(std::string_view text);

// Reads a whole text as one decimal number (surrounding white space allowed); none when any
// other character is present.
std::optional<double> ParseWholeDouble(std::string_view text);
std::optional<std::int64_t> ParseWholeInteger(std::string_view text);

// "%.<decimals>lf" and "%.<significant>g" as printf writes them in the C locale. A NaN is
// written "nan", an infinity "inf" or "-inf".
std::string FormatFixed(double value, int decimals);
std::string FormatGeneral(double value, int significant);

// Truncates toward zero to a signed 32-bit integer, saturating at the range's ends.
// None for NaN.
std::optional<std::int32_t> TruncateToInt32(double value);

}  // namespace zento
