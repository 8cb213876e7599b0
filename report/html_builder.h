#pragma once
// Building the record's HTML: text escaped, figures kept whole on their lines.

#include <string>
#include <string_view>
#include <vector>

#include "report/record.h"

namespace zento {

// A figure and its unit kept on one line: each space after a digit made a no-break space.
inline std::string Nb(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && i > 0 && text[i - 1] >= '0' && text[i - 1] <= '9') {
      out += "\xC2\xA0";
    } else {
      out += text[i];
    }
  }
  return out;
}

class Html {
 public:
  void Raw(std::string_view text) { out_ += text; }
  void Text(std::string_view text) { out_ += HtmlEscape(text); }
  // Appended piece by piece: g++ 12 at -O3 takes the chained temporaries for an overlapping copy
  // (-Werror=restrict) and the release build fails.
  void Element(std::string_view tag, std::string_view text, std::string_view attributes = "") {
    out_.append("<").append(tag);
    if (!attributes.empty()) out_.append(" ").append(attributes);
    out_.append(">").append(HtmlEscape(text)).append("</").append(tag).append(">");
  }
  // An element on a line of its own: a heading, a paragraph.
  void Block(std::string_view tag, std::string_view text) {
    Element(tag, text);
    out_ += '\n';
  }
  // A table's heading row is its <thead>: repeated on every page a long table takes.
  void Row(const std::vector<std::string>& cells, bool header = false) {
    out_ += header ? "<thead><tr>" : "<tr>";
    for (const auto& cell : cells) Element(header ? "th" : "td", cell);
    out_ += header ? "</tr></thead>\n" : "</tr>\n";
  }
  // A cell of figures, one to a line, none broken: "562.5 W/m²", "460.5 V/m".
  void Figures(const std::vector<std::string>& lines, std::string_view attributes = "") {
    out_.append("<td class=\"f\"").append(attributes.empty() ? "" : " ").append(attributes).append(">");
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) out_ += "<br>";
      Text(Nb(lines[i]));
    }
    out_ += "</td>";
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

// "COMPLIES" or "EXCEEDS THE LIMIT".
std::string VerdictWords(bool complies);

}  // namespace zento
