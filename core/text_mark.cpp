#include "core/text_mark.h"

namespace zento {

std::string FilledText(std::string_view pattern, std::span<const std::string_view> arguments) {
  std::string out;
  out.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      const char next = pattern[i + 1];
      if (next == '%') {
        out += '%';
        ++i;
        continue;
      }
      const auto index = static_cast<std::size_t>(next - '1');
      if (next >= '1' && next <= '9' && index < arguments.size()) {
        out += arguments[index];
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

std::string FilledText(const MarkedText& text) {
  const std::vector<std::string_view> arguments(text.arguments.begin(), text.arguments.end());
  return FilledText(text.pattern, arguments);
}

}  // namespace zento
