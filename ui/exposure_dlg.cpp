#include "ui/exposure_dlg.h"

#include <QPainter>
#include <cstring>
#include <filesystem>
#include "core/exposure.h"
#include "core/number_text.h"
#include "report/report_text.h"

#include "report/report_file.h"
#include "ui/about_dlg.h"
#include "ui/antenna_gain_dlg.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/file_chooser.h"
#include "ui/framework/help_viewer.h"
#include "ui/framework/message_box.h"
#include "ui/res/icons.h"
#include "ui/res/resource.h"
#include "ui/res/strings.h"
#include "ui/res/templates.h"
#include "ui/station_id_dlg.h"

namespace zento::ui {
namespace {

constexpr std::string_view kReportFilterList = "Text Files (*.txt) | *.txt | All Files (*.*) | *.* ||";

}  // namespace

CExposureDlg::CExposureDlg() : Dialog(ExposureDialogTemplate()), m_hIcon(LoadMainIcon()) {
  station_.powerWatts = 100;
  station_.dutyCyclePercent = 100;
  station_.antennaGainDbi = 0.0;
  station_.feedlineLossDb = 0.0;

  using N = Notification;
  On(N::kChange, IDC_POWER, &CExposureDlg::OnChangePower);
  On(N::kChange, IDC_DUTY_CYCLE, &CExposureDlg::OnChangeDutyCycle);
  On(N::kChange, IDC_ANTENNA_GAIN, &CExposureDlg::OnChangeAntennaGain);
  On(N::kChange, IDC_FEEDLINE_LOSS, &CExposureDlg::OnChangeFeedlineLoss);
  On(N::kChange, IDC_FREQUENCY, &CExposureDlg::OnChangeFrequency);
  On(N::kChange, IDC_CONTROLLED_DISTANCE, &CExposureDlg::OnChangeControlledDistance);
  On(N::kChange, IDC_UNCONTROLLED_DISTANCE, &CExposureDlg::OnChangeUncontrolledDistance);
  On(N::kKillFocus, IDC_CONTROLLED_DISTANCE, &CExposureDlg::OnKillFocusDistance);
  On(N::kKillFocus, IDC_UNCONTROLLED_DISTANCE, &CExposureDlg::OnKillFocusDistance);
  On(N::kClicked, IDC_ENGLISH, &CExposureDlg::OnEnglish);
  On(N::kClicked, IDC_METRIC, &CExposureDlg::OnMetric);
  On(N::kClicked, IDC_FEEDLINE_CALC, &CExposureDlg::OnFeedlineCalc);
  On(N::kClicked, IDC_GAIN_CALC, &CExposureDlg::OnGainCalc);
  On(N::kClicked, IDC_ADD_TO_REPORT, &CExposureDlg::OnAddToReport);
  On(N::kClicked, IDC_SAVE_REPORT, &CExposureDlg::OnSaveReport);
  On(N::kClicked, IDC_ABOUT, &CExposureDlg::OnAbout);
  On(N::kClicked, IDC_HELP_BUTTON, &CExposureDlg::OnHelpButton);
}

bool CExposureDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  AddAboutToSystemMenu();
  SetWindowIcon(m_hIcon, true);
  SetWindowIcon(m_hIcon, false);

  station_.frequencyMHz = 30.0;
  station_.antennaGainDbi = 0.0;
  station_.feedlineLossDb = 0.0;
  station_.groundReflectionFactor = kGroundReflectionFactor;
  station_.dutyCyclePercent = 100;
  station_.powerWatts = 100;
  RefreshInputs();

  station_.englishUnits = 1;
  SetCheck(IDC_ENGLISH, true);
  RecomputeLimits();

  for (const auto& line : BannerLines()) AppendReportLine(line);

  CStationIdDlg stationDlg;
  if (stationDlg.DoModal() == IDOK) {
    for (const auto& line : StationBlockLines(stationDlg.callsign, stationDlg.location)) AppendReportLine(line);
  }

  CreateReportFont();

  RecomputeLimits();
  RefreshInputs();
  ShowFrequency();
  return true;
}

void CExposureDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, IDC_DUTY_CYCLE, station_.dutyCyclePercent);
  DDV_MinMaxUInt(dx, station_.dutyCyclePercent, kMinDutyCyclePercent, kMaxDutyCyclePercent);
  DDX_Text(dx, IDC_POWER, station_.powerWatts);
  DDV_MinMaxInt(dx, station_.powerWatts, kMinPowerWatts, kMaxPowerWatts);
  DDX_Text(dx, IDC_ANTENNA_GAIN, station_.antennaGainDbi);
  DDV_MinMaxDouble(dx, station_.antennaGainDbi, kMinAntennaGainDbi, kMaxAntennaGainDbi);
  DDX_Text(dx, IDC_FEEDLINE_LOSS, station_.feedlineLossDb);
  DDV_MinMaxDouble(dx, station_.feedlineLossDb, kMinFeedlineLossDb, kMaxFeedlineLossDb);
}

