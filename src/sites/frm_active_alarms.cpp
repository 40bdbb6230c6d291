#include "sites/frm_active_alarms.h"

#include "app/console.h"
#include "common/vb.h"
#include "sites/alarm_report.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace sites {

frmActiveAlarms::frmActiveAlarms(app::Console& c) : ui::Form(c.rt, "frmActiveAlarms"), c_(c) {
  cmdClose.Click = [this] { Unload(); };
}

void frmActiveAlarms::Design() {
  Caption = "Active Alarms";
  BorderStyle = ui::vbFixedDialog;
  Move(2400, 1800, 4800, 3900);
  Label1.Caption = "Site:";
  Label1.Move(240, 285, 720, 255);
  txtSite.Locked = true;
  txtSite.Move(960, 240, 3480, 315);
  lstAlarms.Move(240, 720, 4200, 2160);
  cmdClose.Caption = "&Close";
  cmdClose.Default = true;
  cmdClose.Cancel = true;
  cmdClose.Move(3120, 3000, 1320, 375);
}

void frmActiveAlarms::Form_Load() {
  c_.rsShared = c_.Db.OpenRecordset(ActiveAlarmsQuery(c_.st.SelectedSiteID));
  if (c_.rsShared.Eof()) return;
  txtSite.Text = vb::CStr(UnitSiteNum(c_.rsShared.Field("SiteNum").ToLong())) + " (" +
                 c_.st.SelectedSiteName + ")";
  lstAlarms.Clear();
  const platform::Variant alarms = c_.rsShared.Field("Alarms");
  if (alarms.IsNull() || alarms.ToText().size() != 16) return;
  for (const std::string& name : ActiveAlarmNames(alarms.ToText())) lstAlarms.AddItem(name);
}

}  // namespace sites
