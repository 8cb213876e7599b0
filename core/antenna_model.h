#pragma once
// A transmitter's antenna as wires, for the near field: its kind and dimensions, where it stands
// on the site, and the ground under it. No I/O: an imported NEC-2 deck arrives here as its text.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_mark.h"

#include "core/geometry.h"

namespace zento {

enum class AntennaKind { kDipole, kInvertedV, kVertical, kYagi, kLoop, kImported };
enum class VerticalLength { kQuarterWave, kFiveEighthsWave, kGiven };
enum class LoopShape { kSquare, kDelta };

struct AntennaKindInfo {
  AntennaKind id;
  std::string_view key;   // as in station files: "inverted-v"
  std::string_view name;  // "Inverted V"
};
inline constexpr std::array<AntennaKindInfo, 6> kAntennaKinds = {{
    {AntennaKind::kDipole, "dipole", N_("Half-wave dipole")},
    {AntennaKind::kInvertedV, "inverted-v", N_("Inverted V")},
    {AntennaKind::kVertical, "vertical", N_("Vertical with radials")},
    {AntennaKind::kYagi, "yagi", "Yagi"},
    {AntennaKind::kLoop, "loop", N_("Full-wave loop")},
    {AntennaKind::kImported, "nec", N_("Imported NEC-2 model")},
}};

// The ground under the station, for the near field. The far field's ground reflection factor is
// the station's groundReflection, apart from this.
enum class Ground { kFreeSpace, kPerfect, kPoor, kAverage, kGood, kVeryGood, kFreshWater, kSeaWater };

struct GroundInfo {
  Ground id;
  std::string_view key;
  std::string_view name;
  double relativePermittivity;  // real grounds only
  double conductivitySm;        //
};
// The ARRL Antenna Book's table of conductivities and dielectric constants for common types of
// earth (after Terman, Radio Engineers' Handbook, and the FCC's 1939 standards); poor ground's
// permittivity, given there as 12 to 14, taken as 13.
inline constexpr std::array<GroundInfo, 8> kGrounds = {{
    {Ground::kFreeSpace, "free-space", N_("free space"), 1.0, 0.0},
    {Ground::kPerfect, "perfect", N_("perfect ground"), 1.0, 0.0},
    {Ground::kPoor, "poor", N_("poor ground (rocky, hilly)"), 13.0, 0.002},
    {Ground::kAverage, "average", N_("average ground (pastoral, heavy clay)"), 13.0, 0.005},
    {Ground::kGood, "good", N_("good ground (pastoral, rich soil)"), 14.0, 0.01},
    {Ground::kVeryGood, "very-good", N_("very good ground (low hills, rich soil)"), 20.0, 0.0303},
    {Ground::kFreshWater, "fresh-water", N_("fresh water"), 80.0, 0.001},
    {Ground::kSeaWater, "sea-water", N_("sea water"), 81.0, 5.0},
}};

const GroundInfo& Info(Ground ground);
const AntennaKindInfo& Info(AntennaKind kind);

// The structure of a ham's own NEC-2 file, as far as the importer takes it.
struct ImportedDeck {
  std::vector<std::string> structure;  // GW, GA, GH, GM, GR, GX, GS cards, as written in the file
  std::vector<std::string> loads;      // LD and TL cards
  std::vector<std::string> sources;    // EX cards (voltage sources)
  std::vector<std::string> replaced;   // the file's own control cards (GN, FR, RP, ...) that the station's replace

  bool operator==(const ImportedDeck&) const = default;
};

// The card importer: the deck, or none with one message naming the card and line it does not take.
std::optional<ImportedDeck> ParseNecDeck(std::string_view text, std::string& error);
// The same, its error kept for translation.
std::optional<ImportedDeck> ParseNecDeck(std::string_view text, MarkedText& error);

struct AntennaModel {
  AntennaKind kind = AntennaKind::kDipole;
  std::optional<double> designMHz;  // the middle of the transmitter's first band when unset
  double apexDegrees = 120.0;       // inverted V: between its arms; 180 is a flat dipole
  VerticalLength verticalLength = VerticalLength::kQuarterWave;
  double lengthMeters = 0.0;  // a vertical of a given length
  int radials = 4;            // vertical
  int elements = 3;           // Yagi, 2 to 6
  LoopShape loopShape = LoopShape::kSquare;
  bool horizontalLoop = false;         // a loop lying flat, rather than standing
  std::optional<double> wireRadiusMm;  // the kind's default when unset
  double conductivitySm = 5.8e7;       // copper; 0 for a perfect conductor
  std::string file;                    // imported: the file as the station names it,
  ImportedDeck imported;               //           what was read from it,
  std::string importProblem;           //           or why it could not be

  bool operator==(const AntennaModel&) const = default;
};

// Where an antenna stands: its mast at (x, y) on the site, its height above the ground, and the
// compass heading of its main direction (a Yagi's beam; a dipole's broadside; degrees east of north).
struct AntennaPlacement {
  double x = 0.0, y = 0.0;
  double heightMeters = 10.0;
  double headingDegrees = 0.0;
};

struct Wire {
  Vec3 a, b;
  double radiusMeters = 0.001;
  int segments = 1;

  double Length() const { return (b - a).Length(); }
};

struct Source {
  std::size_t wire;  // index into the wires
  int segment;       // 1-based
};

// The wires of a built-in kind, in site coordinates.
struct AntennaStructure {
  std::vector<Wire> wires;
  std::vector<Source> sources;
  bool extendedKernel = false;  // thick wires: NEC's extended thin-wire kernel
};

// A vertical's radials (and a vertical's base) are never lower than this: NEC-2 cannot model a
// wire on or in real ground.
inline constexpr double kLowestWireMeters = 0.05;
// The most segments a model may have.
inline constexpr int kMaxSegments = 2000;

// The wires of a built-in kind cut for `designMHz`, segmented for frequencies up to `highestMHz`;
// none with the reason when the model cannot be built (a wire too thick for its segments, a
// wire below the ground, too many segments).
std::optional<AntennaStructure> BuildAntenna(const AntennaModel& model, const AntennaPlacement& placement,
                                             double designMHz, double highestMHz, std::string& problem);
// The same, its reason kept for translation.
std::optional<AntennaStructure> BuildAntenna(const AntennaModel& model, const AntennaPlacement& placement,
                                             double designMHz, double highestMHz, MarkedText& problem);

// Checks a structure's segments against NEC's rules at `highestMHz`: empty when they hold.
// Each segment is given by its length, radius and the height of its lower end.
struct SegmentShape {
  double length, radius, lowestZ;
  int tag;
};
std::string SegmentationProblem(const std::vector<SegmentShape>& segments, double highestMHz, bool overGround);
// The same, kept for translation: an empty pattern when they hold.
MarkedText SegmentationProblemText(const std::vector<SegmentShape>& segments, double highestMHz, bool overGround);

}  // namespace zento
