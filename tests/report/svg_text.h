#pragma once
// What a reader sees of an HTML page or an SVG picture, apart from what a renderer reads: the
// text between tags and the accessible names, and the attributes that place and size things.

#include <regex>
#include <string>
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

}  // namespace zento::test
