// The importer of a ham's NEC-2 deck: the structure, its loads and its feed, and nothing it
// cannot stand behind. Every card is either taken, replaced by the station's own (frequencies,
// ground, requests for output), or refused with its name and line.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/antenna_model.h"
#include "core/number_text.h"

namespace zento {
namespace {

struct CardRule {
  std::string_view name;
  enum { kStructure, kLoad, kSource, kReplaced, kComment, kEnd, kRefused } use;
  int minNumbers;            // fields that must follow the name
  std::string_view refusal;  // why a refused card is refused
};

constexpr CardRule kRules[] = {
    {"CM", CardRule::kComment, 0, {}},
    {"CE", CardRule::kComment, 0, {}},
    {"GW", CardRule::kStructure, 9, {}},
    {"GA", CardRule::kStructure, 6, {}},
    {"GH", CardRule::kStructure, 9, {}},
    {"GM", CardRule::kStructure, 9, {}},
    {"GR", CardRule::kStructure, 2, {}},
    {"GX", CardRule::kStructure, 2, {}},
    {"GS", CardRule::kStructure, 3, {}},
    {"GE", CardRule::kReplaced, 0, {}},
    {"LD", CardRule::kLoad, 4, {}},
    {"TL", CardRule::kLoad, 6, {}},
    {"EX", CardRule::kSource, 5, {}},
    {"GN", CardRule::kReplaced, 0, {}},
    {"FR", CardRule::kReplaced, 0, {}},
    {"RP", CardRule::kReplaced, 0, {}},
    {"NE", CardRule::kReplaced, 0, {}},
    {"NH", CardRule::kReplaced, 0, {}},
    {"XQ", CardRule::kReplaced, 0, {}},
    {"EK", CardRule::kReplaced, 0, {}},
    {"GD", CardRule::kReplaced, 0, {}},
    {"KH", CardRule::kReplaced, 0, {}},
    {"PQ", CardRule::kReplaced, 0, {}},
    {"PT", CardRule::kReplaced, 0, {}},
    {"PL", CardRule::kReplaced, 0, {}},
    {"NX", CardRule::kReplaced, 0, {}},
    {"EN", CardRule::kEnd, 0, {}},
    {"SP", CardRule::kRefused, 0, "surface patches are not taken"},
    {"SM", CardRule::kRefused, 0, "surface patches are not taken"},
    {"SC", CardRule::kRefused, 0, "surface patches are not taken"},
    {"GC", CardRule::kRefused, 0, "tapered wires are not taken"},
    {"GF", CardRule::kRefused, 0, "a Numerical Green's Function file is not taken"},
    {"NT", CardRule::kRefused, 0, "networks are not taken"},
    {"CP", CardRule::kRefused, 0, "coupling calculations are not taken"},
    {"WG", CardRule::kRefused, 0, "Numerical Green's Function files are not taken"},
};

std::string Where(int line) { return " (line " + std::to_string(line) + ")"; }

}  // namespace

std::optional<ImportedDeck> ParseNecDeck(std::string_view text, std::string& error) {
  ImportedDeck deck;
  int lineNumber = 0;
  std::size_t at = 0;
  const auto fail = [&](const std::string& message) -> std::optional<ImportedDeck> {
    error = message;
    return std::nullopt;
  };
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(at, end - at));
    at = end + 1;
    ++lineNumber;
    std::replace(line.begin(), line.end(), ',', ' ');
    std::replace(line.begin(), line.end(), '\t', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    line = line.substr(first, line.find_last_not_of(' ') + 1 - first);
    if (line.size() < 2) return fail("'" + line + "' is not a NEC-2 card" + Where(lineNumber));
    std::string name = line.substr(0, 2);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto rule =
        std::find_if(std::begin(kRules), std::end(kRules), [&](const CardRule& r) { return r.name == name; });
    if (rule == std::end(kRules)) {
      return fail("'" + line.substr(0, std::min<std::size_t>(line.size(), 12)) + "' is not a NEC-2 card" +
                  Where(lineNumber));
    }
    if (rule->use == CardRule::kComment) continue;
    if (rule->use == CardRule::kEnd) break;
    if (rule->use == CardRule::kRefused) return fail(name + ": " + std::string(rule->refusal) + Where(lineNumber));
    // The fields: every one a number.
    std::vector<double> numbers;
    std::size_t p = 2;
    while (p < line.size()) {
      while (p < line.size() && line[p] == ' ') ++p;
      if (p >= line.size()) break;
      const std::size_t q = std::min(line.find(' ', p), line.size());
      const auto value = ParseWholeDouble(std::string_view(line).substr(p, q - p));
      if (!value || !std::isfinite(*value)) {
        return fail(name + ": '" + line.substr(p, std::min<std::size_t>(q - p, 20)) + "' is not a number" +
                    Where(lineNumber));
      }
      numbers.push_back(*value);
      p = q;
    }
    if (static_cast<int>(numbers.size()) < rule->minNumbers) {
      return fail(name + ": expected " + std::to_string(rule->minNumbers) + " numbers, got " +
                  std::to_string(numbers.size()) + Where(lineNumber));
    }
    const std::string card = name + line.substr(2);
    switch (rule->use) {
      case CardRule::kStructure:
        if (name == "GW") {
          if (!(numbers[1] >= 1)) return fail("GW: a wire needs at least one segment" + Where(lineNumber));
          const Vec3 a{numbers[2], numbers[3], numbers[4]}, b{numbers[5], numbers[6], numbers[7]};
          if ((b - a).Length() == 0.0) return fail("GW: a wire of no length" + Where(lineNumber));
          if (!(numbers[8] > 0.0)) return fail("GW: a wire needs a radius above 0" + Where(lineNumber));
        }
        deck.structure.push_back(card);
        break;
      case CardRule::kLoad:
        deck.loads.push_back(card);
        break;
      case CardRule::kSource:
        if (numbers[0] != 0.0) {
          return fail("EX: only voltage sources (type 0) feed an antenna here, not type " +
                      FormatGeneral(numbers[0], 3) + Where(lineNumber));
        }
        deck.sources.push_back(card);
        break;
      case CardRule::kReplaced:
        if (std::find(deck.replaced.begin(), deck.replaced.end(), name) == deck.replaced.end()) {
          deck.replaced.push_back(name);
        }
        break;
      default:
        break;
    }
  }
  if (deck.structure.empty()) return fail("the file has no wires (GW, GA or GH cards)");
  if (deck.sources.empty()) return fail("the file has no EX card: no segment is fed");
  return deck;
}

}  // namespace zento
