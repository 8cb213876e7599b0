#include "report/report_text.h"

#include <gtest/gtest.h>

namespace zento {
namespace {

std::string Banner() { return AppendReportLines({}, BannerLines()); }

TEST(ReportText, BannerIsTheVersionLineAndFortyNineHyphens) {
  const auto lines = BannerLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("ZENTO Version 1.00", 0), 0u);
  EXPECT_EQ(lines[1], std::string(49, '-'));
  EXPECT_EQ(Banner(), std::string(kBannerTitle) + "\r\n" + std::string(49, '-') + "\r\n");
}

TEST(ReportText, ResultBlockWithStartUpValues) {
  StationParameters s;
  s.controlledLimit = 1.0;
  s.uncontrolledLimit = 0.2;
  EXPECT_EQ(AppendReportLines({}, ResultBlockLines(s, "4.7 Feet", "10.5 Feet")),
            "Description:\r\n"
            "Frequency: 30.00 MHz\r\n"
            "Power: 100 Watts   Duty Cycle: 100 %\r\n"
            "Feedline Loss: 0.0 dB  Antenna Gain: 0.0 dBi\r\n"
            "EIRP (Major Lobe, Plane Wave): 100.0  Watts\r\n"
            "\r\n"
            "MINIMUM DISTANCES TO MEET RADIATION LIMITS\r\n"
            "\r\n"
            "CONTROLLED Limit = 1.00 mw/cm-cm @ 4.7 Feet\r\n"
            "UNCONTROLLED Limit = 0.20 mw/cm-cm @ 10.5 Feet\r\n"
            "----------------------------------------------------\r\n");
}

TEST(ReportText, ResultBlockPrintsARejectedDutyCycleAsSigned) {
  StationParameters s;
  s.dutyCyclePercent = 4294967295u;
  EXPECT_EQ(ResultBlockLines(s, "", "")[2], "Power: 100 Watts   Duty Cycle: -1 %");
}

TEST(ReportText, AppendContinuesALineWithoutABreak) {
  EXPECT_EQ(AppendReportLine("my notes", "Description:"),
            "my notes"
            "Description:\r\n");
  EXPECT_EQ(AppendReportLine("", ""), "\r\n");
  EXPECT_EQ(AppendReportLine("a\r\n", "b"), "a\r\nb\r\n");
}

TEST(ReportText, LineEndConversions) {
  EXPECT_EQ(ToCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(ToCrLf("\n\n"), "\r\n\r\n");
  EXPECT_EQ(ToLf("a\r\nb\r\n\r\n"), "a\nb\n\n");
  EXPECT_EQ(ToLf("a\rb"), "a\rb");
}

}  // namespace
}  // namespace zento
