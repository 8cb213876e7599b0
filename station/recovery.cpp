#include "station/recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

#include "report/station_file.h"
#include "station/file_io.h"

namespace zento::station {
namespace {

// A recovery file is a small JSON object around the station file's text, kept as a string so
// that the station is read back exactly as a station file is.
constexpr char kFormat[] = "zento-station-recovery";
constexpr int kVersion = 1;
const QString kCopySuffix = QStringLiteral(".recovery.json");

QString LockPath(const QString& copy) { return copy.left(copy.size() - kCopySuffix.size()) + QStringLiteral(".lock"); }

std::unique_ptr<QLockFile> Lock(const QString& copy) {
  auto lock = std::make_unique<QLockFile>(LockPath(copy));
  lock->setStaleLockTime(0);  // only a lock whose program is gone is free, however old
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

std::optional<RecoveredStation> ReadCopy(const QString& copy) {
  QFile file(copy);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
  if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormat) ||
      root.value(QLatin1String("version")).toInt() != kVersion) {
    return std::nullopt;
  }
  QString error;
  // The window keeps imported models' files by absolute paths; older copies relative to the station.
  const QString path = root.value(QLatin1String("path")).toString();
  const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
  auto station = StationFromText(root.value(QLatin1String("station")).toString().toUtf8(), error, folder);
  if (!station) return std::nullopt;
  return RecoveredStation{copy, path, WithDeckPathsFrom(std::move(*station), folder),
                          QDateTime::fromString(root.value(QLatin1String("kept")).toString(), Qt::ISODate)};
}

}  // namespace

RecoveryFile::RecoveryFile(QString folder) : folder_(std::move(folder)) {
  copy_ = QDir(folder_).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + kCopySuffix);
}

RecoveryFile::~RecoveryFile() = default;

QString RecoveryFile::DefaultFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

bool RecoveryFile::write(const Station& station, const QString& path, QString& error) {
  if (!QDir().mkpath(folder_)) {
    error = QObject::tr("cannot make the folder %1").arg(QDir::toNativeSeparators(folder_));
    return false;
  }
  if (!lock_) {
    lock_ = Lock(copy_);
    if (!lock_) {
      error = QObject::tr("cannot lock %1").arg(QDir::toNativeSeparators(LockPath(copy_)));
      return false;
    }
  }
  QJsonObject root;
  root.insert(QLatin1String("format"), QLatin1String(kFormat));
  root.insert(QLatin1String("version"), kVersion);
  root.insert(QLatin1String("path"), path);
  root.insert(QLatin1String("kept"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
  root.insert(QLatin1String("station"), QString::fromStdString(StationText(station)));
  return WriteFileAtomically(copy_, QJsonDocument(root).toJson(), error);
}

void RecoveryFile::remove() {
  if (lock_ && QFile::exists(copy_)) QFile::remove(copy_);
}

bool RecoveryFile::exists() const { return QFile::exists(copy_); }

std::vector<RecoveredStation> RecoveryFile::orphans() {
  std::vector<RecoveredStation> found;
  const QDir folder(folder_);
  for (const QString& name : folder.entryList({QLatin1Char('*') + kCopySuffix}, QDir::Files)) {
    const QString copy = folder.filePath(name);
    if (copy == copy_) continue;
    auto lock = Lock(copy);
    if (!lock) continue;  // its window is still open
    auto recovered = ReadCopy(copy);
    if (!recovered) continue;  // another version's, or not a copy: left alone
    found.push_back(std::move(*recovered));
    orphanLocks_.push_back(std::move(lock));
  }
  std::sort(found.begin(), found.end(),
            [](const RecoveredStation& a, const RecoveredStation& b) { return a.kept > b.kept; });
  return found;
}

void RecoveryFile::discard(const RecoveredStation& recovered) {
  QFile::remove(recovered.copy);
  const QString lockPath = LockPath(recovered.copy);
  std::erase_if(orphanLocks_, [&](const std::unique_ptr<QLockFile>& lock) { return lock->fileName() == lockPath; });
}

}  // namespace zento::station
