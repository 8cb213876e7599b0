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
    {"SP", CardRule::kRefused, 0, N_("%1: surface patches are not taken (line %2)")},
    {"SM", CardRule::kRefused, 0, N_("%1: surface patches are not taken (line %2)")},
    {"SC", CardRule::kRefused, 0, N_("%1: surface patches are not taken (line %2)")},
    {"GC", CardRule::kRefused, 0, N_("%1: tapered wires are not taken (line %2)")},
    {"GF", CardRule::kRefused, 0, N_("%1: a Numerical Green's Function file is not taken (line %2)")},
    {"NT", CardRule::kRefused, 0, N_("%1: networks are not taken (line %2)")},
    {"CP", CardRule::kRefused, 0, N_("%1: coupling calculations are not taken (line %2)")},
    {"WG", CardRule::kRefused, 0, N_("%1: Numerical Green's Function files are not taken (line %2)")},
};

}  // namespace

std::optional<ImportedDeck> ParseNecDeck(std::string_view text, std::string& error) {
  MarkedText why;
  auto deck = ParseNecDeck(text, why);
  if (!deck) error = FilledText(why);
  return deck;
}

std::optional<ImportedDeck> ParseNecDeck(std::string_view text, MarkedText& error) {
  ImportedDeck deck;
  int lineNumber = 0;
  std::size_t at = 0;
  // Every message names the line last ("%N" the line's number), after what is wrong with it.
  const auto fail = [&](std::string_view pattern, std::vector<std::string> arguments) -> std::optional<ImportedDeck> {
    arguments.push_back(std::to_string(lineNumber));
    error = {pattern, std::move(arguments)};
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
    if (line.size() < 2) return fail(N_("'%1' is not a NEC-2 card (line %2)"), {line});
    std::string name = line.substr(0, 2);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto rule =
        std::find_if(std::begin(kRules), std::end(kRules), [&](const CardRule& r) { return r.name == name; });
    if (rule == std::end(kRules)) {
      return fail(N_("'%1' is not a NEC-2 card (line %2)"), {line.substr(0, std::min<std::size_t>(line.size(), 12))});
    }
    if (rule->use == CardRule::kComment) continue;
    if (rule->use == CardRule::kEnd) break;
    if (rule->use == CardRule::kRefused) return fail(rule->refusal, {name});
    // The fields: every one a number.
    std::vector<double> numbers;
    std::size_t p = 2;
    while (p < line.size()) {
      while (p < line.size() && line[p] == ' ') ++p;
      if (p >= line.size()) break;
      const std::size_t q = std::min(line.find(' ', p), line.size());
      const auto value = ParseWholeDouble(std::string_view(line).substr(p, q - p));
      if (!value || !std::isfinite(*value)) {
        return fail(N_("%1: '%2' is not a number (line %3)"), {name, line.substr(p, std::min<std::size_t>(q - p, 20))});
      }
      numbers.push_back(*value);
      p = q;
    }
    if (static_cast<int>(numbers.size()) < rule->minNumbers) {
      return fail(N_("%1: expected %2 numbers, got %3 (line %4)"),
                  {name, std::to_string(rule->minNumbers), std::to_string(numbers.size())});
    }
    const std::string card = name + line.substr(2);
    switch (rule->use) {
      case CardRule::kStructure:
        if (name == "GW") {
          if (!(numbers[1] >= 1)) return fail(N_("GW: a wire needs at least one segment (line %1)"), {});
          const Vec3 a{numbers[2], numbers[3], numbers[4]}, b{numbers[5], numbers[6], numbers[7]};
          if ((b - a).Length() == 0.0) return fail(N_("GW: a wire of no length (line %1)"), {});
          if (!(numbers[8] > 0.0)) return fail(N_("GW: a wire needs a radius above 0 (line %1)"), {});
        }
        deck.structure.push_back(card);
        break;
      case CardRule::kLoad:
        deck.loads.push_back(card);
        break;
      case CardRule::kSource:
        if (numbers[0] != 0.0) {
          return fail(N_("EX: only voltage sources (type 0) feed an antenna here, not type %1 (line %2)"),
                      {FormatGeneral(numbers[0], 3)});
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
  // Of the whole file: no line to name.
  const auto failFile = [&](std::string_view message) -> std::optional<ImportedDeck> {
    error = {message, {}};
    return std::nullopt;
  };
  if (deck.structure.empty()) return failFile(N_("the file has no wires (GW, GA or GH cards)"));
  if (deck.sources.empty()) return failFile(N_("the file has no EX card: no segment is fed"));
  return deck;
}

}  // namespace zento
