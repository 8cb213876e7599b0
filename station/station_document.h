#pragma once
// The station a window shows: its inputs, its evaluation, the file it came from, and the undo
// history of its edits. Every change evaluates the whole station again.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "core/station_eval.h"

namespace zento::station {

class StationDocument : public QObject {
  Q_OBJECT

 public:
  explicit StationDocument(QObject* parent = nullptr);

  const Station& station() const { return station_; }
  const StationResult& result() const { return result_; }
  QUndoStack* undoStack() { return &undo_; }

  // One edit by the user: the station as it is after it, named for the Edit menu ("Power").
  // Edits with the same non-empty `mergeKey` in a row are undone as one (typing in one field).
  // An edit that would make the station larger than a station file may hold is refused, and
  // refused() says why: the station stays one that can be saved and opened again.
  void edit(const Station& after, const QString& what, const QString& mergeKey = {});

  // A new or opened station: no history, and nothing unsaved.
  void reset(const Station& station, const QString& path);
  // A station brought back from a recovery copy: no history, and unsaved changes to `path`.
  void restore(const Station& station, const QString& path);
  const QString& path() const { return path_; }
  void setSaved(const QString& path);
  bool modified() const { return !undo_.isClean(); }

  // Used by the undo commands.
  void set(const Station& station);

 signals:
  // After every edit, undo, redo and reset.
  void changed();
  void pathChanged();
  // An edit was refused: the message says which limit it passed.
  void refused(const QString& message);

 private:
  Station station_;
  StationResult result_;
  QString path_;
  QUndoStack undo_;
};

// A station to start from: one place, one transmitter.
Station StarterStation();

// What makes the station larger than a station file may hold (too many places, a name too
// long...), or nothing.
QString LimitProblem(const Station& station);

}  // namespace zento::station
