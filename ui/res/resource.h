#pragma once
// Resource identifiers of the window program.

namespace zento::ui {

// Dialogs
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_EXPOSURE_DIALOG = 102;
inline constexpr int IDD_STATION_ID = 130;
inline constexpr int IDD_ANTENNA_GAIN = 131;
inline constexpr int IDD_FEEDLINE_LOSS = 132;

// Icon, strings, menu commands
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr unsigned IDM_ABOUTBOX = 0x10;

// Main dialog
inline constexpr int IDC_FEEDLINE_CALC = 2;
inline constexpr int IDC_GAIN_CALC = 3;
inline constexpr int IDC_ADD_TO_REPORT = 4;
inline constexpr int IDC_SAVE_REPORT = 5;
inline constexpr int IDC_ABOUT = 6;
inline constexpr int IDC_HELP_BUTTON = 7;
inline constexpr int IDC_REPORT = 1000;
inline constexpr int IDC_POWER = 1001;
inline constexpr int IDC_DUTY_CYCLE = 1002;
inline constexpr int IDC_FREQUENCY = 1003;
inline constexpr int IDC_FEEDLINE_LOSS = 1004;
inline constexpr int IDC_ANTENNA_GAIN = 1005;
inline constexpr int IDC_EIRP = 1006;
inline constexpr int IDC_CONTROLLED_LIMIT = 1007;
inline constexpr int IDC_CONTROLLED_DISTANCE = 1008;
inline constexpr int IDC_UNCONTROLLED_LIMIT = 1010;
inline constexpr int IDC_UNCONTROLLED_DISTANCE = 1011;
inline constexpr int IDC_ENGLISH = 1012;
inline constexpr int IDC_METRIC = 1013;
inline constexpr int IDC_FEEDLINE_TYPE = 1034;

// Station identification dialog
inline constexpr int IDC_CALLSIGN = 1013;
inline constexpr int IDC_LOCATION = 1014;

// Feedline loss dialog
inline constexpr int IDC_TOTAL_LOSS = 1004;
inline constexpr int IDC_FL_FREQUENCY = 1025;
inline constexpr int IDC_CABLE_TYPE = 1027;
inline constexpr int IDC_CABLE_LENGTH = 1030;
inline constexpr int IDC_LENGTH_UNITS = 1031;
inline constexpr int IDC_SPECIFIC_LOSS = 1033;

// Antenna gain dialog
inline constexpr int IDC_ANT_QUARTER_WAVE = 1015;
inline constexpr int IDC_ANT_DIPOLE = 1016;
inline constexpr int IDC_ANT_YAGI5 = 1017;
inline constexpr int IDC_ANT_YAGI3 = 1018;
inline constexpr int IDC_ANT_FIVE_EIGHTHS = 1019;
inline constexpr int IDC_ANT_YAGI8 = 1020;
inline constexpr int IDC_ANT_YAGI10 = 1021;
inline constexpr int IDC_ANT_YAGI17 = 1022;

}  // namespace zento::ui
