// Times two programs from start to their first shown window, side by side, and compares their
// peak memory up to then.   startup_compare RUNS PROGRAM BASELINE [--no-goal]
// --no-goal: side by side only (the goals are the calculator's against a minimal dialog).
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double milliseconds;
  long maxRssKb;
};

bool RunOnce(const char* program, Sample& sample) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  char* argv[] = {const_cast<char*>(program), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawned != 0) {
    ::close(pipeFds[0]);
    return false;
  }
  std::string seen;
  char buffer[64];
  for (ssize_t n; seen.find("shown\n") == std::string::npos && (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
    seen.append(buffer, static_cast<std::size_t>(n));
  }
  const auto shown = std::chrono::steady_clock::now();
  ::close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  sample.milliseconds = std::chrono::duration<double, std::milli>(shown - start).count();
  sample.maxRssKb = usage.ru_maxrss;
  return seen.find("shown\n") != std::string::npos;
}

template <class T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const bool goal = argc == 4;
  if (argc != 4 && !(argc == 5 && std::string(argv[4]) == "--no-goal")) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM BASELINE [--no-goal]\n", argv[0]);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  std::vector<double> times[2];
  std::vector<long> memory[2];
  for (int i = 0; i < runs; ++i) {
    for (int which = 0; which < 2; ++which) {
      // Alternate the order, so neither always runs on a warmer machine.
      const int k = (i % 2 == 0) ? which : 1 - which;
      Sample sample{};
      if (!RunOnce(argv[2 + k], sample)) {
        std::fprintf(stderr, "%s did not show a window\n", argv[2 + k]);
        return 1;
      }
      times[k].push_back(sample.milliseconds);
      memory[k].push_back(sample.maxRssKb);
    }
  }
  const double timeA = Median(times[0]), timeB = Median(times[1]);
  const long memA = Median(memory[0]), memB = Median(memory[1]);
  std::printf("start-up to first window, median of %d runs:\n", runs);
  const auto name = [](const char* path) { return std::filesystem::path(path).filename().string(); };
  std::printf("  %-22s %8.1f ms  %7ld KiB peak\n", name(argv[2]).c_str(), timeA, memA);
  std::printf("  %-22s %8.1f ms  %7ld KiB peak\n", name(argv[3]).c_str(), timeB, memB);
  std::printf(
      goal ? "  ratio time %.2f (goal <= 1.20)   memory %.2f (goal <= 1.30)\n" : "  ratio time %.2f   memory %.2f\n",
      timeA / timeB, static_cast<double>(memA) / static_cast<double>(memB));
  return 0;
}
