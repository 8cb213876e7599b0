#pragma once
// zento-calc: the calculator's figures for scripts, with the window's core and report texts.

#include <ostream>
#include <string>
#include <vector>

namespace zento::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitNoLimits = 3;
inline constexpr int kExitNoNearField = 4;  // the far field is written, a near field asked for is not

// Runs the command with its arguments (without the program name); returns the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zento::cli
