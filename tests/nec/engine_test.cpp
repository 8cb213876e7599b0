// Running the engine: a deck in, its report out; a missing engine, a refused deck, a run past its
// time limit and a cancelled one each end in words, and nothing is left behind.
#include "nec/engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "nec/deck.h"
#include "nec/report.h"

namespace zento::nec {
namespace {

namespace fs = std::filesystem;

// A 10 m wire at 14.2 MHz, fed in its middle, E and H 1 m to its side.
DeckInput Dipole() {
  DeckInput input;
  input.structure = {WireCard(1, 21, {0, -5, 10}, {0, 5, 10}, 0.001)};
  input.sources = {SourceCard(1, 11)};
  input.frequenciesMHz = {14.2};
  input.points = {{1, 0, 10}, {1, 4, 10}};
  return input;
}

// The engine's folders in a temporary folder of this test's own (other tests run beside it).
class OwnTemporaryFolder {
 public:
  OwnTemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "zento-engine-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    const char* old = std::getenv("TMPDIR");
    old_ = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("TMPDIR", path_.c_str(), 1);
  }
  ~OwnTemporaryFolder() {
    if (old_) {
      ::setenv("TMPDIR", old_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    fs::remove_all(path_);
  }
  std::size_t EngineFolders() const {
    std::size_t n = 0;
    for (const auto& entry : fs::directory_iterator(path_)) {
      n += entry.path().filename().string().rfind("zento-nec-", 0) == 0;
    }
    return n;
  }

 private:
  fs::path path_;
  std::optional<std::string> old_;
};

// A stand-in engine: a shell script that does what `body` says.
fs::path Script(const std::string& name, const std::string& body) {
  const fs::path path = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

TEST(Engine, RunsADeckAndReadsItsReport) {
  const OwnTemporaryFolder folder;
  const EngineRun run = RunEngine(WriteDeck(Dipole()));
  ASSERT_TRUE(run.ok) << run.error;
  std::string error;
  const auto report = ParseReport(run.output, error);
  ASSERT_TRUE(report) << error;
  ASSERT_EQ(report->segments.size(), 21u);
  EXPECT_NEAR(report->segments[10].center.z, 10.0, 1e-4);
  EXPECT_NEAR(report->segments[0].length, 10.0 / 21, 1e-4);
  ASSERT_EQ(report->frequencies.size(), 1u);
  const FrequencyReport& f = report->frequencies[0];
  EXPECT_EQ(f.mhz, 14.2);
  // 1 V across the feed: P = V² Re(1/Z) / 2.
  EXPECT_NEAR(f.inputPowerWatts, 0.5 * std::real(1.0 / f.impedanceOhms), 1e-6);
  ASSERT_EQ(f.electric.size(), 2u);
  ASSERT_EQ(f.magnetic.size(), 2u);
  EXPECT_EQ(f.electric[1].at, (Vec3{1, 4, 10}));
  // Broadside of a wire along y, E is along y and H circles it (no y part).
  EXPECT_GT(f.electric[0].peak[1], 100 * f.electric[0].peak[0]);
  EXPECT_EQ(f.magnetic[0].peak[1], 0.0);
  EXPECT_EQ(folder.EngineFolders(), 0u) << "the private folder is removed";
  EXPECT_EQ(EngineVersion().rfind("nec2c", 0), 0u);
}

TEST(Engine, EachFailureEndsInWords) {
  DeckInput wrongTag = Dipole();
  wrongTag.sources = {SourceCard(7, 1)};
  const fs::path slow = Script("zento-slow-engine", "sleep 20");
  const fs::path silent = Script("zento-silent-engine", "exit 3");
  const struct {
    std::string deck;
    EngineOptions options;
    std::string error;
  } cases[] = {
      {WriteDeck(wrongTag), {}, "the engine refused the model: NO SEGMENT HAS AN ITAG OF 7"},
      {WriteDeck(Dipole()), {.program = "no-such-nec2c-here"}, std::string(kEngineMissing)},
      {WriteDeck(Dipole()),
       {.program = slow.string(), .timeLimit = std::chrono::milliseconds(300)},
       "the engine ran longer than its limit of 0.3 s"},
      {WriteDeck(Dipole()), {.program = silent.string()}, "the engine failed with status 3"},
  };
  const OwnTemporaryFolder folder;
  for (const auto& c : cases) {
    const auto started = std::chrono::steady_clock::now();
    const EngineRun run = RunEngine(c.deck, c.options);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.error, c.error);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << c.error;
  }
  EXPECT_TRUE(EngineVersion({.program = "no-such-nec2c-here"}).empty());

  std::stop_source stop;
  std::jthread canceller([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop.request_stop();
  });
  EXPECT_EQ(RunEngine(WriteDeck(Dipole()), {.program = slow.string(), .timeLimit = std::chrono::seconds(20)},
                      stop.get_token())
                .error,
            "cancelled");
  EXPECT_EQ(folder.EngineFolders(), 0u);
  fs::remove(slow);
  fs::remove(silent);
}

TEST(Report, ADeckWithoutPointsIsSolvedForItsCurrents) {
  DeckInput input = Dipole();
  input.points.clear();
  const EngineRun run = RunEngine(WriteDeck(input));
  ASSERT_TRUE(run.ok) << run.error;
  std::string error;
  const auto report = ParseReport(run.output, error);
  ASSERT_TRUE(report) << error;
  ASSERT_EQ(report->frequencies.size(), 1u);
  EXPECT_GT(report->frequencies[0].inputPowerWatts, 0.0);
  EXPECT_GT(std::real(report->frequencies[0].impedanceOhms), 0.0);
}

TEST(Report, RefusesAReportItCannotRead) {
  const EngineRun run = RunEngine(WriteDeck(Dipole()));
  ASSERT_TRUE(run.ok) << run.error;
  std::string error;
  std::string cut = run.output;
  const std::size_t fields = cut.find("NEAR ELECTRIC FIELDS");
  ASSERT_NE(fields, std::string::npos);
  cut.resize(fields + 400);  // the heading, then half a line
  cut += "\n";
  EXPECT_FALSE(ParseReport(cut, error));
  EXPECT_EQ(error.rfind("the engine's report could not be read: a near field near line ", 0), 0u) << error;
  // A geometry alone: its segments, and no frequency.
  const EngineRun geometry = RunEngine(WriteGeometryDeck(Dipole()));
  ASSERT_TRUE(geometry.ok) << geometry.error;
  const auto segments = ParseReport(geometry.output, error);
  ASSERT_TRUE(segments) << error;
  EXPECT_EQ(segments->segments.size(), 21u);
  EXPECT_TRUE(segments->frequencies.empty());
  EXPECT_NEAR(segments->segments[0].End(-1).y, -5.0, 1e-3);
  EXPECT_NEAR(segments->segments[20].End(+1).y, 5.0, 1e-3);
}

}  // namespace
}  // namespace zento::nec
