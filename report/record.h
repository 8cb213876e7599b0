#pragma once
// The evaluation record: one self-contained HTML page (no scripts, no network) with the station,
// its rules and citation, every input, the results, the verdict at each place, the plot and the
// assumptions, to keep with the station's records or hand to a neighbour.

#include <string>

#include "core/near_field.h"
#include "core/plot.h"
#include "core/station_eval.h"
#include "report/local_style.h"

namespace zento {

struct RecordInfo {
  std::string date;     // "2026-12-07"
  std::string version;  // ZENTO's version
  // Empty: the plot is inline SVG. Otherwise an <img> of this name, for renderers without SVG
  // that are given the picture as a resource of that name.
  std::string plotImageName;
  // For a renderer that lays out pages itself and reads no @media rules (Qt's): the page's own
  // style only, no margins of a screen's.
  bool paper = false;
  // The near field, where it was computed: its section, method and pictures.
  const StationNearField* nearField = nullptr;
  // Numbers and dates as the reader's locale writes them (UserLocalStyle()); the default keeps
  // the point and ISO dates.
  LocalStyle style = {};
};

std::string EvaluationRecordHtml(const Station& station, const StationResult& result, const RecordInfo& info);

// The plot as an SVG element of the given size in pixels; names and verdicts are written out,
// never shown by colour alone.
std::string PlotSvg(const Station& station, const Plot& plot, int width, int height);
// The plot's title in the reader's words and numbers: "Run on 10m (28-29.7 MHz)".
std::string PlotTitle(const Station& station, const StationResult& result, const Plot& plot);

// Text for HTML: & < > " escaped.
std::string HtmlEscape(std::string_view text);

// Today's date in the local time zone, "YYYY-MM-DD".
std::string TodayIso();

}  // namespace zento
