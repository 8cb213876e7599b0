#include <iostream>
#include <string>
#include <vector>

#include "cli/calc.h"
#include "report/translation.h"

int main(int argc, char** argv) {
  zento::StartTranslations(argc > 0 ? argv[0] : "zento-calc");
  std::vector<std::string> args(argv + 1, argv + argc);
  return zento::cli::Run(args, std::cout, std::cerr);
}
