#pragma once
// The checks every value of a station file passes: one reader's helpers, each failing with the
// value's key path and line.

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "core/station_model.h"
#include "report/json_text.h"
#include "report/located_json.h"
#include "report/station_file.h"
#include "report/translation.h"
namespace zento {

struct ReadError {
  std::string message;
};

class JsonReader {
 public:
  using Json = nlohmann::json;

  explicit JsonReader(const LocatedJson& doc) : doc_(doc), root_(doc) {}

  static std::string Shown(const Json& value) {
    return Shortened(value.dump(-1, ' ', false, Json::error_handler_t::replace), 60);
  }
  // "expected a number from 1 to 1000": the numbers as the file writes them, with a point.
  static std::string RangeText(const Range& range) {
    return Subst(Tr("expected a number from %1 to %2"), {FormatGeneral(range.min, 10), FormatGeneral(range.max, 10)});
  }

  [[noreturn]] void Fail(const JsonPath& path, const std::string& what, const Json* got = nullptr) const {
    // TRANSLATORS: %1 the value's key path in the station file ("transmitters[0].power_watts"), %2 what is wrong.
    std::string message = Subst(Tr("%1: %2"), {path.text().empty() ? std::string(Tr("the station")) : path.text(), what});
    // TRANSLATORS: a message on a value, then the value the file holds.
    if (got) message = Subst(Tr("%1, got %2"), {message, Shown(*got)});
    // TRANSLATORS: a message, then the line of the file it is about.
    if (const auto line = path.line()) message = Subst(Tr("%1 (line %2)"), {message, std::to_string(*line)});
    throw ReadError{message};
  }

  const Json& Object(const Json& v, const JsonPath& path) const {
    if (!v.is_object()) Fail(path, Tr("expected an object"), &v);
    return v;
  }

  void Keys(const Json& object, const JsonPath& path, std::initializer_list<std::string_view> known) const {
    for (const auto& [key, value] : object.items()) {
      if (std::find(known.begin(), known.end(), key) == known.end()) Fail(path.Member(key), Tr("unknown key"));
    }
  }

  const Json* Find(const Json& object, std::string_view key) const {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
  }

  const Json& Required(const Json& object, const JsonPath& path, std::string_view key) const {
    const Json* v = Find(object, key);
    // TRANSLATORS: %1 a key of the station file, not translated.
    if (!v) Fail(path, Subst(Tr("missing key \"%1\""), {key}));
    return *v;
  }

  double NumberValue(const Json& v, const JsonPath& path, const Range& range) const {
    if (!v.is_number() || !range.Holds(v.get<double>())) Fail(path, RangeText(range), &v);
    return v.get<double>();
  }
  double Number(const Json& o, const JsonPath& path, std::string_view key, const Range& range) const {
    return NumberValue(Required(o, path, key), path.Member(key), range);
  }
  std::optional<double> OptionalNumber(const Json& o, const JsonPath& path, std::string_view key,
                                       const Range& range) const {
    const Json* v = Find(o, key);
    if (!v) return std::nullopt;
    return NumberValue(*v, path.Member(key), range);
  }

  std::string StringValue(const Json& v, const JsonPath& path, std::size_t maxChars = kMaxWordLength) const {
    if (!v.is_string()) Fail(path, Tr("expected a string"), &v);
    const auto& text = v.get_ref<const std::string&>();
    if (const std::string problem = TextFieldProblem(text, maxChars); !problem.empty()) Fail(path, problem);
    return text;
  }
  std::string String(const Json& o, const JsonPath& path, std::string_view key,
                     std::size_t maxChars = kMaxWordLength) const {
    return StringValue(Required(o, path, key), path.Member(key), maxChars);
  }
  // A name or a call sign: one line, not empty, as the window and zento-calc take them.
  std::string Name(const Json& o, const JsonPath& path, std::string_view key, std::size_t maxChars) const {
    const Json* v = Find(o, key);
    if (!v) return {};
    std::string text = StringValue(*v, path.Member(key), maxChars);
    if (text.find_first_of("\r\n") != std::string::npos) Fail(path.Member(key), Tr("expected one line"), v);
    return text;
  }
  std::optional<std::string> OptionalString(const Json& o, const JsonPath& path, std::string_view key,
                                            std::size_t maxChars = kMaxWordLength) const {
    const Json* v = Find(o, key);
    if (!v) return std::nullopt;
    return StringValue(*v, path.Member(key), maxChars);
  }

