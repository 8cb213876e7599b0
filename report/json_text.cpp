#include "report/json_text.h"

#include <algorithm>

#include "report/translation.h"
namespace zento {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

unsigned char Byte(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

std::size_t BomLength(std::string_view text) { return text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0; }

}  // namespace

std::size_t Utf8CharLength(std::string_view text, std::size_t i) {
  const unsigned char lead = Byte(text, i);
  if (lead < 0x80) return 1;
  // The lead byte gives the length and the range of the second byte (RFC 3629, section 4).
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  if (Byte(text, i + 1) < low || Byte(text, i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((Byte(text, i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::size_t CountCharacters(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Shortened(std::string_view utf8, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((Byte(utf8, i) & 0xC0) == 0x80) continue;
    if (chars++ == maxChars) return std::string(utf8.substr(0, i)) + "...";
  }
  return std::string(utf8);
}

std::string PlaceText(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  std::size_t line = 1, lineStart = std::min(BomLength(text), offset);
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  std::size_t column = 1;
  for (std::size_t i = lineStart; i < offset; ++column) i += std::max<std::size_t>(Utf8CharLength(text, i), 1);
  return Subst(Tr("line %1, column %2"), {std::to_string(line), std::to_string(column)});
}

std::string NotUtf8Text(std::string_view text, std::size_t offset) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const unsigned char b = Byte(text, offset);
  const char byte[] = {'0', 'x', kHex[b >> 4], kHex[b & 0xF], '\0'};
  // TRANSLATORS: %1 a byte in hexadecimal, "0xFF".
  return Subst(Tr("expected UTF-8 text, got the byte %1"), {byte});
}

JsonTextScan ScanJsonText(std::string_view text, std::size_t maxDepth) {
  JsonTextScan scan;
  if (text.empty()) {
    scan.error = Tr("the file is empty");
    return scan;
  }
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    scan.error = Subst(Tr("%1: %2"), {Subst(Tr("line %1, column %2"), {"1", "1"}),
                                      Tr("a UTF-16 byte-order mark (save the file as UTF-8)")});
    return scan;
  }
  // The first problem in the text is the one named, a byte that is not UTF-8 included.
  const auto fail = [&](std::size_t at, const std::string& what) {
    if (scan.firstNotUtf8 < at) {
      scan.error = Subst(Tr("%1: %2"), {PlaceText(text, scan.firstNotUtf8), NotUtf8Text(text, scan.firstNotUtf8)});
    } else {
      scan.error = Subst(Tr("%1: %2"), {PlaceText(text, at), what});
    }
    return scan;
  };
  std::size_t depth = 0;
  bool inString = false, escaped = false, blank = true;
  for (std::size_t i = BomLength(text); i < text.size();) {
    const unsigned char c = Byte(text, i);
    if (c == 0) return fail(i, Tr("a NUL byte (this is not a text file)"));
    blank = blank && (c == ' ' || c == '\t' || c == '\n' || c == '\r');
    if (c >= 0x80) {
      std::size_t length = Utf8CharLength(text, i);
      if (length == 0) {
        scan.firstNotUtf8 = std::min(scan.firstNotUtf8, i);
        length = 1;
      }
      escaped = false;
      i += length;
      continue;
    }
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > maxDepth) {
        return fail(i, Subst(Tr("lists and objects nested more than %1 deep"), {std::to_string(maxDepth)}));
      }
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
    ++i;
  }
  if (blank) scan.error = Tr("the file holds only blank space");
  return scan;
}

}  // namespace zento
