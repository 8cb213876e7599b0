#pragma once
// What a reader sees of an HTML page or an SVG picture, apart from what a renderer reads: the
// text between tags and the accessible names, and the attributes that place and size things; and
// reading a picture's tags, attributes, numbers and fills back.

#include <charconv>
#include <regex>
#include <string>
#include <system_error>
#include <vector>

namespace zento::test {

struct Attribute {
  std::string name, value;
};

// Every attribute of every tag, in order.
inline std::vector<Attribute> Attributes(const std::string& html) {
  std::vector<Attribute> out;
  static const std::regex kTag("<[a-zA-Z][^>]*>"), kAttribute("([a-zA-Z:-]+)=\"([^\"]*)\"");
  for (std::sregex_iterator tag(html.begin(), html.end(), kTag), end; tag != end; ++tag) {
    const std::string text = tag->str();
    for (std::sregex_iterator a(text.begin(), text.end(), kAttribute); a != end; ++a) out.push_back({(*a)[1], (*a)[2]});
  }
  return out;
}

// The text between the tags, each run of it an entry.
inline std::vector<std::string> Texts(const std::string& html) {
  std::vector<std::string> out;
  static const std::regex kText(">([^<]+)<");
  for (std::sregex_iterator t(html.begin(), html.end(), kText), end; t != end; ++t) out.push_back((*t)[1]);
  return out;
}

// Whether an attribute that places or sizes something is written as SVG reads it: numbers with a
// point, a comma only between the two numbers of a point.
inline bool MachineReadable(const Attribute& a) {
  if (a.name == "aria-label" || a.name == "alt") return true;  // words, for people
  if (a.name == "points") {
    static const std::regex kPoints(R"(\s*(-?[0-9.]+,-?[0-9.]+\s*)*)");
    return std::regex_match(a.value, kPoints);
  }
  return a.value.find(',') == std::string::npos;
}

// The whole tag that holds `marker` (an attribute), and one attribute's value in a tag.
inline std::string TagWith(const std::string& svg, const std::string& marker) {
  const std::size_t at = svg.find(marker);
  if (at == std::string::npos) return "";
  const std::size_t open = svg.rfind('<', at);
  return svg.substr(open, svg.find('>', at) - open + 1);
}
inline std::string AttributeValue(const std::string& tag, const std::string& name) {
  const std::size_t at = tag.find(" " + name + "=\"");
  if (at == std::string::npos) return "";
  const std::size_t from = at + name.size() + 3;
  return tag.substr(from, tag.find('"', from) - from);
}
// The numbers in a text, read with a point whatever the locale.
inline std::vector<double> Numbers(const std::string& text) {
  std::vector<double> out;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    double v = 0.0;
    const auto [next, error] = std::from_chars(p, end, v);
    if (error == std::errc()) {
      out.push_back(v);
      p = next;
    } else {
      ++p;
    }
  }
  return out;
}
inline std::string Between(const std::string& svg, const std::string& from, const std::string& to) {
  const std::size_t at = svg.find(from);
  return at == std::string::npos ? "" : svg.substr(at, svg.find(to, at) - at);
}
inline std::vector<std::string> Fills(const std::string& part) {
  std::vector<std::string> fills;
  const std::regex fill("fill=\"(#[0-9a-f]{3,6})\"");
  for (auto it = std::sregex_iterator(part.begin(), part.end(), fill); it != std::sregex_iterator(); ++it) {
    fills.push_back((*it)[1]);
  }
  return fills;
}

}  // namespace zento::test
