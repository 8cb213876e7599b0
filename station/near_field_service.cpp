#include "station/near_field_service.h"

#include <QMetaObject>
#include <algorithm>
#include <functional>
#include <set>

#include "report/translation.h"
#include "station/local_text.h"
#include "station/station_document.h"

namespace zento::station {
namespace {

// Geometries kept: each a few hundred kilobytes to a few megabytes of fields.
constexpr std::size_t kKeptGeometries = 24;

using Done = std::function<void(NearFieldService&)>;

// The engine's message without the transmitter's name it begins with: the name may change.
std::string WithoutName(const std::string& error, const std::string& name) {
  const std::string prefix = name + ": ";
  return error.rfind(prefix, 0) == 0 ? error.substr(prefix.size()) : error;
}

std::pair<double, double> Edges(const BandResult& band) { return {band.lowMHz, band.highMHz}; }

}  // namespace

NearFieldService::NearFieldService(StationDocument* document, QObject* parent)
    : QObject(parent), document_(document) {
  // The engine is a process of its own: two at a time on each of a small machine's cores is
  // plenty, and a cancelled one ends at once.
  pool_.setMaxThreadCount(4);
  connect(document_, &StationDocument::changed, this, &NearFieldService::stationChanged);
  stationChanged();
}

NearFieldService::~NearFieldService() {
  cancelAll();
  pool_.waitForDone();
}

void NearFieldService::cancelAll() {
  for (auto& [name, job] : running_) job.stop->request_stop();
  running_.clear();
}

void NearFieldService::setEngineOptions(const nec::EngineOptions& options) {
  cancelAll();
  options_ = options;
  kept_.clear();
  failed_.clear();
  shown_.clear();
  memo_.clear();
  said_.clear();
  stationChanged();
  emit changed();
}

bool NearFieldService::anyModel() const {
  return std::any_of(transmitters_.begin(), transmitters_.end(),
                     [](const TransmitterNearField& t) { return t.state != TransmitterNearField::State::kNoModel; });
}

QStringList NearFieldService::problems() const {
  QStringList out;
  for (const TransmitterNearField& t : transmitters_) {
    if (!t.problem.isEmpty()) out << t.problem;
  }
  return out;
}

std::shared_ptr<GeometryEntry> NearFieldService::entry(const std::string& key) {
  const auto it = kept_.find(key);
  if (it == kept_.end()) return nullptr;
  it->second->lastUse = ++uses_;
  return it->second;
}

void NearFieldService::keep(std::shared_ptr<GeometryEntry> entry) {
  entry->lastUse = ++uses_;
  kept_[entry->key] = std::move(entry);
  while (kept_.size() > kKeptGeometries) {
    kept_.erase(std::min_element(kept_.begin(), kept_.end(), [](const auto& a, const auto& b) {
      return a.second->lastUse < b.second->lastUse;
    }));
  }
}

void NearFieldService::stationChanged() {
  const Station& s = document_->station();
  std::set<std::string> wanted;
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    if (!s.transmitters[t].antenna.model) continue;
    const std::string key = EngineKey(s, t);
    wanted.insert(key);
    if (!kept_.contains(key) && !failed_.contains(key) && !running_.contains("g:" + key)) startGeometry(t, key);
  }
  // A newer edit cancels the runs of geometries no transmitter has any more.
  for (auto it = running_.begin(); it != running_.end();) {
    if (wanted.contains(it->second.key)) {
      ++it;
      continue;
    }
    it->second.stop->request_stop();
    it = running_.erase(it);
  }
  evaluate();
}

