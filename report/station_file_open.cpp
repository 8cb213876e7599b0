// Reading a station file from disk: refused by its size before its text is read.
#include <cerrno>
#include <cstring>
#include <fstream>

#include "report/station_file.h"

namespace zento {

std::optional<Station> ReadStationFile(const std::filesystem::path& path, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    error = "is a folder, not a file";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = std::string("cannot be opened (") + std::strerror(errno) + ")";
    return std::nullopt;
  }
  if (const auto size = fs::file_size(path, ec); !ec && size > kMaxStationFileBytes) {
    error = FileTooLargeText(size);
    return std::nullopt;
  }
  // A file of no known size (a pipe, a device), or one still growing, is read one chunk past the
  // limit at most.
  std::string text;
  char chunk[16384];
  while (text.size() <= kMaxStationFileBytes && in) {
    in.read(chunk, sizeof chunk);
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    error = "cannot be read";
    return std::nullopt;
  }
  if (text.size() > kMaxStationFileBytes) {
    error = "the file has more than " + std::to_string(kMaxStationFileBytes) + " bytes; a station file has at most " +
            std::to_string(kMaxStationFileBytes) + " (" + std::to_string(kMaxStationFileBytes >> 20) + " MiB)";
    return std::nullopt;
  }
  return ParseStation(text, error);
}

}  // namespace zento
