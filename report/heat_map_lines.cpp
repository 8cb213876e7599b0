// The 100 % line of a heat map and the clipping of lines to its cells.
#include "report/heat_map_lines.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zento {
namespace {

bool Above(double share) { return !(share < 1.0); }  // at or over 100 %, or no number

}  // namespace

// The 100 % line by marching squares on the log of the share, in cell units. A crossing is put
// where the log of the share, interpolated along the edge, is 0; a share under 1 % counts as 1 %
// and at the antenna the crossing is put at the other point, since no number stands for it: both
// move the line outwards, never in. Where a square's corners alternate, its centre counts as over
// 100 %, joining the parts over it.
std::vector<CellLine> HundredPercentLines(const GridImage& g) {
  const int cols = g.columns, rows = g.rows;
  if (cols <= 0 || rows <= 0 || g.shares.size() != static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows)) {
    return {};
  }
  auto edgeH = [&](int c, int r) { return 2 * (r * cols + c); };  // from (c, r) to (c + 1, r)
  auto edgeV = [&](int c, int r) { return edgeH(c, r) + 1; };     // from (c, r) to (c, r + 1)
  const std::size_t edges = 2 * static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
  std::vector<CellPoint> at(edges);
  std::vector<std::array<int, 2>> next(edges, {-1, -1});
  auto crossing = [&](int id, int c0, int r0, int c1, int r1) {
    const double s0 = g.At(c0, r0), s1 = g.At(c1, r1);
    double t = NoShareNumber(s0) ? 1.0 : 0.0;  // at the antenna: the crossing at the other point
    if (!NoShareNumber(s0) && !NoShareNumber(s1)) {
      const double l0 = std::log10(std::max(s0, kHeatMapFloor)), l1 = std::log10(std::max(s1, kHeatMapFloor));
      t = -l0 / (l1 - l0);
    }
    at[static_cast<std::size_t>(id)] = {c0 + 0.5 + t * (c1 - c0), r0 + 0.5 + t * (r1 - r0)};
  };
  auto join = [&](int a, int b) {
    for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
      auto& slots = next[static_cast<std::size_t>(from)];
      (slots[0] < 0 ? slots[0] : slots[1]) = to;
    }
  };
  for (int r = 0; r + 1 < rows; ++r) {
    for (int c = 0; c + 1 < cols; ++c) {
      const bool bl = Above(g.At(c, r)), br = Above(g.At(c + 1, r));
      const bool tr = Above(g.At(c + 1, r + 1)), tl = Above(g.At(c, r + 1));
      // Edges around the square: bottom, right, top, left.
      const std::array<int, 4> id = {edgeH(c, r), edgeV(c + 1, r), edgeH(c, r + 1), edgeV(c, r)};
      const std::array<bool, 4> crosses = {bl != br, br != tr, tl != tr, bl != tl};
      if (crosses[0]) crossing(id[0], c, r, c + 1, r);
      if (crosses[1]) crossing(id[1], c + 1, r, c + 1, r + 1);
      if (crosses[2]) crossing(id[2], c, r + 1, c + 1, r + 1);
      if (crosses[3]) crossing(id[3], c, r, c, r + 1);
      if (crosses[0] && crosses[1] && crosses[2] && crosses[3]) {
        // Each corner under 100 % is cut off on its own.
        const bool bottomRightUnder = bl;  // then so is the top left
        join(id[bottomRightUnder ? 0 : 3], id[bottomRightUnder ? 1 : 0]);
        join(id[bottomRightUnder ? 2 : 1], id[bottomRightUnder ? 3 : 2]);
        continue;
      }
      std::vector<int> ends;
      for (int k = 0; k < 4; ++k) {
        if (crosses[static_cast<std::size_t>(k)]) ends.push_back(id[static_cast<std::size_t>(k)]);
      }
      if (ends.size() == 2) join(ends[0], ends[1]);
    }
  }
  // Open lines from their ends first, then the closed ones.
  std::vector<CellLine> lines;
  std::vector<bool> done(edges, false);
  auto follow = [&](int start) {
    CellLine line;
    for (int prev = -1, cur = start; cur >= 0 && !done[static_cast<std::size_t>(cur)];) {
      done[static_cast<std::size_t>(cur)] = true;
      line.push_back(at[static_cast<std::size_t>(cur)]);
      const auto& n = next[static_cast<std::size_t>(cur)];
      const int step = n[0] != prev ? n[0] : n[1];
      prev = cur;
      cur = step;
    }
    if (next[static_cast<std::size_t>(start)][1] >= 0) line.push_back(line.front());  // a cycle: closed
    lines.push_back(std::move(line));
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t e = 0; e < edges; ++e) {
      const bool end = next[e][0] >= 0 && next[e][1] < 0;
      if (!done[e] && (pass == 0 ? end : next[e][0] >= 0)) follow(static_cast<int>(e));
    }
  }
  return lines;
}

// Liang and Barsky's clipping, segment by segment, joining the parts that meet.
std::vector<CellLine> ClippedToCells(const CellLine& line, double w, double h) {
  std::vector<CellLine> parts;
  bool open = false;
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    const CellPoint a = line[i], b = line[i + 1];
    const double du = b.u - a.u, dv = b.v - a.v;
    double t0 = 0.0, t1 = 1.0;
    bool inside = true;
    for (const auto& [p, q] :
         {std::pair{-du, a.u}, std::pair{du, w - a.u}, std::pair{-dv, a.v}, std::pair{dv, h - a.v}}) {
      if (p == 0.0) {
        inside = inside && q >= 0.0;
      } else if (const double r = q / p; p < 0.0) {
        t0 = std::max(t0, r);
      } else {
        t1 = std::min(t1, r);
      }
    }
    if (!inside || t0 > t1) {
      open = false;
      continue;
    }
    if (!open || t0 > 0.0) parts.push_back({{a.u + t0 * du, a.v + t0 * dv}});
    parts.back().push_back({a.u + t1 * du, a.v + t1 * dv});
    open = t1 == 1.0;
  }
  return parts;
}

}  // namespace zento