  std::optional<bool> OptionalBool(const Json& o, const JsonPath& path, std::string_view key) const {
    const Json* v = Find(o, key);
    if (!v) return std::nullopt;
    if (!v->is_boolean()) Fail(path.Member(key), Tr("expected true or false"), v);
    return v->get<bool>();
  }

  LengthUnit Unit(const Json& o, const JsonPath& path, std::string_view key) const {
    const std::string text = String(o, path, key);
    if (text == "feet") return LengthUnit::kFeet;
    if (text == "meters") return LengthUnit::kMeters;
    Fail(path.Member(key), Tr("expected \"feet\" or \"meters\""), &o.at(key));
  }

  struct Most {
    std::size_t count;
    const char* message;  // "expected at most %1 places, got %2", translated
  };

  template <typename Each>
  void ForEach(const Json& o, const JsonPath& path, std::string_view key, Most most, Each each) const {
    const Json* v = Find(o, key);
    if (!v) return;
    const JsonPath arrayPath = path.Member(key);
    if (!v->is_array()) Fail(arrayPath, "expected a list", v);
    if (v->size() > most.count) {
      Fail(arrayPath, Subst(most.message, {std::to_string(most.count), std::to_string(v->size())}));
    }
    for (std::size_t i = 0; i < v->size(); ++i) each((*v)[i], arrayPath.Item(i));
  }

  // Exactly one of the keys, or none when `optional`.
  std::optional<std::string_view> OneOf(const Json& o, const JsonPath& path,
                                        std::initializer_list<std::string_view> keys, bool optional) const {
    std::optional<std::string_view> found;
    for (const auto key : keys) {
      if (!Find(o, key)) continue;
      // TRANSLATORS: %1 a list of keys of the station file, not translated.
      if (found) Fail(path.Member(key), Subst(Tr("only one of %1 may be given"), {Joined(keys)}));
      found = key;
    }
    if (!found && !optional) Fail(path, Subst(Tr("missing one of %1"), {Joined(keys)}));
    return found;
  }

  static std::string Joined(std::initializer_list<std::string_view> keys) {
    std::string out;
    for (const auto key : keys) out += (out.empty() ? "\"" : ", \"") + std::string(key) + "\"";
    return out;
  }

  // "[x, y]": two numbers, each in `range`.
  std::optional<std::array<double, 2>> OptionalPair(const Json& o, const JsonPath& path, std::string_view key,
                                                    const Range& range) const {
    const Json* v = Find(o, key);
    if (!v) return std::nullopt;
    if (!v->is_array() || v->size() != 2) Fail(path.Member(key), Tr("expected [x, y]"), v);
    return std::array<double, 2>{NumberValue((*v)[0], path.Member(key).Item(0), range),
                                 NumberValue((*v)[1], path.Member(key).Item(1), range)};
  }
  // A whole number in `range`.
  std::optional<int> OptionalInteger(const Json& o, const JsonPath& path, std::string_view key,
                                     const Range& range) const {
    const Json* v = Find(o, key);
    if (!v) return std::nullopt;
    const double n = NumberValue(*v, path.Member(key), range);
    if (n != static_cast<double>(static_cast<int>(n))) Fail(path.Member(key), Tr("expected a whole number"), v);
    return static_cast<int>(n);
  }
  // One of `choices`, by its index.
  std::optional<std::size_t> OptionalChoice(const Json& o, const JsonPath& path, std::string_view key,
                                            std::initializer_list<std::string_view> choices) const {
    const auto text = OptionalString(o, path, key);
    if (!text) return std::nullopt;
    const auto it = std::find(choices.begin(), choices.end(), *text);
    if (it == choices.end()) Fail(path.Member(key), Subst(Tr("expected one of %1"), {Joined(choices)}), &o.at(key));
    return static_cast<std::size_t>(it - choices.begin());
  }

 protected:
  const LocatedJson& doc_;
  const JsonPath root_;
};

}  // namespace zento
