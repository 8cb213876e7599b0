// Writing stations: every key in a fixed order, so that files diff cleanly.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "core/antennas.h"
#include "core/feedline.h"
#include "core/operating.h"
#include "report/station_file.h"

namespace zento {
namespace {

using Json = nlohmann::ordered_json;

std::string_view EnvironmentKey(Environment e) { return e == Environment::kControlled ? "controlled" : "uncontrolled"; }
std::string_view UnitKey(LengthUnit u) { return u == LengthUnit::kFeet ? "feet" : "meters"; }

Json FeedlineJson(const Feedline& f) {
  Json out = Json::object();
  switch (f.kind) {
    case FeedlineKind::kCable:
      out["cable"] = kCableTable[static_cast<std::size_t>(f.cableRow)].name;
      break;
    case FeedlineKind::kLossPer100Feet:
      out["loss_db_per_100ft"] = f.lossDbPer100Feet;
      break;
    case FeedlineKind::kTotalLoss:
      out["loss_db"] = f.totalLossDb;
      break;
  }
  if (f.kind != FeedlineKind::kTotalLoss) {
    out["length"] = f.length;
    out["length_units"] = UnitKey(f.lengthUnit);
  }
  out["swr"] = f.swr;
  out["other_loss_db"] = f.otherLossDb;
  return out;
}

Json ModelJson(const AntennaModel& m) {
  Json out = {{"kind", Info(m.kind).key}};
  if (m.designMHz) out["design_mhz"] = *m.designMHz;
  switch (m.kind) {
    case AntennaKind::kInvertedV:
      out["apex_deg"] = m.apexDegrees;
      break;
    case AntennaKind::kVertical:
      if (m.verticalLength == VerticalLength::kGiven) {
        out["length_m"] = m.lengthMeters;
      } else {
        out["length"] = m.verticalLength == VerticalLength::kQuarterWave ? "quarter-wave" : "five-eighths-wave";
      }
      out["radials"] = m.radials;
      break;
    case AntennaKind::kYagi:
      out["elements"] = m.elements;
      break;
    case AntennaKind::kLoop:
      out["shape"] = m.loopShape == LoopShape::kSquare ? "square" : "delta";
      out["plane"] = m.horizontalLoop ? "horizontal" : "vertical";
      break;
    case AntennaKind::kImported:
      out["file"] = m.file;
      break;
    case AntennaKind::kDipole:
      break;
  }
  if (m.wireRadiusMm) out["wire_radius_mm"] = *m.wireRadiusMm;
  out["conductivity_s_m"] = m.conductivitySm;
  return out;
}

Json Pair(const std::array<double, 2>& xy) { return Json::array({xy[0], xy[1]}); }

Json TransmitterJson(const Transmitter& t) {
  Json out = {{"name", t.name}, {"power_watts", t.powerWatts}};
  if (t.dutyPercent) {
    out["duty_percent"] = *t.dutyPercent;
  } else if (!t.mode.empty()) {
    out["mode"] = t.mode;
  }
  // Seconds back as they were typed: to a nanosecond, not a minute's binary fraction of one.
  const auto shown = [&t](double minutes) {
    return t.timesInSeconds ? std::round(minutes * 60.0 * 1e9) / 1e9 : minutes;
  };
  if (t.txMinutes) out[t.timesInSeconds ? "tx_seconds" : "tx_minutes"] = shown(*t.txMinutes);
  if (t.rxMinutes) out[t.timesInSeconds ? "rx_seconds" : "rx_minutes"] = shown(*t.rxMinutes);
  Json bands = Json::array();
  for (const auto& band : t.bands) {
    bands.push_back(band.name.empty() ? Json(band.frequencyMHz) : Json(band.name));
  }
  out["bands"] = std::move(bands);
  out["feedline"] = FeedlineJson(t.feedline);
  Json antenna = Json::object();
  if (t.antenna.preset) {
    antenna["preset"] = kAntennaPresets[static_cast<std::size_t>(*t.antenna.preset)].shortName;
  } else {
    antenna["gain_dbi"] = t.antenna.gainDbi;
  }
  if (t.antenna.heightMeters) antenna["height_m"] = *t.antenna.heightMeters;
  if (t.antenna.positionMeters) antenna["position_m"] = Pair(*t.antenna.positionMeters);
  if (t.antenna.headingDegrees != 0.0) antenna["heading_deg"] = t.antenna.headingDegrees;
  if (t.antenna.downwardAttenuationDb != 0.0) antenna["downward_attenuation_db"] = t.antenna.downwardAttenuationDb;
  if (t.antenna.model) antenna["model"] = ModelJson(*t.antenna.model);
  out["antenna"] = std::move(antenna);
  out["simultaneous_with"] = t.simultaneousWith;
  return out;
}

Json PlaceJson(const Place& p) {
  Json out = {{"name", p.name}, {"environment", EnvironmentKey(p.environment)}};
  if (p.distanceMeters) out["distance_m"] = *p.distanceMeters;
  if (p.horizontalMeters) out["horizontal_m"] = *p.horizontalMeters;
  if (p.positionMeters) out["position_m"] = Pair(*p.positionMeters);
  if (p.heightMeters) out["height_m"] = *p.heightMeters;
  return out;
}

}  // namespace

std::string StationText(const Station& s) {
  Json out = {{"format", kStationFileFormat}, {"version", kStationFileVersion},
              {"callsign", s.callsign},       {"location", s.location},
              {"rules", Info(s.rules).key},   {"ground_reflection", s.groundReflection},
              {"units", UnitKey(s.units)},    {"person_height_m", s.personHeightMeters}};
  if (s.exemptionDistanceMeters) out["exemption_distance_m"] = *s.exemptionDistanceMeters;
  // The near field's ground: written where it matters or was chosen, so older files stay as they were.
  const bool models = std::any_of(s.transmitters.begin(), s.transmitters.end(),
                                  [](const Transmitter& t) { return t.antenna.model.has_value(); });
  if (models || s.ground != Ground::kAverage) out["ground"] = Info(s.ground).key;
  if (s.assessment) {
    const Assessment& a = *s.assessment;
    Json assessment = Json::object();
    if (!a.assessor.empty()) assessment["assessor"] = a.assessor;
    if (!a.date.empty()) assessment["date"] = a.date;
    if (!a.method.empty()) assessment["method"] = a.method;
    if (!a.measures.empty()) assessment["measures"] = a.measures;
    if (!a.nextReview.empty()) assessment["next_review"] = a.nextReview;
    out["assessment"] = std::move(assessment);
  }
  if (!s.siteOutline.empty()) {
    Json corners = Json::array();
    for (const auto& corner : s.siteOutline) corners.push_back(Pair(corner));
    out["site"] = {{"outline_m", std::move(corners)}};
  }
  Json places = Json::array();
  for (const auto& place : s.places) places.push_back(PlaceJson(place));
  out["places"] = std::move(places);
  Json transmitters = Json::array();
  for (const auto& t : s.transmitters) transmitters.push_back(TransmitterJson(t));
  out["transmitters"] = std::move(transmitters);
  return out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

SaveOutcome WriteStationFile(const std::filesystem::path& path, const Station& station) {
  std::filesystem::path temporary = path;
  temporary += ".tmp-" + std::to_string(::getpid());
  SaveOutcome outcome = WriteReportFile(temporary, StationText(station));
  if (outcome.result == SaveResult::kSaved) {
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
      if (::fsync(fd) != 0) outcome = {SaveResult::kWriteFailed, errno};
      ::close(fd);
    }
  }
  if (outcome.result == SaveResult::kSaved && std::rename(temporary.c_str(), path.c_str()) != 0) {
    outcome = {SaveResult::kWriteFailed, errno};
  }
  if (outcome.result != SaveResult::kSaved) std::remove(temporary.c_str());
  return outcome;
}

}  // namespace zento
