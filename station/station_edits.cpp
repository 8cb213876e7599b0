#include "station/station_edits.h"

#include <cctype>

#include <algorithm>

#include "core/number_text.h"
#include "report/translation.h"

namespace zento::station {
namespace {

bool NameTaken(const Station& s, const std::string& name, std::size_t except) {
  for (std::size_t i = 0; i < s.transmitters.size(); ++i) {
    if (i != except && s.transmitters[i].name == name) return true;
  }
  return false;
}

int AllocationIndex(std::span<const AmateurBand> allocation, const std::string& name) {
  for (std::size_t i = 0; i < allocation.size(); ++i) {
    if (allocation[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string FreeTransmitterName(const Station& s, const std::string& base) {
  for (int n = static_cast<int>(s.transmitters.size()) + 1;; ++n) {
    const std::string name = base + " " + std::to_string(n);
    if (!NameTaken(s, name, s.transmitters.size())) return name;
  }
}

std::string NameProblem(const Station& s, std::size_t index, const std::string& name) {
  // Kept in English, as every message the station's edits give; the window translates them.
  if (name.empty()) return N_("a transmitter needs a name");
  if (NameTaken(s, name, index)) return N_("another transmitter has this name");
  return {};
}

void RenameTransmitter(Station& s, std::size_t index, const std::string& name) {
  const std::string old = s.transmitters[index].name;
  for (auto& t : s.transmitters) std::replace(t.simultaneousWith.begin(), t.simultaneousWith.end(), old, name);
  s.transmitters[index].name = name;
}

std::size_t AddTransmitter(Station& s) {
  Transmitter t;
  t.name = FreeTransmitterName(s);
  t.mode = "ssb";
  t.bands = {{"20m", 0.0}};
  t.antenna.preset = 1;  // the half-wave dipole
  s.transmitters.push_back(std::move(t));
  return s.transmitters.size() - 1;
}

std::size_t DuplicateTransmitter(Station& s, std::size_t index) {
  Transmitter copy = s.transmitters[index];
  copy.name = FreeTransmitterName(s, copy.name);
  copy.simultaneousWith.clear();
  s.transmitters.insert(s.transmitters.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(copy));
  return index + 1;
}

void RemoveTransmitter(Station& s, std::size_t index) {
  const std::string name = s.transmitters[index].name;
  s.transmitters.erase(s.transmitters.begin() + static_cast<std::ptrdiff_t>(index));
  for (auto& t : s.transmitters) std::erase(t.simultaneousWith, name);
}

void SetSimultaneous(Station& s, std::size_t a, std::size_t b, bool on) {
  if (a == b) return;
  const auto link = [on](Transmitter& from, const std::string& to) {
    std::erase(from.simultaneousWith, to);
    if (on) from.simultaneousWith.push_back(to);
  };
  link(s.transmitters[a], s.transmitters[b].name);
  link(s.transmitters[b], s.transmitters[a].name);
}

bool Simultaneous(const Station& s, std::size_t a, std::size_t b) {
  const auto mentions = [](const Transmitter& from, const std::string& to) {
    return std::find(from.simultaneousWith.begin(), from.simultaneousWith.end(), to) != from.simultaneousWith.end();
  };
  return mentions(s.transmitters[a], s.transmitters[b].name) || mentions(s.transmitters[b], s.transmitters[a].name);
}

void SetBand(Transmitter& t, std::span<const AmateurBand> allocation, const std::string& name, bool on) {
  auto& bands = t.bands;
  std::erase_if(bands, [&](const BandChoice& b) { return b.name == name; });
  if (!on) return;
  const int rank = AllocationIndex(allocation, name);
  auto at = std::find_if(bands.begin(), bands.end(), [&](const BandChoice& b) {
    return b.name.empty() || (rank >= 0 && AllocationIndex(allocation, b.name) > rank);
  });
  bands.insert(at, BandChoice{name, 0.0});
}

bool HasBand(const Transmitter& t, const std::string& name) {
  return std::any_of(t.bands.begin(), t.bands.end(), [&](const BandChoice& b) { return b.name == name; });
}

std::vector<std::string> UnallocatedBands(const Transmitter& t, std::span<const AmateurBand> allocation) {
  std::vector<std::string> names;
  for (const auto& b : t.bands) {
    if (!b.name.empty() && AllocationIndex(allocation, b.name) < 0) names.push_back(b.name);
  }
  return names;
}

void SetFrequencies(Transmitter& t, const std::vector<double>& frequencies) {
  std::erase_if(t.bands, [](const BandChoice& b) { return b.name.empty(); });
  for (const double f : frequencies) t.bands.push_back({"", f});
}

std::vector<double> Frequencies(const Transmitter& t) {
  std::vector<double> out;
  for (const auto& b : t.bands) {
    if (b.name.empty()) out.push_back(b.frequencyMHz);
  }
  return out;
}

std::optional<std::vector<double>> ParseFrequencies(const std::string& text, std::string& error) {
  // "14,2" is a decimal comma, not two frequencies: say so rather than read 14 and 2 MHz.
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == ',' && std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
        std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
      error = N_("write decimals with a point (14.2), and separate frequencies with a comma and a space");
      return std::nullopt;
    }
  }
  std::vector<double> out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find_first_of(", ;", at);
    const std::string part = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    if (part.empty()) continue;
    const auto f = ParseWholeDouble(part);
    if (!f || !kFrequencyRange.Holds(*f)) {
      // TRANSLATORS: %1 is what was typed, %2 and %3 the range's ends
      error = Subst(Tr("\"%1\" is not a frequency from %2 to %3 MHz"),
                    {part, FormatGeneral(kFrequencyRange.min, 10), FormatGeneral(kFrequencyRange.max, 10)});
      return std::nullopt;
    }
    out.push_back(*f);
  }
  return out;
}

std::string FrequenciesText(const std::vector<double>& frequencies) {
  std::string text;
  for (const double f : frequencies) text += (text.empty() ? "" : ", ") + FormatGeneral(f, 10);
  return text;
}

Place NewPlace(const Station& s) {
  Place p;
  p.name = "Place " + std::to_string(s.places.size() + 1);
  p.horizontalMeters = 10.0;
  return p;
}

}  // namespace zento::station
