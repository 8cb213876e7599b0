#pragma once
// Running the NEC-2 engine (Debian's nec2c) as a program of its own: it keeps global state and
// ends its process on errors, so it is never linked in. Each run gets a private temporary folder
// that is removed afterwards, a time limit, and can be cancelled.

#include <chrono>
#include <stop_token>
#include <string>
#include <string_view>

#include "core/text_mark.h"

namespace zento::nec {

struct EngineOptions {
  std::string program = "nec2c";  // looked up on PATH unless it holds a '/'
  std::chrono::milliseconds timeLimit{10000};
};

// The engine's report, or why there is none: "cancelled", a time limit passed, the program
// missing, or the engine's own last words on a deck it refused.
struct EngineRun {
  bool ok = false;
  std::string output;  // the engine's report (also on failure, where it wrote one)
  std::string error;   // empty when ok
};

EngineRun RunEngine(std::string_view deck, const EngineOptions& options = {}, std::stop_token stop = {});

// "nec2c 1.3"; empty when the program cannot be run.
std::string EngineVersion(const EngineOptions& options = {});

// What to tell a user whose machine has no engine.
inline constexpr std::string_view kEngineMissing =
    N_("the NEC-2 engine nec2c is not installed: install the Debian package nec2c");

}  // namespace zento::nec
