#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zento {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

struct DoubleCase {
  std::string text;
  double expected;
};

struct IntCase {
  const char* text;
  std::int32_t expected;
};

// The readers agree with strtod and strtol in the C locale for every input of the fuzz corpus
// (fuzz/fuzz_number_readers.cpp); these are the cases where they mean to differ.
TEST(ReadDouble, ReadsOnlyDecimalNotation) {
  const DoubleCase cases[] = {
      {"nan", 0.0},    {"inf", 0.0},      {"0x10", 0.0},  // atof would read NaN, infinity and hex
      {"1e999", kInf}, {"-1e999", -kInf}, {"1" + std::string(400, '0'), kInf},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDouble(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ReadInt, SaturatesInsteadOfOverflowing) {
  const IntCase cases[] = {
      {"2147483647", kIntMax},
      {"2147483648", kIntMax},
      {"99999999999999999999", kIntMax},
      {"-2147483648", kIntMin},
      {"-99999999999999999999", kIntMin},
      {"12.7", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseWhole, AcceptsOnlyACompleteNumber) {
  EXPECT_EQ(ParseWholeDouble(" 2.15 "), 2.15);
  EXPECT_EQ(ParseWholeDouble("-10"), -10.0);
  EXPECT_FALSE(ParseWholeDouble(""));
  EXPECT_FALSE(ParseWholeDouble("-"));
  EXPECT_FALSE(ParseWholeDouble("12abc"));
  EXPECT_FALSE(ParseWholeDouble("nan"));
  EXPECT_FALSE(ParseWholeDouble("1,5"));
  EXPECT_EQ(ParseWholeInteger("100"), 100);
  EXPECT_EQ(ParseWholeInteger("+7"), 7);
  EXPECT_EQ(ParseWholeInteger("-5"), -5);
  EXPECT_FALSE(ParseWholeInteger("1.5"));
  EXPECT_FALSE(ParseWholeInteger("1 2"));
  EXPECT_FALSE(ParseWholeInteger("+"));
  EXPECT_EQ(ParseWholeInteger("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
}

// The writers agree with printf in the C locale for every input of the fuzz corpus; these are
// the cases a reader of the window's figures would notice first.
TEST(Format, WritesAsPrintfInTheCLocale) {
  EXPECT_EQ(FormatFixed(2.15, 1), "2.1");    // 2.15 is stored just below
  EXPECT_EQ(FormatFixed(0.125, 2), "0.12");  // an exact tie rounds to even
  EXPECT_EQ(FormatFixed(-0.004, 2), "-0.00");
  EXPECT_EQ(FormatFixed(-std::nan(""), 2), "nan");
  EXPECT_EQ(FormatGeneral(123456789012345678.0, 15), "1.23456789012346e+17");
}

TEST(Format, IgnoresACommaDecimalLocale) {
  // Run under LC_ALL=de_DE.UTF-8 by the comma-locale test entry; the C library itself then
  // writes a comma, the readers and writers here do not.
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
  if (std::string(buffer) != "1,50") GTEST_SKIP() << "not running under a comma-decimal locale";
  EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
  EXPECT_EQ(FormatGeneral(2.15, 15), "2.15");
  EXPECT_EQ(ReadDouble("1.5"), 1.5);
  EXPECT_EQ(ReadDouble("1,5"), 1.0);
  EXPECT_EQ(ParseWholeDouble("2.15"), 2.15);
}

TEST(TruncateToInt32, TruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(TruncateToInt32(456.99), 456);
  EXPECT_EQ(TruncateToInt32(-5.9), -5);
  EXPECT_EQ(TruncateToInt32(2147483647.5), kIntMax);
  EXPECT_EQ(TruncateToInt32(1e300), kIntMax);
  EXPECT_EQ(TruncateToInt32(kInf), kIntMax);
  EXPECT_EQ(TruncateToInt32(-2147483648.9), kIntMin);
  EXPECT_EQ(TruncateToInt32(-kInf), kIntMin);
  EXPECT_FALSE(TruncateToInt32(std::nan("")));
}

}  // namespace
}  // namespace zento
