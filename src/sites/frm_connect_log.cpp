#include "sites/frm_connect_log.h"

#include "app/console.h"
#include "sites/site_queries.h"

namespace sites {

frmConnectLog::frmConnectLog(app::Console& c) : ui::Form(c.rt, "frmConnectLog"), c_(c) {
  cmdClose.Click = [this] { Unload(); };
}

void frmConnectLog::Design() {
  Caption = "Connection Log";
  BorderStyle = ui::vbFixedDialog;
  Move(1800, 1200, 6600, 5400);
  txtLog.MultiLine = true;
  txtLog.Locked = true;
  txtLog.Text = "";
  txtLog.Move(240, 240, 6000, 4080);
  cmdClose.Caption = "&Close";
  cmdClose.Default = true;
  cmdClose.Cancel = true;
  cmdClose.Move(4920, 4500, 1320, 375);
}

void frmConnectLog::Form_Load() {
  c_.rsShared = c_.Db.OpenRecordset(ConnectionLogQuery(c_.st.SelectedSiteID));
  if (!c_.rsShared.Eof() && !c_.rsShared.Field("ConnectLog").IsNull())
    txtLog.Text = c_.rsShared.Field("ConnectLog").ToText();
  c_.rsShared.Close();
}

}  // namespace sites
