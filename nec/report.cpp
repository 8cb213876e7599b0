#include "nec/report.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace zento::nec {
namespace {

// The report's lines one at a time, without copying.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(at_, end - at_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at_ = end + 1;
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int number_ = 0;
};

// Whitespace-separated numbers of a line; false when a token is not a number.
template <std::size_t N>
bool Numbers(std::string_view line, std::array<double, N>& out) {
  std::size_t i = 0;
  const char* p = line.data();
  const char* end = p + line.size();
  while (i < N) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p == end) return false;
    const auto [next, ec] = std::from_chars(p, end, out[i]);
    if (ec != std::errc() || (next < end && *next != ' ' && *next != '\t')) return false;
    p = next;
    ++i;
  }
  return true;
}

bool Contains(std::string_view line, std::string_view what) { return line.find(what) != std::string_view::npos; }

// The number after `label` on the line.
std::optional<double> After(std::string_view line, std::string_view label) {
  const std::size_t at = line.find(label);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = line.substr(at + label.size());
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '=' || rest.front() == ':')) rest.remove_prefix(1);
  double value = 0.0;
  const auto [next, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  if (ec != std::errc()) return std::nullopt;
  return value;
}

class Reader {
 public:
  explicit Reader(std::string_view text) : lines_(text) {}

  std::optional<Report> Read(std::string& error) {
    std::string_view line;
    while (lines_.Next(line)) {
      if (Contains(line, "SEGMENTATION DATA")) {
        if (!Segments()) return Fail(error, "the segmentation table");
      } else if (Contains(line, "FREQUENCY :") || Contains(line, "FREQUENCY=")) {
        const auto mhz = After(line, "FREQUENCY");
        if (!mhz) return Fail(error, "a frequency");
        report_.frequencies.push_back({});
        report_.frequencies.back().mhz = *mhz;
      } else if (Contains(line, "ANTENNA INPUT PARAMETERS")) {
        if (!Current() || !InputParameters()) return Fail(error, "the input parameters");
      } else if (Contains(line, "INPUT POWER")) {
        const auto watts = After(line, "INPUT POWER");
        if (!watts || !Current()) return Fail(error, "the input power");
        Current()->inputPowerWatts = *watts;
      } else if (Contains(line, "NEAR ELECTRIC FIELDS") || Contains(line, "NEAR MAGNETIC FIELDS")) {
        if (!Current()) return Fail(error, "a near field before any frequency");
        auto& into = Contains(line, "ELECTRIC") ? Current()->electric : Current()->magnetic;
        if (!Fields(into)) return Fail(error, "a near field");
      }
    }
    return std::move(report_);
  }

 private:
  std::optional<Report> Fail(std::string& error, std::string_view what) const {
    error =
        "the engine's report could not be read: " + std::string(what) + " near line " + std::to_string(lines_.number());
    return std::nullopt;
  }

  FrequencyReport* Current() { return report_.frequencies.empty() ? nullptr : &report_.frequencies.back(); }

  // Skips to the line whose first word is "No:" (the end of a table's heading).
  bool Heading() {
    std::string_view line;
    for (int i = 0; i < 8 && lines_.Next(line); ++i) {
      const std::size_t first = line.find_first_not_of(' ');
      if (first != std::string_view::npos && line.substr(first, 3) == "No:") return true;
    }
    return false;
  }

  bool Segments() {
    if (!Heading()) return false;
    std::string_view line;
    std::array<double, 12> v{};
    while (lines_.Next(line) && Numbers(line, v)) {
      Segment s;
      s.center = {v[1], v[2], v[3]};
      s.length = v[4];
      s.alphaDegrees = v[5];
      s.betaDegrees = v[6];
      s.radius = v[7];
      s.tag = static_cast<int>(v[11]);
      report_.segments.push_back(s);
    }
    return !report_.segments.empty();
  }

  bool InputParameters() {
    if (!Heading()) return false;
    std::string_view line;
    std::array<double, 11> v{};
    if (!lines_.Next(line) || !Numbers(line, v)) return false;
    Current()->impedanceOhms = {v[6], v[7]};
    return true;
  }

  // Heading lines down to the one of units, then one line per point until a line that is not one.
  bool Fields(std::vector<FieldSample>& into) {
    std::string_view line;
    for (int i = 0; i < 4; ++i) {
      if (!lines_.Next(line)) return false;
      if (Contains(line, "METERS")) break;
    }
    std::array<double, 9> v{};
    std::size_t read = 0;
    while (lines_.Next(line) && Numbers(line, v)) {
      into.push_back({{v[0], v[1], v[2]}, {v[3], v[5], v[7]}});
      ++read;
    }
    return read > 0;
  }

  Lines lines_;
  Report report_;
};

}  // namespace

Vec3 Segment::Direction() const {
  const double alpha = alphaDegrees * std::numbers::pi / 180.0, beta = betaDegrees * std::numbers::pi / 180.0;
  return {std::cos(alpha) * std::cos(beta), std::cos(alpha) * std::sin(beta), std::sin(alpha)};
}

std::optional<Report> ParseReport(std::string_view text, std::string& error) { return Reader(text).Read(error); }

}  // namespace zento::nec
