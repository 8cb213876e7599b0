// Reading stations: every value checked, every unknown key refused, nothing half-read.
#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <set>

#include "core/antennas.h"
#include "core/bands.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "core/operating.h"
#include "report/json_reader.h"
#include "report/station_file.h"
#include "report/station_file_antenna.h"
#include "report/translation.h"
namespace zento {
namespace {

using Json = nlohmann::json;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

class Reader : JsonReader {
 public:
  Reader(const LocatedJson& doc, const DeckLoader& loader) : JsonReader(doc), loader_(loader) {}

  Station Read() {
    const Json& root = Object(doc_.value, root_);
    Keys(root, root_,
         {"format", "version", "callsign", "location", "rules", "ground_reflection", "units", "person_height_m",
          "exemption_distance_m", "ground", "assessment", "site", "places", "transmitters"});
    if (String(root, root_, "format") != kStationFileFormat) {
      Fail(root_.Member("format"), Subst(Tr("expected \"%1\""), {kStationFileFormat}), &root.at("format"));
    }
    const double version = Number(root, root_, "version", {1, 1000});
    if (version != kStationFileVersion) {
      Fail(root_.Member("version"),
           Subst(Tr("expected %1 (a newer ZENTO wrote this file)"), {std::to_string(kStationFileVersion)}),
           &root.at("version"));
    }
    Station s;
    s.callsign = Name(root, root_, "callsign", kMaxCallsignLength);
    s.location = OptionalString(root, root_, "location", kMaxLocationLength).value_or("");
    if (const auto rules = OptionalString(root, root_, "rules")) {
      const auto found = FindRuleSet(*rules);
      if (!found) {
        Fail(root_.Member("rules"), Subst(Tr("expected one of %1"), {RuleSetKeys()}), &root.at("rules"));
      }
      s.rules = *found;
    }
    s.groundReflection = OptionalBool(root, root_, "ground_reflection").value_or(true);
    if (const auto units = OptionalString(root, root_, "units")) s.units = Unit(root, root_, "units");
    s.personHeightMeters = OptionalNumber(root, root_, "person_height_m", kHeightRange).value_or(2.0);
    s.exemptionDistanceMeters = OptionalNumber(root, root_, "exemption_distance_m", kPlaceDistanceRange);
    if (const auto ground = OptionalChoice(
            root, root_, "ground",
            {"free-space", "perfect", "poor", "average", "good", "very-good", "fresh-water", "sea-water"})) {
      s.ground = kGrounds[*ground].id;
    }
    if (const Json* a = Find(root, "assessment")) s.assessment = ReadAssessment(*a, root_.Member("assessment"));
    if (const Json* site = Find(root, "site")) {
      const JsonPath path = root_.Member("site");
      Keys(Object(*site, path), path, {"outline_m"});
      ForEach(*site, path, "outline_m", {kMaxOutlinePoints, Tr("expected at most %1 corners, got %2")}, [&](const Json& corner, const JsonPath& p) {
        if (!corner.is_array() || corner.size() != 2) Fail(p, Tr("expected [x, y]"), &corner);
        s.siteOutline.push_back(
            {NumberValue(corner[0], p.Item(0), kSiteRange), NumberValue(corner[1], p.Item(1), kSiteRange)});
      });
      if (s.siteOutline.size() < 3) Fail(path.Member("outline_m"), Tr("expected at least 3 corners"));
    }
    ForEach(root, root_, "places", {kMaxPlaces, Tr("expected at most %1 places, got %2")},
            [&](const Json& v, const JsonPath& path) { s.places.push_back(ReadPlace(v, path)); });
    ForEach(root, root_, "transmitters", {kMaxTransmitters, Tr("expected at most %1 transmitters, got %2")},
            [&](const Json& v, const JsonPath& path) { s.transmitters.push_back(ReadTransmitter(v, path)); });
    CheckNames(s, root);
    return s;
  }

