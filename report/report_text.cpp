#include "report/report_text.h"

#include <cstdint>

#include "core/number_text.h"

namespace zento {

std::string AppendReportLine(std::string text, std::string_view line) {
  text.append(line);
  text.append(kCrLf);
  return text;
}

std::vector<std::string> BannerLines() { return {std::string(kBannerTitle), std::string(kBlockRule)}; }

std::vector<std::string> StationBlockLines(std::string_view callsign, std::string_view location) {
  return {
      "Callsign: " + std::string(callsign),
      "Station Location:\r\n" + std::string(location),
      std::string(kBlockRule),
  };
}

std::vector<std::string> ResultBlockLines(const StationParameters& s, std::string_view controlledDistanceText,
                                          std::string_view uncontrolledDistanceText) {
  // The duty cycle is printed as a signed number, like the power.
  const auto duty = static_cast<std::int32_t>(s.dutyCyclePercent);
  return {
      "Description:",
      "Frequency: " + FormatFixed(s.frequencyMHz, 2) + " MHz",
      "Power: " + std::to_string(s.powerWatts) + " Watts   Duty Cycle: " + std::to_string(duty) + " %",
      "Feedline Loss: " + FormatFixed(s.feedlineLossDb, 1) + " dB  Antenna Gain: " + FormatFixed(s.antennaGainDbi, 1) +
          " dBi",
      "EIRP (Major Lobe, Plane Wave): " + FormatFixed(s.eirpWatts, 1) + "  Watts",
      "\r\nMINIMUM DISTANCES TO MEET RADIATION LIMITS\r\n",
      "CONTROLLED Limit = " + FormatFixed(s.controlledLimit, 2) + " mw/cm-cm @ " + std::string(controlledDistanceText),
      "UNCONTROLLED Limit = " + FormatFixed(s.uncontrolledLimit, 2) + " mw/cm-cm @ " +
          std::string(uncontrolledDistanceText),
      std::string(kResultRule),
  };
}

std::string AppendReportLines(std::string text, const std::vector<std::string>& lines) {
  for (const auto& line : lines) text = AppendReportLine(std::move(text), line);
  return text;
}

std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out.append(kCrLf);
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out.append(kCrLf);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string ToLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace zento
