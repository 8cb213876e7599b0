#include "station/near_field_record.h"

#include "station/near_field_service.h"

namespace zento::station {

std::optional<StationNearField> RecordNearField(NearFieldService& service, const Station& s,
                                                const StationResult& farField) {
  StationNearField out;
  const std::size_t count = s.transmitters.size();
  out.transmitters.resize(count);
  out.problems.resize(count);
  bool complete = true;
  for (std::size_t t = 0; t < count && t < service.transmitters().size(); ++t) {
    const TransmitterNearField& nf = service.transmitters()[t];
    using State = TransmitterNearField::State;
    if (nf.state == State::kNoModel) continue;
    if (nf.state == State::kFailed) {
      out.problems[t] = nf.problem.toStdString();
      continue;
    }
    // Every figure of the record is the engine's own for the station as it is.
    if (!nf.current() || nf.refining) {
      complete = false;
      continue;
    }
    StationNearField::Transmitter entry;
    entry.result = *nf.result;
    entry.method = nf.entry->run->method;
    entry.wires = nf.entry->wires;
    const FarthestBoundary worst = FarthestBoundaryOf(entry.result, s.transmitters[t].antenna.headingDegrees);
    const auto upright = service.upright(t, worst.band);
    if (upright && nf.data->horizontal) {
      entry.grids = std::pair(EvaluateGrid(s, t, worst.band, farField, *nf.data->horizontal, nf.data->samples,
                                           FieldChoice::kWorst, Environment::kUncontrolled),
                              EvaluateGrid(s, t, worst.band, farField, upright->plane, upright->samples,
                                           FieldChoice::kWorst, Environment::kUncontrolled));
      entry.gridBand = worst.band;
    } else if (const QString problem = service.uprightProblem(t, worst.band); !problem.isEmpty()) {
      out.problems[t] = s.transmitters[t].name + ": " + problem.toStdString();
    } else {
      complete = false;
    }
    out.transmitters[t] = std::move(entry);
  }
  if (!complete) return std::nullopt;
  out.places = service.verdicts();
  return out;
}

}  // namespace zento::station
