#pragma once
// Running zento-calc in-process and reading what it wrote.

#include <sstream>
#include <string>
#include <vector>

#include "cli/calc.h"

namespace zento::cli::test {

struct Result {
  int status;
  std::string out, err;
};

inline Result RunCalc(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace zento::cli::test
