// Reading station files: a real one, the largest a reader takes, and the files it refuses. Each
// refusal is meant to take well under a second however large or deep the file is.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "report/station_file.h"

namespace {

using namespace zento;
namespace fs = std::filesystem;

std::string Repeated(const std::string& text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += text;
  return out;
}

std::string Example() {
  std::ifstream in(fs::path(ZENTO_SOURCE_DIR) / "examples/us-hf-and-2m.zento.json", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every list as long and every name as long as may be, in characters of four bytes.
std::string LargestStation() {
  Station s;
  s.callsign = Repeated("\u00e9", kMaxCallsignLength);
  s.location = Repeated("\U0001F4E1", kMaxLocationLength);
  const std::string antennas = Repeated("\U0001F4E1", kMaxNameLength - 3);
  for (std::size_t p = 0; p < kMaxPlaces; ++p) {
    Place place;
    place.name = std::to_string(p) + antennas;
    place.distanceMeters = 1.0;
    s.places.push_back(place);
  }
  for (std::size_t t = 0; t < kMaxTransmitters; ++t) {
    Transmitter tx;
    tx.name = std::to_string(t) + antennas;
    tx.bands.assign(kMaxBandsPerTransmitter, BandChoice{"", 100.0 / 3.0});
    s.transmitters.push_back(tx);
  }
  for (auto& tx : s.transmitters) {
    for (const auto& other : s.transmitters) {
      if (other.name != tx.name) tx.simultaneousWith.push_back(other.name);
    }
  }
  return StationText(s);
}

void Parse(benchmark::State& state, const std::string& text, bool accepted) {
  std::string error;
  for (auto _ : state) {
    const auto station = ParseStation(text, error);
    if (station.has_value() != accepted) state.SkipWithError(("unexpected: " + error.substr(0, 200)).c_str());
    benchmark::DoNotOptimize(station);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_ReadExample(benchmark::State& state) { Parse(state, Example(), true); }
BENCHMARK(BM_ReadExample)->Unit(benchmark::kMicrosecond);

void BM_ReadLargestStation(benchmark::State& state) { Parse(state, LargestStation(), true); }
BENCHMARK(BM_ReadLargestStation)->Unit(benchmark::kMillisecond);

// 200 KB of brackets, nested 100000 deep.
void BM_RefuseNestedBrackets(benchmark::State& state) {
  Parse(state, std::string(100000, '[') + std::string(100000, ']'), false);
}
BENCHMARK(BM_RefuseNestedBrackets)->Unit(benchmark::kMillisecond);

// A location of a million characters, just within the file's limit: parsed whole, then refused.
void BM_RefuseLongLocation(benchmark::State& state) {
  Parse(state, "{\"format\": \"zento-station\", \"version\": 1, \"location\": \"" + std::string(1000000, 'x') + "\"}",
        false);
}
BENCHMARK(BM_RefuseLongLocation)->Unit(benchmark::kMillisecond);

// The most values a file within the limit holds, in one list.
void BM_RefuseManyValues(benchmark::State& state) {
  Parse(state, "{\"places\": [0" + Repeated(",0", 500000) + "]}", false);
}
BENCHMARK(BM_RefuseManyValues)->Unit(benchmark::kMillisecond);

// Keys of 60000 characters nested 15 deep around 2000 values: no path is built for each value.
void BM_RefuseDeepLongKeys(benchmark::State& state) {
  std::string values;
  for (int i = 0; i < 2000; ++i) values += (i ? ", \"a" : "\"a") + std::to_string(i) + "\": 1";
  Parse(state, Repeated("{\"" + std::string(60000, 'k') + "\": ", 15) + "{" + values + "}" + std::string(15, '}'),
        false);
}
BENCHMARK(BM_RefuseDeepLongKeys)->Unit(benchmark::kMillisecond);

// A file of 50 MB, refused by its size (a sparse file: nothing to write, and it would read fast).
void BM_RefuseLargeFile(benchmark::State& state) {
  const fs::path path = fs::temp_directory_path() / ("zento-bench-" + std::to_string(::getpid()) + ".zento.json");
  std::ofstream(path) << "{";
  fs::resize_file(path, 50'000'000);
  std::string error;
  for (auto _ : state) benchmark::DoNotOptimize(ReadStationFile(path, error));
  fs::remove(path);
  if (error.find("50000000 bytes") == std::string::npos) state.SkipWithError(error.c_str());
}
BENCHMARK(BM_RefuseLargeFile)->Unit(benchmark::kMicrosecond);

// An endless file, of no size known beforehand.
void BM_RefuseEndlessFile(benchmark::State& state) {
  std::string error;
  for (auto _ : state) benchmark::DoNotOptimize(ReadStationFile("/dev/zero", error));
  if (error.find("more than") == std::string::npos) state.SkipWithError(error.c_str());
}
BENCHMARK(BM_RefuseEndlessFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
