// Reading a station file from disk: refused by its size before its text is read.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

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
  // An imported antenna model's file is read beside the station file, refused by size the same way.
  const fs::path folder = path.parent_path();
  const DeckLoader loader = [&folder](const std::string& file, std::string& why) -> std::optional<std::string> {
    const fs::path deck = fs::path(file).is_absolute() ? fs::path(file) : folder / file;
    std::error_code code;
    const auto size = fs::file_size(deck, code);
    if (code) {
      why = "cannot read " + file + " (" + code.message() + ")";
      return std::nullopt;
    }
    if (size > kMaxStationFileBytes) {
      why = file + ": " + FileTooLargeText(size);
      return std::nullopt;
    }
    std::ifstream deckIn(deck, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(deckIn)), std::istreambuf_iterator<char>());
    if (!deckIn && !deckIn.eof()) {
      why = "cannot read " + file;
      return std::nullopt;
    }
    return content;
  };
  return ParseStation(text, error, loader);
}

}  // namespace zento
