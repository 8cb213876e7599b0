#pragma once
// JSON text parsed with the line of every key and value, so that a reader can say where in the
// file a value it refuses stands.

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zento {

// The line of a value, and of its members (at their keys) or items. A tree, not a table of paths:
// a path is as long as the nesting is deep, and one per value would make the memory grow with
// the square of the depth.
struct JsonLines {
  int line = 0;
  std::vector<std::string> keys;    // an object's, in the order of `children`
  std::vector<JsonLines> children;  // an object's members, or an array's items
};

struct LocatedJson {
  nlohmann::json value;
  JsonLines lines;
};

// Refuses, in one pass before parsing and with "line L, column C: ...", text that is empty, holds
// a NUL byte or a UTF-16 byte-order mark, or nests lists and objects more than `maxDepth` deep.
// The parser then refuses text that is not JSON (with line and column), a key given twice,
// text that is not UTF-8 and a number beyond a double's range (with the key path too, when the
// place is in a value). A UTF-8 byte-order mark is skipped. Columns count characters.
std::optional<LocatedJson> ParseLocatedJson(std::string_view text, std::size_t maxDepth, std::string& error);

// A place in a located document: its path for messages ("transmitters[1].power_watts") and the
// line of the value there, when the document has one.
class JsonPath {
 public:
  explicit JsonPath(const LocatedJson& doc) : lines_(&doc.lines) {}

  JsonPath Member(std::string_view key) const;
  JsonPath Item(std::size_t index) const;

  const std::string& text() const { return text_; }
  std::optional<int> line() const;

 private:
  JsonPath() = default;
  std::string text_;
  const JsonLines* lines_ = nullptr;
};

// The path's text with one more key, shortened and with control characters escaped when the
// key is not one a format would have: "a.b"; and with one more index: "a.b[2]".
void AppendKey(std::string& path, std::string_view key);
void AppendIndex(std::string& path, std::size_t index);

}  // namespace zento