void NearFieldService::evaluate() {
  const Station& s = document_->station();
  const StationResult& far = document_->result();
  const std::size_t count = s.transmitters.size();
  transmitters_.assign(count, {});
  entries_.assign(count, nullptr);
  memo_.resize(count);
  pending_.assign(s.places.size(), false);
  std::vector<std::optional<NearFieldTransmitter>> near(count);
  std::map<std::string, std::shared_ptr<GeometryEntry>> shown;
  for (std::size_t t = 0; t < count; ++t) {
    const Transmitter& tx = s.transmitters[t];
    TransmitterNearField& out = transmitters_[t];
    if (!tx.antenna.model) continue;
    using State = TransmitterNearField::State;
    const std::string key = EngineKey(s, t);
    std::shared_ptr<GeometryEntry> geometry = entry(key);
    if (geometry) {
      out.state = State::kReady;
    } else if (const auto failed = failed_.find(key); failed != failed_.end()) {
      out.state = State::kFailed;
      out.problem = QString::fromStdString(tx.name) + QStringLiteral(": ") + TrQ(failed->second);
    } else {
      out.state = State::kComputing;
      // The last geometry shown stands in, marked out of date, until the new one arrives.
      if (const auto last = shown_.find(tx.name); last != shown_.end()) geometry = last->second;
      out.outOfDate = geometry != nullptr;
      pending_.assign(s.places.size(), true);
    }
    if (!geometry || out.state == State::kFailed) continue;
    shown[tx.name] = geometry;
    std::vector<std::vector<Vec3>> points;
    for (const Place& place : s.places) points.push_back(PlacePoints(s, tx, place));
    Memo& memo = memo_[t];
    if (memo.entry != geometry.get() || memo.generation != geometry->generation || memo.points != points) {
      memo = {geometry.get(), geometry->generation, points, Combine(*geometry, points)};
    }
    out.entry = geometry;
    entries_[t] = geometry;
    out.data = memo.data;
    out.result = EvaluateNearField(s, t, far, out.data->plan, out.data->samples);
    if (!out.current()) continue;
    // Places the engine has not given its own fields for: read from the picture meanwhile (or
    // not known), and asked for.
    std::vector<std::vector<Vec3>> missing;
    NearFieldTransmitter judged = *out.result;
    for (std::size_t p = 0; p < s.places.size(); ++p) {
      if (!out.data->placeKnown[p]) {
        pending_[p] = true;
        judged.worstShare[p] = far.transmitters[t].worstShare[p];
      }
      if (!out.data->placeKnown[p] || out.data->placeEstimated[p]) missing.push_back(points[p]);
    }
    out.refining = !missing.empty();
    if (out.refining) startPlaces(t, geometry, std::move(missing));
    near[t] = std::move(judged);
  }
  shown_ = std::move(shown);
  verdicts_ = NearFieldVerdicts(s, far, near);
  for (const QString& problem : problems()) {
    if (said_.contains(problem)) continue;
    said_ << problem;
    emit newProblem(problem);
  }
}

template <typename Work>
void NearFieldService::start(const std::string& name, const std::string& key, Work work) {
  if (const auto it = running_.find(name); it != running_.end()) it->second.stop->request_stop();
  auto stop = std::make_shared<std::stop_source>();
  running_[name] = {stop, key, {}};
  ++started_;
  pool_.start([this, name, stop, work] {
    // Cancelled while it waited: nothing to do.
    Done done = stop->stop_requested() ? Done([](NearFieldService&) {}) : Done(work(stop->get_token()));
    QMetaObject::invokeMethod(
        this,
        [this, name, stop, done] {
          if (finish(name, stop)) done(*this);
        },
        Qt::QueuedConnection);
  });
}

bool NearFieldService::finish(const std::string& name, const std::shared_ptr<std::stop_source>& stop) {
  const auto it = running_.find(name);
  if (it != running_.end() && it->second.stop == stop) running_.erase(it);
  if (stop->stop_requested()) {
    ++cancelled_;
    return false;
  }
  return true;
}

void NearFieldService::startGeometry(std::size_t t, const std::string& key) {
  const Station s = document_->station();
  const double halfWidth = PictureHalfWidth(s, t, document_->result());
  start("g:" + key, key, [s, t, key, halfWidth, options = options_](std::stop_token stop) -> Done {
    std::string error;
    auto run = nec::ComputeNearField(s, t, options, stop, error, halfWidth);
    if (!run) {
      return [key, error = WithoutName(error, s.transmitters[t].name)](NearFieldService& self) {
        self.failed_[key] = error;
        self.evaluate();
        emit self.changed();
      };
    }
    auto entry = std::make_shared<GeometryEntry>();
    entry->key = key;
    entry->halfWidth = halfWidth;
    for (const nec::Segment& seg : run->segments) entry->wires.emplace_back(seg.End(-1), seg.End(+1));
    entry->run = std::make_shared<const nec::AntennaNearField>(std::move(*run));
    KeepRunPlaces(*entry);
    return [entry](NearFieldService& self) {
      self.keep(entry);
      self.evaluate();
      // The upright picture of the band whose boundary reaches farthest comes next.
      const Station& now = self.document_->station();
      for (std::size_t i = 0; i < self.transmitters_.size(); ++i) {
        const TransmitterNearField& tx = self.transmitters_[i];
        if (tx.entry != entry || !tx.current()) continue;
        self.upright(i, FarthestBoundaryOf(*tx.result, now.transmitters[i].antenna.headingDegrees).band);
      }
      emit self.changed();
    };
  });
}

