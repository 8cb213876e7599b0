#include "report/located_json.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace zento {
namespace {

using Json = nlohmann::json;

// Reads the text for the parser and notes the furthest character the parser has looked at.
class TrackingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIterator(const char* p, const char** furthest) : p_(p), furthest_(furthest) {}
  reference operator*() const {
    *furthest_ = p_;
    return *p_;
  }
  TrackingIterator& operator++() {
    ++p_;
    return *this;
  }
  TrackingIterator operator++(int) {
    TrackingIterator before = *this;
    ++p_;
    return before;
  }
  bool operator==(const TrackingIterator& other) const { return p_ == other.p_; }

 private:
  const char* p_;
  const char** furthest_;
};

// Builds the document and the line of each path as the parser reports values.
class LocatingHandler : public nlohmann::json_sax<Json> {
 public:
  LocatingHandler(std::string_view text, const char** furthest, LocatedJson& out)
      : text_(text), furthest_(furthest), out_(out) {}

  bool null() override { return Value(nullptr); }
  bool boolean(bool v) override { return Value(v); }
  bool number_integer(number_integer_t v) override { return Value(v); }
  bool number_unsigned(number_unsigned_t v) override { return Value(v); }
  bool number_float(number_float_t v, const string_t&) override { return Value(v); }
  bool string(string_t& v) override { return Value(v); }
  bool binary(binary_t&) override { return false; }

  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool start_array(std::size_t) override { return Open(Json::array()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }

  bool key(string_t& key) override {
    Frame& frame = frames_.back();
    if (frame.node->contains(key)) {
      error_ = JoinPath(frame.path, key) + ": the key appears twice (line " + std::to_string(Line()) + ")";
      return false;
    }
    frame.key = key;
    out_.lines[JoinPath(frame.path, key)] = Line();
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
    std::string message = e.what();
    // "[json.exception.parse_error.101] parse error at line 3, column 5: syntax error ..."
    if (const auto at = message.find(" at line "); at != std::string::npos) message = message.substr(at + 4);
    // The parser quotes what it last read, which may be a whole long line.
    constexpr std::size_t kMaxChars = 160;
    if (message.size() > kMaxChars) message = message.substr(0, kMaxChars) + "...";
    error_ = message;
    return false;
  }

  const std::string& error() const { return error_; }

 private:
  struct Frame {
    Json* node;
    std::string path;
    std::string key;  // the key whose value comes next, in an object
  };

  // The line of the last character the parser looked at; the count goes on from the last call.
  int Line() {
    const auto end = static_cast<std::size_t>(*furthest_ - text_.data());
    for (; counted_ < end; ++counted_) line_ += text_[counted_] == '\n' ? 1 : 0;
    return line_;
  }

  // Places a value in its parent; returns it with its path.
  std::pair<Json*, std::string> Place(Json value) {
    if (frames_.empty()) {
      out_.value = std::move(value);
      out_.lines[""] = Line();
      return {&out_.value, ""};
    }
    Frame& frame = frames_.back();
    std::string path;
    Json* placed = nullptr;
    if (frame.node->is_object()) {
      path = JoinPath(frame.path, frame.key);
      placed = &((*frame.node)[frame.key] = std::move(value));
    } else {
      path = JoinPath(frame.path, frame.node->size());
      frame.node->push_back(std::move(value));
      placed = &frame.node->back();
      out_.lines[path] = Line();
    }
    return {placed, path};
  }

  template <typename T>
  bool Value(T&& v) {
    Place(Json(std::forward<T>(v)));
    return true;
  }
  bool Open(Json container) {
    auto [node, path] = Place(std::move(container));
    frames_.push_back({node, path, {}});
    return true;
  }
  bool Close() {
    frames_.pop_back();
    return true;
  }

  std::string_view text_;
  const char** furthest_;
  LocatedJson& out_;
  std::vector<Frame> frames_;
  std::string error_;
  std::size_t counted_ = 0;
  int line_ = 1;
};

}  // namespace

std::string JoinPath(std::string_view parent, std::string_view key) {
  return parent.empty() ? std::string(key) : std::string(parent) + "." + std::string(key);
}

std::string JoinPath(std::string_view parent, std::size_t index) {
  return std::string(parent) + "[" + std::to_string(index) + "]";
}

std::optional<LocatedJson> ParseLocatedJson(std::string_view text, std::string& error) {
  LocatedJson out;
  const char* furthest = text.data();
  LocatingHandler handler(text, &furthest, out);
  const TrackingIterator begin(text.data(), &furthest), end(text.data() + text.size(), &furthest);
  if (!Json::sax_parse(begin, end, &handler)) {
    error = handler.error().empty() ? "the text is not JSON" : handler.error();
    return std::nullopt;
  }
  return out;
}

}  // namespace zento
