#include "ui/station_id_dlg.h"

#include "ui/framework/data_exchange.h"
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

CStationIdDlg::CStationIdDlg() : Dialog(StationIdDialogTemplate()) {}

void CStationIdDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, IDC_CALLSIGN, callsign);
  DDV_MaxChars(dx, callsign, kMaxCallsignChars);
  DDX_Text(dx, IDC_LOCATION, location);
  DDV_MaxChars(dx, location, kMaxLocationChars);
}

}  // namespace zento::ui
