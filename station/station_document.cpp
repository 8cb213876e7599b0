#include "station/station_document.h"

#include <QUndoCommand>

#include "station/station_edits.h"

namespace zento::station {
namespace {

// Every edit is the whole station before and after: plain, and as cheap as a copy.
class EditCommand : public QUndoCommand {
 public:
  EditCommand(StationDocument* document, Station before, Station after, const QString& what, QString mergeKey)
      : QUndoCommand(what),
        document_(document),
        before_(std::move(before)),
        after_(std::move(after)),
        mergeKey_(std::move(mergeKey)) {}

  void undo() override { document_->set(before_); }
  void redo() override { document_->set(after_); }
  int id() const override { return mergeKey_.isEmpty() ? -1 : 1; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const EditCommand*>(other);
    if (next->mergeKey_ != mergeKey_) return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
  }

 private:
  StationDocument* document_;
  Station before_, after_;
  QString mergeKey_;
};

}  // namespace

StationDocument::StationDocument(QObject* parent) : QObject(parent) { set(StarterStation()); }

void StationDocument::edit(const Station& after, const QString& what, const QString& mergeKey) {
  if (after == station_) return;
  undo_.push(new EditCommand(this, station_, after, what, mergeKey));
}

void StationDocument::reset(const Station& station, const QString& path) {
  undo_.clear();
  set(station);
  setSaved(path);
}

void StationDocument::setSaved(const QString& path) {
  undo_.setClean();
  if (path == path_) return;
  path_ = path;
  emit pathChanged();
}

void StationDocument::set(const Station& station) {
  station_ = station;
  result_ = EvaluateStation(station_);
  emit changed();
}

Station StarterStation() {
  Station s;
  Place yard;
  yard.name = "Back yard";
  yard.horizontalMeters = 10.0;
  s.places.push_back(yard);
  AddTransmitter(s);
  s.transmitters[0].name = "HF";
  s.transmitters[0].antenna.heightMeters = 10.0;
  return s;
}

}  // namespace zento::station
