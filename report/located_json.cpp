#include "report/located_json.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "report/json_text.h"
#include "report/translation.h"
namespace zento {
namespace {

using Json = nlohmann::json;

// A key is shown whole up to this many characters; a longer one is no key of any format.
constexpr std::size_t kMaxKeyChars = 40;

// A path short enough for a message: its end, which names the value.
std::string ShownPath(const std::string& path) {
  constexpr std::size_t kMaxPathBytes = 120;
  if (path.size() <= kMaxPathBytes) return path;
  std::size_t cut = path.size() - kMaxPathBytes;
  while (cut < path.size() && (static_cast<unsigned char>(path[cut]) & 0xC0) == 0x80) ++cut;
  return "..." + path.substr(cut);
}

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

// Builds the document and the line of each value as the parser reports them. Each value costs
// time in proportion to its own text only: no path is built unless a message needs one.
class LocatingHandler : public nlohmann::json_sax<Json> {
 public:
  LocatingHandler(std::string_view text, const char** furthest, std::size_t firstNotUtf8, LocatedJson& out)
      : text_(text), furthest_(furthest), firstNotUtf8_(firstNotUtf8), out_(out) {}

  bool null() override { return Value(nullptr); }
  bool boolean(bool v) override { return Value(v); }
  bool number_integer(number_integer_t v) override { return Value(v); }
  bool number_unsigned(number_unsigned_t v) override { return Value(v); }
  bool number_float(number_float_t v, const string_t&) override { return Value(v); }
  bool string(string_t& v) override { return Value(std::move(v)); }
  bool binary(binary_t&) override { return false; }

  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool start_array(std::size_t) override { return Open(Json::array()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }

  bool key(string_t& key) override {
    Frame& frame = frames_.back();
    if (frame.node->contains(key)) {
      std::string path = FramePath();
      AppendKey(path, key);
      // TRANSLATORS: %1 the key's path in the file, %2 the line.
      error_ = Subst(Tr("%1: the key appears twice (line %2)"), {ShownPath(path), std::to_string(Line())});
      return false;
    }
    frame.lines->keys.push_back(key);
    frame.lines->children.push_back({Line(), {}, {}});
    frame.key = std::move(key);
    frame.awaitingValue = true;
    return true;
  }

  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) override {
    if (firstNotUtf8_ < position) {
      // The parser stopped at or after a byte that is not UTF-8: that byte is the cause.
      error_ = Located(firstNotUtf8_, NotUtf8Text(text_, firstNotUtf8_));
    } else if (e.id == 406) {
      // A number beyond a double's range ("1e400"): the parser has read it to its end.
      const std::size_t end = std::min(position, text_.size());
      std::size_t start = end;
      while (start > 0 && std::string_view("0123456789+-.eE").find(text_[start - 1]) != std::string_view::npos) {
        --start;
      }
      error_ = Located(start, Subst(Tr("the number %1 is out of range"), {Shortened(text_.substr(start, end - start), 24)}));
    } else {
      std::string message = e.what();
      // "[json.exception.parse_error.101] parse error at line 3, column 5: syntax error ..."
      if (const auto at = message.find(": ", message.find(" at line ")); at != std::string::npos) {
        message = message.substr(at + 2);
      }
      // The place of the last character the parser read, its column counted in characters.
      const std::size_t last = position > 0 ? position - 1 : 0;
      // The parser quotes what it last read, which may be a whole long string.
      error_ = Subst(Tr("%1: %2"), {PlaceText(text_, last), Shortened(message, 160)});
    }
    return false;
  }

  const std::string& error() const { return error_; }

 private:
  struct Frame {
    Json* node;
    JsonLines* lines;
    std::string key;             // in an object: the key whose value comes next, or came last
    bool awaitingValue = false;  // in an object: after a key, before its value
  };

  // The line of the last character the parser looked at; the count goes on from the last call.
  int Line() {
    const auto end = static_cast<std::size_t>(*furthest_ - text_.data());
    for (; counted_ < end; ++counted_) line_ += text_[counted_] == '\n' ? 1 : 0;
    return line_;
  }

  // The path of the innermost open list or object.
  std::string FramePath() const {
    std::string path;
    for (std::size_t i = 0; i + 1 < frames_.size(); ++i) {
      const Frame& parent = frames_[i];
      if (parent.node->is_object()) {
        AppendKey(path, parent.key);
      } else {
        AppendIndex(path, parent.node->size() - 1);
      }
    }
    return path;
  }

