#pragma once
// Recovery copies: a station with unsaved changes is copied, a short while after each edit, where
// the next start finds it if the program ends without the user's word (a logout, a signal, a
// crash). Each running window has its own copy and holds a lock beside it; a copy whose lock is
// free belongs to a program that is gone, and is offered at the next start.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "core/station_model.h"

namespace zento::station {

struct RecoveredStation {
  QString copy;  // the recovery file
  QString path;  // the station's own file; empty for one never saved
  Station station;
  QDateTime kept;  // when the copy was written
};

class RecoveryFile {
 public:
  // The copies live in `folder` (made when the first copy is written).
  explicit RecoveryFile(QString folder = DefaultFolder());
  ~RecoveryFile();  // the copy stays for the next start; the locks go
  RecoveryFile(const RecoveryFile&) = delete;
  RecoveryFile& operator=(const RecoveryFile&) = delete;

  static QString DefaultFolder();  // "recovery" in the application's data folder

  // Writes this window's copy of `station`, whose own file is `path`, atomically.
  bool write(const Station& station, const QString& path, QString& error);
  // Removes this window's copy, if any.
  void remove();
  bool exists() const;
  const QString& copyPath() const { return copy_; }

  // The copies of programs no longer running that can be read, newest first. Each stays locked
  // by this object, so that no other window offers it too, until it is discarded or this goes.
  std::vector<RecoveredStation> orphans();
  // Removes a copy found by orphans(): restored into this window, or dropped by the user.
  void discard(const RecoveredStation& recovered);

 private:
  QString folder_;
  QString copy_;                     // this window's copy
  std::unique_ptr<QLockFile> lock_;  // this window's lock, taken with the first copy
  std::vector<std::unique_ptr<QLockFile>> orphanLocks_;
};

}  // namespace zento::station
