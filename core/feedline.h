#pragma once
// Feedline loss: the cable table, the power-law loss model and the feedline calculator's state.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zento {

struct CableSpec {
  std::string_view name;   // as listed and as shown on the main window
  double logSlope;         // exponent of frequency in the power law
  double logIntercept;     // log10 of the power law's scale
  double maxFrequencyMHz;  // highest frequency the row is meant for; 0 ends the table
};

inline constexpr std::size_t kCableTableRows = 100;

// Rows in the names' sorted order, so a sorted list shows them by row. A row with
// maxFrequencyMHz 0 ends the table; the rows after it are never read.
inline constexpr std::array<CableSpec, kCableTableRows> kCableTable = {{
    {"1/2\" 50 Ohm Hardline", 0.57547, -0.25472, 1000},
    {"1/2\" 75 Ohm Hardline", 0.57736, -0.1887, 1000},
    {"3/4\" 50 Ohm Hardline", 0.5849, -0.3585, 1000},
    {"3/4\" 75 Ohm Hardline", 0.582, -0.3302, 1000},
    {"300 Ohm Tubular", 0.551887, -0.0566, 150},
    {"7/8\" 50 Ohm Hardline", 0.6132, -0.4906, 1000},
    {"7/8\" 75 Ohm Hardline", 0.59434, -0.415, 1000},
    {"Belden 9913", 0.51415, 0.1132, 1000},
    {"Open Wire, \"Window\" Line, 1/2\" & 1\"", 0.55189, -0.632, 250},
    {"Open Wire, #12 Wires", 0.566, -0.83, 140},
    {"RG-11/11A Coaxial", 0.570755, 0.25472, 1000},
    {"RG-12/12A Coaxial", 0.570755, 0.25472, 1000},
    {"RG-13/13A Coaxial", 0.570755, 0.25472, 1000},
    {"RG-17/17A Coaxial", 0.65566, -0.2642, 1000},
    {"RG-174/174A Coaxial", 0.45283, 1.132, 80},
    {"RG-18/18A Coaxial", 0.65566, -0.2642, 1000},
    {"RG-213/214/215/216 Coaxial", 0.570755, 0.25472, 1000},
    {"RG-58 Coaxial, FOAM DIELECTRIC", 0.495283, 0.575472, 700},
    {"RG-58/58B Coaxial", 0.584906, 0.5, 350},
    {"RG-58A/58C Coaxial", 0.580189, 0.5566, 300},
    {"RG-59 Coaxial, FOAM DIELECTRIC", 0.490566, 0.471698, 1000},
    {"RG-59/59A/59B Coaxial", 0.495283, 0.575472, 700},
    {"RG-62/62A Coaxial", 0.490566, 0.471698, 1000},
    {"RG-71/71A/71B Coaxial", 0.490566, 0.471698, 1000},
    {"RG-8 Coaxial, FOAM DIELECTRIC", 0.5283, 0.1698, 1000},
    {"RG-8/8A Coaxial", 0.570755, 0.25472, 1000},
    {"RG-9/9A/9B Coaxial", 0.570755, 0.25472, 1000},
    {"", 0.0, 0.0, 0.0},
}};

// The feedline dialog's template list data: upper-case names in the template's order. Sorted
// case-insensitively they fall into the table's row order.
inline constexpr std::array<std::string_view, 27> kTemplateCableNames = {
    "RG-174/174A",
    "RG-58A/58C",
    "RG-58/58B",
    "RG-59/59A/59B",
    "RG-58 FOAM DIELECTRIC",
    "RG-62/62A",
    "RG-71/71A/71B",
    "RG-59 FOAM DIELECTRIC",
    "RG-8/8A",
    "RG-9/9A/9B",
    "RG-11/11A",
    "RG-12/12A",
    "RG-13/13A",
    "RG-213/214/215/216",
    "RG-8 FOAM DIELECTRIC",
    "BELDEN 9913",
    "300 OHM TUBULAR",
    "RG-17/17A",
    "RG-18/18A",
    "1/2\" 75 OHM HARDLINE",
    "1/2\" 50 OHM HARDLINE",
    "3/4\" 75 OHM HARDLINE",
    "3/4\" 50 OHM HARDLINE",
    "7/8\" 75 OHM HARDLINE",
    "7/8\" 50 OHM HARDLINE",
    "OPEN WIRE \"WINDOW\" LINE, 1/2\" AND 1\"",
    "OPEN WIRE, #12 WIRES",
};

// Number of cables: the rows before the terminating one.
std::size_t CountCables(const std::array<CableSpec, kCableTableRows>& table);

// Loss per 100 feet at a frequency: 0.1 x 10^(logSlope x log10 f + logIntercept).
double ComputeSpecificLoss(const CableSpec& row, double frequencyMHz);

// Loss of a run; `lengthUnits` 0 means meters, 1 feet.
double ComputeTotalLoss(double specificLossDbPer100Ft, double length, int lengthUnits);

// The loss cut (not rounded) to hundredths of a dB; 0 for a loss that is not a number.
double TruncateToHundredths(double totalLossDb);

inline constexpr double kFeetPerMeterCable = 3.2808399;
inline constexpr int kLengthMeters = 0;
inline constexpr int kLengthFeet = 1;

struct FeedlineState {
  double totalLossDb = 0.0;
  int selection = -1;  // row of `table`, -1 for none
  double frequencyMHz = 0.0;
  int lengthUnits = kLengthFeet;
  std::array<CableSpec, kCableTableRows> table = kCableTable;
  double specificLossDbPer100Ft = 0.0;
  double length = 0.0;  // in lengthUnits, always whole
  std::string selectedName;

  // Index -1 chooses no cable; an index that is not a cable row is taken as -1.
  void SelectCable(int index);
  void SetLengthUnits(int code);
  // The length is the integer atoi reads from the text (saturated to 32 bits).
  void SetLength(std::string_view text);
  // Recomputes both losses for the chosen cable; nothing when none is chosen.
  void ComputeLoss();
};

}  // namespace zento
