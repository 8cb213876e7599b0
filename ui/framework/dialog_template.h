#pragma once
// Dialog templates as data: what a dialog holds, where, and how it behaves, in dialog units.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zento::ui {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_STATIC = -1;

enum class ControlKind { kPushButton, kEdit, kStatic, kGroupBox, kRadioButton, kComboBox, kIcon };

// Control styles, combined as bits.
enum ControlStyle : std::uint32_t {
  kNoStyle = 0,
  kTabStop = 1u << 0,
  kGroup = 1u << 1,          // starts a group (radio buttons, arrow-key moves)
  kDefaultButton = 1u << 2,  // the dialog's default push button
  kReadOnly = 1u << 3,
  kDigitsOnly = 1u << 4,
  kUpperCase = 1u << 5,
  kMultiLine = 1u << 6,
  kWantReturn = 1u << 7,   // Enter makes a new line in a multi-line edit
  kAutoHScroll = 1u << 8,  // no word wrap: long lines scroll sideways
  kVScroll = 1u << 9,      // vertical scroll bar; a multi-line edit without it never scrolls vertically
  kSorted = 1u << 10,      // list keeps its items sorted, case-insensitively
  kDropDownList = 1u << 11,
  kSunken = 1u << 12,
  kBorder = 1u << 13,
};

// Window frame styles.
enum FrameStyle : std::uint32_t {
  kCaption = 1u << 0,
  kSystemMenu = 1u << 1,
  kMinimizeBox = 1u << 2,
  kModalFrame = 1u << 3,
  kAppWindow = 1u << 4,  // shown in the task bar as an application window
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view text;
  int x, y, cx, cy;  // dialog units
  std::uint32_t styles = kNoStyle;
  std::vector<std::string_view> items = {};  // initial list data
};

struct DialogTemplate {
  int id;
  std::string_view caption;
  int cx, cy;  // dialog units
  std::string_view fontFace;
  int fontPointSize;
  std::uint32_t frame;
  std::vector<ControlTemplate> controls;  // template order, which is also the tab order
};

// Frames, texts and icons never take the keyboard focus.
inline bool IsFocusable(const ControlTemplate& control) {
  return control.kind != ControlKind::kStatic && control.kind != ControlKind::kGroupBox &&
         control.kind != ControlKind::kIcon;
}
inline bool IsTabStop(const ControlTemplate& control) { return (control.styles & kTabStop) && IsFocusable(control); }

}  // namespace zento::ui
