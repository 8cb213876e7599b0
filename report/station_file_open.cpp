// Reading a station file from disk: refused by its size before its text is read.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "report/station_file.h"
#include "report/translation.h"
namespace zento {

std::optional<Station> ReadStationFile(const std::filesystem::path& path, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    error = Tr("is a folder, not a file");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const std::string why = std::strerror(errno);
    // TRANSLATORS: after the file's name: %1 the system's reason.
    error = Subst(Tr("cannot be opened (%1)"), {why});
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
    error = Tr("cannot be read");
    return std::nullopt;
  }
  if (text.size() > kMaxStationFileBytes) {
    // TRANSLATORS: %1 the largest a station file may be in bytes, %2 the same in MiB.
    error = Subst(Tr("the file has more than %1 bytes; a station file has at most %1 (%2 MiB)"),
                  {std::to_string(kMaxStationFileBytes), std::to_string(kMaxStationFileBytes >> 20)});
    return std::nullopt;
  }
  // An imported antenna model's file is read beside the station file, refused by size the same way.
  const fs::path folder = path.parent_path();
  const DeckLoader loader = [&folder](const std::string& file, std::string& why) -> std::optional<std::string> {
    const fs::path deck = fs::path(file).is_absolute() ? fs::path(file) : folder / file;
    std::error_code code;
    const auto size = fs::file_size(deck, code);
    if (code) {
      // TRANSLATORS: %1 an antenna model's file, %2 the system's reason.
      why = Subst(Tr("cannot read %1 (%2)"), {file, code.message()});
      return std::nullopt;
    }
    if (size > kMaxStationFileBytes) {
      why = Subst(Tr("%1: %2"), {file, FileTooLargeText(size)});
      return std::nullopt;
    }
    std::ifstream deckIn(deck, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(deckIn)), std::istreambuf_iterator<char>());
    if (!deckIn && !deckIn.eof()) {
      why = Subst(Tr("cannot read %1"), {file});
      return std::nullopt;
    }
    return content;
  };
  return ParseStation(text, error, loader);
}

}  // namespace zento
