#pragma once
// The feedline loss calculator. One object lives as long as the main window and carries the
// feedline state, so the cable, length and unit survive every opening, OK or Cancel.

#include "core/feedline.h"
#include "ui/framework/dialog.h"

namespace zento::ui {

class CFeedlineLossDlg : public Dialog {
 public:
  CFeedlineLossDlg();

  FeedlineState& State() { return state_; }
  const FeedlineState& State() const { return state_; }

 protected:
  bool OnInitDialog() override;

 private:
  void ShowLoss();
  void ShowFrequency();
  void OnSelchangeCableType();
  void OnSelchangeLengthUnits();
  void OnChangeCableLength();

  FeedlineState state_;
};

}  // namespace zento::ui
