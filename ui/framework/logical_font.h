#pragma once
// A font described by its fields, made into a real font on demand.

#include <QFont>
#include <optional>
#include <string>

namespace zento::ui {

inline constexpr int kFwNormal = 400;
inline constexpr int kFixedPitch = 1;

struct LogicalFont {
  int height = 0;  // character cell height in pixels; 0 lets the font mapper choose
  int weight = 0;  // 100 to 900; 0 is normal
  bool italic = false;
  int pitchAndFamily = 0;  // kFixedPitch asks for a fixed-pitch face
  std::string faceName;
};

// The nearest installed font; none when no font can be made from the description.
std::optional<QFont> CreateFontIndirect(const LogicalFont& description);

}  // namespace zento::ui
