// The core computations, one call each, and one whole recomputation as a frequency keystroke
// with a cable chosen makes it.
#include <benchmark/benchmark.h>

#include "core/exposure.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "core/station.h"

namespace {

using namespace zento;

void BM_ComputeEirp(benchmark::State& state) {
  double gain = 2.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(gain);
    benchmark::DoNotOptimize(ComputeEirp(1500, 50, gain, 0.5));
  }
}
BENCHMARK(BM_ComputeEirp);

void BM_LookupExposureLimits(benchmark::State& state) {
  double f = 14.2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(LookupExposureLimits(f, 1096.63));
  }
}
BENCHMARK(BM_LookupExposureLimits);

void BM_SafeDistanceAndText(benchmark::State& state) {
  double eirp = 1096.63;
  for (auto _ : state) {
    benchmark::DoNotOptimize(eirp);
    benchmark::DoNotOptimize(FormatDistance(ComputeSafeDistance(eirp, 0.8927, 2.56), 1));
  }
}
BENCHMARK(BM_SafeDistanceAndText);

void BM_ComputeSpecificLoss(benchmark::State& state) {
  double f = 146.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(ComputeSpecificLoss(kCableTable[25], f));
  }
}
BENCHMARK(BM_ComputeSpecificLoss);

// What the frequency handler computes: read the text, the cable's loss, EIRP, limits, both
// distances and their texts, and the texts of EIRP and limits.
void BM_FrequencyRecomputation(benchmark::State& state) {
  FeedlineState feedline;
  feedline.SelectCable(25);
  feedline.SetLength("100");
  StationParameters s;
  std::string text = "146.52";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    s.frequencyMHz = ReadDouble(text);
    feedline.frequencyMHz = s.frequencyMHz;
    feedline.ComputeLoss();
    s.feedlineLossDb = TruncateToHundredths(feedline.totalLossDb);
    s.eirpWatts = ComputeEirp(s.powerWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
    std::string eirpText = FormatFixed(s.eirpWatts, 2);
    if (const auto limits = LookupExposureLimits(s.frequencyMHz, s.eirpWatts)) {
      s.controlledLimit = limits->controlledLimit;
      s.uncontrolledLimit = limits->uncontrolledLimit;
      benchmark::DoNotOptimize(FormatFixed(s.controlledLimit, 2));
      benchmark::DoNotOptimize(FormatFixed(s.uncontrolledLimit, 2));
      benchmark::DoNotOptimize(FormatDistance(ComputeSafeDistance(s.eirpWatts, s.controlledLimit, 2.56), 1));
      benchmark::DoNotOptimize(FormatDistance(ComputeSafeDistance(s.eirpWatts, s.uncontrolledLimit, 2.56), 1));
    }
    benchmark::DoNotOptimize(eirpText);
  }
}
BENCHMARK(BM_FrequencyRecomputation);

}  // namespace

BENCHMARK_MAIN();
