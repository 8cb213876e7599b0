#pragma once
// The main calculator window: the station's inputs, the limits and safe distances recomputed
// at every change, and the report.

#include <optional>
#include <string_view>

#include "core/feedline.h"
#include "core/station.h"
#include "ui/feedline_loss_dlg.h"
#include "ui/framework/dialog.h"
#include "ui/framework/logical_font.h"

namespace zento::ui {

class CExposureDlg : public Dialog {
 public:
  CExposureDlg();

  const StationParameters& Station() const { return station_; }
  FeedlineState& Feedline() { return feedlineDlg_.State(); }
  bool HasReportFont() const { return reportFont_.has_value(); }

  // The one way the program writes into the report.
  void AppendReportLine(std::string_view line);

  // The image shown while the minimised window is dragged.
  const QIcon& OnQueryDragIcon() const { return m_hIcon; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  void OnCancel() override;
  void OnClose() override;
  void OnSysCommand(unsigned id, long lParam) override;
  void OnPaint() override;

 private:
  // Shared steps.
  void RefreshInputs();
  bool ReadInputs();
  void RecomputeEirp();
  void RecomputeLimits();
  void RecomputePowerFromEirp();
  void UpdateFeedlineTypeLabel();
  void ShowFrequency();
  void CreateReportFont();
  void AddAboutToSystemMenu();
  void WorkBackFromDistance(int fieldId, double limit);

  // Handlers.
  void OnChangePower();
  void OnChangeDutyCycle();
  void OnChangeAntennaGain();
  void OnChangeFeedlineLoss();
  void OnChangeFrequency();
  void OnChangeControlledDistance();
  void OnChangeUncontrolledDistance();
  void OnKillFocusDistance();
  void OnEnglish();
  void OnMetric();
  void OnFeedlineCalc();
  void OnGainCalc();
  void OnAddToReport();
  void OnSaveReport();
  void OnAbout();
  void OnHelpButton();

  QIcon m_hIcon;
  StationParameters station_;
  CFeedlineLossDlg feedlineDlg_;
  FeedlineState& feedline_ = feedlineDlg_.State();
  LogicalFont reportLogFont_;
  std::optional<QFont> reportFont_;
};

}  // namespace zento::ui