// Escape would end the program and lose the report: only QUIT and the close box do that.
void CExposureDlg::OnCancel() {}

void CExposureDlg::OnClose() {
  reportFont_.reset();
  EndDialog(IDCANCEL);
}

void CExposureDlg::AddAboutToSystemMenu() {
  SystemMenu* menu = GetSystemMenu();
  if (menu == nullptr) return;
  const std::string_view about = LoadString(IDS_ABOUTBOX);
  if (about.empty()) return;
  menu->AppendSeparator();
  menu->AppendString(IDM_ABOUTBOX, about);
}

void CExposureDlg::OnSysCommand(unsigned id, long lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  Dialog::OnSysCommand(id, lParam);
}

void CExposureDlg::OnPaint() {
  if (!IsIconic()) return;  // the window paints itself
  QPainter painter(Window());
  painter.eraseRect(Window()->rect());
  const QPoint at = CenteredIconPosition(Window()->size(), QSize(kIconSize, kIconSize));
  m_hIcon.paint(&painter, QRect(at, QSize(kIconSize, kIconSize)));
}

void CExposureDlg::CreateReportFont() {
  reportLogFont_ = LogicalFont{};
  reportLogFont_.height = 16;
  reportLogFont_.weight = kFwNormal;
  reportLogFont_.pitchAndFamily = kFixedPitch;
  reportLogFont_.faceName = "Courier New";
  reportFont_ = CreateFontIndirect(reportLogFont_);
  if (reportFont_) SetControlFont(IDC_REPORT, *reportFont_);
}

void CExposureDlg::AppendReportLine(std::string_view line) {
  SetText(IDC_REPORT, zento::AppendReportLine(GetText(IDC_REPORT), line));
  SetCaretToEnd(IDC_REPORT);
  ScrollCaret(IDC_REPORT);
}

void CExposureDlg::RefreshInputs() {
  ExchangeData(false);
  UpdateFeedlineTypeLabel();
  RecomputeEirp();
}

bool CExposureDlg::ReadInputs() { return ExchangeData(true); }

void CExposureDlg::RecomputeEirp() {
  station_.eirpWatts =
      ComputeEirp(station_.powerWatts, station_.dutyCyclePercent, station_.antennaGainDbi, station_.feedlineLossDb);
  SetText(IDC_EIRP, FormatFixed(station_.eirpWatts, 2));
}

void CExposureDlg::RecomputeLimits() {
  const auto limits = LookupExposureLimits(station_.frequencyMHz, station_.eirpWatts);
  if (!limits) return;
  station_.controlledLimit = limits->controlledLimit;
  station_.uncontrolledLimit = limits->uncontrolledLimit;
  SetText(IDC_CONTROLLED_LIMIT, FormatFixed(station_.controlledLimit, 2));
  SetText(IDC_UNCONTROLLED_LIMIT, FormatFixed(station_.uncontrolledLimit, 2));
  const StationParameters& s = station_;
  const std::string controlled =
      FormatDistance(ComputeSafeDistance(s.eirpWatts, s.controlledLimit, s.groundReflectionFactor), s.englishUnits);
  if (!HasFocus(IDC_CONTROLLED_DISTANCE)) SetText(IDC_CONTROLLED_DISTANCE, controlled);
  const std::string uncontrolled =
      FormatDistance(ComputeSafeDistance(s.eirpWatts, s.uncontrolledLimit, s.groundReflectionFactor), s.englishUnits);
  if (!HasFocus(IDC_UNCONTROLLED_DISTANCE)) SetText(IDC_UNCONTROLLED_DISTANCE, uncontrolled);
}

void CExposureDlg::RecomputePowerFromEirp() {
  const auto power = ComputePowerForEirp(station_.eirpWatts, station_.dutyCyclePercent, station_.antennaGainDbi,
                                         station_.feedlineLossDb);
  if (!power) return;
  station_.powerWatts = *power;
  RefreshInputs();
}

void CExposureDlg::UpdateFeedlineTypeLabel() {
  SetText(IDC_FEEDLINE_TYPE, feedline_.selection == -1 ? std::string("Generic") : feedline_.selectedName);
}

void CExposureDlg::ShowFrequency() { SetText(IDC_FREQUENCY, FormatFixed(station_.frequencyMHz, 2)); }

