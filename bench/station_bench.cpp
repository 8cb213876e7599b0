// A whole station evaluated: 3 transmitters x 15 bands x 5 places, under each rule set.
#include <benchmark/benchmark.h>

#include "core/bands.h"
#include "core/station_eval.h"

namespace {

using namespace zento;

Station LargeStation(RuleSet rules) {
  Station s;
  s.rules = rules;
  for (int p = 0; p < 5; ++p) {
    Place place;
    place.name = "place " + std::to_string(p);
    place.environment = p % 2 == 0 ? Environment::kUncontrolled : Environment::kControlled;
    if (p < 3) {
      place.horizontalMeters = 5.0 + 7.0 * p;
    } else {
      place.distanceMeters = 3.0 * p;
    }
    s.places.push_back(place);
  }
  for (int t = 0; t < 3; ++t) {
    Transmitter tx;
    tx.name = "TX " + std::to_string(t);
    tx.powerWatts = 1500.0 / (t + 1);
    tx.mode = t == 0 ? "ssb" : "cw";
    tx.txMinutes = 5;
    tx.rxMinutes = 5;
    const auto bands = BandsFor(rules);
    for (std::size_t b = 0; b < 15; ++b) tx.bands.push_back({std::string(bands[b % bands.size()].name), 0.0});
    tx.feedline.kind = FeedlineKind::kCable;
    tx.feedline.cableRow = 16;
    tx.feedline.length = 100;
    tx.feedline.swr = 1.5;
    tx.antenna.preset = 3;
    tx.antenna.heightMeters = 12;
    if (t > 0) tx.simultaneousWith = {"TX 0"};
    s.transmitters.push_back(tx);
  }
  return s;
}

void BM_EvaluateStation(benchmark::State& state) {
  const Station station = LargeStation(static_cast<RuleSet>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(EvaluateStation(station));
  state.SetLabel(std::string(Info(station.rules).key));
}
BENCHMARK(BM_EvaluateStation)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
