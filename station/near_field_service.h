#pragma once
// The near field for the window: the engine run off the window's thread for each transmitter
// with an antenna model, a newer edit cancelling an older run, and the fields kept per geometry,
// so that a power, mode, time, loss or place edit only rescales them, and undo back to a geometry
// seen before finds them again without a run.

#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <map>
#include <memory>
#include <stop_token>

#include "nec/engine.h"
#include "station/near_field_data.h"

namespace zento::station {

class StationDocument;

// What the window shows of one transmitter's near field.
struct TransmitterNearField {
  enum class State {
    kNoModel,    // no antenna model: the far field alone
    kComputing,  // the engine is at work and nothing of this geometry is known yet
    kReady,
    kFailed,  // `problem` says why; the far field stands
  };
  State state = State::kNoModel;
  // While the engine works on a new geometry, the last one's figures, to show marked as such.
  bool outOfDate = false;
  bool refining = false;  // places' own fields are on their way; meanwhile read from the picture
  QString problem;
  std::shared_ptr<const GeometryEntry> entry;  // the geometry shown
  std::shared_ptr<const NearFieldData> data;   //
  std::optional<NearFieldTransmitter> result;  // at the present power, mode, time and loss

  bool shown() const { return result.has_value(); }
  // Figures of the station as it is now.
  bool current() const { return state == State::kReady && !outOfDate; }
  bool placeKnown(std::size_t place) const {
    return current() && data && place < data->placeKnown.size() && data->placeKnown[place];
  }
};

class NearFieldService : public QObject {
  Q_OBJECT

 public:
  explicit NearFieldService(StationDocument* document, QObject* parent = nullptr);
  ~NearFieldService() override;

  // Another engine (tests; a machine without nec2c): what was kept is dropped and run again.
  void setEngineOptions(const nec::EngineOptions& options);

  const std::vector<TransmitterNearField>& transmitters() const { return transmitters_; }
  bool anyModel() const;
  // At each place, with each modelled transmitter's near-field share where it is known (as
  // zento-calc's verdicts: the far field's share for a transmitter without one); `pending`
  // says where a modelled transmitter's share is not known yet.
  const std::vector<PlaceVerdict>& verdicts() const { return verdicts_; }
  bool verdictPending(std::size_t place) const { return place < pending_.size() && pending_[place]; }
  // The transmitters' problems, "HF: ...", one each.
  QStringList problems() const;
  // No run is going.
  bool idle() const { return running_.empty(); }

  // The upright picture of a transmitter's band, through the mast along that band's farthest
  // boundary when it was asked for; none while the engine makes it (asked for here).
  std::shared_ptr<const nec::AntennaPicture> upright(std::size_t transmitter, std::size_t band);
  // Why the engine gave no upright picture of that band; empty when it did, or is at it.
  QString uprightProblem(std::size_t transmitter, std::size_t band) const;

  // Runs started, and those cancelled by a newer edit before they were shown.
  int runsStarted() const { return started_; }
  int runsCancelled() const { return cancelled_; }

 signals:
  // A run began, arrived or failed: every view of the near field refreshes. (After an edit they
  // refresh with the document, which this follows first.)
  void changed();
  // A problem that was not there before: said once.
  void newProblem(const QString& message);

 private:
  struct Job {
    std::shared_ptr<std::stop_source> stop;
    std::string key;               // the geometry it is for
    std::vector<PointsKey> asked;  // the places it asks for
  };
  // The fields of a transmitter's places put together, kept while nothing they come from changes.
  struct Memo {
    const GeometryEntry* entry = nullptr;
    int generation = -1;
    std::vector<std::vector<Vec3>> points;
    std::shared_ptr<const NearFieldData> data;
  };
  void stationChanged();
  void evaluate();
  void startGeometry(std::size_t transmitter, const std::string& key);
  void startPlaces(std::size_t transmitter, const std::shared_ptr<GeometryEntry>& entry,
                   std::vector<std::vector<Vec3>> points);
  // Starts `work` on the pool under `name` for geometry `key`, cancelling what ran under that
  // name; `work` returns what to do with its result on the window's thread, unless cancelled.
  template <typename Work>
  void start(const std::string& name, const std::string& key, Work work);
  // Whether a job's result is to be taken: not cancelled since.
  bool finish(const std::string& name, const std::shared_ptr<std::stop_source>& stop);
  std::shared_ptr<GeometryEntry> entry(const std::string& key);
  void keep(std::shared_ptr<GeometryEntry> entry);
  void cancelAll();

  StationDocument* document_;
  nec::EngineOptions options_;
  QThreadPool pool_;
  std::map<std::string, std::shared_ptr<GeometryEntry>> kept_;  // by EngineKey
  std::map<std::string, std::string> failed_;                    // by EngineKey: why its run failed
  std::map<std::string, Job> running_;                           // by job name
  std::map<std::string, std::shared_ptr<GeometryEntry>> shown_;  // by transmitter name: the geometry last shown
  std::vector<std::shared_ptr<GeometryEntry>> entries_;          // per transmitter: the one shown now
  std::vector<Memo> memo_;
  std::vector<TransmitterNearField> transmitters_;
  std::vector<PlaceVerdict> verdicts_;
  std::vector<bool> pending_;
  QStringList said_;  // problems already said
  std::uint64_t uses_ = 0;
  int started_ = 0, cancelled_ = 0;
};

}  // namespace zento::station