void CExposureDlg::OnChangePower() {
  if (!HasFocus(IDC_POWER)) return;
  if (!ReadInputs()) return;
  RecomputeEirp();
  RecomputeLimits();
}

void CExposureDlg::OnChangeDutyCycle() {
  if (!ReadInputs()) return;
  RecomputeEirp();
  RecomputeLimits();
}

void CExposureDlg::OnChangeAntennaGain() {
  if (!ReadInputs()) return;
  RecomputeEirp();
  RecomputeLimits();
}

void CExposureDlg::OnChangeFeedlineLoss() {
  if (!ReadInputs()) return;
  if (HasFocus(IDC_FEEDLINE_LOSS)) {
    // A loss typed by hand replaces the cable's.
    feedline_.selection = -1;
    UpdateFeedlineTypeLabel();
  }
  RecomputeEirp();
  RecomputeLimits();
}

void CExposureDlg::OnChangeFrequency() {
  if (!HasFocus(IDC_FREQUENCY)) return;
  station_.frequencyMHz = ReadDouble(GetText(IDC_FREQUENCY));
  if (!ReadInputs()) return;
  if (feedline_.selection != -1) {
    feedline_.frequencyMHz = station_.frequencyMHz;
    feedline_.ComputeLoss();
    station_.feedlineLossDb = TruncateToHundredths(feedline_.totalLossDb);
    RefreshInputs();
  }
  RecomputeLimits();
}

void CExposureDlg::WorkBackFromDistance(int fieldId, double limit) {
  if (!HasFocus(fieldId)) return;
  station_.eirpWatts =
      ComputeEirpForDistance(GetText(fieldId), station_.englishUnits, limit, station_.groundReflectionFactor);
  RecomputePowerFromEirp();
  RecomputeLimits();
}

void CExposureDlg::OnChangeControlledDistance() {
  WorkBackFromDistance(IDC_CONTROLLED_DISTANCE, station_.controlledLimit);
}

void CExposureDlg::OnChangeUncontrolledDistance() {
  WorkBackFromDistance(IDC_UNCONTROLLED_DISTANCE, station_.uncontrolledLimit);
}

void CExposureDlg::OnKillFocusDistance() { RecomputeLimits(); }

void CExposureDlg::OnEnglish() {
  station_.englishUnits = 1;
  RecomputeLimits();
}

void CExposureDlg::OnMetric() {
  station_.englishUnits = 0;
  RecomputeLimits();
}

void CExposureDlg::OnFeedlineCalc() {
  feedline_.frequencyMHz = station_.frequencyMHz;
  if (feedlineDlg_.DoModal() != IDOK) {
    // A cancelled dialog keeps its cable chosen, and frequency changes now use it: say so.
    UpdateFeedlineTypeLabel();
    return;
  }
  station_.feedlineLossDb = TruncateToHundredths(feedline_.totalLossDb);
  RefreshInputs();
}

void CExposureDlg::OnGainCalc() {
  CAntennaGainDlg gainDlg;
  if (gainDlg.DoModal() != IDOK) return;
  station_.antennaGainDbi = gainDlg.gainDbi;
  RefreshInputs();  // the gain's change notification recomputes limits and distances
}

void CExposureDlg::OnAddToReport() {
  const auto lines = ResultBlockLines(station_, GetText(IDC_CONTROLLED_DISTANCE), GetText(IDC_UNCONTROLLED_DISTANCE));
  for (const auto& line : lines) AppendReportLine(line);
}

void CExposureDlg::OnSaveReport() {
  FileChooser chooser("*.txt", kHideReadOnly | kPathMustExist, kReportFilterList, Window());
  if (chooser.DoModal() != IDOK) return;
  const std::filesystem::path path = WithDefaultExtension(chooser.GetPathName());
  const SaveOutcome outcome = WriteReportFile(path, GetText(IDC_REPORT));
  switch (outcome.result) {
    case SaveResult::kSaved:
      break;
    case SaveResult::kOpenFailed:
      MessageBox(Window(), "Error Writing Report File.");
      break;
    case SaveResult::kWriteFailed:
      // Opened but not completely written (a full disk): never passed over as a success.
      MessageBox(Window(),
                 "Error Writing Report File.\n\nThe report could not be written completely to " + path.string() + " (" +
                     std::strerror(outcome.error) +
                     "). That file may hold only part of it; the report in this window is unchanged.",
                 MessageIcon::kError);
      break;
  }
}

void CExposureDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal();
}

void CExposureDlg::OnHelpButton() { WinHelp(Window(), "zento.hlp", HELP_CONTENTS, 0); }

}  // namespace zento::ui