 private:
  Assessment ReadAssessment(const Json& v, const JsonPath& path) const {
    const Json& o = Object(v, path);
    Keys(o, path, {"assessor", "date", "method", "measures", "next_review"});
    Assessment a;
    a.assessor = Name(o, path, "assessor", kMaxNameLength);
    a.date = Date(o, path, "date");
    a.method = OptionalString(o, path, "method", kMaxAssessmentTextLength).value_or("");
    a.measures = OptionalString(o, path, "measures", kMaxAssessmentTextLength).value_or("");
    a.nextReview = Date(o, path, "next_review");
    return a;
  }

  // "YYYY-MM-DD", or empty.
  std::string Date(const Json& o, const JsonPath& path, std::string_view key) const {
    const auto text = OptionalString(o, path, key);
    if (!text) return {};
    if (!IsIsoDate(*text)) {
      Fail(path.Member(key), Tr("expected a date as YYYY-MM-DD"), &o.at(key));
    }
    return *text;
  }

  Place ReadPlace(const Json& v, const JsonPath& path) const {
    const Json& o = Object(v, path);
    Keys(o, path, {"name", "environment", "distance_m", "horizontal_m", "position_m", "height_m"});
    Place p;
    Required(o, path, "name");
    p.name = Name(o, path, "name", kMaxNameLength);
    if (const auto env = OptionalString(o, path, "environment")) {
      if (*env == "controlled") {
        p.environment = Environment::kControlled;
      } else if (*env != "uncontrolled") {
        Fail(path.Member("environment"), Tr("expected \"controlled\" or \"uncontrolled\""), &o.at("environment"));
      }
    }
    const auto where = OneOf(o, path, {"distance_m", "horizontal_m", "position_m"}, false);
    if (where == "distance_m") {
      p.distanceMeters = Number(o, path, "distance_m", kPlaceDistanceRange);
      if (Find(o, "height_m")) Fail(path.Member("height_m"), Tr("only with \"horizontal_m\" or \"position_m\""));
    } else if (where == "position_m") {
      p.positionMeters = OptionalPair(o, path, "position_m", kSiteRange);
      p.heightMeters = OptionalNumber(o, path, "height_m", kHeightRange);
    } else {
      p.horizontalMeters = Number(o, path, "horizontal_m", kDistanceRange);
      p.heightMeters = OptionalNumber(o, path, "height_m", kHeightRange);
    }
    return p;
  }

  Feedline ReadFeedline(const Json& v, const JsonPath& path) const {
    const Json& o = Object(v, path);
    Keys(o, path, {"cable", "loss_db_per_100ft", "loss_db", "length", "length_units", "swr", "other_loss_db"});
    Feedline f;
    const auto kind = OneOf(o, path, {"cable", "loss_db_per_100ft", "loss_db"}, true);
    if (kind == "cable") {
      f.kind = FeedlineKind::kCable;
      const std::string name = String(o, path, "cable");
      for (std::size_t row = 0; row < CountCables(kCableTable); ++row) {
        if (SameIgnoringCase(kCableTable[row].name, name)) f.cableRow = static_cast<int>(row);
      }
      if (f.cableRow < 0) Fail(path.Member("cable"), Tr("expected a cable of zento-calc --list-cables"), &o.at("cable"));
    } else if (kind == "loss_db_per_100ft") {
      f.kind = FeedlineKind::kLossPer100Feet;
      f.lossDbPer100Feet = Number(o, path, "loss_db_per_100ft", kLossPer100FeetRange);
    } else {
      f.totalLossDb = OptionalNumber(o, path, "loss_db", kLossRange).value_or(0.0);
    }
    if (f.kind == FeedlineKind::kTotalLoss) {
      for (const auto key : {"length", "length_units"}) {
        if (Find(o, key)) Fail(path.Member(key), Tr("only with \"cable\" or \"loss_db_per_100ft\""));
      }
    } else {
      f.length = Number(o, path, "length", kCableLengthRange);
      if (Find(o, "length_units")) f.lengthUnit = Unit(o, path, "length_units");
    }
    f.swr = OptionalNumber(o, path, "swr", kSwrRange).value_or(1.0);
    f.otherLossDb = OptionalNumber(o, path, "other_loss_db", kLossRange).value_or(0.0);
    return f;
  }

