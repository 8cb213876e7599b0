#pragma once
// Reading back what a test had written to a file.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zento::test {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zento::test
