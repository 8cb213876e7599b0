#include "report/report_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zento {

SaveOutcome WriteReportFile(const std::filesystem::path& path, std::string_view text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return {SaveResult::kOpenFailed, errno};

  int error = 0;
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return {SaveResult::kWriteFailed, error};
  return {SaveResult::kSaved, 0};
}

std::filesystem::path WithDefaultExtension(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const auto dot = name.rfind('.');
  if (dot == std::string::npos) return std::filesystem::path(path.string() + ".txt");
  if (dot + 1 == name.size()) return std::filesystem::path(path.string() + "txt");
  return path;
}

}  // namespace zento
