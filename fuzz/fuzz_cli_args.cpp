// zento-calc's argument handling: arguments separated by NUL bytes. Nothing may crash, and
// every run ends with one of the documented exit statuses.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/calc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  args.push_back(current);
  if (args.size() > 40) return 0;
  // Never write files from the fuzzer.
  for (const auto& arg : args) {
    if (arg.find("--rep") != std::string::npos || arg.find("--save") != std::string::npos ||
        (!arg.empty() && arg.front() == '@')) {
      return 0;
    }
  }
  std::ostringstream out, err;
  const int status = zento::cli::Run(args, out, err);
  if (status != zento::cli::kExitOk && status != zento::cli::kExitBadInput && status != zento::cli::kExitNoLimits) {
    std::abort();
  }
  if (status == zento::cli::kExitBadInput && (err.str().empty() || !out.str().empty())) std::abort();
  return 0;
}
