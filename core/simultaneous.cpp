#include "core/simultaneous.h"

#include <algorithm>

namespace zento {
namespace {

bool Lists(const Transmitter& from, const std::string& name) {
  return std::find(from.simultaneousWith.begin(), from.simultaneousWith.end(), name) != from.simultaneousWith.end();
}

// Bron and Kerbosch's enumeration of maximal cliques, with Tomita's pivot: `current` is a
// clique, `candidates` may extend it, `excluded` were tried already.
class CliqueFinder {
 public:
  explicit CliqueFinder(const Station& station) : n_(station.transmitters.size()), adjacent_(n_ * n_, false) {
    for (std::size_t a = 0; a < n_; ++a) {
      for (std::size_t b = 0; b < n_; ++b) adjacent_[a * n_ + b] = a != b && OnAirTogether(station, a, b);
    }
  }

  std::vector<std::vector<std::size_t>> Find() {
    std::vector<std::size_t> all(n_);
    for (std::size_t i = 0; i < n_; ++i) all[i] = i;
    std::vector<std::size_t> current;
    Extend(current, all, {});
    std::sort(sets_.begin(), sets_.end());
    return std::move(sets_);
  }

 private:
  bool Adjacent(std::size_t a, std::size_t b) const { return adjacent_[a * n_ + b]; }

  std::vector<std::size_t> Neighbours(const std::vector<std::size_t>& among, std::size_t v) const {
    std::vector<std::size_t> kept;
    for (const std::size_t u : among) {
      if (Adjacent(u, v)) kept.push_back(u);
    }
    return kept;
  }

  void Extend(std::vector<std::size_t>& current, std::vector<std::size_t> candidates,
              std::vector<std::size_t> excluded) {
    if (candidates.empty()) {
      if (excluded.empty()) {
        sets_.push_back(current);
        std::sort(sets_.back().begin(), sets_.back().end());
      }
      return;
    }
    // The pivot with the most neighbours among the candidates leaves the fewest branches.
    std::size_t pivot = candidates.front();
    std::size_t most = 0;
    for (const auto* pool : {&candidates, &excluded}) {
      for (const std::size_t u : *pool) {
        const std::size_t count = Neighbours(candidates, u).size();
        if (count > most) most = count, pivot = u;
      }
    }
    for (const std::size_t v : std::vector<std::size_t>(candidates)) {
      if (Adjacent(v, pivot)) continue;
      current.push_back(v);
      Extend(current, Neighbours(candidates, v), Neighbours(excluded, v));
      current.pop_back();
      std::erase(candidates, v);
      excluded.push_back(v);
    }
  }

  std::size_t n_;
  std::vector<bool> adjacent_;
  std::vector<std::vector<std::size_t>> sets_;
};

}  // namespace

bool OnAirTogether(const Station& station, std::size_t a, std::size_t b) {
  const Transmitter& ta = station.transmitters[a];
  const Transmitter& tb = station.transmitters[b];
  return a != b && (Lists(ta, tb.name) || Lists(tb, ta.name));
}

std::vector<std::vector<std::size_t>> SimultaneousSets(const Station& station) { return CliqueFinder(station).Find(); }

}  // namespace zento
