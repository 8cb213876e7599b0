#pragma once
// Judging a point of the near field: each frequency the engine gave for a band, with each limit
// of the rule and the input power that limit is compared with.

#include <array>
#include <vector>

#include "core/near_field.h"

namespace zento {

class NearFieldCases {
 public:
  NearFieldCases(const Station& station, const Transmitter& transmitter, const TransmitterResult& farField,
                 const NearFieldSamples& samples, const BandResult& band);

  // No fields for the band's frequencies.
  bool empty() const { return cases_.empty(); }

  // The worst share at a point over the band's frequencies and the environment's limits:
  // infinite at the antenna.
  NearFieldShare Worst(std::size_t point, Environment environment, FieldChoice choice = FieldChoice::kWorst) const;

 private:
  struct WeightedLimit {
    Limit limit;
    double watts;
  };
  // A frequency of the band with the limits it is judged by: its own, and those of any break of
  // the rule's table inside the band (judged with the fields of both edges).
  struct Case {
    std::size_t frequency;  // index into the samples
    std::array<std::vector<WeightedLimit>, 2> limits;
  };
  void Add(const Station& station, const Transmitter& transmitter, double dutyPercent, std::size_t sample,
           double limitMHz);

  const NearFieldSamples& samples_;
  std::vector<Case> cases_;
};

}  // namespace zento