void NearFieldService::startPlaces(std::size_t t, const std::shared_ptr<GeometryEntry>& geometry,
                                   std::vector<std::vector<Vec3>> points) {
  const std::string name = "p:" + geometry->key;
  std::vector<PointsKey> asked;
  for (const auto& p : points) asked.push_back(KeyOf(p));
  if (const auto it = running_.find(name); it != running_.end() && it->second.asked == asked) return;
  const Station s = document_->station();
  start(name, geometry->key, [s, t, points, geometry, options = options_](std::stop_token stop) -> Done {
    std::vector<Vec3> all;
    for (const auto& p : points) all.insert(all.end(), p.begin(), p.end());
    std::string error;
    auto samples = nec::ComputePointFields(s, t, all, options, stop, error);
    if (!samples) {
      // Rare (the geometry's own run went through): no figure for the places is better than one
      // that may be short, so the near field of this geometry says why it is missing.
      return [key = geometry->key, error = WithoutName(error, s.transmitters[t].name)](NearFieldService& self) {
        self.kept_.erase(key);
        self.failed_[key] = Subst(Tr("the places' own fields: %1"), {TrText(error)});
        self.evaluate();
        emit self.changed();
      };
    }
    std::vector<std::pair<PointsKey, std::shared_ptr<const PointBlock>>> blocks;
    std::size_t first = 0;
    for (const auto& p : points) {
      auto block = std::make_shared<PointBlock>();
      const auto from = static_cast<std::ptrdiff_t>(first), to = static_cast<std::ptrdiff_t>(first + p.size());
      for (const auto& fields : samples->fields) block->fields.emplace_back(fields.begin() + from, fields.begin() + to);
      block->atAntenna.assign(samples->atAntenna.begin() + from, samples->atAntenna.begin() + to);
      blocks.emplace_back(KeyOf(p), std::move(block));
      first += p.size();
    }
    return [geometry, blocks](NearFieldService& self) {
      for (const auto& [key, block] : blocks) geometry->places[key] = block;
      ++geometry->generation;
      self.evaluate();
      emit self.changed();
    };
  });
  running_[name].asked = std::move(asked);
}

std::shared_ptr<const nec::AntennaPicture> NearFieldService::upright(std::size_t t, std::size_t band) {
  if (t >= transmitters_.size() || !entries_[t] || !transmitters_[t].result) return nullptr;
  const std::shared_ptr<GeometryEntry> geometry = entries_[t];
  const auto& bands = document_->result().transmitters[t].bands;
  if (band >= bands.size() || !bands[band].problem.empty()) return nullptr;
  const auto edges = Edges(bands[band]);
  if (const auto it = geometry->uprights.find(edges); it != geometry->uprights.end()) return it->second;
  if (!transmitters_[t].current() || geometry->uprightProblems.contains(edges)) return nullptr;
  const std::string name = "u:" + geometry->key + ":" + std::to_string(edges.first) + "-" + std::to_string(edges.second);
  if (running_.contains(name)) return nullptr;
  const Station s = document_->station();
  const AntennaPlacement at = PlacementOf(s, s.transmitters[t]);
  const double halfWidth = UprightHalfWidth(geometry->halfWidth, geometry->wires, {at.x, at.y, 0.0});
  const double bearing = FarthestBoundaryOf(*transmitters_[t].result, at.headingDegrees, band).bearingDegrees;
  start(name, geometry->key,
        [s, t, band, halfWidth, bearing, edges, geometry, options = options_](std::stop_token stop) -> Done {
          std::string error;
          auto picture = nec::ComputeVerticalGrid(s, t, band, halfWidth, bearing, options, stop, error);
          std::shared_ptr<const nec::AntennaPicture> kept;
          if (picture) kept = std::make_shared<const nec::AntennaPicture>(std::move(*picture));
          return [geometry, edges, kept, error = WithoutName(error, s.transmitters[t].name)](NearFieldService& self) {
            if (kept) {
              geometry->uprights[edges] = kept;
            } else {
              geometry->uprightProblems[edges] = error;
            }
            emit self.changed();
          };
        });
  return nullptr;
}

QString NearFieldService::uprightProblem(std::size_t t, std::size_t band) const {
  if (t >= transmitters_.size() || !transmitters_[t].entry) return {};
  const auto& bands = document_->result().transmitters[t].bands;
  if (band >= bands.size()) return {};
  const auto& problems = transmitters_[t].entry->uprightProblems;
  const auto it = problems.find(Edges(bands[band]));
  return it == problems.end() ? QString() : TrQ(it->second);
}

}  // namespace zento::station
