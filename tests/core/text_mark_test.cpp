// Core's sentences kept for translation: the English they give files, JSON and CSV, and the same
// figures put into a translated pattern wherever it places them.
#include <gtest/gtest.h>

#include "core/evaluation.h"
#include "core/text_mark.h"

namespace zento {
namespace {

TEST(MarkedText, PutsEachArgumentWhereThePatternSays) {
  const struct {
    MarkedText text;
    const char* filled;
  } cases[] = {
      {{"no limits at %1 MHz under %2", {"0.05", "FCC"}}, "no limits at 0.05 MHz under FCC"},
      {{"%2 sous %1, %2", {"a", "b"}}, "b sous a, b"},         // reordered, repeated
      {{"100 %% of %1", {"x"}}, "100 % of x"},                 // "%%" is one "%"
      {{"%1 % of the limit", {"5.0"}}, "5.0 % of the limit"},  // a lone "%" stays
      {{"line %3", {"a"}}, "line %3"},                         // no such argument: left as written
      {{"ends with %", {}}, "ends with %"},
  };
  for (const auto& c : cases) EXPECT_EQ(FilledText(c.text), c.filled) << c.text.pattern;
}

TEST(MarkedText, TheExemptionsReasonIsItsPatternFilledIn) {
  // At 0.5 m on 14 MHz the place is within lambda/2pi (3.41 m): the reason names that distance.
  const ExemptionCheck check = CheckExemption(14.0, 100.0, 0.5);
  EXPECT_EQ(check.reasonText.arguments, std::vector<std::string>{"3.41"});
  EXPECT_EQ(FilledText(check.reasonText), check.reason);
  EXPECT_NE(check.reason.find("closer than lambda/2pi (3.41 m)"), std::string::npos);
}

}  // namespace
}  // namespace zento