  Antenna ReadAntenna(const Json& v, const JsonPath& path) const {
    const Json& o = Object(v, path);
    Keys(o, path, {"preset", "gain_dbi", "height_m", "position_m", "heading_deg", "downward_attenuation_db", "model"});
    Antenna a;
    if (OneOf(o, path, {"preset", "gain_dbi"}, true) == "preset") {
      const std::string key = String(o, path, "preset");
      for (std::size_t i = 0; i < kAntennaPresets.size(); ++i) {
        if (kAntennaPresets[i].shortName == key) a.preset = static_cast<int>(i);
      }
      if (!a.preset) Fail(path.Member("preset"), Tr("expected a preset of zento-calc --list-antennas"), &o.at("preset"));
    } else {
      a.gainDbi = OptionalNumber(o, path, "gain_dbi", kGainRange).value_or(0.0);
    }
    a.heightMeters = OptionalNumber(o, path, "height_m", kHeightRange);
    a.positionMeters = OptionalPair(o, path, "position_m", kSiteRange);
    a.headingDegrees = OptionalNumber(o, path, "heading_deg", kHeadingRange).value_or(0.0);
    a.downwardAttenuationDb = OptionalNumber(o, path, "downward_attenuation_db", kAttenuationRange).value_or(0.0);
    if (const Json* m = Find(o, "model")) a.model = ReadAntennaModel(*this, *m, path.Member("model"), loader_);
    return a;
  }

  BandChoice ReadBand(const Json& v, const JsonPath& path) const {
    if (v.is_number()) return {"", NumberValue(v, path, kFrequencyRange)};
    const std::string name = StringValue(v, path);
    for (const RuleSet rules : {RuleSet::kFcc, RuleSet::kIcnirp1998}) {
      if (const auto band = FindBand(rules, name)) return {std::string(band->name), 0.0};
    }
    Fail(path, Tr("expected a band name (160m ... 23cm, 4m) or a frequency in MHz"), &v);
  }

  Transmitter ReadTransmitter(const Json& v, const JsonPath& path) const {
    const Json& o = Object(v, path);
    Keys(o, path,
         {"name", "power_watts", "mode", "duty_percent", "tx_minutes", "rx_minutes", "tx_seconds", "rx_seconds",
          "bands", "feedline", "antenna", "simultaneous_with"});
    Transmitter t;
    t.name = Name(o, path, "name", kMaxNameLength);
    if (t.name.empty()) Fail(path.Member("name"), Tr("expected a name"), Find(o, "name") ? &o.at("name") : nullptr);
    t.powerWatts = Number(o, path, "power_watts", kPowerRange);
    if (OneOf(o, path, {"mode", "duty_percent"}, true) == "duty_percent") {
      t.dutyPercent = Number(o, path, "duty_percent", kDutyRange);
    } else if (const auto mode = OptionalString(o, path, "mode")) {
      if (!FindMode(*mode)) Fail(path.Member("mode"), Tr("expected a mode of zento-calc --list-modes"), &o.at("mode"));
      t.mode = *mode;
    }
    if (OneOf(o, path, {"tx_minutes", "tx_seconds"}, true) == "tx_seconds" || Find(o, "rx_seconds")) {
      // Seconds, as FT8's and FT4's periods are given; kept as minutes, shown as seconds.
      if (Find(o, "tx_minutes") || Find(o, "rx_minutes")) {
        Fail(path, Tr("the times in minutes or in seconds, not both"));
      }
      if (const auto tx = OptionalNumber(o, path, "tx_seconds", {kTxMinutesRange.min * 60, kTxMinutesRange.max * 60})) {
        t.txMinutes = *tx / 60.0;
      }
      if (const auto rx = OptionalNumber(o, path, "rx_seconds", {0.0, kMinutesRange.max * 60}))
        t.rxMinutes = *rx / 60.0;
      if (t.rxMinutes && !t.txMinutes) Fail(path, Tr("missing key \"tx_seconds\" beside \"rx_seconds\""));
      t.timesInSeconds = true;
    } else {
      t.txMinutes = OptionalNumber(o, path, "tx_minutes", kTxMinutesRange);
      t.rxMinutes = OptionalNumber(o, path, "rx_minutes", kMinutesRange);
      if (t.rxMinutes && !t.txMinutes) Fail(path, Tr("missing key \"tx_minutes\" beside \"rx_minutes\""));
    }
    ForEach(o, path, "bands", {kMaxBandsPerTransmitter, Tr("expected at most %1 bands, got %2")},
            [&](const Json& b, const JsonPath& p) { t.bands.push_back(ReadBand(b, p)); });
    if (const Json* f = Find(o, "feedline")) t.feedline = ReadFeedline(*f, path.Member("feedline"));
    if (const Json* a = Find(o, "antenna")) t.antenna = ReadAntenna(*a, path.Member("antenna"));
    ForEach(o, path, "simultaneous_with", {kMaxTransmitters, Tr("expected at most %1 names, got %2")},
            [&](const Json& n, const JsonPath& p) { t.simultaneousWith.push_back(StringValue(n, p, kMaxNameLength)); });
    return t;
  }

