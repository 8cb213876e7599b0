#include "core/feedline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/number_text.h"

namespace zento {
namespace {

constexpr int kRg8 = 25;
constexpr int kRg174 = 14;
constexpr int kOpenWire12 = 9;
constexpr int kTubular300 = 4;

TEST(CableTable, HoldsTwentySevenCablesThenTheTerminator) {
  EXPECT_EQ(CountCables(kCableTable), 27u);
  EXPECT_EQ(kCableTable[27].maxFrequencyMHz, 0.0);
  EXPECT_TRUE(kCableTable[27].name.empty());
  for (std::size_t row = 0; row < 27; ++row) EXPECT_GT(kCableTable[row].maxFrequencyMHz, 0.0) << row;
  EXPECT_EQ(kCableTable[8].name, "Open Wire, \"Window\" Line, 1/2\" & 1\"");
  EXPECT_EQ(kCableTable[kRg8].name, "RG-8/8A Coaxial");
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
