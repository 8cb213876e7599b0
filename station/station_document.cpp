#include "station/station_document.h"

#include <QUndoCommand>
#include <algorithm>

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

// Characters, as the file reader counts them: UTF-8 sequences, not bytes.
std::size_t Characters(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

QString LimitProblem(const Station& s) {
  const auto tooLong = [](const std::string& text, std::size_t limit) { return Characters(text) > limit; };
  if (tooLong(s.callsign, kMaxCallsignLength))
    return QObject::tr("A call sign has at most %1 characters").arg(kMaxCallsignLength);
  if (tooLong(s.location, kMaxLocationLength))
    return QObject::tr("A location has at most %1 characters").arg(kMaxLocationLength);
  if (s.places.size() > kMaxPlaces) return QObject::tr("A station has at most %1 places").arg(kMaxPlaces);
  if (s.transmitters.size() > kMaxTransmitters)
    return QObject::tr("A station has at most %1 transmitters").arg(kMaxTransmitters);
  for (const Place& p : s.places) {
    if (tooLong(p.name, kMaxNameLength))
      return QObject::tr("A place's name has at most %1 characters").arg(kMaxNameLength);
  }
  for (const Transmitter& t : s.transmitters) {
    if (tooLong(t.name, kMaxNameLength))
      return QObject::tr("A transmitter's name has at most %1 characters").arg(kMaxNameLength);
    if (t.bands.size() > kMaxBandsPerTransmitter)
      return QObject::tr("A transmitter has at most %1 bands and frequencies").arg(kMaxBandsPerTransmitter);
  }
  return {};
}

StationDocument::StationDocument(QObject* parent) : QObject(parent) { set(StarterStation()); }

void StationDocument::edit(const Station& after, const QString& what, const QString& mergeKey) {
  if (after == station_) return;
  // A station opened before these limits were kept may already pass one: its edits go on.
  if (const QString problem = LimitProblem(after); !problem.isEmpty() && LimitProblem(station_).isEmpty()) {
    emit refused(problem);
    return;
  }
  undo_.push(new EditCommand(this, station_, after, what, mergeKey));
}

void StationDocument::reset(const Station& station, const QString& path) {
  undo_.clear();
  set(station);
  setSaved(path);
}

void StationDocument::restore(const Station& station, const QString& path) {
  reset(station, path);
  undo_.resetClean();
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
