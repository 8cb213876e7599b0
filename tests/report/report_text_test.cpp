#include "report/report_text.h"

#include <gtest/gtest.h>

#include "core/exposure.h"

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

TEST(ReportText, StationBlockKeepsEmptyValuesAndLineBreaks) {
  EXPECT_EQ(AppendReportLines({}, StationBlockLines("", "")),
            "Callsign: \r\nStation Location:\r\n\r\n" + std::string(49, '-') + "\r\n");
  EXPECT_EQ(AppendReportLines({}, StationBlockLines("W1AW", "Newington\r\nConnecticut")),
            "Callsign: W1AW\r\nStation Location:\r\nNewington\r\nConnecticut\r\n" + std::string(49, '-') + "\r\n");
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

TEST(ReportText, ResultBlockPrintsValuesAsStored) {
  StationParameters s;
  s.frequencyMHz = 14.2;
  s.powerWatts = 1500;
  s.dutyCyclePercent = 50;
  s.antennaGainDbi = 2.15;
  s.feedlineLossDb = 0.5;
  s.eirpWatts = ComputeEirp(1500, 50, 2.15, 0.5);
  const auto limits = LookupExposureLimits(14.2, s.eirpWatts);
  ASSERT_TRUE(limits);
  s.controlledLimit = limits->controlledLimit;
  s.uncontrolledLimit = limits->uncontrolledLimit;
  const auto lines = ResultBlockLines(s, "7.3 Feet", "16.4 Feet");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[1], "Frequency: 14.20 MHz");
  EXPECT_EQ(lines[2], "Power: 1500 Watts   Duty Cycle: 50 %");
  EXPECT_EQ(lines[3], "Feedline Loss: 0.5 dB  Antenna Gain: 2.1 dBi");
  EXPECT_EQ(lines[4], "EIRP (Major Lobe, Plane Wave): 1096.6  Watts");
  EXPECT_EQ(lines[6], "CONTROLLED Limit = 4.46 mw/cm-cm @ 7.3 Feet");
  EXPECT_EQ(lines[7], "UNCONTROLLED Limit = 0.89 mw/cm-cm @ 16.4 Feet");
}

TEST(ReportText, ResultBlockPrintsARejectedDutyCycleAsSigned) {
  StationParameters s;
  s.dutyCyclePercent = 4294967295u;
  EXPECT_EQ(ResultBlockLines(s, "", "")[2], "Power: 100 Watts   Duty Cycle: -1 %");
}

TEST(ReportText, AppendContinuesALineWithoutABreak) {
  EXPECT_EQ(AppendReportLine("my notes", "Description:"), "my notes" "Description:\r\n");
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
