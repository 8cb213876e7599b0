#include "core/feedline.h"

#include <cmath>

#include "core/number_text.h"

namespace zento {

std::size_t CountCables(const std::array<CableSpec, kCableTableRows>& table) {
  std::size_t count = 0;
  while (count < table.size() && table[count].maxFrequencyMHz != 0.0) ++count;
  return count;
}

double ComputeSpecificLoss(const CableSpec& row, double frequencyMHz) {
  const double l = std::log(frequencyMHz);
  const double e = (l * row.logSlope) / std::log(10.0) + row.logIntercept;
  const double p = std::pow(10.0, e);
  return p * 0.1;
}

double ComputeTotalLoss(double specificLossDbPer100Ft, double length, int lengthUnits) {
  double feet = length;
  if (lengthUnits == kLengthMeters) feet = feet * kFeetPerMeterCable;
  return (feet * specificLossDbPer100Ft) * 0.01;
}

double TruncateToHundredths(double totalLossDb) { return TruncateToInt32(totalLossDb * 100.0).value_or(0) * 0.01; }

void FeedlineState::SelectCable(int index) {
  if (index < -1 || index >= static_cast<int>(CountCables(table))) index = -1;
  selection = index;
  if (index != -1) selectedName = std::string(table[static_cast<std::size_t>(index)].name);
  ComputeLoss();
}

void FeedlineState::SetLengthUnits(int code) {
  lengthUnits = code;
  ComputeLoss();
}

void FeedlineState::SetLength(std::string_view text) {
  length = ReadInt(text);
  ComputeLoss();
}

void FeedlineState::ComputeLoss() {
  if (selection == -1) return;
  specificLossDbPer100Ft = ComputeSpecificLoss(table[static_cast<std::size_t>(selection)], frequencyMHz);
  totalLossDb = ComputeTotalLoss(specificLossDbPer100Ft, length, lengthUnits);
}

}  // namespace zento
