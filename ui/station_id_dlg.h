#pragma once
// The station's call sign and location, asked for at start-up.

#include <string>

#include "ui/framework/dialog.h"

namespace zento::ui {

class CStationIdDlg : public Dialog {
 public:
  static constexpr int kMaxCallsignChars = 10;
  static constexpr int kMaxLocationChars = 255;

  CStationIdDlg();

  std::string callsign;
  std::string location;  // lines joined by CR LF

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

}  // namespace zento::ui