  // "path: what (line L, column C)", the path being that of the value the parser was reading.
  std::string Located(std::size_t offset, const std::string& what) const {
    std::string path = frames_.empty() ? "" : FramePath();
    if (!frames_.empty()) {
      const Frame& frame = frames_.back();
      if (frame.node->is_array()) {
        AppendIndex(path, frame.node->size());
      } else if (frame.awaitingValue) {
        AppendKey(path, frame.key);
      }
    }
    const std::string place = PlaceText(text_, offset);
    // TRANSLATORS: %1 a value's path in the file, %2 what is wrong, %3 where ("line 3, column 5").
    return path.empty() ? Subst(Tr("%1: %2"), {place, what}) : Subst(Tr("%1: %2 (%3)"), {ShownPath(path), what, place});
  }

  // Places a value in its parent; returns it with its lines.
  std::pair<Json*, JsonLines*> Place(Json value) {
    if (frames_.empty()) {
      out_.value = std::move(value);
      out_.lines.line = Line();
      return {&out_.value, &out_.lines};
    }
    Frame& frame = frames_.back();
    if (frame.node->is_object()) {
      frame.awaitingValue = false;
      return {&((*frame.node)[frame.key] = std::move(value)), &frame.lines->children.back()};
    }
    frame.node->push_back(std::move(value));
    frame.lines->children.push_back({Line(), {}, {}});
    return {&frame.node->back(), &frame.lines->children.back()};
  }

  template <typename T>
  bool Value(T&& v) {
    Place(Json(std::forward<T>(v)));
    return true;
  }
  bool Open(Json container) {
    auto [node, lines] = Place(std::move(container));
    frames_.push_back({node, lines, {}, false});
    return true;
  }
  bool Close() {
    frames_.pop_back();
    return true;
  }

  std::string_view text_;
  const char** furthest_;
  std::size_t firstNotUtf8_;
  LocatedJson& out_;
  std::vector<Frame> frames_;
  std::string error_;
  std::size_t counted_ = 0;
  int line_ = 1;
};

}  // namespace

void AppendKey(std::string& path, std::string_view key) {
  if (!path.empty()) path += '.';
  const bool plain = key.size() <= kMaxKeyChars && std::all_of(key.begin(), key.end(), [](char c) {
                       return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && c != '"' && c != '\\';
                     });
  if (plain) {
    path += key;
  } else {
    // As JSON writes it, so that the message shows no control character.
    const std::string quoted = Json(Shortened(key, kMaxKeyChars)).dump(-1, ' ', false, Json::error_handler_t::replace);
    path += quoted;
  }
}

void AppendIndex(std::string& path, std::size_t index) {
  path += '[';
  path += std::to_string(index);
  path += ']';
}

JsonPath JsonPath::Member(std::string_view key) const {
  JsonPath member;
  member.text_ = text_;
  AppendKey(member.text_, key);
  if (lines_) {
    const auto it = std::find(lines_->keys.begin(), lines_->keys.end(), key);
    if (it != lines_->keys.end()) {
      member.lines_ = &lines_->children[static_cast<std::size_t>(it - lines_->keys.begin())];
    }
  }
  return member;
}

JsonPath JsonPath::Item(std::size_t index) const {
  JsonPath item;
  item.text_ = text_;
  AppendIndex(item.text_, index);
  if (lines_ && lines_->keys.empty() && index < lines_->children.size()) item.lines_ = &lines_->children[index];
  return item;
}

std::optional<int> JsonPath::line() const {
  if (!lines_) return std::nullopt;
  return lines_->line;
}

std::optional<LocatedJson> ParseLocatedJson(std::string_view text, std::size_t maxDepth, std::string& error) {
  const JsonTextScan scan = ScanJsonText(text, maxDepth);
  if (!scan.error.empty()) {
    error = scan.error;
    return std::nullopt;
  }
  LocatedJson out;
  const char* furthest = text.data();
  LocatingHandler handler(text, &furthest, scan.firstNotUtf8, out);
  const TrackingIterator begin(text.data(), &furthest), end(text.data() + text.size(), &furthest);
  if (!Json::sax_parse(begin, end, &handler)) {
    error = handler.error().empty() ? std::string(Tr("the text is not JSON")) : handler.error();
    return std::nullopt;
  }
  if (scan.firstNotUtf8 != std::string_view::npos) {
    // The parser takes no such text; should it ever, the scan's word stands.
    error = Subst(Tr("%1: %2"), {PlaceText(text, scan.firstNotUtf8), NotUtf8Text(text, scan.firstNotUtf8)});
    return std::nullopt;
  }
  return out;
}

}  // namespace zento
