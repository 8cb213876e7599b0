// A cable length typed into the feedline dialog, with any cable and frequency.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/feedline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  double frequency = 0.0;
  std::memcpy(&frequency, data, sizeof frequency);
  zento::FeedlineState state;
  state.frequencyMHz = frequency;
  state.SelectCable(static_cast<int>(data[8] % 30) - 1);
  state.SetLengthUnits(data[9] & 1);
  state.SetLength(std::string(reinterpret_cast<const char*>(data + 10), size - 10));
  if (state.length != std::trunc(state.length) || std::fabs(state.length) > 2147483648.0) std::abort();
  const double taken = zento::TruncateToHundredths(state.totalLossDb);
  if (std::isnan(taken) || std::fabs(taken) > 21474836.48) std::abort();
  return 0;
}