  void CheckNames(const Station& s, const Json& root) const {
    std::set<std::string> names;
    for (std::size_t i = 0; i < s.transmitters.size(); ++i) {
      if (!names.insert(s.transmitters[i].name).second) {
        Fail(root_.Member("transmitters").Item(i).Member("name"), Tr("another transmitter has this name"),
             &root.at("transmitters")[i].at("name"));
      }
    }
    for (std::size_t i = 0; i < s.transmitters.size(); ++i) {
      const auto& with = s.transmitters[i].simultaneousWith;
      for (std::size_t k = 0; k < with.size(); ++k) {
        if (names.count(with[k]) == 0 || with[k] == s.transmitters[i].name) {
          Fail(root_.Member("transmitters").Item(i).Member("simultaneous_with").Item(k),
               Tr("expected the name of another transmitter"), &root.at("transmitters")[i].at("simultaneous_with")[k]);
        }
      }
    }
  }

  const DeckLoader& loader_;
};

}  // namespace

std::string FileTooLargeText(std::uintmax_t bytes) {
  // TRANSLATORS: %1 the file's size in bytes, %2 the largest a station file may be, %3 the same in MiB.
  return Subst(Tr("the file has %1 bytes; a station file has at most %2 (%3 MiB)"),
               {std::to_string(bytes), std::to_string(kMaxStationFileBytes), std::to_string(kMaxStationFileBytes >> 20)});
}

std::string TextFieldProblem(std::string_view text, std::size_t maxChars) {
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F) {
      constexpr char kHex[] = "0123456789ABCDEF";
      const char code[] = {'U', '+', '0', '0', kHex[u >> 4], kHex[u & 0xF], '\0'};
      // TRANSLATORS: %1 a character's code, "U+0007".
      return Subst(Tr("expected text without control characters, got %1"), {code});
    }
  }
  if (const std::size_t chars = CountCharacters(text); chars > maxChars) {
    return Subst(Tr("expected at most %1 characters, got %2"), {std::to_string(maxChars), std::to_string(chars)});
  }
  return {};
}

std::optional<Station> ParseStation(std::string_view text, std::string& error, const DeckLoader& loader) {
  if (text.size() > kMaxStationFileBytes) {
    error = FileTooLargeText(text.size());
    return std::nullopt;
  }
  const auto doc = ParseLocatedJson(text, kMaxStationFileDepth, error);
  if (!doc) return std::nullopt;
  try {
    return Reader(*doc, loader).Read();
  } catch (const ReadError& e) {
    error = e.message;
    return std::nullopt;
  } catch (const nlohmann::json::exception& e) {
    error = e.what();
    return std::nullopt;
  }
}

}  // namespace zento
