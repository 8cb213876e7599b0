#include "core/text_mark.h"

namespace zento {

std::string FilledText(const MarkedText& text) {
  // "%1" to "%9" as report/translation.h's Subst takes them; "%%" is a single "%".
  const std::string_view pattern = text.pattern;
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      const char next = pattern[i + 1];
      if (next == '%') {
        out += '%';
        ++i;
        continue;
      }
      const auto index = static_cast<std::size_t>(next - '1');
      if (next >= '1' && next <= '9' && index < text.arguments.size()) {
        out += text.arguments[index];
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace zento
