// The near field: an antenna of about 100 segments at two frequencies, end to end (deck, engine,
// report, evaluation) for its places and boundary, and its 2,500-point picture; the rescale a
// power edit costs; reading a megabyte of the engine's report.
#include <benchmark/benchmark.h>

#include "core/near_field.h"
#include "nec/deck.h"
#include "nec/engine.h"
#include "nec/near_field_run.h"
#include "nec/report.h"

namespace {

using namespace zento;

// A quarter-wave vertical with eight radials 0.2 m up, on 40 m: 10 + 8 x 11 = 98 segments;
// a 7.0 and a 7.3 MHz edge.
Station Vertical() {
  Station s;
  s.rules = RuleSet::kIcnirp2020;
  Transmitter t;
  t.name = "40m vertical";
  t.powerWatts = 400;
  t.dutyPercent = 40.0;  // CW, as a duty factor: g++ 12 at -O3 warns falsely on a short string here
  t.bands = {{"40m", 0}};
  AntennaModel m;
  m.kind = AntennaKind::kVertical;
  m.radials = 8;
  t.antenna.model = m;
  t.antenna.heightMeters = 0.2;
  s.transmitters = {t};
  for (int p = 0; p < 5; ++p) {
    Place place;
    place.name = "place " + std::to_string(p);
    place.positionMeters = std::array<double, 2>{2.0 + 3.0 * p, 1.0 + p};
    s.places.push_back(place);
  }
  return s;
}

void BM_PlacesAndBoundary(benchmark::State& state) {
  const Station s = Vertical();
  const StationResult far = EvaluateStation(s);
  for (auto _ : state) {
    std::string error;
    const auto nf = nec::ComputeNearField(s, 0, {}, {}, error);
    if (!nf) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(EvaluateNearField(s, 0, far, nf->plan, nf->samples));
    state.counters["segments"] = nf->method.segments;
    state.counters["points"] = static_cast<double>(nf->plan.points.size());
  }
}
BENCHMARK(BM_PlacesAndBoundary)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PlacesBoundaryAndHorizontalPicture(benchmark::State& state) {
  const Station s = Vertical();
  const StationResult far = EvaluateStation(s);
  for (auto _ : state) {
    std::string error;
    const auto nf = nec::ComputeNearField(s, 0, {}, {}, error, 15.0);  // and its 2,500-point picture
    if (!nf) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(EvaluateNearField(s, 0, far, nf->plan, nf->samples));
    benchmark::DoNotOptimize(
        EvaluateGrid(s, 0, 0, far, *nf->horizontal, nf->samples, FieldChoice::kWorst, Environment::kUncontrolled));
  }
}
BENCHMARK(BM_PlacesBoundaryAndHorizontalPicture)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RescaleAfterAPowerEdit(benchmark::State& state) {
  Station s = Vertical();
  std::string error;
  const auto nf = nec::ComputeNearField(s, 0, {}, {}, error);
  if (!nf) {
    state.SkipWithError(error.c_str());
    return;
  }
  double power = 100;
  for (auto _ : state) {
    s.transmitters[0].powerWatts = power = power == 100 ? 1500 : 100;
    const StationResult far = EvaluateStation(s);
    benchmark::DoNotOptimize(EvaluateNearField(s, 0, far, nf->plan, nf->samples));
  }
}
BENCHMARK(BM_RescaleAfterAPowerEdit)->Unit(benchmark::kMicrosecond);

void BM_ReadAMegabyteOfReport(benchmark::State& state) {
  nec::DeckInput deck;
  deck.structure = {nec::WireCard(1, 21, {0, -5, 10}, {0, 5, 10}, 0.001)};
  deck.sources = {nec::SourceCard(1, 11)};
  deck.frequenciesMHz = {14.2};
  for (int i = 0; i < 5500; ++i) deck.points.push_back({1.0 + i % 70, 2.0 + i / 70, 2.0});
  const nec::EngineRun run = nec::RunEngine(nec::WriteDeck(deck));
  if (!run.ok) {
    state.SkipWithError(run.error.c_str());
    return;
  }
  for (auto _ : state) {
    std::string error;
    benchmark::DoNotOptimize(nec::ParseReport(run.output, error));
  }
  state.counters["bytes"] = static_cast<double>(run.output.size());
}
BENCHMARK(BM_ReadAMegabyteOfReport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
