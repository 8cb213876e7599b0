// The station file reader: any text is a station or one message, never a crash; a station it
// accepts writes back to text that reads as the same station, and evaluates.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/station_eval.h"
#include "report/station_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto station = zento::ParseStation(text, error);
  if (!station) {
    if (error.empty()) std::abort();
    return 0;
  }
  const auto again = zento::ParseStation(zento::StationText(*station), error);
  if (!again || !(*again == *station)) std::abort();
  (void)zento::EvaluateStation(*station);
  return 0;
}
