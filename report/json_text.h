#pragma once
// Facts about text before it is parsed: whether it is UTF-8, where a byte stands as line and
// column, and whether it is a text JSON can be read from in reasonable time.

#include <cstddef>
#include <string>
#include <string_view>

namespace zento {

// The length of the well-formed UTF-8 character at `text[i]` (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0.
std::size_t Utf8CharLength(std::string_view text, std::size_t i);

// The characters (code points) of UTF-8 text.
std::size_t CountCharacters(std::string_view utf8);

// At most `maxChars` characters of UTF-8 text, with "..." when it was longer.
std::string Shortened(std::string_view utf8, std::size_t maxChars);

// "line L, column C" of the byte at `offset` (the end of the text past its last byte): lines
// from 1, columns in characters from 1, a UTF-8 byte-order mark taking none.
std::string PlaceText(std::string_view text, std::size_t offset);

// "expected UTF-8 text, got the byte 0xF6"
std::string NotUtf8Text(std::string_view text, std::size_t offset);

struct JsonTextScan {
  std::string error;  // "line L, column C: ..." or "the file is empty"; empty when the text may be parsed
  std::size_t firstNotUtf8 = std::string_view::npos;  // left for the parser, which knows the key path
};

// One pass over the text: refuses empty or blank text, a NUL byte, a UTF-16 byte-order mark, and
// lists and objects nested more than `maxDepth` deep (a parser's time and memory may grow with
// the square of the depth), each with its line and column; notes the first byte that is not UTF-8.
JsonTextScan ScanJsonText(std::string_view text, std::size_t maxDepth);

}  // namespace zento
