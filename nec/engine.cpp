#include "nec/engine.h"

#include "core/number_text.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

namespace zento::nec {
namespace {

namespace fs = std::filesystem;

// A folder only this process can read, removed with everything in it when the run ends.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / "zento-nec-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~PrivateFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The engine writes its complaint as the last line of its report.
std::string LastWords(std::string_view output) {
  std::size_t end = output.find_last_not_of(" \t\r\n");
  if (end == std::string_view::npos) return {};
  const std::size_t newline = output.find_last_of('\n', end);
  const std::size_t start = newline == std::string_view::npos ? 0 : newline + 1;
  const std::string_view line = output.substr(start, end + 1 - start);
  const std::size_t first = line.find_first_not_of(' ');
  return std::string(line.substr(first == std::string_view::npos ? 0 : first));
}

struct Child {
  pid_t pid = -1;
  int error = 0;  // errno of a spawn that failed
};

Child Spawn(const std::string& program, const std::vector<std::string>& args, const fs::path& folder) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Nothing to read, nothing on our terminal: the report goes to its file.
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Its own process group, so that nothing it starts outlives a kill.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  Child child;
  child.error = ::posix_spawnp(&child.pid, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (child.error != 0) child.pid = -1;
  return child;
}

enum class Ending { kExited, kTimedOut, kCancelled };

// Waits for the child, polling its pidfd in short slices so that a stop request is seen quickly.
Ending Wait(pid_t pid, std::chrono::milliseconds limit, const std::stop_token& stop, int& status) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  // glibc 2.36's <sys/pidfd.h> lacks C linkage for C++: the system call itself. Without it
  // (an old kernel) the loop polls.
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  while (true) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) break;
    Ending ending = Ending::kExited;
    if (stop.stop_requested()) ending = Ending::kCancelled;
    if (std::chrono::steady_clock::now() >= deadline) ending = Ending::kTimedOut;
    if (ending != Ending::kExited) {
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      if (pidfd >= 0) ::close(pidfd);
      return ending;
    }
    if (pidfd >= 0) {
      pollfd p{pidfd, POLLIN, 0};
      ::poll(&p, 1, 20);
    } else {
      ::usleep(5000);
    }
  }
  if (pidfd >= 0) ::close(pidfd);
  return Ending::kExited;
}

}  // namespace

EngineRun RunEngine(std::string_view deck, const EngineOptions& options, std::stop_token stop) {
  EngineRun run;
  PrivateFolder folder;
  if (folder.path().empty()) {
    run.error = std::string("cannot make a temporary folder for the engine: ") + std::strerror(errno);
    return run;
  }
  {
    std::ofstream out(folder.path() / "deck.nec", std::ios::binary);
    out.write(deck.data(), static_cast<std::streamsize>(deck.size()));
    if (!out.flush()) {
      run.error = "cannot write the engine's input in " + folder.path().string();
      return run;
    }
  }
  const Child child = Spawn(options.program, {"-i", "deck.nec", "-o", "report.txt"}, folder.path());
  if (child.pid < 0) {
    run.error = child.error == ENOENT ? std::string(kEngineMissing)
                                      : "cannot start " + options.program + ": " + std::strerror(child.error);
    return run;
  }
  int status = 0;
  const Ending ending = Wait(child.pid, options.timeLimit, stop, status);
  run.output = ReadAll(folder.path() / "report.txt");
  if (ending == Ending::kCancelled) {
    run.error = N_("cancelled");
  } else if (ending == Ending::kTimedOut) {
    run.error = "the engine ran longer than its limit of " +
                FormatGeneral(static_cast<double>(options.timeLimit.count()) / 1000.0, 6) + " s";
  } else if (!WIFEXITED(status)) {
    run.error = "the engine stopped on signal " + std::to_string(WTERMSIG(status));
  } else if (WEXITSTATUS(status) == 127 && run.output.empty()) {
    run.error = std::string(kEngineMissing);
  } else if (WEXITSTATUS(status) != 0) {
    const std::string words = LastWords(run.output);
    run.error = words.empty() ? "the engine failed with status " + std::to_string(WEXITSTATUS(status))
                              : "the engine refused the model: " + words;
  } else {
    run.ok = true;
  }
  return run;
}

std::string EngineVersion(const EngineOptions& options) {
  PrivateFolder folder;
  if (folder.path().empty()) return {};
  const int out = ::open((folder.path() / "version.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (out < 0) return {};
  std::vector<char*> argv = {const_cast<char*>(options.program.c_str()), const_cast<char*>("-v"), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, out, 2);
  pid_t pid = -1;
  const int error = ::posix_spawnp(&pid, options.program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out);
  if (error != 0) return {};
  int status = 0;
  if (Wait(pid, std::chrono::seconds(5), {}, status) != Ending::kExited || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return {};
  }
  std::string text = ReadAll(folder.path() / "version.txt");
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace zento::nec
