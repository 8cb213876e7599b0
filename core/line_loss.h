#pragma once
// A station feedline's loss: the matched loss of the line, the extra loss that a mismatch at the
// antenna causes in it, and any other loss.

#include "core/station_model.h"

namespace zento {

// The matched loss in dB at a frequency: from the cable table, a loss per 100 feet, or a total.
double MatchedLossDb(const Feedline& feedline, double frequencyMHz);

// The line's total loss with an SWR at the antenna (ARRL Antenna Book):
// 10 log10((a² - |G|²) / (a (1 - |G|²))), a = 10^(matched / 10), |G| = (SWR - 1) / (SWR + 1).
double MismatchedLineLossDb(double matchedLossDb, double swr);

// Everything between the transmitter and the antenna.
double FeedlineLossDb(const Feedline& feedline, double frequencyMHz);

}  // namespace zento
