#include "core/feedline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "core/number_text.h"

namespace zento {
namespace {

constexpr int kRg8 = 25;
constexpr int kRg174 = 14;
constexpr int kOpenWire12 = 9;
constexpr int kTubular300 = 4;

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

TEST(CableTable, HoldsTwentySevenCablesThenTheTerminator) {
  EXPECT_EQ(CountCables(kCableTable), 27u);
  EXPECT_EQ(kCableTable[27].maxFrequencyMHz, 0.0);
  EXPECT_TRUE(kCableTable[27].name.empty());
  for (std::size_t row = 0; row < 27; ++row) EXPECT_GT(kCableTable[row].maxFrequencyMHz, 0.0) << row;
  EXPECT_EQ(kCableTable[8].name, "Open Wire, \"Window\" Line, 1/2\" & 1\"");
  EXPECT_EQ(kCableTable[kRg8].name, "RG-8/8A Coaxial");
}

TEST(CableTable, BothNameSetsSortIntoRowOrder) {
  // A sorted list shows position i as row i, whichever names it holds.
  std::vector<std::string_view> tableNames;
  for (std::size_t row = 0; row < CountCables(kCableTable); ++row) tableNames.push_back(kCableTable[row].name);
  EXPECT_TRUE(std::is_sorted(tableNames.begin(), tableNames.end(), LessIgnoringCase));

  std::vector<std::string_view> listNames(kTemplateCableNames.begin(), kTemplateCableNames.end());
  std::sort(listNames.begin(), listNames.end(), LessIgnoringCase);
  ASSERT_EQ(listNames.size(), tableNames.size());
  // Spot checks of the template order against the rows they stand for.
  EXPECT_EQ(listNames[14], "RG-174/174A");
  EXPECT_EQ(listNames[19], "RG-58A/58C");
  EXPECT_EQ(listNames[8], "OPEN WIRE \"WINDOW\" LINE, 1/2\" AND 1\"");
  EXPECT_EQ(listNames[9], "OPEN WIRE, #12 WIRES");
  EXPECT_EQ(listNames[24], "RG-8 FOAM DIELECTRIC");
  EXPECT_EQ(listNames[25], "RG-8/8A");
  EXPECT_EQ(listNames[0], "1/2\" 50 OHM HARDLINE");
}

struct SpecificLossCase {
  int row;
  double frequencyMHz;
  const char* shown;
};

TEST(ComputeSpecificLoss, MatchesThePublishedFigures) {
  const SpecificLossCase cases[] = {
      {kRg8, 146.0, "3.09"},       {kRg8, 30.0, "1.25"},         {kRg174, 30.0, "6.32"},
      {kOpenWire12, 30.0, "0.10"}, {kTubular300, 440.0, "2.53"},  // above its 150 MHz, still computed
      {kRg8, 0.0, "0.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(ComputeSpecificLoss(kCableTable[static_cast<std::size_t>(c.row)], c.frequencyMHz), 2),
              c.shown)
        << c.row << " at " << c.frequencyMHz;
  }
  EXPECT_NEAR(ComputeSpecificLoss(kCableTable[kRg8], 146.0), 3.0905, 5e-5);
  EXPECT_TRUE(std::isnan(ComputeSpecificLoss(kCableTable[kRg8], -1.0)));
}

TEST(ComputeTotalLoss, ConvertsMetersWithTheCableFactor) {
  const double specific = ComputeSpecificLoss(kCableTable[kRg8], 146.0);
  EXPECT_EQ(FormatFixed(ComputeTotalLoss(specific, 100.0, kLengthFeet), 2), "3.09");
  EXPECT_NEAR(ComputeTotalLoss(specific, 30.0, kLengthMeters), 3.0419, 5e-5);
  EXPECT_EQ(ComputeTotalLoss(2.0, 30.0, kLengthMeters), 30.0 * 3.2808399 * 2.0 * 0.01);
}

TEST(TruncateToHundredths, CutsTowardZero) {
  EXPECT_EQ(FormatGeneral(TruncateToHundredths(3.0419), 15), "3.04");
  EXPECT_EQ(FormatGeneral(TruncateToHundredths(1.239), 15), "1.23");
  EXPECT_EQ(FormatGeneral(TruncateToHundredths(-1.239), 15), "-1.23");
  EXPECT_EQ(TruncateToHundredths(0.0), 0.0);
  EXPECT_EQ(TruncateToHundredths(std::nan("")), 0.0);
  EXPECT_EQ(FormatFixed(TruncateToHundredths(1e300), 2), "21474836.47");
}

TEST(FeedlineState, StartsWithNoCable) {
  const FeedlineState state;
  EXPECT_EQ(state.selection, -1);
  EXPECT_EQ(state.lengthUnits, kLengthFeet);
  EXPECT_EQ(state.length, 0.0);
  EXPECT_EQ(state.totalLossDb, 0.0);
  EXPECT_TRUE(state.selectedName.empty());
  EXPECT_EQ(CountCables(state.table), 27u);
}

TEST(FeedlineState, ComputesTheWorkedExamples) {
  FeedlineState state;
  state.frequencyMHz = 30.0;
  state.SelectCable(kRg8);
  EXPECT_EQ(state.totalLossDb, 0.0);  // no length yet
  EXPECT_EQ(state.selectedName, "RG-8/8A Coaxial");
  state.SetLength("100");
  EXPECT_EQ(FormatFixed(state.specificLossDbPer100Ft, 2), "1.25");
  EXPECT_EQ(FormatFixed(state.totalLossDb, 2), "1.25");
  state.SetLengthUnits(kLengthMeters);
  EXPECT_EQ(FormatFixed(state.totalLossDb, 2), "4.11");
  EXPECT_EQ(FormatFixed(state.specificLossDbPer100Ft, 2), "1.25");

  state.frequencyMHz = 146.0;
  state.SetLength("30");
  EXPECT_EQ(FormatFixed(state.totalLossDb, 2), "3.04");
  EXPECT_EQ(FormatGeneral(TruncateToHundredths(state.totalLossDb), 15), "3.04");
}

TEST(FeedlineState, ReadsLengthsAsAtoi) {
  FeedlineState state;
  state.SetLength("150.7");
  EXPECT_EQ(state.length, 150.0);
  state.SetLength("12.7");
  EXPECT_EQ(state.length, 12.0);
  state.SetLength("abc");
  EXPECT_EQ(state.length, 0.0);
  state.SetLength("-5");
  EXPECT_EQ(state.length, -5.0);
  state.SetLength("99999999999999");
  EXPECT_EQ(state.length, 2147483647.0);
}

TEST(FeedlineState, ComputesNothingWithoutACable) {
  FeedlineState state;
  state.frequencyMHz = 30.0;
  state.SetLength("100");
  state.SetLengthUnits(kLengthMeters);
  EXPECT_EQ(state.totalLossDb, 0.0);
  EXPECT_EQ(state.specificLossDbPer100Ft, 0.0);
}

TEST(FeedlineState, DeselectingKeepsNameAndLosses) {
  FeedlineState state;
  state.frequencyMHz = 30.0;
  state.SetLength("100");
  state.SelectCable(kRg8);
  const double total = state.totalLossDb;
  state.SelectCable(-1);
  EXPECT_EQ(state.selection, -1);
  EXPECT_EQ(state.selectedName, "RG-8/8A Coaxial");
  EXPECT_EQ(state.totalLossDb, total);
  state.SelectCable(27);  // the terminator is not a cable
  EXPECT_EQ(state.selection, -1);
  state.SelectCable(-7);
  EXPECT_EQ(state.selection, -1);
}

}  // namespace
}  // namespace zento
