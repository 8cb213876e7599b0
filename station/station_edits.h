#pragma once
// Edits of a station that keep it a station the file reader accepts: transmitter names unique
// and not empty, "at the same time as" naming only other transmitters, both ways.

#include <span>
#include <string>
#include <vector>

#include "core/bands.h"
#include "core/station_model.h"

namespace zento::station {

// "Transmitter 2", or the first free "<base> N".
std::string FreeTransmitterName(const Station& station, const std::string& base = "Transmitter");

// Why `name` cannot be transmitter `index`'s name; empty when it can.
std::string NameProblem(const Station& station, std::size_t index, const std::string& name);

// Renames transmitter `index` and every mention of it in the others' "at the same time as".
void RenameTransmitter(Station& station, std::size_t index, const std::string& name);

// Adds a transmitter (100 W, SSB, 20 m, a dipole) and returns its index.
std::size_t AddTransmitter(Station& station);
// A copy of transmitter `index` under a free name, right after it; returns its index.
std::size_t DuplicateTransmitter(Station& station, std::size_t index);
// Removes transmitter `index` and every mention of it.
void RemoveTransmitter(Station& station, std::size_t index);

// Marks transmitters `a` and `b` as transmitting at the same time, or not; both ways.
void SetSimultaneous(Station& station, std::size_t a, std::size_t b, bool on);
bool Simultaneous(const Station& station, std::size_t a, std::size_t b);

// Adds or removes the band named `name`. An added band stands in the allocation's order among
// the named bands, before any frequency.
void SetBand(Transmitter& transmitter, std::span<const AmateurBand> allocation, const std::string& name, bool on);
bool HasBand(const Transmitter& transmitter, const std::string& name);
// The named bands of the transmitter that `allocation` does not have.
std::vector<std::string> UnallocatedBands(const Transmitter& transmitter, std::span<const AmateurBand> allocation);
// Replaces the transmitter's frequencies, keeping its named bands first.
void SetFrequencies(Transmitter& transmitter, const std::vector<double>& frequenciesMHz);
std::vector<double> Frequencies(const Transmitter& transmitter);

// Reads "14.2, 146.52" (commas or spaces between); none when a part is not a frequency in
// range, with `error` saying which.
std::optional<std::vector<double>> ParseFrequencies(const std::string& text, std::string& error);
std::string FrequenciesText(const std::vector<double>& frequenciesMHz);

// A new place: 10 m along the ground from the mast, uncontrolled.
Place NewPlace(const Station& station);

}  // namespace zento::station
