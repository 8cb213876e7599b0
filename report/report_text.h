#pragma once
// The exact text the program writes into the report. Lines end in CR LF.

#include <string>
#include <string_view>
#include <vector>

#include "core/station.h"

namespace zento {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kBannerTitle = "ZENTO Version 1.00  Copyright (C) 2026 The ZENTO developers";
inline constexpr std::string_view kBlockRule = "-------------------------------------------------";      // 49
inline constexpr std::string_view kResultRule = "----------------------------------------------------";  // 52

// The report text with `line` and CR LF appended; nothing else is inserted, so a text that
// does not end in a line break has its last line continued.
std::string AppendReportLine(std::string text, std::string_view line);

// Each block is the list of lines written one append at a time.
std::vector<std::string> BannerLines();
std::vector<std::string> StationBlockLines(std::string_view callsign, std::string_view location);
std::vector<std::string> ResultBlockLines(const StationParameters& station, std::string_view controlledDistanceText,
                                          std::string_view uncontrolledDistanceText);

// Appends every line of a block.
std::string AppendReportLines(std::string text, const std::vector<std::string>& lines);

// Turns LF line ends (and lone CRs) into CR LF, leaving existing CR LF pairs alone.
std::string ToCrLf(std::string_view text);
// Turns CR LF pairs into LF.
std::string ToLf(std::string_view text);

}  // namespace zento
