#include "ui/feedline_loss_dlg.h"

#include "core/number_text.h"
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

CFeedlineLossDlg::CFeedlineLossDlg() : Dialog(FeedlineLossDialogTemplate()) {
  On(Notification::kSelChange, IDC_CABLE_TYPE, &CFeedlineLossDlg::OnSelchangeCableType);
  On(Notification::kSelChange, IDC_LENGTH_UNITS, &CFeedlineLossDlg::OnSelchangeLengthUnits);
  On(Notification::kChange, IDC_CABLE_LENGTH, &CFeedlineLossDlg::OnChangeCableLength);
}

bool CFeedlineLossDlg::OnInitDialog() {
  Dialog::OnInitDialog();  // the lists now hold the template's names
  if (state_.selection == -1) {
    // No cable yet: the table's own names, nothing chosen, the length box left empty.
    ResetContent(IDC_CABLE_TYPE);
    for (std::size_t row = 0; row < CountCables(state_.table); ++row) {
      AddString(IDC_CABLE_TYPE, state_.table[row].name);
    }
    OnSelchangeCableType();
  } else {
    SetCurSel(IDC_CABLE_TYPE, state_.selection);
    OnSelchangeCableType();
    // Read back through the change notification, as if typed.
    SetText(IDC_CABLE_LENGTH, FormatFixed(state_.length, 1));
  }
  SetCurSel(IDC_LENGTH_UNITS, state_.lengthUnits);
  ShowFrequency();
  return true;
}

void CFeedlineLossDlg::ShowLoss() {
  if (state_.selection == -1) return;
  SetText(IDC_SPECIFIC_LOSS, FormatFixed(state_.specificLossDbPer100Ft, 2));
  SetText(IDC_TOTAL_LOSS, FormatFixed(state_.totalLossDb, 2));
}

void CFeedlineLossDlg::ShowFrequency() { SetText(IDC_FL_FREQUENCY, FormatFixed(state_.frequencyMHz, 2)); }

void CFeedlineLossDlg::OnSelchangeCableType() {
  state_.SelectCable(GetCurSel(IDC_CABLE_TYPE));
  ShowLoss();
}

void CFeedlineLossDlg::OnSelchangeLengthUnits() {
  state_.SetLengthUnits(GetCurSel(IDC_LENGTH_UNITS));
  ShowLoss();
}

void CFeedlineLossDlg::OnChangeCableLength() {
  state_.SetLength(GetText(IDC_CABLE_LENGTH));
  ShowLoss();
}

}  // namespace zento::ui
