#include "report/svg_text_fit.h"

namespace zento {

double TextWidth(std::string_view text, double size) {
  auto among = [](char c, std::string_view set) { return set.find(c) != std::string_view::npos; };
  double ems = 0.0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    ems += byte >= 128 || among(c, "mwMW%@") ? 1.0
           : among(c, " .,:;'!|ijlI")        ? 0.34
           : among(c, "frt()[]")             ? 0.43
           : byte >= 'A' && byte <= 'Z'      ? 0.78
                                             : 0.64;
  }
  return ems * size;
}

std::string Cut(const std::string& text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t n = 0; at < text.size() && n < count; ++n) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
  }
  return at < text.size() ? text.substr(0, at) + "\xE2\x80\xA6" : text;
}

std::string Fitted(const std::string& text, double size, double room) {
  if (TextWidth(text, size) <= room) return text;
  room -= TextWidth("\xE2\x80\xA6", size);
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    if ((room -= TextWidth(std::string_view(text).substr(end, next - end), size)) < 0.0) break;
    end = next;
  }
  return text.substr(0, end) + "\xE2\x80\xA6";
}

}  // namespace zento
