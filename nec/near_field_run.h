#pragma once
// A transmitter's near field from the engine: its antenna as a deck, the ground model the engine
// can be trusted with, the runs, and the fields per watt at every point of its plan.

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "core/near_field.h"
#include "nec/engine.h"
#include "nec/report.h"

namespace zento::nec {

struct AntennaNearField {
  NearFieldPlan plan;
  NearFieldSamples samples;       // the plan's points, then the horizontal picture's
  std::vector<Segment> segments;  // the engine's, for drawings
  NearFieldMethod method;
  std::optional<GridImage> horizontal;  // the picture's plane, when one was asked for
};

// The near field of transmitter `index`, which has an antenna model; none with one message
// naming the transmitter and what went wrong.
// With `pictureHalfWidth`, also the horizontal picture's plane that far each way of the mast.
std::optional<AntennaNearField> ComputeNearField(const Station& station, std::size_t index,
                                                 const EngineOptions& options, std::stop_token stop, std::string& error,
                                                 double pictureHalfWidth = 0.0);

// The upright picture of transmitter `index`'s band `band` (its index among the transmitter's
// bands): through the mast along `bearingDegrees`, `halfWidth` each way.
struct AntennaPicture {
  GridImage plane;
  NearFieldSamples samples;
};
std::optional<AntennaPicture> ComputeVerticalGrid(const Station& station, std::size_t index, std::size_t band,
                                                  double halfWidth, double bearingDegrees, const EngineOptions& options,
                                                  std::stop_token stop, std::string& error);

// The fields per watt at `points` at all of transmitter `index`'s frequencies: for places moved
// after a run, without asking for everything again.
std::optional<NearFieldSamples> ComputePointFields(const Station& station, std::size_t index,
                                                   const std::vector<Vec3>& points, const EngineOptions& options,
                                                   std::stop_token stop, std::string& error);

// The near field of every transmitter with an antenna model, at the station's present power,
// with the pictures of each one's worst band when `grids`; problems named per transmitter.
StationNearField EvaluateStationNearField(const Station& station, const StationResult& farField, bool grids,
                                          const EngineOptions& options, std::stop_token stop = {});

// Whether the engine's Sommerfeld-Norton ground passes a check with a known answer: a 20 m wire
// 0.5 m over average ground at 28 MHz, fed in its middle, is near 1905 + j1196 ohms. Asked once
// per program.
bool SommerfeldPasses(const EngineOptions& options);

}  // namespace zento::nec
