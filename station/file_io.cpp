#include "station/file_io.h"

#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>

#include "report/station_file.h"

namespace zento::station {

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString& error) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);  // never write over the old file in place
  // Unbuffered: a write that fails (a full disk) fails here, where its result is checked. A
  // buffered one would fail in the flush inside commit(), which Qt 6.4 then reports as success.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = file.errorString();
    return false;
  }
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
    if (n <= 0) {
      error = file.errorString().isEmpty() ? QObject::tr("the disk took no more") : file.errorString();
      file.cancelWriting();
      return false;
    }
    written += n;
  }
  // commit() syncs too, but ignores a failure: some file systems report a full disk only here.
  if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
    error = qt_error_string(errno);
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

std::optional<Station> ReadStationFile(const QString& path, QString& error) {
  // The reader checks the size before it reads: a huge file is refused without filling memory.
  std::string message;
  auto station = zento::ReadStationFile(std::filesystem::path(path.toStdString()), message);
  if (!station) error = QString::fromStdString(message);
  return station;
}

std::optional<Station> StationFromText(const QByteArray& text, QString& error) {
  std::string message;
  auto station = ParseStation(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), message);
  if (!station) error = QString::fromStdString(message);
  return station;
}

}  // namespace zento::station
