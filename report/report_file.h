#pragma once
// Writing the report to the file the user chose.

#include <filesystem>
#include <string>
#include <string_view>

namespace zento {

enum class SaveResult {
  kSaved,
  kOpenFailed,   // the file could not be created or opened for writing
  kWriteFailed,  // opened, but writing or closing failed (a full disk, for example)
};

struct SaveOutcome {
  SaveResult result;
  int error;  // errno of the failure, 0 when saved
};

// Creates or truncates the file and writes exactly `text`, nothing added.
SaveOutcome WriteReportFile(const std::filesystem::path& path, std::string_view text);

// The path with ".txt" appended when the file's own name has no extension (the text after the
// last dot of the name; folder names do not count). A name ending in a dot gets "txt".
std::filesystem::path WithDefaultExtension(const std::filesystem::path& path);

}  // namespace zento
