#include "core/line_loss.h"

#include <cmath>

#include "core/feedline.h"

namespace zento {

double MatchedLossDb(const Feedline& feedline, double frequencyMHz) {
  const double feet = feedline.length * (feedline.lengthUnit == LengthUnit::kMeters ? kFeetPerMeterCable : 1.0);
  switch (feedline.kind) {
    case FeedlineKind::kCable:
      return ComputeSpecificLoss(kCableTable[static_cast<std::size_t>(feedline.cableRow)], frequencyMHz) * feet * 0.01;
    case FeedlineKind::kLossPer100Feet:
      return feedline.lossDbPer100Feet * feet * 0.01;
    case FeedlineKind::kTotalLoss:
      return feedline.totalLossDb;
  }
  return 0.0;
}

double MismatchedLineLossDb(double matchedLossDb, double swr) {
  if (!(swr > 1.0)) return matchedLossDb;
  const double a = std::pow(10.0, matchedLossDb / 10.0);
  const double gamma = (swr - 1.0) / (swr + 1.0);
  const double g2 = gamma * gamma;
  return 10.0 * std::log10((a * a - g2) / (a * (1.0 - g2)));
}

double FeedlineLossDb(const Feedline& feedline, double frequencyMHz) {
  return MismatchedLineLossDb(MatchedLossDb(feedline, frequencyMHz), feedline.swr) + feedline.otherLossDb;
}

}  // namespace zento
