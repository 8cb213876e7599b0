#include "station/file_io.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>

#include "report/station_file.h"
#include "station/local_text.h"

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
  if (!station) error = TrQ(message);
  return station;
}

std::optional<std::string> ReadDeckFile(const QString& path, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QObject::tr("cannot read %1 (%2)").arg(QFileInfo(path).fileName(), file.errorString());
    return std::nullopt;
  }
  if (file.size() > static_cast<qint64>(kMaxStationFileBytes)) {
    error = QFileInfo(path).fileName() + QStringLiteral(": ") +
            QString::fromStdString(FileTooLargeText(static_cast<std::uintmax_t>(file.size())));
    return std::nullopt;
  }
  const QByteArray bytes = file.read(static_cast<qint64>(kMaxStationFileBytes) + 1);
  return bytes.toStdString();
}

std::optional<Station> StationFromText(const QByteArray& text, QString& error, const QString& folder) {
  std::string message;
  const DeckLoader loader = [&folder](const std::string& file, std::string& why) -> std::optional<std::string> {
    QString reason;
    auto deck = ReadDeckFile(QDir(folder).absoluteFilePath(QString::fromStdString(file)), reason);
    if (!deck) why = reason.toStdString();
    return deck;
  };
  auto station = ParseStation(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), message, loader);
  if (!station) error = TrQ(message);
  return station;
}

Station WithDeckPathsFrom(Station station, const QString& folder) {
  for (Transmitter& t : station.transmitters) {
    auto& model = t.antenna.model;
    if (!model || model->kind != AntennaKind::kImported || model->file.empty()) continue;
    model->file = QDir::cleanPath(QDir(folder).absoluteFilePath(QString::fromStdString(model->file))).toStdString();
  }
  return station;
}

Station WithDeckPathsRelativeTo(Station station, const QString& folder) {
  for (Transmitter& t : station.transmitters) {
    auto& model = t.antenna.model;
    if (!model || model->kind != AntennaKind::kImported || model->file.empty()) continue;
    const QString file = QString::fromStdString(model->file);
    if (QDir::isAbsolutePath(file)) model->file = QDir(folder).relativeFilePath(file).toStdString();
  }
  return station;
}

}  // namespace zento::station
